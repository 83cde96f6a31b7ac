#pragma once

#include <wx/string.h>

#include <vector>

// One row of the language chooser: the text shown and the wxLanguage value.
struct LanguageChoice
{
    wxString text;
    int language;
};

// The chooser's rows in order, closed by a row with empty text whose value,
// wxLANGUAGE_UNKNOWN, stands for "no choice". Only the first row is
// translated, now: the language names read the same in every language.
std::vector<LanguageChoice> LanguageTable();

// Stores the choice: "default" for the system's language, otherwise the
// library's canonical locale name, and writes the store out at once.
// wxLANGUAGE_UNKNOWN stores nothing. False when the write-out failed;
// failure then says where and why.
bool SaveLanguage(int language, wxString& failure);

// Tells the user that the choice was not saved (failure as SaveLanguage
// gives it), in the language in effect.
void ReportUnsavedLanguage(const wxString& failure);

// The stored choice; empty when none has been made yet.
wxString StoredLanguageCode();

// The language a stored, non-empty code names. An unknown code is logged as
// an error and gives the system's default language; the stored value stays.
int LanguageFromCode(const wxString& code);
