#include "common/launch.h"
#include "support/window.h"
#include "support/workdir.h"
#include "support/wxtest.h"

#include <gtest/gtest.h>
#include <wx/app.h>
#include <wx/utils.h>

#include <filesystem>
#include <fstream>
#include <optional>

// The real openers: the program goes on while one runs, and its exit status
// says whether it opened the page.
namespace
{
// What a real launcher answers for the command or page, once its opener
// has ended; none when it could not even start it.
template <typename Start> std::optional<bool> Outcome(Start start)
{
    std::optional<bool> outcome;
    const OpenOutcome done = [&outcome](bool opened) { outcome = opened; };
    if (!start(done))
        return std::nullopt;
    EXPECT_TRUE(WaitUntil([&] { return outcome.has_value(); }));
    return outcome;
}

std::optional<bool> CommandOutcome(const wxString& command)
{
    const CommandLauncher real = SetCommandLauncher(nullptr);
    return Outcome([&](const OpenOutcome& done) { return real(command, done); });
}
} // namespace

TEST(Openers, AHandlerCommandOpensWhenItEndsWell)
{
#ifdef __WINDOWS__
    EXPECT_EQ(CommandOutcome("cmd.exe /c exit 0"), true);
    EXPECT_EQ(CommandOutcome("cmd.exe /c exit 4"), false);
#else
    EXPECT_EQ(CommandOutcome("true"), true);
    EXPECT_EQ(CommandOutcome("sh -c 'exit 4'"), false);
#endif
    // A command that cannot be run fails, whether at once or by its status.
    EXPECT_NE(CommandOutcome("/no/such/opener --open"), true);
}

#ifndef __WINDOWS__
// The desktop's opener as on a desktop without a browser: after a while, in
// which the window goes on, it says "no method available" and fails; the
// address then shows, once.
TEST(Openers, AFailedBrowserOpenerIsToldWithoutHoldingTheWindow)
{
    const wxString page = "http://www.larkvale.net/download/";
    const std::filesystem::path bin = MakeTempFolder("amorquant-opener-");
    const std::filesystem::path go = bin / "go";
    {
        std::ofstream script(bin / "xdg-open");
        script << "#!/bin/sh\n"
               << "[ \"$1\" = '" << page.utf8_string() << "' ] || exit 0\n"
               << "for i in $(seq 600); do [ -e '" << go.native()
               << "' ] && break; sleep 0.1; done\n"
               << "echo \"xdg-open: no method available for opening '$1'\" >&2\n"
               << "exit 3\n";
    }
    std::filesystem::permissions(bin / "xdg-open", std::filesystem::perms::owner_all);
    wxString path;
    wxGetEnv("PATH", &path);
    wxSetEnv("PATH", wxString(bin.native()) + ":" + path);

    const BrowserLauncher real = SetBrowserLauncher(nullptr);
    EXPECT_EQ(Outcome([&](const OpenOutcome& done)
                      { return real("http://elsewhere/", wxBROWSER_NEW_WINDOW, done); }),
              true);

    wxtest::ClearLog();
    OpenWebPage(page, wxBROWSER_NEW_WINDOW);
    wxTheApp->Yield();
    EXPECT_TRUE(wxtest::LoggedMessages().empty());
    std::ofstream(go.native()).put('\n');
    EXPECT_TRUE(WaitUntil([&] { return wxtest::LogContains("\n" + page); }));
    EXPECT_EQ(wxtest::LoggedMessages().size(), 1u);

    wxSetEnv("PATH", path);
    std::filesystem::remove_all(bin);
    wxtest::ClearLog();
}
#endif
