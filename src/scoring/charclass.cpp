#include "scoring/charclass.h"

#include <wx/crt.h>

#include <utility>

namespace
{
// Characters that look like a minus sign but are none, by their Unicode names.
const std::pair<wxUniChar::value_type, const char*> g_lookAlikeMinus[] = {
    {0x2010, "HYPHEN"},
    {0x2011, "NON-BREAKING HYPHEN"},
    {0x2012, "FIGURE DASH"},
    {0x2013, "EN DASH"},
    {0x2014, "EM DASH"},
    {0x2015, "HORIZONTAL BAR"},
    {0x2212, "MINUS SIGN"},
    {0xFE63, "SMALL HYPHEN-MINUS"},
    {0xFF0D, "FULLWIDTH HYPHEN-MINUS"},
};
} // namespace

wxString LookAlikeMinus(wxUniChar::value_type c)
{
    for (const auto& [code, name] : g_lookAlikeMinus)
        if (code == c)
            return wxString::Format("U+%04X %s", unsigned(code), name);
    return wxString();
}

bool IsFullWidthDigit(wxUniChar::value_type c)
{
    return c >= 0xFF10 && c <= 0xFF19;
}

bool IsPastedSpace(wxUniChar::value_type c)
{
    return c == 0x00A0 || c == 0x3000 || (c >= 0x2000 && c <= 0x200B) || c == 0xFEFF ||
           c == 0x2028 || c == 0x2029;
}

bool IsBlankText(const wxString& text)
{
    for (wxUniChar c : text)
        if (!IsPastedSpace(c.GetValue()) && !(c.IsAscii() && wxIsspace(c)))
            return false;
    return true;
}

size_t FindPastedSpace(const wxString& text)
{
    size_t at = 0;
    for (wxUniChar c : text)
    {
        if (IsPastedSpace(c.GetValue()))
            return at;
        ++at;
    }
    return wxString::npos;
}
