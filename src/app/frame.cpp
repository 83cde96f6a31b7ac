#include "app/frame.h"

#include "about/aboutdlg.h"
#include "app/resultview.h"
#include "app/statusbar.h"
#include "common/accessible.h"
#include "common/accessibletools.h"
#include "common/images.h"
#include "common/launch.h"
#include "common/maker.h"
#include "common/platform_gui.h"
#include "common/settings.h"
#include "i18n/chooser.h"
#include "scoring/answergrid.h"
#include "scoring/checklist.h"
#include "scoring/result.h"
#include "scoring/rowaccess.h"
#include "scoring/rulecheck.h"
#include "scoring/rulefile.h"
#include "scoring/ruleload.h"

#include <wx/aui/aui.h>
#include <wx/aui/auibook.h>
#include <wx/button.h>
#include <wx/choice.h>
#include <wx/display.h>
#include <wx/html/htmlwin.h>
#include <wx/intl.h>
#include <wx/menu.h>
#include <wx/panel.h>
#include <wx/propgrid/propgrid.h>
#include <wx/settings.h>
#include <wx/sizer.h>
#include <wx/stattext.h>
#include <wx/statusbr.h>
#include <wx/wupdlock.h>

#include <algorithm>
#include <vector>

// wxNewId, in declaration order: deliberate (docs/developing.md, "Frozen interface").
const long QuorvelFrame::ID_STATICTEXT1 = wxNewId();
const long QuorvelFrame::ID_CHOICE_FRIEND_TYPE = wxNewId();
const long QuorvelFrame::ID_STATICTEXT2 = wxNewId();
const long QuorvelFrame::ID_CHOICE_MODE = wxNewId();
const long QuorvelFrame::ID_BUTTON_CALC = wxNewId();
const long QuorvelFrame::ID_BUTTON_RESET = wxNewId();
const long QuorvelFrame::ID_PANEL2 = wxNewId();
const long QuorvelFrame::ID_AUINOTEBOOK_CHECKLIST = wxNewId();
const long QuorvelFrame::ID_HTMLWINDOW_RESULT = wxNewId();
const long QuorvelFrame::ID_PANEL1 = wxNewId();
const long QuorvelFrame::ID_AUINOTEBOOK_RESULT = wxNewId();
const long QuorvelFrame::ID_TOOL_UPDATE = wxNewId();
const long QuorvelFrame::ID_TOOL_ABOUT = wxNewId();
const long QuorvelFrame::ID_AUITOOLBAR = wxNewId();
const long QuorvelFrame::ID_MENU_QUIT = wxNewId();
const long QuorvelFrame::ID_MENU_LANGUAGE = wxNewId();
const long QuorvelFrame::ID_MENU_UPDATE = wxNewId();
const long QuorvelFrame::ID_MENU_ABOUT = wxNewId();
const long QuorvelFrame::ID_STATUSBAR = wxNewId();

