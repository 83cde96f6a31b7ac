#include "app/frame.h"
#include "common/settings.h"
#include "support/window.h"
#include "support/wxtest.h"

#include <gtest/gtest.h>
#include <wx/aui/aui.h>
#include <wx/aui/floatpane.h>
#include <wx/display.h>
#include <wx/html/htmlwin.h>
#include <wx/propgrid/propgrid.h>

#ifdef __WXMSW__
#include <windows.h>
#endif

namespace
{
class PaneTest : public testing::Test
{
protected:
    void SetUp() override
    {
        wxtest::ResetConfigStore();
        frame = new QuorvelFrame(nullptr, wxID_ANY);
        manager = wxAuiManager::GetManager(frame);
    }
    void TearDown() override
    {
        if (frame)
            frame->Destroy();
        wxTheApp->ProcessIdle();
    }

    wxAuiPaneInfo& ResultPane() { return manager->GetPane("Result"); }
    wxAuiPaneInfo& ToolBarPane()
    {
        return manager->GetPane(wxWindow::FindWindowById(QuorvelFrame::ID_AUITOOLBAR, frame));
    }

    // Presses the pane's pin button, as a click on it does.
    void Pin(wxAuiPaneInfo& pane)
    {
        wxAuiManagerEvent event(wxEVT_AUI_PANE_BUTTON);
        event.SetManager(manager);
        event.SetPane(&pane);
        event.SetButton(wxAUI_BUTTON_PIN);
        frame->GetEventHandler()->ProcessEvent(event);
    }

    void Quit()
    {
        wxCommandEvent quit(wxEVT_COMMAND_MENU_SELECTED, int(QuorvelFrame::ID_MENU_QUIT));
        frame->GetEventHandler()->ProcessEvent(quit);
        wxTheApp->ProcessIdle(); // deferred destruction happens at idle time
    }

    // Gives the control the focus and waits until its window is the active one.
    static bool Activate(wxWindow* control)
    {
        wxWindow* top = wxGetTopLevelParent(control);
        top->Raise();
        control->SetFocus();
        return WaitUntil([top] { return wxGetTopLevelParent(wxGetActiveWindow()) == top; });
    }

    void ExpectResultDocked()
    {
        EXPECT_TRUE(ResultPane().IsDocked());
        EXPECT_TRUE(ResultPane().IsShown());
        EXPECT_EQ(ResultPane().dock_direction, wxAUI_DOCK_BOTTOM);
        EXPECT_EQ(wxGetTopLevelParent(ResultView(frame)), frame);
        EXPECT_EQ(FloatingFrames(), 0);
    }

    static int FloatingFrames()
    {
        int count = 0;
        for (wxWindow* window : wxTopLevelWindows)
            count += wxDynamicCast(window, wxAuiFloatingFrame) && !window->IsBeingDeleted();
        return count;
    }

    QuorvelFrame* frame = nullptr;
    wxAuiManager* manager = nullptr;
};

bool Inside(const wxRect& outer, const wxWindow* window)
{
    return outer.Contains(wxRect(window->GetScreenPosition(), window->GetSize()));
}
} // namespace

// At any scale: the window is as large as the scale asks (the Windows test
// runs this at 144 and 192 DPI), and the choices, several rows, the buttons
// and the whole result page are in view.
TEST_F(PaneTest, WindowOpensLaidOutForTheScreenScale)
{
    ASSERT_TRUE(ShowAndWaitForPaint(frame, ResultView(frame)));
    wxTheApp->Yield(true);
    const wxSize client = frame->GetClientSize();
    // The menu bar and the status bar take their room from the 640 pixels.
    EXPECT_GE(client.x, frame->FromDIP(512));
    EXPECT_GE(client.y, frame->FromDIP(640 - 80));

    const wxRect area(frame->ClientToScreen(wxPoint(0, 0)), client);
    for (const char* name : {"ID_STATICTEXT1", "ID_CHOICE_FRIEND_TYPE", "ID_STATICTEXT2",
                             "ID_CHOICE_MODE", "ID_BUTTON_CALC", "ID_BUTTON_RESET"})
    {
        wxWindow* window = wxWindow::FindWindowByName(name, frame);
        ASSERT_TRUE(window) << name;
        EXPECT_TRUE(Inside(area, window)) << name;
        EXPECT_GE(window->GetSize().x, window->GetBestSize().x) << name;
        EXPECT_GE(window->GetSize().y, window->GetBestSize().y) << name;
    }
    // The longest entry fits its choice, whichever is selected.
    for (const char* name : {"ID_CHOICE_FRIEND_TYPE", "ID_CHOICE_MODE"})
    {
        auto* choice = dynamic_cast<wxChoice*>(wxWindow::FindWindowByName(name, frame));
        for (unsigned int i = 0; i < choice->GetCount(); ++i)
            EXPECT_GT(choice->GetSize().x,
                      choice->GetTextExtent(choice->GetString(i)).x + choice->FromDIP(16))
                << choice->GetString(i);
    }

    wxPropertyGrid* grid = ChecklistGrid(frame);
    EXPECT_TRUE(Inside(area, grid));
    // About twelve rows at the default size; fewer where the desktop's own
    // decorations take room from it (weston's), never a handful.
    EXPECT_GE(grid->GetClientSize().y, 6 * grid->GetRowHeight()) << "several rows";

    wxHtmlWindow* html = ResultView(frame);
    EXPECT_TRUE(Inside(area, html));
    const wxHtmlContainerCell* page = html->GetInternalRepresentation();
    EXPECT_GE(html->GetClientSize().y, page->GetHeight()) << "the whole result page";
    EXPECT_GE(html->GetClientSize().x, page->GetWidth());
}

