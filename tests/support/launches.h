#pragma once

#include "common/launch.h"

#include <wx/app.h>

#include <utility>
#include <vector>

// While it lives, browser launches are recorded here instead of opening a
// browser; each counts as opened.
class RecordedLaunches
{
public:
    using Launch = std::pair<wxString, int>; // address and flags

    RecordedLaunches() : m_previous(SetBrowserLauncher(Record)) { List().clear(); }
    ~RecordedLaunches() { SetBrowserLauncher(m_previous); }

    static std::vector<Launch>& List()
    {
        static std::vector<Launch> launches;
        return launches;
    }

private:
    static bool Record(const wxString& url, int flags, const OpenOutcome&)
    {
        List().emplace_back(url, flags);
        return true;
    }

    BrowserLauncher m_previous;
};

// While it lives, every opener (the browser's and a desktop handler's)
// starts and then fails, as xdg-open does on a desktop without a browser:
// its outcome comes later, from the event loop.
class FailingOpeners
{
public:
    FailingOpeners()
        : m_browser(SetBrowserLauncher(FailBrowser)), m_command(SetCommandLauncher(FailCommand))
    {
    }
    ~FailingOpeners()
    {
        SetBrowserLauncher(m_browser);
        SetCommandLauncher(m_command);
    }

private:
    static void FailLater(const OpenOutcome& done)
    {
        wxTheApp->CallAfter([done] { done(false); });
    }
    static bool FailBrowser(const wxString&, int, const OpenOutcome& done)
    {
        FailLater(done);
        return true;
    }
    static bool FailCommand(const wxString&, const OpenOutcome& done)
    {
        FailLater(done);
        return true;
    }

    BrowserLauncher m_browser;
    CommandLauncher m_command;
};
