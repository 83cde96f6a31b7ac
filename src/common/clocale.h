#pragma once

#include <wx/string.h>

// Whether the C library has the named locale (say "en_US.UTF-8"), without
// switching to it.
bool SystemLocaleExists(const wxString& name);

// Switches the C library to a UTF-8 locale that is always there: the
// built-in C.UTF-8, or else the user's default. Returns the name in effect.
wxString UseFallbackLocale();

// Whether the C library of a UTF-8 locale counts the character as white
// space (iswspace), whatever locale the program runs in: the ideographic
// space is one, the no-break spaces are not.
bool IsUtf8Space(wxUniChar c);