namespace
{
// Written on close only; kept as a switch so the recording can be turned off.
int s_remSizePos = 1;

// A choice measures itself when created, empty; some platforms do not
// measure again as entries come, and cut the longest one.
void FitChoiceToEntries(wxChoice* choice)
{
    int widest = 0;
    for (unsigned int i = 0; i < choice->GetCount(); ++i)
        widest = std::max(widest, choice->GetTextExtent(choice->GetString(i)).x);
    const int arrow = wxSystemSettings::GetMetric(wxSYS_VSCROLL_X, choice);
    const int width = widest + arrow + choice->FromDIP(16);
    choice->SetMinSize(wxSize(std::max(width, choice->GetBestSize().x), -1));
}

// The part of the window's screen (or the first screen) that windows may
// take: panels and taskbars left out.
wxRect WorkArea(const wxWindow* window)
{
    const int display = wxDisplay::GetFromWindow(window);
    return wxDisplay(display == wxNOT_FOUND ? 0 : display).GetClientArea();
}

// Around the result page: the view's border and the page's, the notebook's
// and the pane's edges, with some room to spare.
wxSize PageMargins(const wxWindow* view)
{
    return view->GetWindowBorderSize() + view->FromDIP(wxSize(24, 12));
}

// Extends bottom over the cells of the page's first line, walked in
// document order; false once a cell starts below it.
bool ReachFirstLineBottom(const wxHtmlCell* cell, int& bottom)
{
    for (; cell; cell = cell->GetNext())
    {
        if (const wxHtmlCell* child = cell->GetFirstChild())
        {
            if (!ReachFirstLineBottom(child, bottom))
                return false;
            continue;
        }
        const int top = cell->GetAbsPos().y;
        if (bottom > 0 && top >= bottom)
            return false;
        bottom = std::max(bottom, top + cell->GetHeight());
    }
    return true;
}

// Where a floated pane of the given size goes: beside the window, right of
// it where the screen has room, else left of it, level with its top. Where
// neither side has room, at the right (else left) edge of the work area,
// level with the window's top, its bottom or one of the given parts of the
// window (the choices, the buttons), the first place that leaves those
// parts clear; failing that, at the right edge level with the window's top.
wxPoint PlaceFloatingPane(const wxRect& frame, const wxRect& area, const wxSize& size,
                          const std::vector<wxRect>& keepClear)
{
    const int right = area.GetRight() + 1 - size.x;
    const int lowest = std::max(area.y, area.GetBottom() + 1 - size.y);
    const int top = std::clamp(frame.y, area.y, lowest);
    if (frame.GetRight() + 1 <= right)
        return wxPoint(frame.GetRight() + 1, top);
    if (frame.x - size.x >= area.x)
        return wxPoint(frame.x - size.x, top);
    std::vector<int> levels = {top, lowest};
    for (const wxRect& part : keepClear)
        levels.insert(levels.end(), {part.GetBottom() + 1, part.y - size.y});
    const int rightOrLeft = std::max(area.x, right);
    for (int x : {rightOrLeft, area.x})
        for (int y : levels)
        {
            const wxRect pane(wxPoint(x, std::clamp(y, area.y, lowest)), size);
            if (std::none_of(keepClear.begin(), keepClear.end(),
                             [&](const wxRect& part) { return pane.Intersects(part); }))
                return pane.GetPosition();
        }
    return wxPoint(rightOrLeft, top);
}
} // namespace

QuorvelFrame::QuorvelFrame(wxWindow* parent, wxWindowID id)
{
    Create(parent, id, _("Amorquant"), wxDefaultPosition, wxDefaultSize, wxDEFAULT_FRAME_STYLE,
           "id");
    // Sizes here and in the pages are given at 100 % and grow with the
    // screen's scale, as the text does.
    SetClientSize(FromDIP(wxSize(512, 640)));
    m_auiManager = new wxAuiManager(this, wxAUI_MGR_DEFAULT);

    m_checklistBook =
        new wxAuiNotebook(this, ID_AUINOTEBOOK_CHECKLIST, wxDefaultPosition, wxDefaultSize, 0);
    wxBoxSizer* gridRow = BuildChecklistPage();
    m_checklistBook->AddPage(m_checklistPanel, _("Checklist"), false, wxNullBitmap);
    m_auiManager->AddPane(m_checklistBook,
                          wxAuiPaneInfo().Name("PaneName").Caption(_("Pane caption")).CenterPane());

    m_resultBook = new wxAuiNotebook(this, ID_AUINOTEBOOK_RESULT, wxDefaultPosition, wxDefaultSize,
                                     wxAUI_NB_TAB_MOVE | wxAUI_NB_TAB_EXTERNAL_MOVE);
    m_resultBook->SetMinSize(FromDIP(wxSize(512, 170)));
    BuildResultPage();
    m_resultBook->AddPage(m_resultPanel, _("Result & standard"), false, wxNullBitmap);
    m_auiManager->AddPane(m_resultBook, wxAuiPaneInfo()
                                            .Name("Result")
                                            .Caption(_("Result"))
                                            .PinButton()
                                            .CloseButton(false)
                                            .Bottom()
                                            .Position(1)
                                            .LeftDockable(false)
                                            .RightDockable(false)
                                            .TopDockable(false)
                                            .MinSize(m_resultBook->GetMinSize()));

    BuildToolBar();
    FollowHighContrast();
    // A pane name of its own: the checklist pane already holds "PaneName".
    m_auiManager->AddPane(m_toolBar, wxAuiPaneInfo()
                                         .Name("ToolBar")
                                         .Caption(_("Pane caption"))
                                         .ToolbarPane()
                                         .Layer(10)
                                         .Top()
                                         .Gripper());
    m_auiManager->Update();

    BuildMenuBar();
    BuildStatusBar();
    ConnectEvents();

    m_propGrid = new AnswerGrid(m_checklistPanel, wxID_ANY, wxDefaultPosition,
                                FromDIP(wxSize(200, 200)), wxPG_BOLD_MODIFIED | wxPG_TOOLTIPS);
    gridRow->Add(m_propGrid, 1, wxALL | wxEXPAND, 0);
    PrepareAnswerGrid(m_propGrid);
    // What assistive technology calls the list, as its tab does.
    m_propGrid->SetLabel(_("Checklist"));
    ExposeChecklist(m_propGrid);
    // Made last, the grid would come after the buttons when tabbing.
    m_propGrid->MoveAfterInTabOrder(m_modeChoice);
    // The page was laid out before the grid joined it, and not every
    // platform sends the size event that would lay it out again.
    m_checklistPanel->Layout();

    LeaveBlindStopsOutOfTabOrder();
    ExposeText(m_resultHtml, AccessibleTextRole::Document,
               [this] { return m_resultHtml->ToText(); });
    ExposeTools(m_toolBar);
    m_resultHtml->SetPage(g_resultTemplate);
    BuildChecklist(0, 0);
    Calculate();
    FitResultPage();
    FitToWorkArea();
    // Some desktops tell the size of the title bar and frame only once the
    // window is shown, and the window then grows by them: fit again.
    Bind(wxEVT_SIZE,
         [this](wxSizeEvent& event)
         {
             const wxSize area = WorkArea(this).GetSize();
             const wxSize size = GetSize();
             if (!IsMaximized() && !IsFullScreen() && (size.x > area.x || size.y > area.y))
                 CallAfter(&QuorvelFrame::FitToWorkArea);
             event.Skip();
         });
    ConnectPaneEvents();
}

