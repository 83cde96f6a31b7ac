#include "common/accessible.h"

#include <wx/access.h>
#include <wx/intl.h>
#include <wx/weakref.h>
#include <wx/window.h>

#include <optional>
#include <utility>

#include <windows.h>

#include <commctrl.h>
#include <oleacc.h>

#if !wxUSE_ACCESSIBILITY
#error "The Windows build needs the library built with wxUSE_ACCESSIBILITY"
#endif

namespace
{
// Children are numbered from 1; 0 is the object itself.
int ChildId(size_t index)
{
    return int(index) + 1;
}

bool HasFocusWithin(wxWindow* window)
{
    wxWindow* focus = wxWindow::FindFocus();
    return focus && (focus == window || window->IsDescendant(focus));
}

wxAccRole RoleOf(AccessibleRole role)
{
    switch (role)
    {
    case AccessibleRole::Heading:
        // The desktop's interface has no heading role; a row header is what
        // a category row is in a list of questions.
        return wxROLE_SYSTEM_ROWHEADER;
    case AccessibleRole::CheckBox:
        return wxROLE_SYSTEM_CHECKBUTTON;
    case AccessibleRole::NumberField:
        // The answer is typed in, so a text field reads it best.
        return wxROLE_SYSTEM_TEXT;
    case AccessibleRole::Choice:
        return wxROLE_SYSTEM_COMBOBOX;
    case AccessibleRole::Button:
        return wxROLE_SYSTEM_PUSHBUTTON;
    case AccessibleRole::Link:
        return wxROLE_SYSTEM_LINK;
    }
    return wxROLE_SYSTEM_LISTITEM;
}

// What the default action of a row is called; empty when it has none.
wxString ActionOf(const AccessibleRow& row)
{
    switch (row.role)
    {
    case AccessibleRole::Heading:
    case AccessibleRole::NumberField:
    case AccessibleRole::Choice:
        return wxString(); // answered by typing or choosing, not by one action
    case AccessibleRole::CheckBox:
        return row.checked ? _("Uncheck") : _("Check");
    case AccessibleRole::Button:
        return _("Press");
    case AccessibleRole::Link:
        return _("Open");
    }
    return wxString();
}

// A window that draws rows (the checklist, the toolbar): the window is the
// list, each row a simple child of it.
class RowListAccessible : public wxAccessible
{
public:
    RowListAccessible(wxWindow* window, std::unique_ptr<AccessibleRowList> rows,
                      AccessibleListRole role)
        : wxAccessible(window), m_rows(std::move(rows)), m_role(role)
    {
    }

    void ForgetRows() { m_rows->Forget(); }

    wxAccStatus GetChildCount(int* count) override
    {
        *count = int(m_rows->RowCount());
        return wxACC_OK;
    }

    wxAccStatus GetChild(int childId, wxAccessible** child) override
    {
        if (childId != wxACC_SELF && !IsRow(childId))
            return wxACC_INVALID_ARG;
        // Rows are simple elements of this object, not objects of their own.
        *child = childId == wxACC_SELF ? this : nullptr;
        return wxACC_OK;
    }

    wxAccStatus GetName(int childId, wxString* name) override
    {
        if (childId == wxACC_SELF)
            return SelfName(name);
        if (!IsRow(childId))
            return wxACC_INVALID_ARG;
        *name = RowOf(childId).name;
        return wxACC_OK;
    }

    wxAccStatus GetRole(int childId, wxAccRole* role) override
    {
        if (childId == wxACC_SELF)
        {
            *role =
                m_role == AccessibleListRole::ToolBar ? wxROLE_SYSTEM_TOOLBAR : wxROLE_SYSTEM_LIST;
            return wxACC_OK;
        }
        if (!IsRow(childId))
            return wxACC_INVALID_ARG;
        *role = RoleOf(RowOf(childId).role);
        return wxACC_OK;
    }

