#pragma once

#include "common/launch.h"

#include <utility>
#include <vector>

// While it lives, browser launches are recorded here instead of opening a
// browser.
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
    static bool Record(const wxString& url, int flags)
    {
        List().emplace_back(url, flags);
        return true;
    }

    BrowserLauncher m_previous;
};
