#include "common/platform.h"

#include "common/settingsfile.h"

#include <wx/filefn.h>
#include <wx/filename.h>
#include <wx/stdpaths.h>
#include <wx/strconv.h>
#include <wx/utils.h>

#include <cerrno>
#include <climits>
#include <cstdlib>
#include <cwctype>
#include <fcntl.h>
#include <langinfo.h>
#include <locale.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

const char* PlatformName()
{
#ifdef __LINUX__
    return "Linux";
#else
    return "Unix";
#endif
}

bool SystemLocaleExists(const wxString& name)
{
    const locale_t locale = newlocale(LC_ALL_MASK, name.utf8_str(), nullptr);
    if (locale)
        freelocale(locale);
    return locale != nullptr;
}

bool IsUtf8Space(wxUniChar c)
{
    // Made once and kept: the program's own locale may be "C", which knows
    // ASCII only.
    static const locale_t utf8 = newlocale(LC_CTYPE_MASK, "C.UTF-8", nullptr);
    if (!utf8)
        return std::iswspace(wint_t(c.GetValue())) != 0;
    return iswspace_l(wint_t(c.GetValue()), utf8) != 0;
}

namespace
{
// Where a link to a file that does not exist yet points; the path itself
// when it is no link. Replacing the link instead would cut it off from the
// file it names.
wxString DanglingLinkTarget(const wxString& path)
{
    wxString current = path;
    for (int hop = 0; hop < 40; ++hop) // as many as the system follows
    {
        char target[PATH_MAX];
        const ssize_t length = readlink(current.fn_str(), target, sizeof target - 1);
        if (length < 0)
            return current;
        target[length] = '\0';
        wxFileName next(wxString(target, *wxConvFileName));
        next.MakeAbsolute(wxFileName(current).GetPath());
        current = next.GetFullPath();
    }
    return path;
}
} // namespace

wxString ResolvedPath(const wxString& path)
{
    char* resolved = realpath(path.fn_str(), nullptr);
    if (!resolved)
        return DanglingLinkTarget(path);
    const wxString result(resolved, *wxConvFileName);
    std::free(resolved);
    return result;
}

bool IsSpecialFile(const wxString& path)
{
    struct stat existing;
    return stat(path.fn_str(), &existing) == 0 && !S_ISREG(existing.st_mode) &&
           !S_ISDIR(existing.st_mode);
}

bool IsReadOnly(const wxString& path)
{
    struct stat existing;
    return stat(path.fn_str(), &existing) == 0 && access(path.fn_str(), W_OK) != 0;
}

int CreateNewFile(const wxString& path)
{
    return open(path.fn_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
}

void CopyAccessRights(const wxString& from, int fd)
{
    struct stat existing;
    if (stat(from.fn_str(), &existing) == 0)
        fchmod(fd, existing.st_mode & 07777);
}

bool SyncFile(int fd)
{
    return fsync(fd) == 0;
}

bool MoveIntoPlace(const wxString& from, const wxString& to)
{
    return rename(from.fn_str(), to.fn_str()) == 0;
}

int HoldFolder(const wxString& folder)
{
    const int fd = open(folder.fn_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0)
        return -1;
    int held;
    while ((held = flock(fd, LOCK_EX)) != 0 && errno == EINTR)
        ;
    if (held != 0)
    {
        close(fd);
        return -1;
    }
    return fd;
}

void ReleaseFolder(int handle)
{
    // Closing the last descriptor gives the hold back.
    if (handle >= 0)
        close(handle);
}

wxConfigBase* NewConfigStore(const wxString& appName, const wxString& vendorName,
                             wxString& damagedCopy)
{
    // Where Linux users expect it ($XDG_CONFIG_HOME). The store does not make
    // its folder; without it every write would fail.
    wxStandardPaths::Get().SetFileLayout(wxStandardPaths::FileLayout_XDG);
    const wxString dir = wxStandardPaths::Get().GetUserConfigDir();
    if (!wxFileName::DirExists(dir))
        wxFileName::Mkdir(dir, wxS_DIR_DEFAULT, wxPATH_MKDIR_FULL);
    return SettingsFile::Open(appName, vendorName, damagedCopy);
}

wxString BrowserCommand(const wxString& url)
{
    wxString path, opener;
    if (!wxGetEnv("PATH", &path) || !wxFindFileInPath(&opener, path, "xdg-open"))
        return wxString();
    return wxString::Format("\"%s\" \"%s\"", opener, url);
}

std::vector<wxString> ProgramDataFolders(const wxString& executableFolder)
{
    wxFileName installed(executableFolder, wxString());
    installed.RemoveLastDir();
    installed.AppendDir("share");
    installed.AppendDir("amorquant");
    return {executableFolder, installed.GetPath()};
}

namespace
{
// The character set of the locale that the environment names; UTF-8 where
// that is plain ASCII (C, POSIX) or not installed, as file names in such
// settings are UTF-8 nearly always.
wxString EnvironmentCharset()
{
    const locale_t locale = newlocale(LC_CTYPE_MASK, "", nullptr);
    if (!locale)
        return "UTF-8";
    const wxString charset = wxString::FromAscii(nl_langinfo_l(CODESET, locale));
    freelocale(locale);
    return charset == "ANSI_X3.4-1968" ? wxString("UTF-8") : charset;
}
} // namespace

std::vector<wxString> ProgramArguments(int argc, char** argv)
{
    // Bytes that are not UTF-8 map to private characters and back, so any
    // name given reaches the file system unchanged.
    static wxConvBrokenFileNames names(EnvironmentCharset());
    static wxMBConvUTF8 utf8(wxMBConvUTF8::MAP_INVALID_UTF8_TO_PUA);
    wxConvFileName = &names;
    std::vector<wxString> args;
    for (int i = 1; i < argc; ++i)
    {
        wxString arg(argv[i], names);
        if (arg.empty())
            arg = wxString(argv[i], utf8);
        args.push_back(arg);
    }
    return args;
}

bool IsHelpSwitch(const wxString&)
{
    return false;
}

wxString MessagesLocaleName()
{
    for (const char* variable : {"LC_ALL", "LC_MESSAGES", "LANG"})
    {
        const char* value = std::getenv(variable);
        if (value && *value)
            return wxString::FromUTF8(value);
    }
    return "C";
}