    wxAccStatus GetState(int childId, long* state) override
    {
        if (childId == wxACC_SELF)
            return wxACC_NOT_IMPLEMENTED; // the window's own, as the system reads it
        if (!IsRow(childId))
            return wxACC_INVALID_ARG;
        const size_t index = size_t(childId - 1);
        const AccessibleRow row = m_rows->Row(index);
        // A tool is pressed, never selected; the keyboard passes it by.
        long st = row.role == AccessibleRole::Button
                      ? 0
                      : wxACC_STATE_SYSTEM_FOCUSABLE | wxACC_STATE_SYSTEM_SELECTABLE;
        if (row.role == AccessibleRole::CheckBox && row.checked)
            st |= wxACC_STATE_SYSTEM_CHECKED;
        if (row.role == AccessibleRole::Heading)
            st |= wxACC_STATE_SYSTEM_READONLY;
        if (m_rows->CurrentRow() == int(index))
        {
            st |= wxACC_STATE_SYSTEM_SELECTED;
            if (HasFocusWithin(GetWindow()))
                st |= wxACC_STATE_SYSTEM_FOCUSED;
        }
        if (!GetWindow()->GetClientRect().Intersects(m_rows->RowRect(index)))
            st |= wxACC_STATE_SYSTEM_OFFSCREEN;
        *state = st;
        return wxACC_OK;
    }

    wxAccStatus GetValue(int childId, wxString* value) override
    {
        if (childId == wxACC_SELF)
            return wxACC_NOT_IMPLEMENTED;
        if (!IsRow(childId))
            return wxACC_INVALID_ARG;
        const AccessibleRow row = RowOf(childId);
        if (row.role != AccessibleRole::NumberField && row.role != AccessibleRole::Choice)
            return wxACC_NOT_SUPPORTED; // a tick is a state, not a value
        *value = row.value;
        return wxACC_OK;
    }

    wxAccStatus GetDefaultAction(int childId, wxString* action) override
    {
        if (childId == wxACC_SELF)
            return wxACC_NOT_IMPLEMENTED;
        if (!IsRow(childId))
            return wxACC_INVALID_ARG;
        *action = ActionOf(RowOf(childId));
        return action->empty() ? wxACC_NOT_SUPPORTED : wxACC_OK;
    }

    wxAccStatus DoDefaultAction(int childId) override
    {
        if (childId == wxACC_SELF)
            return wxACC_NOT_IMPLEMENTED;
        if (!IsRow(childId))
            return wxACC_INVALID_ARG;
        return m_rows->ActivateRow(size_t(childId - 1)) ? wxACC_OK : wxACC_NOT_SUPPORTED;
    }

    wxAccStatus GetLocation(wxRect& rect, int childId) override
    {
        if (childId == wxACC_SELF)
            return wxACC_NOT_IMPLEMENTED;
        if (!IsRow(childId))
            return wxACC_INVALID_ARG;
        rect = m_rows->RowRect(size_t(childId - 1));
        rect.SetPosition(GetWindow()->ClientToScreen(rect.GetPosition()));
        return wxACC_OK;
    }

    wxAccStatus HitTest(const wxPoint& point, int* childId, wxAccessible** child) override
    {
        *childId = wxACC_SELF;
        *child = nullptr;
        const wxPoint inside = GetWindow()->ScreenToClient(point);
        if (!GetWindow()->GetClientRect().Contains(inside))
            return wxACC_FALSE;
        for (size_t i = 0; i < m_rows->RowCount(); ++i)
            if (m_rows->RowRect(i).Contains(inside))
            {
                *childId = ChildId(i);
                return wxACC_OK;
            }
        *child = this;
        return wxACC_OK;
    }

    wxAccStatus GetFocus(int* childId, wxAccessible** child) override
    {
        *childId = wxACC_SELF;
        *child = nullptr;
        if (!HasFocusWithin(GetWindow()))
            return wxACC_OK; // nothing here has the keyboard
        const int current = m_rows->CurrentRow();
        if (current >= 0)
            *childId = ChildId(size_t(current));
        else
            *child = this;
        return wxACC_OK;
    }

