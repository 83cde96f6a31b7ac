#include "app/launch.h"

#include <wx/utils.h>

namespace
{
bool LaunchDefaultBrowser(const wxString& url, int flags)
{
    return wxLaunchDefaultBrowser(url, flags);
}

BrowserLauncher s_launcher = LaunchDefaultBrowser;
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
