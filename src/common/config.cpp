#include "common/config.h"

#include <wx/config.h>
#include <wx/filename.h>
#include <wx/stdpaths.h>

wxConfigBase* OpenConfigStore()
{
    // On Windows the library's store is the registry, under
    // HKEY_CURRENT_USER\Software\<vendor>\<application>. Elsewhere it is a
    // file: keep it where Linux users expect it ($XDG_CONFIG_HOME).
    wxStandardPaths::Get().SetFileLayout(wxStandardPaths::FileLayout_XDG);
    // The file store does not create its folder; without it the write-out
    // at exit fails.
    const wxString dir = wxStandardPaths::Get().GetUserConfigDir();
    if (!wxFileName::DirExists(dir))
        wxFileName::Mkdir(dir, wxS_DIR_DEFAULT, wxPATH_MKDIR_FULL);

    wxConfigBase* config = wxConfigBase::Get();
    if (config)
        config->SetRecordDefaults(true);
    return config;
}
