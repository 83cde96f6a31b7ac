#include "common/settings.h"
#include "i18n/chooser.h"
#include "i18n/language.h"
#include "support/wxtest.h"

#include <gtest/gtest.h>
#include <wx/intl.h>

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
