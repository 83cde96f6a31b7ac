#include "common/settings.h"
#include "i18n/chooser.h"
#include "i18n/language.h"
#include "support/wxtest.h"

#include <gtest/gtest.h>
#include <wx/dir.h>
#include <wx/filename.h>
#include <wx/intl.h>
#include <wx/stdpaths.h>

// Garbage in the stored language: the start-up reports it in a message box
// of ordinary size, uses the default language and leaves the value alone.
TEST(StoredLanguage, GarbageOfAnyLengthIsReportedShortAndKept)
{
    wxtest::ResetConfigStore();
    const wxString garbage = wxString('z', 100000) + wxString::FromUTF8("\x01\xe2\x80\xae");
    settings::Write(settings::g_uiLanguage, garbage);
    wxtest::ClearLog();
    EXPECT_EQ(LoadLanguage(), wxLANGUAGE_DEFAULT);
    ASSERT_EQ(wxtest::LoggedMessages().size(), 1u);
    EXPECT_TRUE(wxtest::LogContains("Uknown locale code 'zzz"));
    EXPECT_LT(wxtest::LoggedMessages()[0].length(), 120u);
    EXPECT_EQ(StoredLanguageCode(), garbage);
    wxtest::ClearLog();
}

// A folder in place of the settings file: the language choice cannot be
// written, the failure names the file and the reason, and no temporary file
// is left beside it, however often it is tried.
TEST(StoredLanguage, AFolderInPlaceOfTheFileLeavesNoStrayFiles)
{
#ifdef __WINDOWS__
    GTEST_SKIP() << "the store is the registry there";
#endif
    wxtest::ResetConfigStore();
    const wxString dir = wxStandardPaths::Get().GetUserConfigDir();
    const wxString file = dir + "/" + settings::g_appName + ".conf";
    ASSERT_TRUE(wxFileName::Mkdir(file + "/inside", wxS_DIR_DEFAULT, wxPATH_MKDIR_FULL));
    const auto entries = [&]
    {
        wxArrayString names;
        wxDir::GetAllFiles(dir, &names, wxString(), wxDIR_FILES | wxDIR_DIRS);
        return names.size();
    };
    const size_t before = entries();
    for (int language : {wxLANGUAGE_ENGLISH, wxLANGUAGE_DEFAULT})
    {
        wxString failure;
        EXPECT_FALSE(SaveLanguage(language, failure));
        EXPECT_TRUE(failure.StartsWith(file + ": ")) << failure;
    }
    wxString failure;
    EXPECT_FALSE(settings::Save(failure));
    EXPECT_EQ(entries(), before);
    EXPECT_TRUE(wxDirExists(file + "/inside"));
    wxFileName::Rmdir(file, wxPATH_RMDIR_RECURSIVE);
    wxtest::ResetConfigStore();
}
