#include "common/clocale.h"

#include <clocale>
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
