#pragma once

#include <wx/string.h>

class wxLocale;

// Asks the user for the interface language. Returns the chosen wxLanguage,
// or wxLANGUAGE_UNKNOWN when the dialog is cancelled.
int SelectLanguage();

// The language to start with: the stored choice, or on the first start the
// user's answer, which is stored (a cancel uses the default language and
// stores nothing, so the next start asks again). When the answer cannot be
// saved, saveFailure (if given) receives why, for a report once the
// language is in effect; without it the failure is reported at once.
int LoadLanguage(wxString* saveFailure = nullptr);

// The Language command: stores a new choice for the next start and says so.
void ChangeLanguage();

// Sets this run's interface language on the given locale and loads the
// program's catalog "domain" from the locales folder. Call once, before any
// window exists: the first start shows the language dialog. Without the
// language's system locale the catalogs still load; the C library then uses
// C.UTF-8 (or the user's default) and the gap is told once on stderr.
void StartLanguage(wxLocale& locale, const wxString& domain);
