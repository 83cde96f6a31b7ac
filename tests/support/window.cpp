#include "support/window.h"

#include <wx/choice.h>
#include <wx/event.h>
#include <wx/html/htmlwin.h>
#include <wx/propgrid/propgrid.h>

namespace
{
void Send(wxWindow* control, wxCommandEvent& event)
{
    event.SetEventObject(control);
    control->GetEventHandler()->ProcessEvent(event);
}
} // namespace

void ClickButton(wxWindow* top, const wxString& name)
{
    wxWindow* button = wxWindow::FindWindowByName(name, top);
    wxCommandEvent event(wxEVT_BUTTON, button->GetId());
    Send(button, event);
}

void ChooseEntry(wxWindow* top, const wxString& name, int index)
{
    auto* choice = dynamic_cast<wxChoice*>(wxWindow::FindWindowByName(name, top));
    choice->SetSelection(index);
    wxCommandEvent event(wxEVT_CHOICE, choice->GetId());
    event.SetInt(index);
    Send(choice, event);
}

wxPropertyGrid* ChecklistGrid(wxWindow* frame)
{
    return dynamic_cast<wxPropertyGrid*>(wxWindow::FindWindowByName("wxPropertyGrid", frame));
}

wxHtmlWindow* ResultView(wxWindow* frame)
{
    return dynamic_cast<wxHtmlWindow*>(wxWindow::FindWindowByName("ID_HTMLWINDOW_RESULT", frame));
}
