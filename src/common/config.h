#pragma once

#include <wx/string.h>

class wxConfigBase;

// Makes the per-user configuration store, named after the program's vendor
// and application names, the library's global store and returns it. When
// its file was damaged, a clean one takes its place and damagedCopy (if
// given) receives the name of the copy kept of the damaged one; otherwise an
// empty text.
wxConfigBase* OpenConfigStore(wxString* damagedCopy = nullptr);
