#include "i18n/checklanguage.h"

#include "common/platform.h"
#include "common/settings.h"

#include <wx/filename.h>
#include <wx/stdpaths.h>
#include <wx/translation.h>

void StartCheckerLanguage()
{
    const wxString bin = wxFileName(wxStandardPaths::Get().GetExecutablePath()).GetPath();
    // The checker's catalogs are the program's: in its data folders, whatever
    // folder the author runs it from.
    for (const wxString& folder : ProgramDataFolders(bin))
        wxFileTranslationsLoader::AddCatalogLookupPathPrefix(
            wxFileName(folder, wxString()).GetPathWithSep() + "locales");
    auto* translations = new wxTranslations;
    wxTranslations::Set(translations);
    // The library would pass over LC_ALL=C to a Chinese LANG: the locale
    // variables are taken in their own order, and C or POSIX means English.
    const wxString locale = MessagesLocaleName();
    const wxString language = locale.BeforeFirst('.').BeforeFirst('@');
    if (language == "C" || language == "POSIX")
        return;
    // Empty: the library takes the user's preferred languages.
    if (!language.empty())
        translations->SetLanguage(language);
    translations->AddCatalog(settings::g_appName);
}
