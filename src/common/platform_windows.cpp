#include "common/platform.h"

#include <wx/config.h>

#include <cwctype>
#include <fcntl.h>
#include <io.h>
#include <sys/stat.h>
#include <windows.h>

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
