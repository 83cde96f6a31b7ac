#include "common/settings.h"

#include "common/settingsfile.h"

#include <wx/config.h>

namespace settings
{
const wxString g_vendorName = "Larkvale";
const wxString g_appName = "Pairavel";

const Key<wxString> g_uiLanguage = {"/ui_language", wxString()};
const Key<long> g_frameRemember = {"/Frame/nRemSizePos", 0};
const Key<long> g_frameX = {"/Frame/x", 0};
const Key<long> g_frameY = {"/Frame/y", 0};
const Key<long> g_frameWidth = {"/Frame/w", 0};
const Key<long> g_frameHeight = {"/Frame/h", 0};

wxString Read(const Key<wxString>& key)
{
    wxString value = key.fallback;
    if (wxConfigBase* config = wxConfigBase::Get())
        config->Read(key.path, &value, key.fallback);
    return value;
}

long Read(const Key<long>& key)
{
    wxConfigBase* config = wxConfigBase::Get();
    return config ? config->ReadLong(key.path, key.fallback) : key.fallback;
}

void Write(const Key<wxString>& key, const wxString& value)
{
    if (wxConfigBase* config = wxConfigBase::Get())
        config->Write(key.path, value);
}

void Write(const Key<long>& key, long value)
{
    if (wxConfigBase* config = wxConfigBase::Get())
        config->Write(key.path, value);
}

bool Save(wxString& failure)
{
    wxConfigBase* config = wxConfigBase::Get();
    if (!config || config->Flush())
        return true;
    // Only the settings file fails to write; the registry writes at once.
    const auto* file = dynamic_cast<const SettingsFile*>(config);
    failure = file ? file->LastFailure() : wxString();
    return false;
}
} // namespace settings
