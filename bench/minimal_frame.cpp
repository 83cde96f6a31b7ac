// The yardsticks for start-up time and memory: an empty frame, built with the
// same wx libraries as the program, shown the same way; and, built with
// LIBRARY_WIDGETS, the same frame holding what the program's window is made
// of with nothing in it (a layout manager, a property grid, an HTML view), to
// tell the libraries' own cost from the program's.
#include <wx/app.h>
#include <wx/frame.h>
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
        wxFrame* frame = new wxFrame(nullptr, wxID_ANY, "Minimal frame");
        frame->SetClientSize(wxSize(512, 640));
#ifdef LIBRARY_WIDGETS
        // Made here, not with the application: it asks the display for colours.
        m_manager = new wxAuiManager(frame);
        m_manager->AddPane(new wxPropertyGrid(frame, wxID_ANY), wxAuiPaneInfo().CenterPane());
        m_manager->AddPane(new wxHtmlWindow(frame, wxID_ANY), wxAuiPaneInfo().Bottom());
        m_manager->Update();
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

private:
    wxAuiManager* m_manager = nullptr;
#endif
};

wxIMPLEMENT_APP(MinimalApp);
