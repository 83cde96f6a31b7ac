#include "support/wxtest.h"

#include "common/config.h"
#include "common/settings.h"
#include "support/workdir.h"

#include <gtest/gtest.h>
#include <wx/app.h>
#include <wx/config.h>
#include <wx/filename.h>
#include <wx/log.h>
#include <wx/stdpaths.h>

#include <filesystem>
#include <iostream>

namespace
{
std::vector<wxString> s_messages;
// The settings folder inside the private HOME.
std::filesystem::path s_configFolder;

class CapturingLog : public wxLog
{
protected:
    // Debug messages (the library's notes on failed system calls, which
    // Wine gives for what it leaves out) are printed but never reach a user,
    // so they are not among the messages tests count.
    void DoLogTextAtLevel(wxLogLevel level, const wxString& msg) override
    {
        if (level < wxLOG_Debug)
            s_messages.push_back(msg);
        std::cerr << "[wx log] " << msg.utf8_string() << '\n';
    }
};

// A failed assertion would open a modal dialog and hang the test: fail the
// test instead.
void FailOnAssert(const wxString& file, int line, const wxString& func, const wxString& cond,
                  const wxString& msg)
{
    ADD_FAILURE_AT(file.utf8_str(), line) << "wx assertion in " << func.utf8_string() << ": "
                                          << cond.utf8_string() << " " << msg.utf8_string();
}

// Whatever ran before, a test starts from an empty log and an empty store:
// a message or a setting left by an earlier test must not decide the next.
class FreshStart : public testing::EmptyTestEventListener
{
    void OnTestStart(const testing::TestInfo&) override
    {
        wxtest::ResetConfigStore();
        wxtest::ClearLog();
    }
};
} // namespace

namespace wxtest
{
std::string IsolateHome()
{
    // Where the store is a file below HOME. The registry (Windows) is kept
    // apart by the test run's own Wine prefix.
    const std::filesystem::path home = MakeTempFolder("amorquant-test-");
    wxSetEnv("HOME", home.native());
    s_configFolder = home / ".config";
    wxSetEnv("XDG_CONFIG_HOME", s_configFolder.native());
    return home.string();
}

void EnterRunFolder()
{
    wxSetWorkingDirectory(TESTS_RUN_DIR);
}

void InstallHooks()
{
    wxTheApp->SetVendorName(settings::g_vendorName);
    wxTheApp->SetAppName(settings::g_appName);
    wxSetAssertHandler(FailOnAssert);
    delete wxLog::SetActiveTarget(new CapturingLog);
    wxLog::SetLogLevel(wxLOG_Max);
    wxLog::SetVerbose(false);
    testing::UnitTest::GetInstance()->listeners().Append(new FreshStart);
}

const std::vector<wxString>& LoggedMessages()
{
    wxLog::FlushActive();
    return s_messages;
}

void ClearLog()
{
    wxLog::FlushActive();
    s_messages.clear();
}

bool LogContains(const wxString& text)
{
    for (const wxString& message : LoggedMessages())
        if (message.Contains(text))
            return true;
    return false;
}

void ResetConfigStore()
{
    delete wxConfigBase::Set(nullptr);
    // Also what a test put in place of the file (a folder, a symbolic link).
    if (!s_configFolder.empty())
    {
        std::error_code ignored;
        std::filesystem::remove_all(s_configFolder, ignored);
    }
    OpenConfigStore()->DeleteAll();
}
} // namespace wxtest
