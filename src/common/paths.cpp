#include "common/paths.h"

#include "common/platform.h"

#include <wx/filefn.h>
#include <wx/filename.h>

#include <map>

namespace
{
const char* const g_dataFolders[] = {"rules", "img", "locales"};

// Where each data folder is read from, as the prefix of its paths; none
// (the working folder) for a folder not listed.
std::map<wxString, wxString> s_prefixes;

wxString WithSeparator(const wxString& folder)
{
    return wxFileName(folder, wxString()).GetPathWithSep();
}

bool Holds(const wxString& folder, const wxString& dataFolder)
{
    return wxDirExists(WithSeparator(folder) + dataFolder);
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
    s_prefixes.clear();
    const wxString working = wxGetCwd();
    triedFolders = {working};
    wxString own;
    for (const wxString& folder : ProgramDataFolders(wxFileName(executablePath).GetPath()))
    {
        triedFolders.push_back(folder);
        if (Holds(folder, "rules"))
        {
            own = folder;
            break;
        }
    }
    // A working folder with rules is an author's: what it lacks (often all
    // but the rules) comes from the program's own folder. Any other working
    // folder is not the program's data, whatever folders it holds.
    const bool authors = Holds(working, "rules");
    if (!authors && own.empty())
        return false;
    for (const char* dataFolder : g_dataFolders)
        if (!(authors && Holds(working, dataFolder)) && !own.empty())
            s_prefixes[dataFolder] = WithSeparator(own);
    return true;
}

wxString DataPath(const wxString& path)
{
    const auto prefix = s_prefixes.find(path.BeforeFirst('\\'));
    return (prefix == s_prefixes.end() ? wxString() : prefix->second) + NativePath(path);
}
