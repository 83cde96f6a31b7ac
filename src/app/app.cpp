#include "app/app.h"

#include "app/frame.h"
#include "common/config.h"
#include "common/images.h"
#include "common/paths.h"
#include "common/platform_gui.h"
#include "common/settings.h"
#include "i18n/chooser.h"

#include <wx/config.h>
#include <wx/icon.h>
#include <wx/image.h>
#include <wx/log.h>
#include <wx/stdpaths.h>

#include <optional>

namespace
{
wxString OneFolderALine(const std::vector<wxString>& folders)
{
    wxString lines;
    for (const wxString& folder : folders)
        lines << "\n" << folder;
    return lines;
}
} // namespace

bool QuorvelApp::OnInit()
{
    MarkProgramRunning();
    SetVendorName(settings::g_vendorName);
    SetAppName(settings::g_appName);
    wxString damagedSettings;
    OpenConfigStore(&damagedSettings);
    std::vector<wxString> dataFolders;
    const bool dataFound = FindDataFolder(wxStandardPaths::Get().GetExecutablePath(), dataFolders);
    // Before any window: everything built afterwards is translated.
    StartLanguage(m_locale, settings::g_appName);
    // Message boxes are titled with the name the user knows the program by;
    // the store keeps the application name above.
    SetAppDisplayName(_("Amorquant"));

    if (!damagedSettings.empty())
        wxLogWarning(_("The settings file was damaged. The settings that could be read are kept; "
                       "the damaged file is kept as %s."),
                     damagedSettings);
    // One box says what is wrong, rather than one for every image and rule
    // file that cannot be read.
    std::optional<wxLogNull> quiet;
    if (!dataFound)
    {
        wxLogError(_("The program's rules, images and translations were not found. It looked in "
                     "these folders:%s\nStart it from the folder that holds its rules folder, "
                     "or install it again."),
                   OneFolderALine(dataFolders));
        quiet.emplace();
    }

    // Icon files are read through the image handlers here, so register them
    // before the icon is loaded.
    wxInitAllImageHandlers();
    wxIcon icon;
    icon.LoadFile(DataPath(g_iconFile), wxBITMAP_TYPE_ICO, -1, -1);

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
    // Write the store out here rather than in the library's clean-up: a
    // failure is told while the application object still exists.
    wxString failure;
    if (!settings::Save(failure))
        wxLogError(_("The settings could not be saved (%s)."), failure);
    delete wxConfigBase::Set(nullptr);
    wxConfigBase::DontCreateOnDemand();
    wxLog::FlushActive();
    return wxApp::OnExit();
}