QuorvelFrame::~QuorvelFrame()
{
    ClearRules();
    ClearRuleProperties();
    SaveFrameGeometry();
    // The manager pushed its handler on this window; take it off before the
    // window goes.
    m_auiManager->UnInit();
    delete m_auiManager;
}

// Returns the row that takes the grid once it exists. Alignment flags that a
// box sizer ignores (and wx 3.2 rejects) are left out throughout.
wxBoxSizer* QuorvelFrame::BuildChecklistPage()
{
    m_checklistPanel = new wxPanel(m_checklistBook, ID_PANEL2, wxDefaultPosition, wxDefaultSize,
                                   wxTAB_TRAVERSAL, "ID_PANEL2");
    wxBoxSizer* pageSizer = new wxBoxSizer(wxHORIZONTAL);
    const int border = FromDIP(4);
    pageSizer->Add(0, FromDIP(320), 0, wxEXPAND, border);
    wxBoxSizer* column = new wxBoxSizer(wxVERTICAL);

    wxBoxSizer* selectionRow = new wxBoxSizer(wxHORIZONTAL);
    m_friendTypeLabel =
        new wxStaticText(m_checklistPanel, ID_STATICTEXT1, _("&Select friend type:"),
                         wxDefaultPosition, wxDefaultSize, 0, "ID_STATICTEXT1");
    selectionRow->Add(m_friendTypeLabel, 0, wxTOP | wxLEFT | wxALIGN_CENTER_VERTICAL, border);
    m_friendTypeChoice =
        new wxChoice(m_checklistPanel, ID_CHOICE_FRIEND_TYPE, wxDefaultPosition, wxDefaultSize, 0,
                     nullptr, 0, wxDefaultValidator, "ID_CHOICE_FRIEND_TYPE");
    m_friendTypeChoice->SetSelection(m_friendTypeChoice->Append(_("Girlfriend")));
    m_friendTypeChoice->Append(_("Boyfriend"));
    selectionRow->Add(m_friendTypeChoice, 0, wxTOP | wxRIGHT | wxALIGN_CENTER_VERTICAL, border);
    selectionRow->Add(-1, -1, 0, wxALIGN_CENTER_VERTICAL, border);
    m_modeLabel = new wxStaticText(m_checklistPanel, ID_STATICTEXT2, _("S&elect mode:"),
                                   wxDefaultPosition, wxDefaultSize, 0, "ID_STATICTEXT2");
    selectionRow->Add(m_modeLabel, 0, wxTOP | wxLEFT | wxALIGN_CENTER_VERTICAL, border);
    m_modeChoice = new wxChoice(m_checklistPanel, ID_CHOICE_MODE, wxDefaultPosition, wxDefaultSize,
                                0, nullptr, 0, wxDefaultValidator, "ID_CHOICE_MODE");
    m_modeChoice->SetSelection(m_modeChoice->Append(_("Normal")));
    m_modeChoice->Append(_("Crazy"));
    FitChoiceToEntries(m_friendTypeChoice);
    FitChoiceToEntries(m_modeChoice);
    selectionRow->Add(m_modeChoice, 0, wxTOP | wxRIGHT | wxALIGN_CENTER_VERTICAL, border);
    column->Add(selectionRow, 0, wxALL | wxEXPAND, border);

    wxBoxSizer* gridRow = new wxBoxSizer(wxHORIZONTAL);
    column->Add(gridRow, 1, wxEXPAND, border);

    wxBoxSizer* buttonRow = new wxBoxSizer(wxHORIZONTAL);
    m_calcButton =
        new wxButton(m_checklistPanel, ID_BUTTON_CALC, _("&Calculate"), wxDefaultPosition,
                     wxDefaultSize, 0, wxDefaultValidator, "ID_BUTTON_CALC");
    m_calcButton->SetDefault();
    buttonRow->Add(m_calcButton, 0, wxTOP | wxBOTTOM | wxLEFT, border);
    m_resetButton = new wxButton(m_checklistPanel, ID_BUTTON_RESET, _("&Reset"), wxDefaultPosition,
                                 wxDefaultSize, 0, wxDefaultValidator, "ID_BUTTON_RESET");
    buttonRow->Add(m_resetButton, 0, wxALL, border);
    column->Add(buttonRow, 0, wxALIGN_RIGHT, border);

    pageSizer->Add(column, 1, wxEXPAND, border);
    m_checklistPanel->SetSizer(pageSizer);
    pageSizer->Fit(m_checklistPanel);
    pageSizer->SetSizeHints(m_checklistPanel);
    return gridRow;
}

