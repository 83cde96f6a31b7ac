#include "common/launch.h"

#include <wx/intl.h>
#include <wx/log.h>
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

// Puts a replacement (or, given none, the real launcher) in place and
// returns what was there.
template <typename Launcher> Launcher Swap(Launcher& slot, Launcher replacement, Launcher real)
{
    Launcher previous = slot;
    slot = replacement ? replacement : real;
    return previous;
}
} // namespace

bool LaunchBrowser(const wxString& url, int flags)
{
    return s_launcher(url, flags);
}

void OpenWebPage(const wxString& url, int flags)
{
    if (!LaunchBrowser(url, flags))
        ReportUnopenedPage(url);
}

void ReportUnopenedPage(const wxString& url)
{
    // The text of an error box can be selected and copied.
    wxLogError(_("No program was found that opens this address. Copy it to open it yourself:\n%s"),
               url);
}

BrowserLauncher SetBrowserLauncher(BrowserLauncher launcher)
{
    return Swap(s_launcher, launcher, LaunchDefaultBrowser);
}

long LaunchCommand(const wxString& command, int flags)
{
    return s_commandLauncher(command, flags);
}

CommandLauncher SetCommandLauncher(CommandLauncher launcher)
{
    return Swap(s_commandLauncher, launcher, ExecuteCommand);
}