    wxAccStatus Navigate(wxNavDir direction, int fromId, int* toId, wxAccessible** to) override
    {
        *toId = wxACC_SELF;
        *to = nullptr;
        const int count = int(m_rows->RowCount());
        if (fromId == wxACC_SELF)
        {
            // Among the windows around the list, the system knows the way.
            if (direction != wxNAVDIR_FIRSTCHILD && direction != wxNAVDIR_LASTCHILD)
                return wxACC_NOT_IMPLEMENTED;
            if (count == 0)
                return wxACC_FALSE;
            *toId = direction == wxNAVDIR_FIRSTCHILD ? 1 : count;
            return wxACC_OK;
        }
        if (!IsRow(fromId))
            return wxACC_INVALID_ARG;
        int next = 0;
        if (direction == wxNAVDIR_NEXT || direction == wxNAVDIR_DOWN)
            next = fromId + 1;
        else if (direction == wxNAVDIR_PREVIOUS || direction == wxNAVDIR_UP)
            next = fromId - 1;
        if (next < 1 || next > count)
            return wxACC_FALSE;
        *toId = next;
        return wxACC_OK;
    }

    wxAccStatus Select(int childId, wxAccSelectionFlags flags) override
    {
        if (childId == wxACC_SELF)
            return wxACC_NOT_IMPLEMENTED;
        if (!IsRow(childId))
            return wxACC_INVALID_ARG;
        // One row at a time: the list has no multiple selection.
        if (flags & (wxACC_SEL_EXTENDSELECTION | wxACC_SEL_ADDSELECTION))
            return wxACC_NOT_SUPPORTED;
        if (flags & (wxACC_SEL_TAKESELECTION | wxACC_SEL_TAKEFOCUS))
            m_rows->SelectRow(size_t(childId - 1));
        if (flags & wxACC_SEL_TAKEFOCUS)
            GetWindow()->SetFocus();
        return wxACC_OK;
    }

    // A row's answer set by a client, read as typed text is.
    bool SetValue(int childId, const wxString& text)
    {
        if (!IsRow(childId))
            return false;
        const AccessibleRole role = RowOf(childId).role;
        return (role == AccessibleRole::NumberField || role == AccessibleRole::Choice) &&
               m_rows->SetRowValue(size_t(childId - 1), text);
    }

    wxAccStatus GetSelections(wxVariant* selections) override
    {
        const int current = m_rows->CurrentRow();
        *selections = current >= 0 ? wxVariant(long(ChildId(size_t(current)))) : wxVariant();
        return wxACC_OK;
    }

private:
    bool IsRow(int childId) const { return childId > 0 && size_t(childId) <= m_rows->RowCount(); }
    AccessibleRow RowOf(int childId) const { return m_rows->Row(size_t(childId - 1)); }

    // The window's label where the program gave it one. The library labels
    // a window with its internal name otherwise, which means nothing to a
    // listener: such a list goes unnamed.
    wxAccStatus SelfName(wxString* name)
    {
        *name = GetWindow()->GetLabel();
        if (*name == GetWindow()->GetName())
            name->clear();
        return wxACC_OK;
    }

    std::unique_ptr<AccessibleRowList> m_rows;
    AccessibleListRole m_role;
};

// A window whose text the program draws: the result page or the status bar.
class TextAccessible : public wxAccessible
{
public:
    TextAccessible(wxWindow* window, AccessibleTextRole role, std::function<wxString()> text)
        : wxAccessible(window), m_role(role), m_text(std::move(text))
    {
    }

    wxAccStatus GetRole(int childId, wxAccRole* role) override
    {
        if (childId != wxACC_SELF)
            return wxACC_NOT_IMPLEMENTED;
        *role = m_role == AccessibleTextRole::Document ? wxROLE_SYSTEM_DOCUMENT
                                                       : wxROLE_SYSTEM_STATUSBAR;
        return wxACC_OK;
    }

    // A status bar is named by its message, as the system's own are; a page
    // by its first line (the result page's total), its whole text being its
    // value. A live region's change is spoken as its name.
    wxAccStatus GetName(int childId, wxString* name) override
    {
        if (childId != wxACC_SELF)
            return wxACC_NOT_IMPLEMENTED;
        const wxString text = m_text();
        *name = m_role == AccessibleTextRole::StatusBar ? text : text.BeforeFirst('\n');
        return wxACC_OK;
    }

    wxAccStatus GetValue(int childId, wxString* value) override
    {
        if (childId != wxACC_SELF)
            return wxACC_NOT_IMPLEMENTED;
        *value = m_text();
        return wxACC_OK;
    }

