#pragma once

#include <wx/string.h>

class wxHtmlWindow;
class wxPropertyGrid;
class wxWindow;

// Drives a window as a user does, by the events a click or a choice sends;
// controls are found by their window names.
void ClickButton(wxWindow* top, const wxString& name);
void ChooseEntry(wxWindow* top, const wxString& name, int index);

// The main window's checklist grid and result view, found by their names.
wxPropertyGrid* ChecklistGrid(wxWindow* frame);
wxHtmlWindow* ResultView(wxWindow* frame);
