#include "about/aboutdlg.h"
#include "about/hyperlink.h"
#include "about/version.h"
#include "app/frame.h"
#include "common/launch.h"
#include "common/maker.h"
#include "common/paths.h"
#include "support/launches.h"
#include "support/window.h"
#include "support/workdir.h"
#include "support/wxtest.h"

#include <gtest/gtest.h>
#include <wx/bmpbuttn.h>
#include <wx/button.h>
#include <wx/filefn.h>
#include <wx/statbmp.h>
#include <wx/stattext.h>
#include <wx/utils.h>
#include <wx/versioninfo.h>

#include <cstdlib>
#include <filesystem>

namespace
{
template <typename T> T* Find(wxWindow* parent, const wxString& name, long id)
{
    T* window = dynamic_cast<T*>(wxWindow::FindWindowByName(name, parent));
    EXPECT_NE(window, nullptr) << name;
    if (window)
    {
        EXPECT_EQ(window->GetId(), id) << name;
    }
    return window;
}

wxString TextOf(wxWindow* parent, const wxString& name, long id)
{
    wxStaticText* text = Find<wxStaticText>(parent, name, id);
    return text ? text->GetLabel() : wxString();
}

class AboutTest : public testing::Test
{
protected:
    void TearDown() override { wxTheApp->ProcessIdle(); }
};
} // namespace

TEST_F(AboutTest, ShowsEveryTextUnderItsName)
{
    AboutDlg dialog(nullptr, wxID_ANY);
    EXPECT_EQ(dialog.GetTitle(), "About...");
    EXPECT_EQ(dialog.GetName(), "id");
    EXPECT_EQ(TextOf(&dialog, "ID_STATICTEXT1", AboutDlg::ID_STATICTEXT1), "Amorquant");
    EXPECT_EQ(TextOf(&dialog, "ID_STATICTEXT2", AboutDlg::ID_STATICTEXT2), VersionLine());
    EXPECT_EQ(TextOf(&dialog, "ID_STATICTEXT3", AboutDlg::ID_STATICTEXT3),
              "Copyright (C) 2010 Larkvale Studio");
    EXPECT_EQ(TextOf(&dialog, "ID_STATICTEXT5", AboutDlg::ID_STATICTEXT5), GetBuildInfo(1));
    EXPECT_TRUE(GetBuildInfo(1).EndsWith("-Unicode build"));
    EXPECT_EQ(TextOf(&dialog, "ID_STATICTEXT6", AboutDlg::ID_STATICTEXT6),
              "amorquant@larkvale.net");
    EXPECT_EQ(TextOf(&dialog, "ID_STATICTEXT4", AboutDlg::ID_STATICTEXT4), "Special thanks to:");
    EXPECT_EQ(TextOf(&dialog, "ID_STATICTEXT7", AboutDlg::ID_STATICTEXT7),
              "> Su Wanqing - Content contributor");

    auto* link = Find<wxHyperLink>(&dialog, "wxHyperLink", AboutDlg::ID_HYPERLINK);
    ASSERT_TRUE(link);
    EXPECT_EQ(link->GetLabel(), g_makerHomeLabel);
    EXPECT_EQ(link->GetURL(), g_makerHomeUrl);
    auto* ok = Find<wxButton>(&dialog, "wxID_OK", wxID_OK);
    ASSERT_TRUE(ok);
    EXPECT_EQ(ok->GetLabel(), "&OK");

    auto* logo = Find<wxStaticBitmap>(&dialog, "ID_STATICBITMAP2", AboutDlg::ID_STATICBITMAP2);
    auto* icon = Find<wxStaticBitmap>(&dialog, "ID_STATICBITMAP1", AboutDlg::ID_STATICBITMAP1);
    ASSERT_TRUE(logo && icon);
    EXPECT_TRUE(logo->GetBitmap().IsOk());
    // The icon file's 64-pixel image, at 100 %.
    EXPECT_EQ(icon->GetBitmap().GetLogicalHeight(), 64);
}

// The test command runs this once more with GDK_SCALE=2. (A button does not
// tell which of its pictures it shows; it gets its pictures as the logo does.)
TEST_F(AboutTest, LogoSuitsTheScreenScale)
{
    AboutDlg dialog(nullptr, wxID_ANY);
    dialog.Show();
    auto* logo = Find<wxStaticBitmap>(&dialog, "ID_STATICBITMAP2", AboutDlg::ID_STATICBITMAP2);
    ASSERT_TRUE(logo);
    ExpectDrawnForScale(logo, logo->GetBitmap(), "img/larkvale_logo.bmp");
}