    wxAccStatus GetState(int childId, long* state) override
    {
        if (childId != wxACC_SELF)
            return wxACC_NOT_IMPLEMENTED;
        *state = wxACC_STATE_SYSTEM_READONLY;
        if (GetWindow()->IsFocusable())
            *state |= wxACC_STATE_SYSTEM_FOCUSABLE;
        if (HasFocusWithin(GetWindow()))
            *state |= wxACC_STATE_SYSTEM_FOCUSED;
        return wxACC_OK;
    }

private:
    AccessibleTextRole m_role;
    std::function<wxString()> m_text;
};

// The library's bridge refuses every value a client sets (put_accValue). A
// client of the checklist gets this object instead: it sets a row's answer
// through the rows and passes every other call to the library's object.
class ValueSettingAccessible final : public IAccessible
{
public:
    ValueSettingAccessible(wxWindow* window, IAccessible* inner) : m_window(window), m_inner(inner)
    {
        m_inner->AddRef();
    }

    STDMETHODIMP QueryInterface(REFIID iid, void** out) override
    {
        if (iid == IID_IUnknown || iid == IID_IDispatch || iid == __uuidof(IAccessible))
        {
            *out = static_cast<IAccessible*>(this);
            AddRef();
            return S_OK;
        }
        *out = nullptr;
        return E_NOINTERFACE;
    }
    STDMETHODIMP_(ULONG) AddRef() override { return ++m_references; }
    STDMETHODIMP_(ULONG) Release() override
    {
        const ULONG left = --m_references;
        if (left == 0)
            delete this;
        return left;
    }

    STDMETHODIMP put_accValue(VARIANT child, BSTR text) override
    {
        auto* rows =
            m_window ? dynamic_cast<RowListAccessible*>(m_window->GetAccessible()) : nullptr;
        if (!rows)
            return E_FAIL;
        if (child.vt != VT_I4)
            return E_INVALIDARG;
        return rows->SetValue(child.lVal, wxString(text, SysStringLen(text))) ? S_OK : E_FAIL;
    }

    STDMETHODIMP GetTypeInfoCount(UINT* count) override { return m_inner->GetTypeInfoCount(count); }
    STDMETHODIMP GetTypeInfo(UINT index, LCID locale, ITypeInfo** info) override
    {
        return m_inner->GetTypeInfo(index, locale, info);
    }
    STDMETHODIMP GetIDsOfNames(REFIID iid, LPOLESTR* names, UINT count, LCID locale,
                               DISPID* ids) override
    {
        return m_inner->GetIDsOfNames(iid, names, count, locale, ids);
    }
    STDMETHODIMP Invoke(DISPID id, REFIID iid, LCID locale, WORD flags, DISPPARAMS* params,
                        VARIANT* result, EXCEPINFO* exception, UINT* badArgument) override
    {
        return m_inner->Invoke(id, iid, locale, flags, params, result, exception, badArgument);
    }
    STDMETHODIMP get_accParent(IDispatch** parent) override
    {
        return m_inner->get_accParent(parent);
    }
    STDMETHODIMP get_accChildCount(LONG* count) override
    {
        return m_inner->get_accChildCount(count);
    }
    STDMETHODIMP get_accChild(VARIANT child, IDispatch** object) override
    {
        return m_inner->get_accChild(child, object);
    }
    STDMETHODIMP get_accName(VARIANT child, BSTR* name) override
    {
        return m_inner->get_accName(child, name);
    }
    STDMETHODIMP get_accValue(VARIANT child, BSTR* value) override
    {
        return m_inner->get_accValue(child, value);
    }
    STDMETHODIMP get_accDescription(VARIANT child, BSTR* text) override
    {
        return m_inner->get_accDescription(child, text);
    }
    STDMETHODIMP get_accRole(VARIANT child, VARIANT* role) override
    {
        return m_inner->get_accRole(child, role);
    }
    STDMETHODIMP get_accState(VARIANT child, VARIANT* state) override
    {
        return m_inner->get_accState(child, state);
    }
    STDMETHODIMP get_accHelp(VARIANT child, BSTR* help) override
    {
        return m_inner->get_accHelp(child, help);
    }
    STDMETHODIMP get_accHelpTopic(BSTR* file, VARIANT child, LONG* topic) override
    {
        return m_inner->get_accHelpTopic(file, child, topic);
    }
    STDMETHODIMP get_accKeyboardShortcut(VARIANT child, BSTR* shortcut) override
    {
        return m_inner->get_accKeyboardShortcut(child, shortcut);
    }
    STDMETHODIMP get_accFocus(VARIANT* child) override { return m_inner->get_accFocus(child); }
    STDMETHODIMP get_accSelection(VARIANT* children) override
    {
        return m_inner->get_accSelection(children);
    }
    STDMETHODIMP get_accDefaultAction(VARIANT child, BSTR* action) override
    {
        return m_inner->get_accDefaultAction(child, action);
    }
    STDMETHODIMP accSelect(LONG flags, VARIANT child) override
    {
        return m_inner->accSelect(flags, child);
    }
    STDMETHODIMP accLocation(LONG* left, LONG* top, LONG* width, LONG* height,
                             VARIANT child) override
    {
        return m_inner->accLocation(left, top, width, height, child);
    }
    STDMETHODIMP accNavigate(LONG direction, VARIANT start, VARIANT* end) override
    {
        return m_inner->accNavigate(direction, start, end);
    }
    STDMETHODIMP accHitTest(LONG left, LONG top, VARIANT* child) override
    {
        return m_inner->accHitTest(left, top, child);
    }
    STDMETHODIMP accDoDefaultAction(VARIANT child) override
    {
        return m_inner->accDoDefaultAction(child);
    }
    STDMETHODIMP put_accName(VARIANT child, BSTR name) override
    {
        return m_inner->put_accName(child, name);
    }

private:
    ~ValueSettingAccessible() { m_inner->Release(); }