// The checklist page at its least (the choices, some rows, the buttons) above
// the result pane at its least (the number), with the toolbar and the
// layout's captions, sashes and borders.
wxSize QuorvelFrame::MinimumClientSize() const
{
    wxAuiDockArt* art = m_auiManager->GetArtProvider();
    const int border = art->GetMetric(wxAUI_DOCKART_PANE_BORDER_SIZE);
    const wxSize page = m_checklistPanel->GetMinSize();
    const wxSize result = m_resultBook->GetMinSize();
    const int width = std::max(page.x, result.x) + 4 * border;
    const int height = m_toolBar->GetBestSize().y + m_checklistBook->GetTabCtrlHeight() + page.y +
                       art->GetMetric(wxAUI_DOCKART_CAPTION_SIZE) +
                       art->GetMetric(wxAUI_DOCKART_SASH_SIZE) + result.y + 6 * border;
    return wxSize(width, height);
}

// Tab passes over the windows that show no sign of having the keyboard (the
// tab rows of the two books, each with a single page, the result view and
// the toolbar): a user tabbing from Reset to the choices lost four presses.
void QuorvelFrame::LeaveBlindStopsOutOfTabOrder()
{
    for (wxAuiNotebook* book : {m_checklistBook, m_resultBook})
        for (wxWindow* child : book->GetChildren())
            if (wxDynamicCast(child, wxAuiTabCtrl))
                child->DisableFocusFromKeyboard();
    // The result view holds its own focus chain, which the flag alone does
    // not close; a click or F6 still gives it the keyboard, to copy from it.
    m_resultHtml->DisableFocusFromKeyboard();
    m_resultHtml->SetCanFocus(false);
    MakeResultCopyable(this, m_resultHtml, m_propGrid);
    m_toolBar->DisableFocusFromKeyboard();
}

// Measured at the pane's least width, so that the pane keeps room for the
// whole page (the number and its four grades) at any scale and font. Lines
// of Chinese have no spaces to wrap at: the pane widens to the longest.
void QuorvelFrame::FitResultPage()
{
    const wxSize margins = PageMargins(m_resultHtml);
    const wxSize least = m_resultBook->GetMinSize();
    wxHtmlContainerCell* page = m_resultHtml->GetInternalRepresentation();
    if (!page)
        return; // no page shown yet: nothing to make room for
    page->Layout(least.x - margins.x);
    const int width = std::max(least.x, page->GetWidth() + margins.x);
    const int height = m_resultBook->GetTabCtrlHeight() + page->GetHeight() + margins.y;
    m_resultBook->SetMinSize(wxSize(width, std::max(height, least.y)));
    m_auiManager->GetPane(m_resultBook).MinSize(m_resultBook->GetMinSize());
    m_auiManager->Update();
}

