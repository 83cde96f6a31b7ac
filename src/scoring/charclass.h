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

// Spaces beyond ASCII that a paste from a web page or an editor leaves
// between tags: no-break, full-width and zero-width spaces, the byte order
// mark and the Unicode line breaks. They look like white space, so text made
// only of them and ASCII white space is read as white space.
bool IsPastedSpace(wxUniChar::value_type code);
// Text that holds nothing but white space, ASCII or pasted.
bool IsBlankText(const wxString& text);
// The first pasted space in text, or wxString::npos.
size_t FindPastedSpace(const wxString& text);
