#include "common/accessible.h"

// Until the library's own accessible objects are used here, Windows sees
// what the library exposes of these windows and nothing more.

void ExposeRows(wxWindow*, std::unique_ptr<AccessibleRowList>, AccessibleListRole) {}

void AnnounceRowFocus(wxWindow*, size_t) {}

void AnnounceRowChange(wxWindow*, size_t) {}

void AnnounceRowsReplaced(wxWindow*) {}

void ExposeText(wxWindow*, AccessibleTextRole, std::function<wxString()>) {}

void AnnounceTextChange(wxWindow*) {}

void ExposeControl(wxWindow*, AccessibleRole, std::function<wxString()>, std::function<void()>) {}

void NameWindow(wxWindow*, const wxString&) {}
