#include "app/app.h"

#include "app/frame.h"
#include "common/config.h"
#include "common/paths.h"
#include "common/settings.h"
#include "i18n/chooser.h"

#include <wx/config.h>
#include <wx/icon.h>
#include <wx/image.h>
#include <wx/log.h>

namespace
{
const wxString g_iconFile = "img\\Quorvel_01.ico";
} // namespace

bool QuorvelApp::OnInit()
{
    SetVendorName(settings::g_vendorName);
    SetAppName(settings::g_appName);
    OpenConfigStore();
    // Before any window: everything built afterwards is translated.
    StartLanguage(m_locale, settings::g_appName);

    // Icon files are read through the image handlers here, so register them
    // before the icon is loaded.
    wxInitAllImageHandlers();
    wxIcon icon;
    icon.LoadFile(NativePath(g_iconFile), wxBITMAP_TYPE_ICO, -1, -1);

    QuorvelFrame* frame = new QuorvelFrame(nullptr, wxID_ANY);
    // Without a readable icon file the window keeps the desktop's default.
    if (icon.IsOk())
        frame->SetIcon(icon);
    frame->Show(true);
    SetTopWindow(frame);
    return true;
}

int QuorvelApp::OnExit()
{
    // The main window may still wait for deletion; it records its geometry.
    DeletePendingObjects();
    // Write the store out here rather than in the library's clean-up: what
    // a failed write-out logs (an unwritable folder) would be shown there
    // after the application object is gone, and crash.
    delete wxConfigBase::Set(nullptr);
    wxConfigBase::DontCreateOnDemand();
    wxLog::FlushActive();
    return wxApp::OnExit();
}