    ULONG m_references = 1;
    wxWeakRef<wxWindow> m_window; // a client may outlive the window
    IAccessible* m_inner;
};

// Answers the system's request for the list's accessible object (sent for
// every client) with the object above.
LRESULT CALLBACK ListWindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR,
                                DWORD_PTR data)
{
    auto* window = reinterpret_cast<wxWindow*>(data);
    if (message == WM_GETOBJECT && LONG(lParam) == LONG(OBJID_CLIENT) && window->GetAccessible())
    {
        // The library's object is an IAccessible first of all, as its own
        // window procedure hands it out.
        auto* inner = reinterpret_cast<IAccessible*>(window->GetAccessible()->GetIAccessible());
        auto* object = new ValueSettingAccessible(window, inner);
        const LRESULT result = LresultFromObject(__uuidof(IAccessible), wParam, object);
        object->Release();
        return result;
    }
    if (message == WM_NCDESTROY)
        RemoveWindowSubclass(hwnd, ListWindowProc, 0);
    return DefSubclassProc(hwnd, message, wParam, lParam);
}

// A change of the window's text is spoken wherever the user is (a polite
// live region), where the system offers that. The setting lasts as long as
// the window; these windows last as long as the program.
void MakeLiveRegion(wxWindow* window)
{
    static const GUID accPropServices = {
        0xb5f8350b, 0x0548, 0x48b1, {0xa6, 0xee, 0x88, 0xbd, 0x00, 0xb4, 0xa5, 0xe7}};
    static const IID accPropServicesInterface = {
        0x6e26e776, 0x04f0, 0x495d, {0x80, 0xe4, 0x33, 0x30, 0x35, 0x2e, 0x31, 0x69}};
    static const GUID liveSetting = {
        0xc12bcd8e, 0x2a8e, 0x4950, {0x8a, 0xe7, 0x36, 0x25, 0x11, 0x1d, 0x58, 0xeb}};
    IAccPropServices* services = nullptr;
    if (FAILED(CoCreateInstance(accPropServices, nullptr, CLSCTX_INPROC_SERVER,
                                accPropServicesInterface, reinterpret_cast<void**>(&services))))
        return;
    VARIANT polite;
    VariantInit(&polite);
    polite.vt = VT_I4;
    polite.lVal = 1;
    services->SetHwndProp(window->GetHWND(), DWORD(OBJID_CLIENT), CHILDID_SELF, liveSetting,
                          polite);
    services->Release();
}

