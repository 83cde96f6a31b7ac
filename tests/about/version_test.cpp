#include "about/version.h"

#include <gtest/gtest.h>
#include <wx/version.h>

#ifdef __WINDOWS__
const char g_platform[] = "-Windows";
#else
const char g_platform[] = "-Linux";
#endif

TEST(Version, BuildInfoIsTheLibraryVersionWithPlatformAndCharacterBuild)
{
    const wxString library(wxVERSION_STRING);
    EXPECT_EQ(GetBuildInfo(1), library + g_platform + "-Unicode build");
    EXPECT_EQ(GetBuildInfo(0), library);
    EXPECT_EQ(GetBuildInfo(2), library);
}