// The first window and its least size fit the screen's work area, at any
// scale: on a small screen the list keeps fewer rows and the result pane
// less of its page (both scroll), so that the buttons and the status bar
// stay on the screen.
void QuorvelFrame::FitToWorkArea()
{
    // The title bar, frame, menu bar and status bar around the client area.
    const wxSize room = WorkArea(this).GetSize() - (GetSize() - GetClientSize());
    const int excess = MinimumClientSize().y - room.y;
    if (excess > 0)
        ShrinkPanes(excess);
    SetMinClientSize(MinimumClientSize());
    const wxSize client = GetClientSize();
    SetClientSize(wxSize(std::min(client.x, room.x), std::min(client.y, room.y)));
    // Fitted again once shown, when it had grown by its frame: back inside.
    if (IsShown())
    {
        const wxRect area = WorkArea(this);
        const wxRect outer = GetScreenRect();
        Move(std::clamp(outer.x, area.x, std::max(area.x, area.GetRight() + 1 - outer.width)),
             std::clamp(outer.y, area.y, std::max(area.y, area.GetBottom() + 1 - outer.height)));
    }
}

// The list gives up rows first, down to three, then the result pane its
// grades, down to the line of the total.
void QuorvelFrame::ShrinkPanes(int excess)
{
    wxSizer* page = m_checklistPanel->GetSizer();
    wxSizer* column = page->GetItem(size_t(1))->GetSizer();
    const int aroundGrid =
        column->GetItem(size_t(0))->CalcMin().y + column->GetItem(size_t(2))->CalcMin().y;
    const int leastPage =
        aroundGrid + 3 * m_propGrid->GetRowHeight() + m_propGrid->GetWindowBorderSize().y;
    const wxSize pageMin = m_checklistPanel->GetMinSize();
    const int pageHeight = std::max(leastPage, pageMin.y - excess);
    page->GetItem(size_t(0))->SetMinSize(0, pageHeight);
    m_propGrid->SetMinSize(wxSize(m_propGrid->GetMinSize().x, pageHeight - aroundGrid));
    m_checklistPanel->SetMinSize(wxSize(pageMin.x, pageHeight));
    excess -= pageMin.y - pageHeight;

    wxHtmlContainerCell* result = m_resultHtml->GetInternalRepresentation();
    int firstLine = 0;
    if (excess <= 0 || !result)
        return;
    ReachFirstLineBottom(result, firstLine);
    const wxSize resultMin = m_resultBook->GetMinSize();
    const int leastResult =
        m_resultBook->GetTabCtrlHeight() + firstLine + PageMargins(m_resultHtml).y;
    const wxSize shrunk(resultMin.x, std::max(leastResult, resultMin.y - excess));
    m_resultBook->SetMinSize(shrunk);
    m_auiManager->GetPane(m_resultBook).MinSize(shrunk).BestSize(shrunk);
    m_auiManager->Update();
}

void QuorvelFrame::BuildResultPage()
{
    m_resultPanel = new wxPanel(m_resultBook, ID_PANEL1, wxPoint(5, 228), wxDefaultSize,
                                wxTAB_TRAVERSAL, "ID_PANEL1");
    wxBoxSizer* resultSizer = new wxBoxSizer(wxHORIZONTAL);
    m_resultHtml = new wxHtmlWindow(m_resultPanel, ID_HTMLWINDOW_RESULT, wxDefaultPosition,
                                    wxDefaultSize, wxHW_SCROLLBAR_AUTO, "ID_HTMLWINDOW_RESULT");
    resultSizer->Add(m_resultHtml, 1, wxALL | wxEXPAND, FromDIP(4));
    m_resultPanel->SetSizer(resultSizer);
    resultSizer->Fit(m_resultPanel);
    resultSizer->SetSizeHints(m_resultPanel);
}

void QuorvelFrame::BuildToolBar()
{
    m_toolBar =
        new wxAuiToolBar(this, ID_AUITOOLBAR, wxDefaultPosition, wxDefaultSize, wxAUI_TB_TEXT);
    m_toolBar->AddTool(ID_TOOL_UPDATE, _("Update"), LoadBitmapBundle("img\\Update_s24_01.png"),
                       wxNullBitmap, wxITEM_NORMAL, MakerDownloadHelp(), MakerDownloadHelp(),
                       nullptr);
    m_toolBar->AddTool(ID_TOOL_ABOUT, _("About"), LoadBitmapBundle("img\\About_s24_01.png"),
                       wxNullBitmap, wxITEM_NORMAL, _("Show version infomation"),
                       _("Show version infomation"), nullptr);
    m_toolBar->Realize();
}