// A window that does one thing when pressed (a link the program draws), or
// a native control that only needs its name told: what it is, what it is
// called and what pressing it does. What it leaves out, the system's own
// object of the window tells.
class ControlAccessible : public wxAccessible
{
public:
    ControlAccessible(wxWindow* window, std::function<wxString()> name,
                      std::optional<AccessibleRole> role, std::function<void()> press)
        : wxAccessible(window), m_name(std::move(name)), m_role(role), m_press(std::move(press))
    {
    }

    wxAccStatus GetName(int childId, wxString* name) override
    {
        if (childId != wxACC_SELF)
            return wxACC_NOT_IMPLEMENTED;
        *name = m_name();
        return wxACC_OK;
    }

    wxAccStatus GetRole(int childId, wxAccRole* role) override
    {
        if (childId != wxACC_SELF || !m_role)
            return wxACC_NOT_IMPLEMENTED;
        *role = RoleOf(*m_role);
        return wxACC_OK;
    }

    wxAccStatus GetDefaultAction(int childId, wxString* action) override
    {
        if (childId != wxACC_SELF || !m_role)
            return wxACC_NOT_IMPLEMENTED;
        *action = ActionOf(AccessibleRow{*m_role, wxString(), wxString()});
        return wxACC_OK;
    }

    wxAccStatus DoDefaultAction(int childId) override
    {
        if (childId != wxACC_SELF || !m_press)
            return wxACC_NOT_IMPLEMENTED;
        // After this call returns: the press may open a window.
        GetWindow()->CallAfter(m_press);
        return wxACC_OK;
    }

private:
    std::function<wxString()> m_name;
    std::optional<AccessibleRole> m_role;
    std::function<void()> m_press;
};

void Notify(int event, wxWindow* window, int childId)
{
    wxAccessible::NotifyEvent(event, window, wxOBJID_CLIENT, childId);
}
} // namespace

void ExposeRows(wxWindow* window, std::unique_ptr<AccessibleRowList> rows, AccessibleListRole role)
{
    window->SetAccessible(new RowListAccessible(window, std::move(rows), role));
    SetWindowSubclass(window->GetHWND(), ListWindowProc, 0, reinterpret_cast<DWORD_PTR>(window));
}

void AnnounceRowFocus(wxWindow* window, size_t index)
{
    Notify(wxACC_EVENT_OBJECT_SELECTION, window, ChildId(index));
    // Only the window with the keyboard may say where the focus is; an open
    // editor says so itself.
    if (wxWindow::FindFocus() == window)
        Notify(wxACC_EVENT_OBJECT_FOCUS, window, ChildId(index));
}

void AnnounceRowChange(wxWindow* window, size_t index)
{
    Notify(wxACC_EVENT_OBJECT_STATECHANGE, window, ChildId(index));
    Notify(wxACC_EVENT_OBJECT_VALUECHANGE, window, ChildId(index));
    Notify(wxACC_EVENT_OBJECT_DEFACTIONCHANGE, window, ChildId(index));
}

void AnnounceRowsReplaced(wxWindow* window)
{
    if (auto* list = dynamic_cast<RowListAccessible*>(window->GetAccessible()))
        list->ForgetRows();
    Notify(wxACC_EVENT_OBJECT_REORDER, window, wxACC_SELF);
}

void ExposeText(wxWindow* window, AccessibleTextRole role, std::function<wxString()> text)
{
    window->SetAccessible(new TextAccessible(window, role, std::move(text)));
    MakeLiveRegion(window);
}

void AnnounceTextChange(wxWindow* window)
{
    Notify(wxACC_EVENT_OBJECT_NAMECHANGE, window, wxACC_SELF);
    Notify(wxACC_EVENT_OBJECT_VALUECHANGE, window, wxACC_SELF);
    Notify(EVENT_OBJECT_LIVEREGIONCHANGED, window, wxACC_SELF);
}

void ExposeControl(wxWindow* window, AccessibleRole role, std::function<wxString()> name,
                   std::function<void()> press)
{
    window->SetAccessible(new ControlAccessible(window, std::move(name), role, std::move(press)));
}

void NameWindow(wxWindow* window, const wxString& name)
{
    window->SetAccessible(new ControlAccessible(
        window, [name] { return name; }, std::nullopt, nullptr));
}
