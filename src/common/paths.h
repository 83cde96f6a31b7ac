#pragma once

#include <wx/string.h>

// Data paths are written with a backslash, as they were on the platform the
// program started on; this turns them into paths for the running platform.
wxString NativePath(const wxString& path);
