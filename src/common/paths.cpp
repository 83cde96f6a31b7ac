#include "common/paths.h"

#include "common/platform.h"

#include <wx/filefn.h>
#include <wx/filename.h>

namespace
{
// Empty while the data are read from the working folder.
wxString s_dataFolder;

bool HoldsData(const wxString& folder)
{
    return wxDirExists(wxFileName(folder, wxString()).GetPathWithSep() + "rules");
}
} // namespace

wxString NativePath(const wxString& path)
{
    wxString native(path);
    native.Replace("\\", wxString(wxFileName::GetPathSeparator()));
    return native;
}

bool FindDataFolder(const wxString& executablePath, std::vector<wxString>& triedFolders)
{
    s_dataFolder.clear();
    triedFolders = {wxGetCwd()};
    if (HoldsData(triedFolders.front()))
        return true;
    for (const wxString& folder : ProgramDataFolders(wxFileName(executablePath).GetPath()))
    {
        triedFolders.push_back(folder);
        if (HoldsData(folder))
        {
            s_dataFolder = wxFileName(folder, wxString()).GetPathWithSep();
            return true;
        }
    }
    return false;
}

wxString DataPath(const wxString& path)
{
    return s_dataFolder + NativePath(path);
}
