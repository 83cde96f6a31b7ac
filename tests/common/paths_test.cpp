#include "common/paths.h"
#include "support/workdir.h"

#include <gtest/gtest.h>
#include <wx/filefn.h>
#include <wx/filename.h>

// The tests run in the run folder, which holds the program's data.
TEST(DataFolders, AnAuthorsFolderLendsWhatItLacksFromTheProgramsOwn)
{
    const wxString run = wxFileName(wxGetCwd(), wxString()).GetPathWithSep();
    const wxString program = run + "amorquant";
    const auto ownCopy = [&](const wxString& path) { return run + NativePath(path); };
    std::vector<wxString> tried;
    {
        ScopedWorkDir author({{wxString("rules/rules_gf_normal-zh_CN.xml"), "<rules/>"}});
        ASSERT_TRUE(FindDataFolder(program, tried));
        EXPECT_EQ(DataPath("rules\\rules_gf_normal-zh_CN.xml"),
                  NativePath("rules\\rules_gf_normal-zh_CN.xml"));
        EXPECT_EQ(DataPath("img\\Quorvel_01.ico"), ownCopy("img\\Quorvel_01.ico"));
        EXPECT_EQ(DataPath("locales\\"), ownCopy("locales\\"));

        // Pictures of the author's own, too.
        author.Write("img/Quorvel_01.ico", "");
        ASSERT_TRUE(FindDataFolder(program, tried));
        EXPECT_EQ(DataPath("img\\Quorvel_01.ico"), NativePath("img\\Quorvel_01.ico"));
        EXPECT_EQ(DataPath("locales\\"), ownCopy("locales\\"));
    }
    {
        // Without rules a folder is no data folder, whatever else it holds.
        ScopedWorkDir photos({{"img/holiday.png", ""}, {"locales/notes.txt", ""}});
        ASSERT_TRUE(FindDataFolder(program, tried));
        EXPECT_EQ(DataPath("img\\Quorvel_01.ico"), ownCopy("img\\Quorvel_01.ico"));
        EXPECT_EQ(DataPath("rules\\rules_gf_normal-zh_CN.xml"),
                  ownCopy("rules\\rules_gf_normal-zh_CN.xml"));

        // Nowhere: the working folder is kept, and every folder tried is told.
        EXPECT_FALSE(FindDataFolder(run + "elsewhere/bin/amorquant", tried));
        EXPECT_EQ(DataPath("img\\Quorvel_01.ico"), NativePath("img\\Quorvel_01.ico"));
        EXPECT_GE(tried.size(), 2u);
    }
    FindDataFolder(program, tried);
}
