#pragma once

#include <wx/string.h>

// Switches the C library to a UTF-8 locale that is always there: the
// built-in C.UTF-8, or else the user's default. Returns the name in effect.
wxString UseFallbackLocale();
