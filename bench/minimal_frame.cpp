// The yardsticks for start-up time and memory, built from this one file:
// - minimal_frame: an empty frame, built with the same wx libraries as the
//   program, shown the same way;
// - library_frame (LIBRARY_WIDGETS): the same frame holding the library
//   parts the program's window rests on, empty: a layout manager, a property
//   grid and an HTML view;
// - window_frame (WINDOW_WIDGETS): every widget the program's window shows,
//   in the same places, with one word where a widget needs text and nothing
//   of the program's own (no catalogs of its own, rule files, images or
//   settings). The list holds one heading and one tick box and the page one
//   line, in Chinese as the program's lists and result page are whatever the
//   interface language: their script brings the toolkit's font fallback, and
//   a heading its native expander picture.
// With a language name as argument (en_US, zh_CN) a frame first sets that
// locale with the library's own catalog, as the program does, so the
// language's cost to the toolkit and the library is measured too.
#include <wx/app.h>
#include <wx/frame.h>
#include <wx/intl.h>
#include <wx/log.h>
#ifdef WINDOW_WIDGETS
#define LIBRARY_WIDGETS
#include <wx/aui/auibar.h>
#include <wx/aui/auibook.h>
#include <wx/button.h>
#include <wx/choice.h>
#include <wx/menu.h>
#include <wx/panel.h>
#include <wx/sizer.h>
#include <wx/stattext.h>
#endif
#ifdef LIBRARY_WIDGETS
#include <wx/aui/aui.h>
#include <wx/html/htmlwin.h>
#include <wx/propgrid/propgrid.h>
#endif

class MinimalApp : public wxApp
{
public:
    bool OnInit() override
    {
        if (argc > 1)
            SetLanguage(argv[1]);
        wxFrame* frame = new wxFrame(nullptr, wxID_ANY, "Minimal frame");
        frame->SetClientSize(wxSize(512, 640));
#ifdef LIBRARY_WIDGETS
        // Made here, not with the application: it asks the display for colours.
        m_manager = new wxAuiManager(frame);
        FillFrame(frame);
        // The manager must let go of the frame before the frame goes.
        frame->Bind(wxEVT_CLOSE_WINDOW,
                    [this](wxCloseEvent& event)
                    {
                        m_manager->UnInit();
                        event.Skip();
                    });
#endif
        frame->Show(true);
        SetTopWindow(frame);
        return true;
    }
#ifdef LIBRARY_WIDGETS
    int OnExit() override
    {
        delete m_manager;
        return wxApp::OnExit();
    }
#endif

private:
    void SetLanguage(const wxString& name)
    {
        const wxLanguageInfo* info = wxLocale::FindLanguageInfo(name);
        wxLogNull quiet; // a missing system locale must not open a box first
        if (info)
            m_locale.Init(info->Language);
    }

#if defined(WINDOW_WIDGETS)
    static wxPropertyGrid* ListOfOne(wxWindow* parent)
    {
        auto* grid = new wxPropertyGrid(parent, wxID_ANY, wxDefaultPosition, wxDefaultSize,
                                        wxPG_BOLD_MODIFIED);
        grid->Append(new wxPropertyCategory(wxString::FromUTF8("标题")));
        wxPGProperty* row = grid->Append(new wxBoolProperty(wxString::FromUTF8("问题")));
        row->SetAttribute(wxPG_BOOL_USE_CHECKBOX, true);
        return grid;
    }

    void FillFrame(wxFrame* frame)
    {
        auto* checklistBook =
            new wxAuiNotebook(frame, wxID_ANY, wxDefaultPosition, wxDefaultSize, 0);
        auto* page = new wxPanel(checklistBook);
        auto* column = new wxBoxSizer(wxVERTICAL);
        auto* choices = new wxBoxSizer(wxHORIZONTAL);
        for (const char* label : {"Type:", "Mode:"})
        {
            choices->Add(new wxStaticText(page, wxID_ANY, label), 0, wxALIGN_CENTER_VERTICAL);
            wxChoice* choice = new wxChoice(page, wxID_ANY);
            choice->Append("One");
            choice->Append("Two");
            choice->SetSelection(0);
            choices->Add(choice);
        }
        column->Add(choices, 0, wxALL | wxEXPAND, 5);
        column->Add(ListOfOne(page), 1, wxEXPAND);
        auto* buttons = new wxBoxSizer(wxHORIZONTAL);
        buttons->Add(new wxButton(page, wxID_ANY, "One"));
        buttons->Add(new wxButton(page, wxID_ANY, "Two"));
        column->Add(buttons, 0, wxALIGN_RIGHT | wxALL, 5);
        page->SetSizer(column);
        checklistBook->AddPage(page, "Page");
        m_manager->AddPane(checklistBook, wxAuiPaneInfo().CenterPane());

        auto* resultBook = new wxAuiNotebook(frame, wxID_ANY);
        auto* resultPage = new wxPanel(resultBook);
        auto* resultSizer = new wxBoxSizer(wxHORIZONTAL);
        auto* view = new wxHtmlWindow(resultPage, wxID_ANY);
        view->SetPage(wxString::FromUTF8("<b>结果：<font size=8>1000</font></b>"));
        resultSizer->Add(view, 1, wxEXPAND);
        resultPage->SetSizer(resultSizer);
        resultBook->AddPage(resultPage, "Page");
        m_manager->AddPane(resultBook, wxAuiPaneInfo().Bottom().MinSize(512, 170));

        auto* toolBar =
            new wxAuiToolBar(frame, wxID_ANY, wxDefaultPosition, wxDefaultSize, wxAUI_TB_TEXT);
        // Blank pictures: the program's own are part of its content.
        for (int tool = 0; tool < 2; ++tool)
            toolBar->AddTool(wxID_ANY, "Tool", wxBitmap(24, 24));
        toolBar->Realize();
        m_manager->AddPane(toolBar, wxAuiPaneInfo().ToolbarPane().Top());
        m_manager->Update();

        auto* menuBar = new wxMenuBar;
        for (const char* title : {"File", "View", "Help"})
        {
            auto* menu = new wxMenu;
            menu->Append(wxID_ANY, "Item");
            menuBar->Append(menu, title);
        }
        frame->SetMenuBar(menuBar);
        frame->CreateStatusBar(2);
        page->Layout();
    }
#elif defined(LIBRARY_WIDGETS)
    void FillFrame(wxFrame* frame)
    {
        m_manager->AddPane(new wxPropertyGrid(frame, wxID_ANY), wxAuiPaneInfo().CenterPane());
        m_manager->AddPane(new wxHtmlWindow(frame, wxID_ANY), wxAuiPaneInfo().Bottom());
        m_manager->Update();
    }
#endif

    wxLocale m_locale;
#ifdef LIBRARY_WIDGETS
    wxAuiManager* m_manager = nullptr;
#endif
};

wxIMPLEMENT_APP(MinimalApp);
