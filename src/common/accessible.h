#pragma once

// What the program draws itself (the checklist, the result page, the status
// bar, the toolbar) told to assistive technology such as screen readers.
// The library's own drawn controls expose nothing of their content; this
// floor describes it once and each platform file (accessible_posix.cpp,
// accessible_windows.cpp) hands it to the desktop's accessibility layer.

#include <wx/gdicmn.h>
#include <wx/string.h>

#include <cstddef>
#include <functional>
#include <memory>

class wxWindow;

enum class AccessibleRole
{
    Heading,
    CheckBox,
    NumberField,
    Choice,
    Button,
    Link,
};

// What one row says to assistive technology, on every platform.
struct AccessibleRow
{
    AccessibleRole role = AccessibleRole::Heading;
    wxString name;        // the whole question (even when cut off on screen)
    wxString value;       // the answer as shown ("" for a heading)
    bool checked = false; // CheckBox only
};

// A list the program draws itself (the checklist, the toolbar), row by row.
class AccessibleRowList
{
public:
    virtual ~AccessibleRowList() = default;
    virtual size_t RowCount() const = 0;
    virtual AccessibleRow Row(size_t index) const = 0;
    virtual int CurrentRow() const = 0;             // -1: none
    virtual wxRect RowRect(size_t index) const = 0; // in the window's client coordinates
    // A checkbox's tick, as Space does; a button's press.
    virtual bool ActivateRow(size_t index) = 0;
    // Read exactly as typed text; false when the row takes no text or the
    // text does not count.
    virtual bool SetRowValue(size_t index, const wxString& text) = 0;
    virtual void SelectRow(size_t index) = 0;
    // The rows were rebuilt: what the list kept of them is out of date.
    virtual void Forget() {}
};

// How the desktop presents a list of rows as a whole.
enum class AccessibleListRole
{
    List,
    ToolBar,
};

// The window's content is the rows from now on; the window owns the list.
void ExposeRows(wxWindow* window, std::unique_ptr<AccessibleRowList> rows,
                AccessibleListRole role = AccessibleListRole::List);
// The keyboard moved to a row (a screen reader speaks it).
void AnnounceRowFocus(wxWindow* window, size_t index);
// A row's tick or value changed.
void AnnounceRowChange(wxWindow* window, size_t index);
// The rows were rebuilt: every row may be new.
void AnnounceRowsReplaced(wxWindow* window);

// A window that draws text the program owns (the result page, the status bar).
enum class AccessibleTextRole
{
    Document,
    StatusBar,
};
void ExposeText(wxWindow* window, AccessibleTextRole role, std::function<wxString()> text);
// The text changed; a screen reader reads the new text out.
void AnnounceTextChange(wxWindow* window);

// A control the program draws itself that does one thing when pressed (a
// link): what it is and is called, and what pressing it does.
void ExposeControl(wxWindow* window, AccessibleRole role, std::function<wxString()> name,
                   std::function<void()> press);

// What assistive technology calls a native control the program places
// without a label beside it (the editor over a number row).
void NameWindow(wxWindow* window, const wxString& name);
