#include "app/frame.h"
#include "common/settings.h"
#include "i18n/chooser.h"
#include "i18n/language.h"
#include "support/window.h"
#include "support/wxtest.h"

#include <clocale>

#include <gtest/gtest.h>
#include <wx/choicdlg.h>
#include <wx/dialog.h>
#include <wx/filename.h>
#include <wx/html/htmlwin.h>
#include <wx/intl.h>
#include <wx/listbox.h>
#include <wx/menu.h>
#include <wx/testing.h>
#include <wx/utils.h>

// An unexpected dialog is a failure, and is cancelled so it never waits for
// a person.
class StrictModalHook : public wxTestingModalHook
{
public:
    using wxTestingModalHook::wxTestingModalHook;

protected:
    int Enter(wxDialog* dialog) override
    {
        const int result = wxTestingModalHook::Enter(dialog);
        return result == wxID_NONE ? wxID_CANCEL : result;
    }
};
#undef wxTEST_DIALOG_HOOK_CLASS
#define wxTEST_DIALOG_HOOK_CLASS StrictModalHook

namespace
{
const int g_cancel = -1;

wxString Choices(wxDialog* dialog)
{
    for (wxWindow* child : dialog->GetChildren())
        if (auto* list = dynamic_cast<wxListBox*>(child))
            return wxJoin(list->GetStrings(), '|');
    return "(no list)";
}

// Answers the language dialog with a row, or cancels it.
class ExpectLanguageDialog : public wxExpectModalBase<wxSingleChoiceDialog, ExpectLanguageDialog>
{
public:
    explicit ExpectLanguageDialog(int row) : m_row(row) {}

protected:
    int OnInvoked(wxSingleChoiceDialog* dialog) const override
    {
        EXPECT_EQ(dialog->GetTitle(), "Language selection");
        // Always offered from the first row, whatever is stored.
        EXPECT_EQ(dialog->GetSelection(), 0);
        EXPECT_EQ(Choices(dialog), "(Use default language)|Chinese (Simplified)|English");
        if (m_row == g_cancel)
            return wxID_CANCEL;
        dialog->SetSelection(m_row);
        return wxID_OK;
    }

private:
    int m_row;
};

class ExpectRestartNotice : public wxExpectModalBase<wxMessageDialog, ExpectRestartNotice>
{
protected:
    int OnInvoked(wxMessageDialog* dialog) const override
    {
        EXPECT_EQ(dialog->GetMessage(),
                  "You must restart application for this change to take effect.");
        EXPECT_EQ(dialog->GetCaption(), "Confirm");
        EXPECT_TRUE(dialog->GetMessageDialogStyle() & wxICON_INFORMATION);
        return wxID_OK;
    }
};

// Runs code in which no dialog may appear.
template <typename Code> void WithoutDialogs(Code code)
{
    StrictModalHook hook(__FILE__, __LINE__, "WithoutDialogs");
    code();
}

void Store(const wxString& value)
{
    settings::Write(settings::g_uiLanguage, value);
}

class LanguageTest : public testing::Test
{
protected:
    void SetUp() override
    {
        wxtest::ResetConfigStore();
        wxtest::ClearLog();
    }
};
} // namespace

TEST_F(LanguageTest, FirstStartAsksUntilAChoiceIsMade)
{
    int language = 0;
    wxTEST_DIALOG(language = LoadLanguage(), ExpectLanguageDialog(g_cancel));
    EXPECT_EQ(language, wxLANGUAGE_DEFAULT);
    EXPECT_EQ(StoredLanguageCode(), "");

    wxTEST_DIALOG(language = LoadLanguage(), ExpectLanguageDialog(1));
    EXPECT_EQ(language, wxLANGUAGE_CHINESE_SIMPLIFIED);
    EXPECT_EQ(StoredLanguageCode(), "zh_CN");

    WithoutDialogs([&] { language = LoadLanguage(); });
    EXPECT_EQ(language, wxLANGUAGE_CHINESE_SIMPLIFIED);
}

TEST_F(LanguageTest, StoredCodesGiveTheirLanguageWithoutAsking)
{
    const struct
    {
        const char* code;
        int language;
        bool error;
    } cases[] = {
        {"default", wxLANGUAGE_DEFAULT, false}, {"zh_CN", wxLANGUAGE_CHINESE_SIMPLIFIED, false},
        {"en", wxLANGUAGE_ENGLISH, false},      {"fr", wxLANGUAGE_FRENCH, false},
        {"Default", wxLANGUAGE_DEFAULT, true},  {"xx_YY", wxLANGUAGE_DEFAULT, true},
    };
    for (const auto& c : cases)
    {
        Store(c.code);
        wxtest::ClearLog();
        int language = 0;
        WithoutDialogs([&] { language = LoadLanguage(); });
        EXPECT_EQ(language, c.language) << c.code;
        EXPECT_EQ(wxtest::LogContains(wxString::Format("Uknown locale code '%s'", c.code)), c.error)
            << c.code;
        EXPECT_EQ(StoredLanguageCode(), c.code);
    }
}

