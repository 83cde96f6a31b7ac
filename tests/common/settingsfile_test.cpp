#include "common/config.h"
#include "common/settings.h"
#include "support/workdir.h"
#include "support/wxtest.h"

#include <gtest/gtest.h>
#include <wx/config.h>
#include <wx/dir.h>
#include <wx/ffile.h>
#include <wx/filename.h>
#include <wx/log.h>
#include <wx/stdpaths.h>

#ifndef __WINDOWS__
#include <cerrno>
#include <clocale>
#include <fstream>
#include <sys/mount.h>
#include <sys/wait.h>
#include <unistd.h>

// The settings file shared by copies of the program. (On Windows the
// registry is written key by key.)
namespace
{
wxString SettingsPath()
{
    return wxStandardPaths::Get().GetUserConfigDir() + "/" + settings::g_appName + ".conf";
}

wxString FileText(const wxString& path = SettingsPath())
{
    wxString text;
    wxFFile file(path);
    if (file.IsOpened())
        file.ReadAll(&text);
    return text;
}

// This process starts as a copy of the program does, on the file as it is.
void StartCopy()
{
    delete wxConfigBase::Set(nullptr);
    OpenConfigStore();
}

// Starts another process, a second copy with a store of its own, which runs
// the body and ends saying whether all it saved was saved.
template <typename Body> pid_t StartAnotherCopy(Body body)
{
    const pid_t pid = fork();
    if (pid == 0)
    {
        // The store inherited is this copy's: left alone, never written.
        wxConfigBase::Set(nullptr);
        OpenConfigStore();
        _exit(body() ? 0 : 1);
    }
    return pid;
}

bool SavedAll(pid_t copy)
{
    int status = 0;
    return copy > 0 && waitpid(copy, &status, 0) == copy && WIFEXITED(status) &&
           WEXITSTATUS(status) == 0;
}

bool Save()
{
    wxString failure;
    return settings::Save(failure);
}

// Another copy chooses a language and saves it.
bool AnotherCopyChooses(const wxString& language)
{
    return SavedAll(StartAnotherCopy(
        [&]
        {
            settings::Write(settings::g_uiLanguage, language);
            return Save();
        }));
}
} // namespace

TEST(SettingsCopies, AnotherCopysChoiceSurvivesThisCopysClose)
{
    wxtest::ResetConfigStore();
    settings::Write(settings::g_uiLanguage, "en");
    ASSERT_TRUE(Save());

    StartCopy();
    EXPECT_EQ(settings::Read(settings::g_uiLanguage), "en");
    ASSERT_TRUE(AnotherCopyChooses("zh_CN"));
    settings::Write(settings::g_frameRemember, 1);
    settings::Write(settings::g_frameX, -12);
    ASSERT_TRUE(Save());
    StartCopy();
    EXPECT_EQ(settings::Read(settings::g_uiLanguage), "zh_CN") << FileText();
    EXPECT_EQ(settings::Read(settings::g_frameX), -12);

    // This copy's own later choice is newer than the other's.
    settings::Write(settings::g_uiLanguage, "default");
    ASSERT_TRUE(Save());
    StartCopy();
    EXPECT_EQ(settings::Read(settings::g_uiLanguage), "default");
    wxtest::ResetConfigStore();
}

// The settings file is a link into a folder of the user's own.
TEST(SettingsCopies, ADefaultRecordedByAReadNeverReplacesAChoice)
{
    wxtest::ResetConfigStore();
    const std::filesystem::path dotfiles = MakeTempFolder("amorquant-dotfiles-");
    const wxString linked = wxString((dotfiles / "Pairavel.conf").native());
    ASSERT_EQ(symlink(linked.fn_str(), SettingsPath().fn_str()), 0);
    StartCopy();
    // A start that finds no language records an empty one.
    EXPECT_EQ(settings::Read(settings::g_uiLanguage), "");
    ASSERT_TRUE(AnotherCopyChooses("zh_CN"));
    settings::Write(settings::g_frameY, 7);
    ASSERT_TRUE(Save());
    EXPECT_TRUE(FileText(linked).Contains("ui_language=zh_CN")) << FileText(linked);
    EXPECT_TRUE(FileText(linked).Contains("y=7")) << FileText(linked);
    EXPECT_TRUE(std::filesystem::is_symlink(SettingsPath().fn_str().data()));
    std::filesystem::remove(SettingsPath().fn_str().data());
    std::filesystem::remove_all(dotfiles);
    wxtest::ResetConfigStore();
}