// With colours chosen to read by, the toolbar and the notebooks' tabs are
// drawn by the library's plain art, in the system's colours: the themed art
// of some systems draws light parts under the system's light text, and the
// toolbar's shading turns a black background grey.
void QuorvelFrame::FollowHighContrast()
{
    if (!HighContrastColours())
        return;
    m_toolBar->SetArtProvider(new wxAuiGenericToolBarArt);
    m_toolBar->SetWindowStyleFlag(m_toolBar->GetWindowStyleFlag() | wxAUI_TB_PLAIN_BACKGROUND);
    m_toolBar->Realize();
    for (wxAuiNotebook* book : {m_checklistBook, m_resultBook})
        book->SetArtProvider(new wxAuiGenericTabArt);
}

// The result page, in the system's colours where the user chose them: the
// page is otherwise black on white whatever the system's colours.
wxString QuorvelFrame::ResultPageShown(int total) const
{
    const wxString page = ResultPage(total);
    if (!HighContrastColours())
        return page;
    return wxString::Format(
        "<body bgcolor=\"%s\" text=\"%s\">%s</body>",
        wxSystemSettings::GetColour(wxSYS_COLOUR_WINDOW).GetAsString(wxC2S_HTML_SYNTAX),
        wxSystemSettings::GetColour(wxSYS_COLOUR_WINDOWTEXT).GetAsString(wxC2S_HTML_SYNTAX), page);
}

void QuorvelFrame::BuildMenuBar()
{
    wxMenuBar* menuBar = new wxMenuBar();

    wxMenu* fileMenu = new wxMenu();
    fileMenu->Append(new wxMenuItem(fileMenu, ID_MENU_QUIT, _("Quit\tAlt-F4"),
                                    _("Quit the application"), wxITEM_NORMAL));
    menuBar->Append(fileMenu, _("&File"));

    wxMenu* viewMenu = new wxMenu();
    m_languageItem = new wxMenuItem(viewMenu, ID_MENU_LANGUAGE, _("&Language..."),
                                    _("Change UI language"), wxITEM_NORMAL);
    viewMenu->Append(m_languageItem);
    m_updateItem = new wxMenuItem(viewMenu, ID_MENU_UPDATE, _("&Update..."), MakerDownloadHelp(),
                                  wxITEM_NORMAL);
    viewMenu->Append(m_updateItem);
    menuBar->Append(viewMenu, _("&View"));

    wxMenu* helpMenu = new wxMenu();
    helpMenu->Append(new wxMenuItem(helpMenu, ID_MENU_ABOUT, _("About...\tF1"),
                                    _("Show version infomation"), wxITEM_NORMAL));
    menuBar->Append(helpMenu, _("Help"));

    SetMenuBar(menuBar);
}

void QuorvelFrame::BuildStatusBar()
{
    auto* statusBar = new MessageStatusBar(this, ID_STATUSBAR, "ID_STATUSBAR", g_makerCopyright);
    ExposeText(statusBar, AccessibleTextRole::StatusBar, [statusBar] { return statusBar->Text(); });
    m_statusBar = statusBar;
    // Its themed background stays light under a light text colour.
    if (HighContrastColours())
        DrawInSystemColours(m_statusBar);
    SetStatusBar(m_statusBar);
}

