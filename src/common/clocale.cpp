#include "common/clocale.h"

#include <clocale>

wxString UseFallbackLocale()
{
    if (!std::setlocale(LC_ALL, "C.UTF-8"))
        std::setlocale(LC_ALL, "");
    return wxString::FromUTF8(std::setlocale(LC_ALL, nullptr));
}