TEST_F(PaneTest, PinnedResultFloatsBesideTheWindowAndDocksBackWhenClosed)
{
    ASSERT_TRUE(ShowAndWaitForPaint(frame, ResultView(frame)));
    frame->Move(40, 30);
    wxTheApp->Yield(true);
    Pin(ResultPane());
    ASSERT_TRUE(ResultPane().IsFloating());
    wxWindow* floating = ResultPane().frame;
    ASSERT_TRUE(floating);
    wxTheApp->ProcessPendingEvents(); // placed again at its real size
    // A Wayland client cannot place its windows; elsewhere the screen has
    // room right of the window unless it is small for its scale.
    const wxRect window = frame->GetScreenRect();
    const wxRect pane = floating->GetScreenRect();
    const wxRect screen = wxDisplay(wxDisplay::GetFromWindow(frame)).GetClientArea();
    if (!OnWayland() && window.GetRight() + pane.width <= screen.GetRight())
    {
        EXPECT_FALSE(window.Intersects(pane)) << "over the window";
        EXPECT_EQ(pane.y, window.y);
    }
    // Where it cannot be beside, it leaves the choices and the buttons clear.
    if (!OnWayland())
        for (const char* name :
             {"ID_CHOICE_FRIEND_TYPE", "ID_CHOICE_MODE", "ID_BUTTON_CALC", "ID_BUTTON_RESET"})
        {
            const wxRect part = wxWindow::FindWindowByName(name, frame)->GetScreenRect();
            EXPECT_FALSE(pane.Intersects(part)) << name;
            EXPECT_TRUE(frame->GetScreenRect().Contains(part)) << name;
        }

    floating->Close();
    wxTheApp->ProcessIdle();
    ExpectResultDocked();

#ifdef __WXMSW__
    // Where the program sees it, a double click on the title docks it too.
    Pin(ResultPane());
    ASSERT_TRUE(ResultPane().frame);
    ::SendMessage(ResultPane().frame->GetHWND(), WM_NCLBUTTONDBLCLK, HTCAPTION, 0);
    wxTheApp->ProcessIdle();
    ExpectResultDocked();
#endif
}

// Closing a floated toolbar with its close box docks it again at the top.
TEST_F(PaneTest, ClosedFloatingToolBarDocksBack)
{
    ASSERT_TRUE(ShowAndWaitForPaint(frame, ResultView(frame)));
    ToolBarPane().Float();
    manager->Update();
    ASSERT_TRUE(ToolBarPane().frame);
    ToolBarPane().frame->Close();
    wxTheApp->ProcessIdle();
    EXPECT_TRUE(ToolBarPane().IsDocked());
    EXPECT_TRUE(ToolBarPane().IsShown());
    EXPECT_EQ(ToolBarPane().dock_direction, wxAUI_DOCK_TOP);
    EXPECT_EQ(FloatingFrames(), 0);
}

// Alt+F4 in the floating pane reaches the main window's Quit: it closes the
// pane only. Quit from the main window then ends it, floating pane or not.
TEST_F(PaneTest, QuitFromAFloatingPaneDocksItAndQuitFromTheWindowEndsIt)
{
    ASSERT_TRUE(ShowAndWaitForPaint(frame, ResultView(frame)));
    Pin(ResultPane());
    wxWindow* floating = ResultPane().frame;
    ASSERT_TRUE(floating);
    wxTheApp->ProcessPendingEvents(); // placed again at its real size
    ASSERT_TRUE(ShowAndWaitForPaint(floating, ResultView(frame)));
    ASSERT_TRUE(Activate(ResultView(frame)));
    Quit();
    ASSERT_TRUE(wxTopLevelWindows.Find(frame));
    EXPECT_TRUE(ResultPane().IsDocked());
    EXPECT_EQ(FloatingFrames(), 0);

    Pin(ResultPane());
    ASSERT_TRUE(ResultPane().IsFloating());
    ASSERT_TRUE(Activate(wxWindow::FindWindowByName("ID_BUTTON_CALC", frame)));
    const wxSize client = frame->GetClientSize();
    Quit();
    EXPECT_FALSE(wxTopLevelWindows.Find(frame));
    frame = nullptr;
    EXPECT_EQ(FloatingFrames(), 0);
    EXPECT_EQ(settings::Read(settings::g_frameWidth), client.x);
    EXPECT_EQ(settings::Read(settings::g_frameHeight), client.y);
}
