#include "common/launch.h"

#include "common/platform.h"

#include <wx/intl.h>
#include <wx/log.h>
#include <wx/process.h>
#include <wx/utils.h>

#include <utility>

namespace
{
// Hands an opener's exit status on when it ends, and goes.
class OpenerProcess : public wxProcess
{
public:
    explicit OpenerProcess(const OpenOutcome& done) : m_done(done) {}

    void OnTerminate(int, int status) override
    {
        const OpenOutcome done = std::move(m_done);
        delete this;
        done(status == 0);
    }

private:
    OpenOutcome m_done;
};

bool ExecuteCommand(const wxString& command, const OpenOutcome& done)
{
    auto* process = new OpenerProcess(done);
    // A command that cannot start is told once, with the address, by the
    // caller: not also in the library's words.
    const wxLogNull quiet;
    if (wxExecute(command, wxEXEC_ASYNC, process) != 0)
        return true;
    delete process;
    return false;
}

bool LaunchDefaultBrowser(const wxString& url, int flags, const OpenOutcome& done)
{
    const wxString opener = BrowserCommand(url);
    if (!opener.empty())
        return ExecuteCommand(opener, done);
    // The library's own way, whose answer comes at once (ShellExecute's on
    // Windows).
    done(wxLaunchDefaultBrowser(url, flags));
    return true;
}

BrowserLauncher s_browserLauncher = LaunchDefaultBrowser;
CommandLauncher s_commandLauncher = ExecuteCommand;

// Puts a replacement (or, given none, the real launcher) in place and
// returns what was there.
template <typename Launcher> Launcher Swap(Launcher& slot, Launcher replacement, Launcher real)
{
    Launcher previous = slot;
    slot = replacement ? replacement : real;
    return previous;
}

OpenOutcome ReportIfUnopened(const wxString& address)
{
    return [address](bool opened)
    {
        if (!opened)
            ReportUnopenedPage(address);
    };
}
} // namespace

BrowserLauncher SetBrowserLauncher(BrowserLauncher launcher)
{
    return Swap(s_browserLauncher, launcher, LaunchDefaultBrowser);
}

CommandLauncher SetCommandLauncher(CommandLauncher launcher)
{
    return Swap(s_commandLauncher, launcher, ExecuteCommand);
}

void OpenWebPage(const wxString& url, int flags)
{
    const OpenOutcome done = ReportIfUnopened(url);
    if (!s_browserLauncher(url, flags, done))
        done(false);
}

void OpenWithCommand(const wxString& command, const wxString& address)
{
    const OpenOutcome done = ReportIfUnopened(address);
    if (!s_commandLauncher(command, done))
        done(false);
}

void ReportUnopenedPage(const wxString& url)
{
    // The text of an error box can be selected and copied.
    wxLogError(_("No program was found that opens this address. Copy it to open it yourself:\n%s"),
               url);
}
