#include "common/platform.h"

#include "common/settingsfile.h"

#include <wx/filename.h>
#include <wx/stdpaths.h>
#include <wx/strconv.h>

#include <cstdlib>
#include <cwctype>
#include <fcntl.h>
#include <langinfo.h>
#include <locale.h>
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

wxString ResolvedPath(const wxString& path)
{
    char* resolved = realpath(path.fn_str(), nullptr);
    if (!resolved)
        return path;
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
