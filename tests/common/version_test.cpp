#include "common/version.h"

#include <gtest/gtest.h>
#include <wx/regex.h>
#include <wx/version.h>

#ifdef __WINDOWS__
const char g_platform[] = "-Windows";
#else
const char g_platform[] = "-Linux";
#endif

// The values come from the build; their form is fixed: four numbers, a
// status and a date, the packages' release being the first three numbers.
TEST(Version, LineHasTheFixedFormAndTheReleaseIsItsFirstThreeNumbers)
{
    const wxString line = VersionLine();
    wxRegEx form(R"(^Version (([0-9]+\.[0-9]+\.[0-9]+)\.[0-9]+) [A-Za-z]+ )"
                 R"(\(Build: [0-9]{4}/[0-9]{2}/[0-9]{2}\)$)");
    ASSERT_TRUE(form.IsValid());
    ASSERT_TRUE(form.Matches(line)) << line;
    EXPECT_EQ(form.GetMatch(line, 1), VERSION_FULL);
    EXPECT_EQ(form.GetMatch(line, 2), ReleaseVersion());
}

TEST(Version, BuildInfoIsTheLibraryVersionWithPlatformAndCharacterBuild)
{
    const wxString library(wxVERSION_STRING);
    EXPECT_EQ(GetBuildInfo(1), library + g_platform + "-Unicode build");
    EXPECT_EQ(GetBuildInfo(0), library);
    EXPECT_EQ(GetBuildInfo(2), library);
}
