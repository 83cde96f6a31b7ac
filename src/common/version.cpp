#include "common/version.h"

#include "common/platform.h"

#include <wx/strconv.h>
#include <wx/version.h>

const char VERSION_FULL[] = AMORQUANT_VERSION_FULL;
const char VERSION_STATUS[] = AMORQUANT_VERSION_STATUS;
const char BUILD_YEAR[] = AMORQUANT_BUILD_YEAR;
const char BUILD_MONTH[] = AMORQUANT_BUILD_MONTH;
const char BUILD_DAY[] = AMORQUANT_BUILD_DAY;

namespace
{
wxString Narrow(const char* text)
{
    return wxString(text, wxConvUTF8);
}
} // namespace

wxString ReleaseVersion()
{
    return Narrow(VERSION_FULL).BeforeLast('.');
}

wxString VersionLine()
{
    return "Version " + Narrow(VERSION_FULL) + " " + Narrow(VERSION_STATUS) +
           " (Build: " + Narrow(BUILD_YEAR) + "/" + Narrow(BUILD_MONTH) + "/" + Narrow(BUILD_DAY) +
           ")";
}

wxString GetBuildInfo(int format)
{
    wxString info(wxVERSION_STRING);
    if (format == 1)
        info << "-" << PlatformName() << "-Unicode build";
    return info;
}