// Connect rather than Bind: deliberate (docs/developing.md, "Frozen interface").
void QuorvelFrame::ConnectEvents()
{
    const struct
    {
        wxEventType type;
        long id;
        wxObjectEventFunction handler;
    } bindings[] = {
        {wxEVT_COMMAND_CHOICE_SELECTED, ID_CHOICE_FRIEND_TYPE,
         wxCommandEventHandler(QuorvelFrame::OnChoiceFriendTypeSelect)},
        {wxEVT_COMMAND_CHOICE_SELECTED, ID_CHOICE_MODE,
         wxCommandEventHandler(QuorvelFrame::OnChoiceModeSelect)},
        {wxEVT_COMMAND_BUTTON_CLICKED, ID_BUTTON_CALC,
         wxCommandEventHandler(QuorvelFrame::OnButtonCalcClick)},
        {wxEVT_COMMAND_BUTTON_CLICKED, ID_BUTTON_RESET,
         wxCommandEventHandler(QuorvelFrame::OnButtonResetClick)},
        {wxEVT_COMMAND_MENU_SELECTED, ID_TOOL_UPDATE,
         wxCommandEventHandler(QuorvelFrame::OnUpdate)},
        {wxEVT_COMMAND_MENU_SELECTED, ID_TOOL_ABOUT, wxCommandEventHandler(QuorvelFrame::OnAbout)},
        {wxEVT_COMMAND_MENU_SELECTED, ID_MENU_QUIT, wxCommandEventHandler(QuorvelFrame::OnQuit)},
        {wxEVT_COMMAND_MENU_SELECTED, ID_MENU_LANGUAGE,
         wxCommandEventHandler(QuorvelFrame::OnLanguage)},
        {wxEVT_COMMAND_MENU_SELECTED, ID_MENU_UPDATE,
         wxCommandEventHandler(QuorvelFrame::OnUpdate)},
        {wxEVT_COMMAND_MENU_SELECTED, ID_MENU_ABOUT, wxCommandEventHandler(QuorvelFrame::OnAbout)},
    };
    for (const auto& binding : bindings)
        Connect(binding.id, wxID_ANY, binding.type, binding.handler, nullptr, this);
}

// A floated pane is never lost: it floats beside the window, and closing its
// frame (or double-clicking its title where the platform lets the program
// see that) docks it back.
void QuorvelFrame::ConnectPaneEvents()
{
    // On the manager, so as to run before its own handling floats the pane.
    m_auiManager->Connect(wxEVT_AUI_PANE_BUTTON,
                          wxAuiManagerEventHandler(QuorvelFrame::OnPaneButton), nullptr, this);
    Connect(wxEVT_AUI_PANE_CLOSE, wxAuiManagerEventHandler(QuorvelFrame::OnPaneClose), nullptr,
            this);
    CloseFloatingFramesOnTitleDoubleClick();
}

void QuorvelFrame::OnPaneButton(wxAuiManagerEvent& event)
{
    wxAuiPaneInfo* pane = event.GetPane();
    if (event.GetButton() == wxAUI_BUTTON_PIN && pane && pane->IsDocked())
    {
        wxSize size = pane->rect.GetSize();
        size.DecTo(WorkArea(this).GetSize());
        pane->FloatingSize(size).FloatingPosition(FloatingPanePlace(size));
        // Its frame comes out larger by a title bar and borders: placed
        // again at its real size once it is there.
        CallAfter(
            [this]
            {
                if (wxWindow* floating = m_auiManager->GetPane(m_resultBook).frame)
                    floating->Move(FloatingPanePlace(floating->GetSize()));
            });
    }
    event.Skip();
}

// Where the floated Result pane goes, leaving the choices and the buttons clear.
wxPoint QuorvelFrame::FloatingPanePlace(const wxSize& size) const
{
    const std::vector<wxRect> keepClear = {
        m_friendTypeLabel->GetScreenRect().Union(m_modeChoice->GetScreenRect()),
        m_calcButton->GetScreenRect().Union(m_resetButton->GetScreenRect())};
    return PlaceFloatingPane(GetScreenRect(), WorkArea(this), size, keepClear);
}

void QuorvelFrame::OnPaneClose(wxAuiManagerEvent& event)
{
    wxAuiPaneInfo* pane = event.GetPane();
    if (!pane || !pane->IsFloating())
        return;
    event.Veto();
    pane->Dock();
    // Destroys the floating frame, at idle time: safe inside its close event.
    m_auiManager->Update();
}

// The floating frame whose window is active, if it is one of this window's.
wxWindow* QuorvelFrame::ActiveFloatingPane() const
{
    auto* floating = wxDynamicCast(wxGetTopLevelParent(wxGetActiveWindow()), wxAuiFloatingFrame);
    return floating && floating->GetOwnerManager() == m_auiManager ? floating : nullptr;
}

void QuorvelFrame::SaveFrameGeometry()
{
    settings::Write(settings::g_frameRemember, s_remSizePos);
    if (s_remSizePos > 0)
    {
        const wxSize client = GetClientSize();
        const wxPoint position = GetPosition();
        settings::Write(settings::g_frameX, position.x);
        settings::Write(settings::g_frameY, position.y);
        settings::Write(settings::g_frameWidth, client.x);
        settings::Write(settings::g_frameHeight, client.y);
    }
}

