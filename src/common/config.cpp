#include "common/config.h"

#include "common/platform.h"
#include "common/settings.h"

#include <wx/config.h>

wxConfigBase* OpenConfigStore(wxString* damagedCopy)
{
    wxString damaged;
    wxConfigBase* config = NewConfigStore(settings::g_appName, settings::g_vendorName, damaged);
    delete wxConfigBase::Set(config);
    config->SetRecordDefaults(true);
    if (damagedCopy)
        *damagedCopy = damaged;
    return config;
}
