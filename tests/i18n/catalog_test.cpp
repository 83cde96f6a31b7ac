#include "support/workdir.h"

#include <gtest/gtest.h>
#include <wx/filefn.h>

#include <cstdio>

namespace
{
// The project folder (the tests folder's parent, not this file's __FILE__,
// which a package build maps to a relative path): the check reads the
// sources, not the run folder.
const std::string g_project = TESTS_SOURCE_DIR "/..";

const std::string g_locales = g_project + "/data/locales";

// The run folder, where the tests run and the checker is built.

std::string ShippedCatalog(const std::string& language)
{
    return g_locales + "/" + language + ".po";
}

// Runs the catalog check on a source folder; returns its exit status and
// fills its report.
int CheckCatalog(const std::string& sources, std::string& report,
                 const std::string& catalog = ShippedCatalog("zh_CN"))
{
    const std::string command =
        "sh " + g_locales + "/check_catalog.sh " + sources + " " + catalog + " 2>&1";
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
        EXPECT_EQ(CheckCatalog(g_project + "/src", report, ShippedCatalog(language)), 0)
            << language << report;
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

TEST(Catalog, CheckNamesLostKeysAndAsciiPunctuation)
{
    const std::string code =
        "a = _(\"&OK\"); b = _(\"About...\\tF1\"); c = _(\"S&elect mode:\");\n";
    const std::string header =
        "msgid \"\"\nmsgstr \"Content-Type: text/plain; charset=UTF-8\\n\"\n";
    // 确定(&O), 关于...\tF1, 选择模式(&E)： -- then each one spoilt.
    const std::string good =
        header + "msgid \"&OK\"\nmsgstr \"\xe7\xa1\xae\xe5\xae\x9a(&O)\"\n"
                 "msgid \"About...\\tF1\"\nmsgstr \"\xe5\x85\xb3\xe4\xba\x8e...\\tF1\"\n"
                 "msgid \"S&elect mode:\"\nmsgstr "
                 "\"\xe9\x80\x89\xe6\x8b\xa9\xe6\xa8\xa1\xe5\xbc\x8f(&E)\xef\xbc\x9a\"\n";
    const std::string spoilt = header +
                               "msgid \"&OK\"\nmsgstr \"\xe7\xa1\xae\xe5\xae\x9a\"\n"
                               "msgid \"About...\\tF1\"\nmsgstr \"\xe5\x85\xb3\xe4\xba\x8e...\"\n"
                               "msgid \"S&elect mode:\"\nmsgstr "
                               "\"\xe9\x80\x89\xe6\x8b\xa9\xe6\xa8\xa1\xe5\xbc\x8f(&E):\"\n";
    ScopedWorkDir work({{"src/ui.cpp", code}, {"good.po", good}, {"spoilt.po", spoilt}});
    const std::string dir = work.Path().utf8_string();
    std::string report;
    EXPECT_EQ(CheckCatalog(dir + "/src", report, dir + "/good.po"), 0) << report;

    report.clear();
    EXPECT_NE(CheckCatalog(dir + "/src", report, dir + "/spoilt.po"), 0);
    for (const char* why : {"drops the access key &O", "drops the shortcut F1",
                            "writes an ASCII colon or bracket in Chinese text"})
        EXPECT_NE(report.find(why), std::string::npos) << why << "\n" << report;
}

#ifndef __WINDOWS__
// The checker in the run folder finds its catalog beside it and speaks the
// language the locale names: the same file in Chinese and in English.
TEST(Catalog, CheckerSpeaksTheLanguageOfTheLocale)
{
    const std::string rules = "<rules>\n<rule><id>a</id><pg_type>int</pg_type><content>Q"
                              "</content><lower_price>\xe2\x88\x92"
                              "150</lower_price></rule>\n"
                              "</rules>\n";
    const std::string checker = wxGetCwd().utf8_string() + "/amorquant-check";
    ScopedWorkDir work({{"rules.xml", rules}});
    const auto run = [&](const std::string& locale, const std::string& args)
    {
        std::string output;
        const std::string command = "env -u LANGUAGE -u LC_ALL -u LC_MESSAGES LANG=" + locale +
                                    " " + checker + " " + args + " 2>&1";
        FILE* pipe = popen(command.c_str(), "r");
        char buffer[512];
        while (fgets(buffer, sizeof buffer, pipe))
            output += buffer;
        pclose(pipe);
        return output;
    };
    // 不是数字，读作 0：它以数学减号（U+2212）开头…… / 用法：
    EXPECT_EQ(
        run("zh_CN.UTF-8", "rules.xml"),
        "rules.xml:2: <lower_price> '\xe2\x88\x92"
        "150' "
        "\xe4\xb8\x8d\xe6\x98\xaf\xe6\x95\xb0\xe5\xad\x97\xef\xbc\x8c\xe8\xaf\xbb\xe4\xbd\x9c 0"
        "\xef\xbc\x9a\xe5\xae\x83\xe4\xbb\xa5\xe6\x95\xb0\xe5\xad\xa6\xe5\x87\x8f\xe5\x8f\xb7"
        "\xef\xbc\x88U+2212\xef\xbc\x89\xe5\xbc\x80\xe5\xa4\xb4\xef\xbc\x8c\xe5\x8f\xaa\xe6\x98"
        "\xaf\xe7\x9c\x8b\xe8\xb5\xb7\xe6\x9d\xa5\xe5\x83\x8f\xe5\x87\x8f\xe5\x8f\xb7\xef\xbc\x9b"
        "\xe8\xaf\xb7\xe8\xbe\x93\xe5\x85\xa5\xe5\x8d\x8a\xe8\xa7\x92\xe5\x87\x8f\xe5\x8f\xb7"
        "\xe2\x80\x9c-\xe2\x80\x9d\n");
    EXPECT_EQ(run("zh_CN.UTF-8", "--help").rfind("\xe7\x94\xa8\xe6\xb3\x95\xef\xbc\x9a", 0), 0u);
    EXPECT_EQ(run("en_US.UTF-8", "rules.xml"),
              "rules.xml:2: <lower_price> '\xe2\x88\x92"
              "150' is not a number and reads as 0: it "
              "starts with U+2212 MINUS SIGN, which only looks like a minus sign; type the ASCII "
              "'-'\n");
    EXPECT_EQ(run("C.UTF-8", "--help").rfind("usage: ", 0), 0u);
}
#endif