TEST_F(LanguageTest, LanguageCommandStoresForTheNextStart)
{
    Store("zh_CN");
    wxTEST_DIALOG(ChangeLanguage(), ExpectLanguageDialog(g_cancel));
    EXPECT_EQ(StoredLanguageCode(), "zh_CN");

    wxTEST_DIALOG(ChangeLanguage(), ExpectLanguageDialog(2), ExpectRestartNotice());
    EXPECT_EQ(StoredLanguageCode(), "en");
    wxTEST_DIALOG(ChangeLanguage(), ExpectLanguageDialog(0), ExpectRestartNotice());
    EXPECT_EQ(StoredLanguageCode(), "default");
}

namespace
{
// Starts the language as the program does and opens the main window in it.
struct WindowIn
{
    explicit WindowIn(const wxString& code)
    {
        Store(code);
        WithoutDialogs([&] { StartLanguage(locale, settings::g_appName); });
        frame = new QuorvelFrame(nullptr, wxID_ANY);
    }
    ~WindowIn()
    {
        frame->Destroy();
        wxTheApp->ProcessIdle();
    }
    wxString Label(const wxString& name) const
    {
        return wxWindow::FindWindowByName(name, frame)->GetLabel();
    }
    // The result page is Chinese content in every interface language.
    bool ShowsChineseResultPage() const
    {
        auto* html = ResultView(frame);
        return html->ToText().Contains(wxString::FromUTF8("计算结果(人民币)"));
    }
    wxLocale locale;
    QuorvelFrame* frame = nullptr;
};
} // namespace

namespace
{
// Top-level windows besides the frame that are dialogs or shown. On Wayland
// the library keeps hidden frames of its own, which are no such window; nor
// is an earlier test's frame that waits for deletion (the library leaves the
// last shown one visible until then, and Wine's idle time comes late).
int OtherWindows(const wxWindow* frame)
{
    int others = 0;
    for (wxWindow* window : wxTopLevelWindows)
        others += window != frame && !wxTheApp->IsScheduledForDestruction(window) &&
                  (window->IsShown() || dynamic_cast<const wxDialog*>(window));
    return others;
}

// Each language's window: its texts, the result page, and no other window
// (no dialog, no warning waiting to be shown).
void ExpectWindowsInTheStoredLanguages()
{
    {
        WindowIn window("zh_CN");
        EXPECT_EQ(window.frame->GetTitle(), wxString::FromUTF8("恋人估价器"));
        wxMenuBar* bar = window.frame->GetMenuBar();
        EXPECT_EQ(bar->GetMenuLabel(0), wxString::FromUTF8("文件(&F)"));
        EXPECT_EQ(bar->FindItem(QuorvelFrame::ID_MENU_QUIT)->GetItemLabel(),
                  wxString::FromUTF8("退出\tAlt-F4"));
        EXPECT_EQ(window.Label("ID_BUTTON_CALC"), wxString::FromUTF8("计算(&C)"));
        EXPECT_TRUE(window.ShowsChineseResultPage());
        EXPECT_EQ(OtherWindows(window.frame), 0);
    }
    {
        WindowIn window("en");
        EXPECT_EQ(window.frame->GetTitle(), "Amorquant");
        EXPECT_EQ(window.frame->GetMenuBar()->GetMenuLabel(0), "&File");
        EXPECT_EQ(window.Label("ID_BUTTON_CALC"), "&Calculate");
        // The English catalog mends the slips of the source texts.
        EXPECT_EQ(window.frame->GetMenuBar()->FindItem(QuorvelFrame::ID_MENU_ABOUT)->GetHelp(),
                  "Show version information");
        EXPECT_TRUE(window.ShowsChineseResultPage());
        EXPECT_EQ(OtherWindows(window.frame), 0);
    }
    EXPECT_EQ(wxtest::LoggedMessages(), std::vector<wxString>());
}
} // namespace

TEST_F(LanguageTest, MainWindowComesUpInTheStoredLanguage)
{
    ExpectWindowsInTheStoredLanguages();
}

// As on a fresh install or in a container: no compiled locale but the C
// library's built-in C.UTF-8. The catalogs still give the language.
// Windows has the locales of every language; LOCPATH is the C library's on Linux.
#ifndef __WINDOWS__
TEST_F(LanguageTest, MainWindowComesUpInTheStoredLanguageWithoutItsSystemLocale)
{
    const wxString empty = wxFileName::CreateTempFileName("amorquant-locales");
    ASSERT_TRUE(wxRemoveFile(empty) && wxMkdir(empty));
    wxSetEnv("LOCPATH", empty);
    ExpectWindowsInTheStoredLanguages();
    EXPECT_STREQ(std::setlocale(LC_ALL, nullptr), "C.UTF-8");
    wxUnsetEnv("LOCPATH");
    std::setlocale(LC_ALL, "");
    wxRmdir(empty);
}
#endif
