#include "about/version.h"

#include <gtest/gtest.h>
#include <wx/version.h>

TEST(Version, BuildInfoIsTheLibraryVersionWithPlatformAndCharacterBuild)
{
    const wxString library(wxVERSION_STRING);
    EXPECT_EQ(GetBuildInfo(1), library + "-Linux-Unicode build");
    EXPECT_EQ(GetBuildInfo(0), library);
    EXPECT_EQ(GetBuildInfo(2), library);
}
