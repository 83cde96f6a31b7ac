#include "common/platform.h"

#include <wx/config.h>

#include <algorithm>
#include <cwctype>
#include <fcntl.h>
#include <io.h>
#include <sys/stat.h>
#include <windows.h>

#include <shellapi.h>

const char* PlatformName()
{
    return "Windows";
}

// Every language's locale comes with the system.
bool SystemLocaleExists(const wxString&)
{
    return true;
}

// The C library classifies wide characters by Unicode in every locale.
bool IsUtf8Space(wxUniChar c)
{
    return std::iswspace(wint_t(c.GetValue())) != 0;
}

// Symbolic links are rare on Windows and followed by the calls below anyway.
wxString ResolvedPath(const wxString& path)
{
    return path;
}

bool IsSpecialFile(const wxString& path)
{
    struct _stat64 existing;
    return _wstat64(path.wc_str(), &existing) == 0 && !(existing.st_mode & _S_IFREG) &&
           !(existing.st_mode & _S_IFDIR);
}

bool IsReadOnly(const wxString& path)
{
    const DWORD attributes = GetFileAttributesW(path.wc_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_READONLY);
}

int CreateNewFile(const wxString& path)
{
    return _wopen(path.wc_str(), _O_WRONLY | _O_CREAT | _O_EXCL | _O_BINARY | _O_NOINHERIT,
                  _S_IREAD | _S_IWRITE);
}

// Access rights live in the folder's inherited lists, not per file.
void CopyAccessRights(const wxString&, int) {}

bool SyncFile(int fd)
{
    return _commit(fd) == 0;
}

bool MoveIntoPlace(const wxString& from, const wxString& to)
{
    return MoveFileExW(from.wc_str(), to.wc_str(),
                       MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH) != 0;
}

// The settings live in the registry, which writes each key as it changes.
int HoldFolder(const wxString&)
{
    return -1;
}

void ReleaseFolder(int) {}

wxString BrowserCommand(const wxString&)
{
    return wxString();
}

// The library's store on Windows: the registry, under
// HKEY_CURRENT_USER\Software\<vendor>\<application>, written as it changes.
wxConfigBase* NewConfigStore(const wxString& appName, const wxString& vendorName,
                             wxString& damagedCopy)
{
    damagedCopy.clear();
    return new wxConfig(appName, vendorName);
}

// The zip and the installer both put the data beside the program.
std::vector<wxString> ProgramDataFolders(const wxString& executableFolder)
{
    return {executableFolder};
}

namespace
{
// Appends the argument, or the names that its wildcards match, as the C
// runtime's expansion does for console programs: only the last component
// holds wildcards, and a pattern that matches nothing stays as typed.
void AppendExpanded(const wxString& arg, std::vector<wxString>& args)
{
    const size_t nameStart = arg.find_last_of("\\/:") + 1; // 0 when no folder
    const wxString folder = arg.substr(0, nameStart);
    if (arg.StartsWith("-") || IsHelpSwitch(arg) ||
        arg.find_first_of("*?", nameStart) == wxString::npos)
    {
        args.push_back(arg);
        return;
    }
    std::vector<wxString> matches;
    WIN32_FIND_DATAW found;
    const HANDLE search = FindFirstFileW(arg.wc_str(), &found);
    if (search != INVALID_HANDLE_VALUE)
    {
        do
        {
            const wxString name(found.cFileName);
            if (name != "." && name != "..")
                matches.push_back(folder + name);
        } while (FindNextFileW(search, &found));
        FindClose(search);
    }
    if (matches.empty())
        matches.push_back(arg);
    std::sort(matches.begin(), matches.end(),
              [](const wxString& a, const wxString& b) { return a.CmpNoCase(b) < 0; });
    args.insert(args.end(), matches.begin(), matches.end());
}
} // namespace

std::vector<wxString> ProgramArguments(int, char**)
{
    int count = 0;
    wchar_t** const words = CommandLineToArgvW(GetCommandLineW(), &count);
    std::vector<wxString> args;
    for (int i = 1; i < count; ++i)
    {
        // The answer after --answer is no file name, whatever it matches.
        if (i > 1 && wxString(words[i - 1]) == "--answer")
            args.push_back(words[i]);
        else
            AppendExpanded(words[i], args);
    }
    LocalFree(words);
    return args;
}

bool IsHelpSwitch(const wxString& arg)
{
    return arg == "/?";
}

wxString MessagesLocaleName()
{
    return wxString();
}
