#include "common/paths.h"

#include <wx/filename.h>

wxString NativePath(const wxString& path)
{
    wxString native(path);
    native.Replace("\\", wxString(wxFileName::GetPathSeparator()));
    return native;
}
