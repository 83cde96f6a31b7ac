#include "i18n/language.h"

#include <wx/config.h>
#include <wx/intl.h>
#include <wx/log.h>

namespace
{
// At the root of the store, whatever group another module left current.
const wxString s_languageKey = "/ui_language";
const wxString s_defaultCode = "default";
} // namespace

std::vector<LanguageChoice> LanguageTable()
{
    return {
        {_("(Use default language)"), wxLANGUAGE_DEFAULT},
        {"Chinese (Simplified)", wxLANGUAGE_CHINESE_SIMPLIFIED},
        {"English", wxLANGUAGE_ENGLISH},
        {wxString(), wxLANGUAGE_UNKNOWN},
    };
}

void SaveLanguage(int language)
{
    wxConfigBase* config = wxConfigBase::Get();
    if (language == wxLANGUAGE_UNKNOWN || !config)
        return;
    if (language == wxLANGUAGE_DEFAULT)
    {
        config->Write(s_languageKey, s_defaultCode);
        return;
    }
    const wxLanguageInfo* info = wxLocale::GetLanguageInfo(language);
    if (info)
        config->Write(s_languageKey, info->CanonicalName);
}

wxString StoredLanguageCode()
{
    wxString code;
    wxConfigBase* config = wxConfigBase::Get();
    if (config)
        config->Read(s_languageKey, &code, wxString());
    return code;
}

int LanguageFromCode(const wxString& code)
{
    if (code == s_defaultCode)
        return wxLANGUAGE_DEFAULT;
    const wxLanguageInfo* info = wxLocale::FindLanguageInfo(code);
    if (info)
        return info->Language;
    // A stored value of any length must not stretch the error box off the
    // screen.
    const size_t shown = 40;
    wxLogError(_("Uknown locale code '%s' in registry."),
               code.length() > shown ? code.Left(shown) + wxString::FromUTF8("\u2026") : code);
    return wxLANGUAGE_DEFAULT;
}
