#include "app/launch.h"

#include <wx/utils.h>

namespace
{
bool LaunchDefaultBrowser(const wxString& url, int flags)
{
    return wxLaunchDefaultBrowser(url, flags);
}

BrowserLauncher s_launcher = LaunchDefaultBrowser;

long ExecuteCommand(const wxString& command, int flags)
{
    return wxExecute(command, flags);
}

CommandLauncher s_commandLauncher = ExecuteCommand;
} // namespace

bool LaunchBrowser(const wxString& url, int flags)
{
    return s_launcher(url, flags);
}

BrowserLauncher SetBrowserLauncher(BrowserLauncher launcher)
{
    BrowserLauncher previous = s_launcher;
    s_launcher = launcher ? launcher : LaunchDefaultBrowser;
    return previous;
}

long LaunchCommand(const wxString& command, int flags)
{
    return s_commandLauncher(command, flags);
}

CommandLauncher SetCommandLauncher(CommandLauncher launcher)
{
    CommandLauncher previous = s_commandLauncher;
    s_commandLauncher = launcher ? launcher : ExecuteCommand;
    return previous;
}
