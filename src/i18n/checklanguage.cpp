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
    // No language is set: the library takes the user's preferred ones.
    auto* translations = new wxTranslations;
    wxTranslations::Set(translations);
    translations->AddCatalog(settings::g_appName);
}
