#include "i18n/chooser.h"

#include "common/accessible.h"

#include "common/clocale.h"
#include "common/paths.h"
#include "common/platform.h"
#include "i18n/language.h"

#include <wx/choicdlg.h>
#include <wx/intl.h>
#include <wx/listbox.h>
#include <wx/log.h>
#include <wx/msgdlg.h>
#include <wx/msgout.h>
#include <wx/translation.h>

#include <vector>

namespace
{
// For a language named without a region (English) the library tries every
// region it knows, about a hundred, before it meets an installed locale. The
// regions that systems have are tried here first: the library's own choice
// for the language, and for English the one nearly every system installs.
int WithInstalledRegion(int language)
{
    const wxLanguageInfo* info = wxLocale::GetLanguageInfo(language);
    if (language == wxLANGUAGE_DEFAULT || !info)
        return language;
    std::vector<wxString> names = {info->GetCanonicalWithRegion()};
    if (info->CanonicalName == "en")
        names.push_back("en_US");
    for (const wxString& name : names)
    {
        const wxLanguageInfo* regional = wxLocale::FindLanguageInfo(name);
        if (regional && SystemLocaleExists(name + ".UTF-8"))
            return regional->Language;
    }
    return language;
}

wxListBox* ChoiceList(wxDialog& dialog)
{
    for (wxWindow* child : dialog.GetChildren())
        if (auto* list = dynamic_cast<wxListBox*>(child))
            return list;
    return nullptr;
}

// The library sizes the list at a guessed row height that is short of the
// real one, cutting the last entry in half.
void ShowEveryRow(wxDialog& dialog, size_t rows)
{
    if (wxListBox* list = ChoiceList(dialog))
        list->SetMinSize(wxSize(-1, int(rows + 1) * (list->GetCharHeight() + 10)));
    dialog.Fit();
}
} // namespace

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
    // The identifier's spelling is frozen: the catalogs rely on it (docs/developing.md).
    const wxString prompt = _("Select your prefered language");
    wxSingleChoiceDialog dialog(nullptr, prompt, _("Language selection"), names);
    ShowEveryRow(dialog, names.size());
    // The prompt above the list is not tied to it: a screen reader would
    // name the list by nothing.
    if (wxListBox* list = ChoiceList(dialog))
        NameWindow(list, prompt);
    dialog.SetSelection(0);
    if (dialog.ShowModal() != wxID_OK)
        return wxLANGUAGE_UNKNOWN;
    return table[dialog.GetSelection()].language;
}

int LoadLanguage(wxString* saveFailure)
{
    const wxString code = StoredLanguageCode();
    if (!code.empty())
        return LanguageFromCode(code);
    const int chosen = SelectLanguage();
    if (chosen == wxLANGUAGE_UNKNOWN)
        return wxLANGUAGE_DEFAULT;
    wxString failure;
    if (!SaveLanguage(chosen, failure))
    {
        if (saveFailure)
            *saveFailure = failure;
        else
            ReportUnsavedLanguage(failure);
    }
    return chosen;
}

void ChangeLanguage()
{
    const int chosen = SelectLanguage();
    if (chosen == wxLANGUAGE_UNKNOWN)
        return;
    // A restart would not bring a choice that was not saved.
    wxString failure;
    if (!SaveLanguage(chosen, failure))
    {
        ReportUnsavedLanguage(failure);
        return;
    }
    wxMessageBox(_("You must restart application for this change to take effect."), _("Confirm"),
                 wxOK | wxCENTRE | wxICON_INFORMATION, nullptr, -1, -1);
}

void StartLanguage(wxLocale& locale, const wxString& domain)
{
    wxLocale::AddCatalogLookupPathPrefix(DataPath("locales\\"));
    wxString saveFailure;
    const int language = WithInstalledRegion(LoadLanguage(&saveFailure));
    // Without the language's system locale the library warns in a box at
    // every start, about what the user cannot change from here, while the
    // catalogs load all the same. So only that warning is held back (the
    // catalogs load outside it) and the missing locale is told on stderr.
    const wxLogLevel level = wxLog::GetLogLevel();
    wxLog::SetLogLevel(wxLOG_Error);
    const bool set = locale.Init(language, 0);
    wxLog::SetLogLevel(level);
    const wxString fallback = set ? wxString() : UseFallbackLocale();
    wxTranslations::Get()->AddStdCatalog();
    locale.AddCatalog(domain);
    if (!set)
        wxMessageOutputStderr().Printf(
            _("Amorquant: the system locale for %s is not installed; numbers and dates follow "
              "%s."),
            locale.GetName(), fallback);
    // Told now, in the language just chosen.
    if (!saveFailure.empty())
        ReportUnsavedLanguage(saveFailure);
}
