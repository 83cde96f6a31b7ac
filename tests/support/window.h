#pragma once

#include <wx/modalhook.h>
#include <wx/string.h>

#include <functional>

class wxBitmap;
class wxHtmlWindow;
class wxPropertyGrid;
class wxWindow;

// Drives a window as a user does, by the events a click or a choice sends;
// controls are found by their window names.
void ClickButton(wxWindow* top, const wxString& name);
void ChooseEntry(wxWindow* top, const wxString& name, int index);

// Types as the desktop delivers text (an input method included): a
// character event for each character to the window with the keyboard (the
// given one when none has it), the character inserted into a text field
// only if no handler took the event.
void TypeText(wxWindow* window, const wxString& text);
// Pastes as the desktop does: the paste event to the text field, then the
// text inserted unless a handler took the event.
void PasteText(wxWindow* field, const wxString& text);

// Counts the modal dialogs shown while it lives, closing each at once.
class ModalDialogCounter : public wxModalDialogHook
{
public:
    ModalDialogCounter() { Register(); }
    int Count() const { return m_count; }

protected:
    int Enter(wxDialog*) override
    {
        ++m_count;
        return wxID_CANCEL;
    }

private:
    int m_count = 0;
};

// The display answers in its own time: handles window events until done()
// holds, for at most a minute (a guard against a hang on a busy machine, not
// a bound on speed), and returns done().
bool WaitUntil(const std::function<bool()>& done);

// Shows a top-level window and waits until it (or the given child, for a
// window that its children cover) has been drawn once: only then has the
// display mapped it and GTK given it its final size.
bool ShowAndWaitForPaint(wxWindow* window, wxWindow* drawn = nullptr);

// The main window's checklist grid and result view, found by their names.
wxPropertyGrid* ChecklistGrid(wxWindow* frame);
wxHtmlWindow* ResultView(wxWindow* frame);

// Whether a bitmap that a window draws holds exactly the pixels of the image
// file drawn for the window's scale: the file itself at 100 %, its "_1_5x"
// and "_2x" companions at 150 % and 200 %. Also checks that the scale is the
// one GDK_SCALE asks for (the Windows runs at 144 and 192 DPI set it too), so
// that a run meant for 200 % cannot pass at 100 %.
void ExpectDrawnForScale(const wxWindow* window, const wxBitmap& drawn, const wxString& file);

// Whether the windows are on a Wayland display (GTK's Wayland back end);
// never on Windows.
bool OnWayland();
