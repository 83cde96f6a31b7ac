#pragma once

#include <wx/app.h>
#include <wx/intl.h>

// The application: names the program, prepares its configuration store and
// language, and opens the main window.
class QuorvelApp : public wxApp
{
public:
    bool OnInit() override;
    int OnExit() override;

private:
    wxLocale m_locale;
};

wxDECLARE_APP(QuorvelApp);
