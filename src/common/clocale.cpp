#include "common/clocale.h"

#include <clocale>
#include <cwctype>
#ifndef __WINDOWS__
#include <locale.h>
#endif

bool SystemLocaleExists(const wxString& name)
{
#ifdef __WINDOWS__
    // Every language's locale comes with the system there.
    (void)name;
    return true;
#else
    const locale_t locale = newlocale(LC_ALL_MASK, name.utf8_str(), nullptr);
    if (locale)
        freelocale(locale);
    return locale != nullptr;
#endif
}

wxString UseFallbackLocale()
{
    if (!std::setlocale(LC_ALL, "C.UTF-8"))
        std::setlocale(LC_ALL, "");
    return wxString::FromUTF8(std::setlocale(LC_ALL, nullptr));
}

bool IsUtf8Space(wxUniChar c)
{
#ifdef __WINDOWS__
    // The C library classifies wide characters by Unicode in every locale.
    return std::iswspace(wint_t(c.GetValue())) != 0;
#else
    // Made once and kept: the program's own locale may be "C", which knows
    // ASCII only.
    static const locale_t utf8 = newlocale(LC_CTYPE_MASK, "C.UTF-8", nullptr);
    if (!utf8)
        return std::iswspace(wint_t(c.GetValue())) != 0;
    return iswspace_l(wint_t(c.GetValue()), utf8) != 0;
#endif
}
