#pragma once

#include <wx/string.h>

#include <vector>

class wxConfigBase;

// What differs between the platforms where the library leaves the
// difference to the program; one implementation per platform
// (platform_posix.cpp, platform_windows.cpp).

// The platform's name in the build information: "Windows", "Linux".
const char* PlatformName();

// Whether the C library has the named locale (say "en_US.UTF-8"), without
// switching to it.
bool SystemLocaleExists(const wxString& name);

// Whether the C library of a UTF-8 locale counts the character as white
// space (iswspace), whatever locale the program runs in: the ideographic
// space is one, the no-break spaces are not.
bool IsUtf8Space(wxUniChar c);

// The file operations behind replacing a file safely.

// The file a path ends at, symbolic links followed, also to a file not
// made yet; the path itself when it cannot be resolved or the platform has
// no such links to follow.
wxString ResolvedPath(const wxString& path);

// Devices and pipes, which are written in place rather than replaced.
bool IsSpecialFile(const wxString& path);

// True when the path exists but this user may not write it.
bool IsReadOnly(const wxString& path);

// Creates a new file for writing, failing if the name is taken, kept from
// child processes. Returns its descriptor, or -1 with errno set.
int CreateNewFile(const wxString& path);

// Gives the open file the access rights of an existing file, where the
// platform has such rights per file.
void CopyAccessRights(const wxString& from, int fd);

// Writes what the file holds through to the disk.
bool SyncFile(int fd);

// Puts a file in another's place in one step, replacing it if it exists.
bool MoveIntoPlace(const wxString& from, const wxString& to);

// Waits for and takes the hold on a folder that every copy of the program
// takes before it rewrites a file there, so that two copies never rewrite
// it at once; ReleaseFolder gives it back (a process that ends loses it).
// Returns a handle, or -1 when the folder cannot be held or the platform
// needs no such hold (the registry on Windows writes key by key).
int HoldFolder(const wxString& folder);
void ReleaseFolder(int handle);

// The program's own places and stores.

// The command that opens a web page in the desktop's browser and whose exit
// status says whether it did: xdg-open where it is installed. Empty where
// the library's own way is to be used instead: on Windows, ShellExecute,
// whose answer comes at once.
wxString BrowserCommand(const wxString& url);

// A new per-user configuration store for the named application: the
// registry on Windows, elsewhere a SettingsFile below $XDG_CONFIG_HOME (its
// folder made if missing). damagedCopy names the copy kept of a damaged
// settings file, and is empty when there was none.
wxConfigBase* NewConfigStore(const wxString& appName, const wxString& vendorName,
                             wxString& damagedCopy);

// The folders that may hold the program's data besides the working folder,
// given the folder of the running executable, in the order to try them:
// the executable's own folder (a run folder, the Windows program), and on
// Unix the installed data folder share/amorquant beside its bin folder.
std::vector<wxString> ProgramDataFolders(const wxString& executableFolder);

// Console programs.

// The program's arguments after its name, as the user typed them. On Linux
// they are decoded as the environment's locale decodes them (as UTF-8 where
// it knows ASCII only, as C and POSIX do, or cannot decode them), and the
// library's file-name conversion is set to match, so that a file name reaches
// the file system as the bytes given. On Windows they are read as Unicode, and
// one with * or ? in its last path component is replaced by the names it
// matches, in order (left as typed when none does); options (from "-"),
// the answer after --answer and "/?" are never expanded.
std::vector<wxString> ProgramArguments(int argc, char** argv);

// Whether the argument asks for help in the platform's own way: "/?" on
// Windows; nothing elsewhere, where it is a path.
bool IsHelpSwitch(const wxString& arg);

// The locale a console program's messages follow ("zh_CN.UTF-8"): on Unix
// the first of LC_ALL, LC_MESSAGES and LANG that is set and not empty, in
// the order POSIX gives them, or "C" when none is. Empty on Windows, where
// the library finds the user's interface language.
wxString MessagesLocaleName();