TEST_F(AboutTest, PictureButtonIsTheDefaultAndOpensTheDownloadPage)
{
    AboutDlg dialog(nullptr, wxID_ANY);
    auto* button = Find<wxBitmapButton>(&dialog, "ID_BITMAPBUTTON1", AboutDlg::ID_BITMAPBUTTON1);
    ASSERT_TRUE(button);
    EXPECT_TRUE(button->GetBitmap().IsOk());
    EXPECT_EQ(dialog.GetDefaultItem(), button);

    RecordedLaunches launches;
    wxCommandEvent click(wxEVT_COMMAND_BUTTON_CLICKED, int(AboutDlg::ID_BITMAPBUTTON1));
    click.SetEventObject(button);
    button->GetEventHandler()->ProcessEvent(click);
    ASSERT_EQ(launches.List().size(), 1u);
    EXPECT_EQ(launches.List()[0].first, g_makerDownloadUrl);
    EXPECT_EQ(launches.List()[0].second, wxBROWSER_NEW_WINDOW);
}

TEST_F(AboutTest, NothingIsCutOff)
{
    AboutDlg dialog(nullptr, wxID_ANY);
    // Sized for its final content before it is shown, so that showing it
    // neither grows it nor moves it off centre.
    const wxSize needed = dialog.GetSizer()->GetMinSize();
    const wxSize built = dialog.GetClientSize();
    EXPECT_GE(built.x, needed.x);
    EXPECT_GE(built.y, needed.y);
    EXPECT_EQ(dialog.GetMinClientSize(), built);

    ASSERT_TRUE(ShowAndWaitForPaint(&dialog));
    const wxSize client = dialog.GetClientSize();
    EXPECT_EQ(client, built);
    for (wxWindow* child : dialog.GetChildren())
    {
        const wxRect shown = child->GetRect();
        const wxSize best = child->GetBestSize();
        EXPECT_GE(shown.width, best.x) << child->GetName();
        EXPECT_GE(shown.height, best.y) << child->GetName();
        EXPECT_GE(shown.x, 0) << child->GetName();
        EXPECT_LE(shown.GetRight(), client.x) << child->GetName();
        EXPECT_LE(shown.GetBottom(), client.y) << child->GetName();
    }
}

TEST_F(AboutTest, MissingImagesLeaveTheBoxUsable)
{
    const wxString runFolder = wxGetCwd();
    const std::filesystem::path empty = MakeTempFolder("amorquant-noimages-");
    wxSetWorkingDirectory(empty.string());
    {
        AboutDlg dialog(nullptr, wxID_ANY);
        EXPECT_EQ(TextOf(&dialog, "ID_STATICTEXT1", AboutDlg::ID_STATICTEXT1), "Amorquant");
        EXPECT_NE(dialog.GetDefaultItem(), nullptr);
    }
    wxSetWorkingDirectory(runFolder);
    std::filesystem::remove_all(empty);
    EXPECT_FALSE(wxtest::LoggedMessages().empty());
    wxtest::ClearLog();
}

TEST_F(AboutTest, MenuAndToolBothOpenTheBox)
{
    auto* frame = new QuorvelFrame(nullptr, wxID_ANY);
    frame->Show();
    for (long id : {QuorvelFrame::ID_MENU_ABOUT, QuorvelFrame::ID_TOOL_ABOUT})
    {
        bool shown = false;
        // Runs inside the modal loop: looks for the box and closes it.
        wxTheApp->CallAfter(
            [&shown]
            {
                for (wxWindow* window : wxTopLevelWindows)
                {
                    auto* dialog = dynamic_cast<wxDialog*>(window);
                    if (dialog && dialog->IsModal())
                    {
                        shown = dynamic_cast<AboutDlg*>(dialog) && dialog->GetParent();
                        dialog->EndModal(wxID_OK);
                    }
                }
            });
        wxCommandEvent command(wxEVT_COMMAND_MENU_SELECTED, int(id));
        frame->GetEventHandler()->ProcessEvent(command);
        EXPECT_TRUE(shown) << id;
        for (wxWindow* window : wxTopLevelWindows)
            EXPECT_EQ(dynamic_cast<AboutDlg*>(window), nullptr);
    }
    frame->Destroy();
}

// Started from another folder, the About box takes its pictures from the
// program's own data folder, as the main window does: nothing is missing and
// nothing is logged.
TEST(AboutElsewhere, PicturesComeFromTheProgramsDataFolder)
{
    const wxString program = wxGetCwd() + "/amorquant"; // the tests run in the run folder
    std::vector<wxString> tried;
    {
        ScopedWorkDir elsewhere;
        ASSERT_TRUE(FindDataFolder(program, tried));
        wxtest::ClearLog();
        {
            AboutDlg dialog(nullptr, wxID_ANY);
            auto* icon =
                Find<wxStaticBitmap>(&dialog, "ID_STATICBITMAP1", AboutDlg::ID_STATICBITMAP1);
            ASSERT_NE(icon, nullptr);
            EXPECT_TRUE(icon->GetBitmap().IsOk());
        }
        EXPECT_TRUE(wxtest::LoggedMessages().empty()) << wxtest::LoggedMessages().front();
    }
    FindDataFolder(program, tried); // back to the working folder's data
}
