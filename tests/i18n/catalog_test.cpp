#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <unistd.h>

namespace
{
// Runs the catalog check on a source folder; returns its exit status and
// fills its report.
int CheckCatalog(const std::string& sources, std::string& report)
{
    const std::string data = std::getenv("AMORQUANT_DATA");
    const std::string command = "sh " + data + "/locales/check_catalog.sh " + sources + " " + data +
                                "/locales/zh_CN.po 2>&1";
    FILE* pipe = popen(command.c_str(), "r");
    char buffer[512];
    while (fgets(buffer, sizeof buffer, pipe))
        report += buffer;
    return pclose(pipe);
}
} // namespace

TEST(Catalog, TranslatesEveryTextTheCodeTranslates)
{
    std::string report;
    EXPECT_EQ(CheckCatalog(std::getenv("AMORQUANT_DATA") + std::string("/../src"), report), 0)
        << report;
}

TEST(Catalog, CheckNamesAMissingTextAndLetsChineseSourceTextsPass)
{
    char pattern[] = "/tmp/amorquant-catalog-XXXXXX";
    const std::string dir = mkdtemp(pattern);
    std::ofstream(dir + "/page.cpp") << "wxString page = _(\"<p>\xe7\xbb\x93\xe6\x9e\x9c</p>\");\n"
                                     << "wxString title = _(\"Amorquant\");\n";
    std::string report;
    EXPECT_EQ(CheckCatalog(dir, report), 0) << report;

    std::ofstream(dir + "/page.cpp", std::ios::app) << "wxString extra = _(\"Not translated\");\n";
    EXPECT_NE(CheckCatalog(dir, report), 0);
    EXPECT_NE(report.find("msgid \"Not translated\""), std::string::npos) << report;
}
