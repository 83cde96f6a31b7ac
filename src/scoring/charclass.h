#pragma once

#include <wx/string.h>

// Characters that an author or a user types for another: what the reading
// of numbers and the messages about them both need.

// Characters that look like a minus sign (dashes, U+2212 MINUS SIGN, the
// full-width hyphen-minus...) but are not ASCII '-': their name, as
// "U+2212 MINUS SIGN", or empty for any other character.
wxString LookAlikeMinus(wxUniChar::value_type code);
// The full-width digits ０ to ９ that a Chinese input method gives.
bool IsFullWidthDigit(wxUniChar::value_type code);
