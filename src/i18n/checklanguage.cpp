#include "i18n/checklanguage.h"

#include "common/settings.h"

#include <wx/filename.h>
#include <wx/stdpaths.h>
#include <wx/translation.h>

void StartCheckerLanguage()
{
    const wxString bin = wxFileName(wxStandardPaths::Get().GetExecutablePath()).GetPath();
    for (const char* relative : {"locales", "../share/amorquant/locales"})
    {
        wxFileName folder = wxFileName::DirName(bin + wxFileName::GetPathSeparator() + relative);
        folder.Normalize(wxPATH_NORM_DOTS | wxPATH_NORM_ABSOLUTE);
        wxFileTranslationsLoader::AddCatalogLookupPathPrefix(folder.GetPath());
    }
    // No language is set: the library takes the user's preferred ones.
    auto* translations = new wxTranslations;
    wxTranslations::Set(translations);
    translations->AddCatalog(settings::g_appName);
}