void QuorvelFrame::BuildChecklist(int friendType, int mode)
{
    {
        // Unfrozen, the grid re-measures all rows after each one appended
        // and redraws each row that takes the checkbox attribute: quadratic
        // in the rule count. Frozen, it does both once, when thawed.
        wxWindowUpdateLocker frozen(m_propGrid);
        m_propGrid->Clear();
        LoadRules(friendType, mode);
        AppendChecklist(m_propGrid, m_ruleProperties);
    }
    // Rebuilds the user asks for must show at once; the first one happens
    // before the window is shown.
    if (!m_firstBuild)
        m_propGrid->Refresh();
    m_firstBuild = false;
    ShowChecklistFromTop(m_propGrid);
    AnnounceRowsReplaced(m_propGrid);
}

void QuorvelFrame::LoadRules(int friendType, int mode)
{
    ClearRules();
    ClearRuleProperties();
    m_ruleRoot = nullptr;
    m_statusBar->SetStatusText(wxString(), 0); // no notice of the list left
    const wxString path = RulesFilePath(friendType, mode);
    const RuleLoadFault fault = LoadRuleFile(path, m_ruleDoc);
    if (fault.kind != RuleLoadFault::Kind::None)
    {
        LogRuleLoadFault(path, fault);
        return;
    }
    m_ruleRoot = m_ruleDoc.GetRoot();
    m_rules = ReadRules(m_ruleRoot);
    m_ruleProperties = ChecklistRows(m_rules);
    // Rules lost where reading stops would change the total unseen.
    m_statusBar->SetStatusText(ReadingStopNotice(m_ruleRoot), 0);
}

void QuorvelFrame::Calculate()
{
    m_resultHtml->SetPage(ResultPageShown(ChecklistTotal(m_rules, m_ruleProperties)));
    AnnounceTextChange(m_resultHtml);
}

void QuorvelFrame::ClearRules()
{
    m_rules.Clear();
}

void QuorvelFrame::ClearRuleProperties()
{
    // The grid owns the rows and deletes them when it is cleared.
    m_ruleProperties.Clear();
}

// The list the choices name, its answers afresh.
void QuorvelFrame::RebuildFromChoices()
{
    m_shownFriendType = m_friendTypeChoice->GetCurrentSelection();
    m_shownMode = m_modeChoice->GetCurrentSelection();
    BuildChecklist(m_shownFriendType, m_shownMode);
}

// The list is read afresh from its file, with the answers it had when it
// was last left.
void QuorvelFrame::ShowChosenList()
{
    // A number still being typed is an answer too.
    m_propGrid->CommitChangesFromEditor();
    m_answers.Keep(m_shownFriendType, m_shownMode, RowAnswers(m_ruleProperties));
    RebuildFromChoices();
    SetRowAnswers(m_ruleProperties,
                  m_answers.Recall(m_shownFriendType, m_shownMode, RowAnswers(m_ruleProperties)));
    Calculate();
}

void QuorvelFrame::OnChoiceFriendTypeSelect(wxCommandEvent&)
{
    ShowChosenList();
}

void QuorvelFrame::OnChoiceModeSelect(wxCommandEvent&)
{
    ShowChosenList();
}

void QuorvelFrame::OnButtonCalcClick(wxCommandEvent&)
{
    // A number still being typed is what the row shows: count it.
    m_propGrid->CommitChangesFromEditor();
    Calculate();
}

void QuorvelFrame::OnButtonResetClick(wxCommandEvent&)
{
    RebuildFromChoices();
    Calculate();
}

void QuorvelFrame::OnUpdate(wxCommandEvent&)
{
    OpenWebPage(g_makerDownloadUrl, wxBROWSER_NEW_WINDOW);
}

void QuorvelFrame::OnAbout(wxCommandEvent&)
{
    AboutDlg dialog(this, wxID_ANY);
    dialog.ShowModal();
}

void QuorvelFrame::OnQuit(wxCommandEvent&)
{
    // A floating pane shares this window's accelerators: Alt+F4 there means
    // closing the pane, not the program.
    if (wxWindow* pane = ActiveFloatingPane())
    {
        pane->Close();
        return;
    }
    Close(false);
}

void QuorvelFrame::OnLanguage(wxCommandEvent&)
{
    ChangeLanguage();
}

// Empty: deliberate (docs/developing.md, "Frozen interface").
// clang-format off
wxBEGIN_EVENT_TABLE(QuorvelFrame, wxFrame)
wxEND_EVENT_TABLE()
    // clang-format on
