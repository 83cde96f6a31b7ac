#pragma once

#include <wx/string.h>

#include <vector>

// Text from a rule file as a message quotes it, with what cannot be seen
// spelled out: "'15' followed by U+3000 IDEOGRAPHIC SPACE", "'cooks'
// preceded by a line break and 4 spaces". Such characters inside the text
// are shown as "<U+200B ZERO WIDTH SPACE>", and line breaks never break the
// message's own line.
wxString Quoted(const wxString& text);

// Text without the characters that cannot be seen (spaces, line breaks,
// full-width spaces...) at its ends.
wxString StripInvisible(const wxString& text);

// "U+3000 IDEOGRAPHIC SPACE": a character by its code, with its Unicode name
// where it is one that cannot be seen; the code alone otherwise.
wxString CodeName(wxUniChar::value_type code);
// A character's code and Unicode name as a message shows them: as written,
// or the everyday name that the catalog of the messages' language gives the
// character ("U+3000 IDEOGRAPHIC SPACE" is 全角空格（U+3000） in Chinese).
wxString ShownName(const wxString& codeAndName);

// "a, b and c", in the language of the messages, the last two joined by
// lastTwo (a translated "%s and %s" or "%s or %s").
wxString Joined(const std::vector<wxString>& parts, const wxString& lastTwo);
wxString JoinedWithAnd(const std::vector<wxString>& parts);

// The system's reason for an error (wxSysErrorCode()), in the language of
// the messages: the program runs in the C locale, whose reasons are English,
// so the catalogs translate the common ones.
wxString SystemReason(unsigned long error);
