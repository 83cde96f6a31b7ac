#include "i18n/chooser.h"

#include "app/paths.h"
#include "i18n/language.h"

#include <wx/choicdlg.h>
#include <wx/intl.h>
#include <wx/msgdlg.h>

int SelectLanguage()
{
    const std::vector<LanguageChoice> table = LanguageTable();
    wxArrayString names;
    for (const LanguageChoice& row : table)
    {
        if (row.text.empty())
            break;
        names.Add(row.text);
    }
    const int index =
        wxGetSingleChoiceIndex(_("Select your prefered language"), _("Language selection"), names,
                               nullptr, -1, -1, true, 200, 150);
    return index < 0 ? int(wxLANGUAGE_UNKNOWN) : table[index].language;
}

int LoadLanguage()
{
    const wxString code = StoredLanguageCode();
    if (!code.empty())
        return LanguageFromCode(code);
    const int chosen = SelectLanguage();
    if (chosen == wxLANGUAGE_UNKNOWN)
        return wxLANGUAGE_DEFAULT;
    SaveLanguage(chosen);
    return chosen;
}

void ChangeLanguage()
{
    const int chosen = SelectLanguage();
    if (chosen == wxLANGUAGE_UNKNOWN)
        return;
    SaveLanguage(chosen);
    wxMessageBox(_("You must restart application for this change to take effect."), _("Confirm"),
                 wxOK | wxCENTRE | wxICON_INFORMATION, nullptr, -1, -1);
}

void StartLanguage(wxLocale& locale, const wxString& domain)
{
    wxLocale::AddCatalogLookupPathPrefix(NativePath("locales\\"));
    const int language = LoadLanguage();
    // Failures are the library's to report; the program then simply keeps
    // its source texts.
    locale.Init(language, wxLOCALE_LOAD_DEFAULT);
    locale.AddCatalog(domain);
}
