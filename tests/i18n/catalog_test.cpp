#include "support/workdir.h"

#include <gtest/gtest.h>

#include <cstdio>

namespace
{
// The project folder, found from this file's own path (tests/i18n/ below
// it): the check reads the sources, not the run folder.
const std::string g_project =
    std::string(__FILE__).substr(0, std::string(__FILE__).rfind("/tests/"));

// Runs the catalog check of one language on a source folder; returns its
// exit status and fills its report.
int CheckCatalog(const std::string& sources, std::string& report,
                 const std::string& language = "zh_CN")
{
    const std::string locales = g_project + "/data/locales";
    const std::string command = "sh " + locales + "/check_catalog.sh " + sources + " " + locales +
                                "/" + language + ".po 2>&1";
    FILE* pipe = popen(command.c_str(), "r");
    char buffer[512];
    while (fgets(buffer, sizeof buffer, pipe))
        report += buffer;
    return pclose(pipe);
}
} // namespace

TEST(Catalog, TranslatesEveryTextTheCodeTranslates)
{
    for (const char* language : {"zh_CN", "en"})
    {
        std::string report;
        EXPECT_EQ(CheckCatalog(g_project + "/src", report, language), 0) << language << report;
    }
}

TEST(Catalog, CheckNamesAMissingTextAndLetsChineseSourceTextsPass)
{
    const std::string known = "wxString page = _(\"<p>\xe7\xbb\x93\xe6\x9e\x9c</p>\");\n"
                              "wxString title = _(\"Amorquant\");\n";
    ScopedWorkDir work({{"page.cpp", known}});
    std::string report;
    EXPECT_EQ(CheckCatalog(work.Path().utf8_string(), report), 0) << report;

    work.Write("page.cpp", known + "wxString extra = _(\"Not translated\");\n");
    EXPECT_NE(CheckCatalog(work.Path().utf8_string(), report), 0);
    EXPECT_NE(report.find("msgid \"Not translated\""), std::string::npos) << report;
}
