#include "app/frame.h"
#include "common/launch.h"
#include "common/maker.h"
#include "support/launches.h"
#include "support/window.h"
#include "support/wxtest.h"

#include <gtest/gtest.h>
#include <wx/statusbr.h>

// The copyright field of the status bar shows its whole text, beside the
// size grip that shares the last field.
TEST(FrameCorners, CopyrightFieldFitsItsText)
{
    wxtest::ResetConfigStore();
    auto* frame = new QuorvelFrame(nullptr, wxID_ANY);
    wxStatusBar* bar = frame->GetStatusBar();
    ASSERT_TRUE(bar);
    frame->Show();
    ASSERT_TRUE(ShowAndWaitForPaint(bar));
    EXPECT_EQ(bar->GetStatusText(1), g_makerCopyright);
    wxRect field;
    ASSERT_TRUE(bar->GetFieldRect(1, field));
    // Two text margins of two pixels and a grip as high as the bar, less two.
    EXPECT_GE(field.width, bar->GetTextExtent(g_makerCopyright).x + 4 + bar->GetSize().y - 2);
    frame->Destroy();
    wxTheApp->ProcessIdle();
}

// A message too long beside the copyright takes the whole bar and shows
// whole as its tooltip; once it goes, the copyright comes back.
TEST(FrameCorners, LongMessagesTakeTheBarAndShowWholeAsTooltip)
{
    auto* frame = new QuorvelFrame(nullptr, wxID_ANY);
    wxStatusBar* bar = frame->GetStatusBar();
    frame->Show();
    ASSERT_TRUE(ShowAndWaitForPaint(bar));
    wxString message = "The text typed holds more than one number";
    while (bar->GetTextExtent(message).x < bar->GetClientSize().x * 2 / 3)
        message += " and more";
    bar->SetStatusText(message, 0);
    wxRect field;
    ASSERT_TRUE(bar->GetFieldRect(0, field));
    EXPECT_GE(field.width, bar->GetTextExtent(message).x);
    ASSERT_TRUE(bar->GetToolTip());
    EXPECT_EQ(bar->GetToolTipText(), message);

    bar->SetStatusText("Short", 0);
    EXPECT_EQ(bar->GetStatusText(1), g_makerCopyright);
    ASSERT_TRUE(bar->GetFieldRect(1, field));
    EXPECT_GE(field.width, bar->GetTextExtent(g_makerCopyright).x);
    bar->SetStatusText(wxString(), 0);
    EXPECT_FALSE(bar->GetToolTip());
    frame->Destroy();
    wxTheApp->ProcessIdle();
}

// Without a browser, Update tells the user and gives the address to copy:
// at once when no opener starts, and when the opener fails, once it has
// ended, the window going on meanwhile.
TEST(FrameCorners, UpdateWithoutABrowserGivesTheAddress)
{
    wxtest::ResetConfigStore();
    auto* frame = new QuorvelFrame(nullptr, wxID_ANY);
    const BrowserLauncher previous =
        SetBrowserLauncher([](const wxString&, int, const OpenOutcome&) { return false; });
    wxtest::ClearLog();
    wxCommandEvent update(wxEVT_COMMAND_MENU_SELECTED, int(QuorvelFrame::ID_MENU_UPDATE));
    frame->GetEventHandler()->ProcessEvent(update);
    SetBrowserLauncher(previous);
    ASSERT_EQ(wxtest::LoggedMessages().size(), 1u);
    EXPECT_TRUE(wxtest::LogContains(wxString("\n") + g_makerDownloadUrl));
    wxtest::ClearLog();

    FailingOpeners failing;
    frame->GetEventHandler()->ProcessEvent(update);
    EXPECT_TRUE(wxtest::LoggedMessages().empty());
    EXPECT_TRUE(WaitUntil([] { return wxtest::LogContains(wxString("\n") + g_makerDownloadUrl); }));
    EXPECT_EQ(wxtest::LoggedMessages().size(), 1u);
    wxtest::ClearLog();
    frame->Destroy();
    wxTheApp->ProcessIdle();
}
