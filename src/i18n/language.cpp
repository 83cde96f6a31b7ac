#include "i18n/language.h"

#include "common/settings.h"

#include <wx/intl.h>
#include <wx/log.h>

namespace
{
const wxString g_defaultCode = "default";
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

bool SaveLanguage(int language, wxString& failure)
{
    if (language == wxLANGUAGE_UNKNOWN)
        return true;
    const wxLanguageInfo* info = wxLocale::GetLanguageInfo(language);
    if (language != wxLANGUAGE_DEFAULT && !info)
        return true;
    settings::Write(settings::g_uiLanguage,
                    language == wxLANGUAGE_DEFAULT ? g_defaultCode : info->CanonicalName);
    // Written out at once: a session ended by logout or shutdown never
    // reaches the write-out at quit.
    return settings::Save(failure);
}

void ReportUnsavedLanguage(const wxString& failure)
{
    wxLogError(_("Your language choice could not be saved (%s). It is lost when the program "
                 "ends."),
               failure);
}

wxString StoredLanguageCode()
{
    return settings::Read(settings::g_uiLanguage);
}

int LanguageFromCode(const wxString& code)
{
    if (code == g_defaultCode)
        return wxLANGUAGE_DEFAULT;
    const wxLanguageInfo* info = wxLocale::FindLanguageInfo(code);
    if (info)
        return info->Language;
    // A stored value of any length must not stretch the error box off the
    // screen.
    const size_t shown = 40;
    // The identifier's spelling is frozen: the catalogs rely on it (docs/developing.md).
    wxLogError(_("Uknown locale code '%s' in registry."),
               code.length() > shown ? code.Left(shown) + wxString::FromUTF8("\u2026") : code);
    return wxLANGUAGE_DEFAULT;
}
