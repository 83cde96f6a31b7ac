// The yardstick for start-up time and memory: an empty frame, built with the
// same wx libraries as the program, shown the same way.
#include <wx/app.h>
#include <wx/frame.h>

class MinimalApp : public wxApp
{
public:
    bool OnInit() override
    {
        wxFrame* frame = new wxFrame(nullptr, wxID_ANY, "Minimal frame");
        frame->SetClientSize(wxSize(512, 640));
        frame->Show(true);
        SetTopWindow(frame);
        return true;
    }
};

wxIMPLEMENT_APP(MinimalApp);
