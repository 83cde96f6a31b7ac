#include "app/resultview.h"

#include <wx/clipbrd.h>
#include <wx/html/htmlwin.h>
#include <wx/intl.h>
#include <wx/menu.h>

namespace
{
void CopySelection(wxHtmlWindow* view)
{
    const wxString text = view->SelectionToText();
    if (text.empty())
        return;
    wxClipboardLocker clipboard;
    if (!!clipboard)
        wxTheClipboard->SetData(new wxTextDataObject(text));
}

void ShowContextMenu(wxHtmlWindow* view, const wxPoint& where)
{
    wxMenu menu;
    menu.Append(wxID_COPY, _("&Copy"));
    menu.Append(wxID_SELECTALL, _("Select &All"));
    menu.Enable(wxID_COPY, !view->SelectionToText().empty());
    view->PopupMenu(&menu, where);
}

// The page takes the keyboard only while it is meant to: a click or F6.
void GiveKeyboard(wxHtmlWindow* view)
{
    view->SetCanFocus(true);
    view->SetFocus();
}
} // namespace

void MakeResultCopyable(wxWindow* window, wxHtmlWindow* view, wxWindow* list)
{
    view->Bind(wxEVT_LEFT_DOWN,
               [view](wxMouseEvent& event)
               {
                   GiveKeyboard(view);
                   event.Skip();
               });
    view->Bind(wxEVT_KILL_FOCUS,
               [view](wxFocusEvent& event)
               {
                   view->SetCanFocus(false);
                   event.Skip();
               });
    view->Bind(wxEVT_KEY_DOWN,
               [view](wxKeyEvent& event)
               {
                   if (event.GetModifiers() == wxMOD_CONTROL && event.GetKeyCode() == 'A')
                       view->SelectAll();
                   else if (event.GetModifiers() == wxMOD_CONTROL && event.GetKeyCode() == 'C')
                       CopySelection(view);
                   else
                       event.Skip();
               });
    view->Bind(wxEVT_CONTEXT_MENU,
               [view](wxContextMenuEvent& event)
               {
                   // From the menu key the event has no place: under the
                   // page's top left corner then.
                   const wxPoint at = event.GetPosition() == wxDefaultPosition
                                          ? wxPoint(0, 0)
                                          : view->ScreenToClient(event.GetPosition());
                   ShowContextMenu(view, at);
               });
    view->Bind(
        wxEVT_MENU, [view](wxCommandEvent&) { CopySelection(view); }, wxID_COPY);
    view->Bind(
        wxEVT_MENU, [view](wxCommandEvent&) { view->SelectAll(); }, wxID_SELECTALL);
    window->Bind(wxEVT_CHAR_HOOK,
                 [view, list](wxKeyEvent& event)
                 {
                     if (event.GetKeyCode() != WXK_F6 ||
                         (event.HasAnyModifiers() && event.GetModifiers() != wxMOD_SHIFT))
                     {
                         event.Skip();
                         return;
                     }
                     if (view->HasFocus())
                         list->SetFocus();
                     else
                         GiveKeyboard(view);
                 });
}
