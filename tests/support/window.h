#pragma once

#include <wx/string.h>

class wxWindow;

// Drives a window as a user does, by the events a click or a choice sends;
// controls are found by their window names.
void ClickButton(wxWindow* top, const wxString& name);
void ChooseEntry(wxWindow* top, const wxString& name, int index);