TEST(SettingsCopies, CopiesSavingAtOnceLoseNothing)
{
    wxtest::ResetConfigStore();
    ASSERT_TRUE(Save());
    constexpr int copies = 6, keys = 12;
    std::vector<pid_t> children;
    for (int copy = 0; copy < copies; ++copy)
        children.push_back(StartAnotherCopy(
            [copy]
            {
                bool saved = true;
                for (int key = 0; key < keys; ++key)
                {
                    wxConfigBase::Get()->Write(wxString::Format("/Copies/c%dk%d", copy, key),
                                               long(key));
                    saved = Save() && saved;
                }
                return saved;
            }));
    for (pid_t pid : children)
        EXPECT_TRUE(SavedAll(pid));
    StartCopy();
    int found = 0;
    for (int copy = 0; copy < copies; ++copy)
        for (int key = 0; key < keys; ++key)
            found += wxConfigBase::Get()->HasEntry(wxString::Format("/Copies/c%dk%d", copy, key));
    EXPECT_EQ(found, copies * keys) << FileText();
    wxtest::ResetConfigStore();
}

// The settings file is a link to a file on a full file system: the write
// fails with the system's real reason, nothing else is logged, and the
// file and the link stay as they were.
TEST(SettingsFile, AFullDiskIsToldOnceWithItsReason)
{
    const std::filesystem::path disk = MakeTempFolder("amorquant-full-");
    if (mount("tmpfs", disk.c_str(), "tmpfs", 0, "size=64k") != 0)
    {
        std::filesystem::remove(disk);
        GTEST_SKIP() << "no small file system to fill here (needs root)";
    }
    const wxString kept = wxString(disk.native()) + "/Pairavel.conf";
    {
        std::ofstream(kept.utf8_string()) << "ui_language=en\n";
        std::ofstream filler((disk / "filler").native());
        const std::string block(4096, 'x');
        while (filler.write(block.data(), block.size()) && filler.flush())
            ;
    }
    wxtest::ResetConfigStore();
    std::filesystem::remove(SettingsPath().fn_str().data());
    ASSERT_EQ(symlink(kept.fn_str(), SettingsPath().fn_str()), 0);
    StartCopy();

    const char* before = std::setlocale(LC_MESSAGES, nullptr);
    const std::string previous = before ? before : "C";
    std::setlocale(LC_MESSAGES, "zh_CN.UTF-8");
    wxtest::ClearLog();
    settings::Write(settings::g_uiLanguage, "zh_CN");
    wxString failure;
    EXPECT_FALSE(settings::Save(failure));
    EXPECT_EQ(failure, SettingsPath() + ": " + wxSysErrorMsgStr(ENOSPC));
    EXPECT_TRUE(wxtest::LoggedMessages().empty());
    std::setlocale(LC_MESSAGES, previous.c_str());

    EXPECT_EQ(FileText(kept), "ui_language=en\n");
    EXPECT_TRUE(
        wxFileName::Exists(SettingsPath(), wxFILE_EXISTS_SYMLINK | wxFILE_EXISTS_NO_FOLLOW));
    wxArrayString names;
    EXPECT_EQ(wxDir::GetAllFiles(disk.native(), &names), 2u);

    delete wxConfigBase::Set(nullptr);
    umount2(disk.c_str(), MNT_DETACH);
    std::filesystem::remove(disk);
    std::filesystem::remove(SettingsPath().fn_str().data());
    wxtest::ResetConfigStore();
}
#endif
