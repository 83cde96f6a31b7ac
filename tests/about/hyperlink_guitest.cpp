#include "about/hyperlink.h"
#include "common/launch.h"
#include "support/launches.h"
#include "support/window.h"
#include "support/workdir.h"
#include "support/wxtest.h"

#include <gtest/gtest.h>
#include <wx/frame.h>
#include <wx/mimetype.h>
#include <wx/utils.h>
#ifdef __WINDOWS__
#include <wx/msw/registry.h>
#else
#include <gio/gio.h>
#endif

#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <memory>
#include <vector>

namespace
{
std::vector<wxString> s_commands;
bool RecordCommand(const wxString& command, const OpenOutcome&)
{
    s_commands.push_back(command);
    return true;
}

#ifdef __WINDOWS__
// Makes the desktop know one handler, registered for the given MIME types
// (and only those of the two the link uses), in the registry's classes.
class DesktopHandler
{
public:
    explicit DesktopHandler(const std::string& mimeTypes)
    {
        for (const wxString type : {"text/html", "message/rfc822"})
        {
            wxRegKey key(wxRegKey::HKCR, s_contentTypes + type);
            Saved saved{type, key.Exists() && key.HasValue("Extension"), wxString()};
            if (saved.had)
                key.QueryValue("Extension", saved.extension);
            m_saved.push_back(saved);
            if (mimeTypes.find(type.ToStdString() + ";") != std::string::npos)
                key.Create() && key.SetValue("Extension", s_extension);
            else if (saved.had)
                key.DeleteValue("Extension");
        }
        wxRegKey(wxRegKey::HKCR, s_extension).Create() &&
            wxRegKey(wxRegKey::HKCR, s_extension).SetValue("", s_class);
        wxRegKey command(wxRegKey::HKCR, s_class + "\\shell\\open\\command");
        command.Create() &&
            command.SetValue("", "C:\\recorder\\open.exe file://%1 --from=file://amorquant");
        Reload();
    }
    ~DesktopHandler()
    {
        for (const Saved& saved : m_saved)
        {
            wxRegKey key(wxRegKey::HKCR, s_contentTypes + saved.type);
            if (saved.had)
                key.SetValue("Extension", saved.extension);
            else if (key.Exists() && key.HasValue("Extension"))
                key.DeleteValue("Extension");
        }
        wxRegKey(wxRegKey::HKCR, s_extension).DeleteSelf();
        wxRegKey(wxRegKey::HKCR, s_class).DeleteSelf();
        Reload();
    }

private:
    struct Saved
    {
        wxString type;
        bool had;
        wxString extension;
    };
    static void Reload()
    {
        wxTheMimeTypesManager->ClearData();
        wxTheMimeTypesManager->Initialize();
    }
    static inline const wxString s_contentTypes = "MIME\\Database\\Content Type\\";
    static inline const wxString s_extension = ".amorquant-test";
    static inline const wxString s_class = "AmorquantTest.Recorder";
    std::vector<Saved> m_saved;
};
const char g_opener[] = "C:\\recorder\\open.exe";
#else
// Makes the desktop know one handler, registered for the given MIME types,
// by a desktop entry in a private data folder.
class DesktopHandler
{
public:
    explicit DesktopHandler(const std::string& mimeTypes)
    {
        m_folder = MakeTempFolder("amorquant-xdg-");
        std::filesystem::create_directory(m_folder / "applications");
        std::ofstream(m_folder / "applications" / "recorder.desktop")
            << "[Desktop Entry]\nType=Application\nName=Recorder\n"
            << "Exec=/opt/recorder/open file://%u --from=file://amorquant\n"
            << "MimeType=" << mimeTypes << "\n";
        m_hadDirs = wxGetEnv("XDG_DATA_DIRS", &m_oldDirs);
        // GLib reads the MIME database's folders once, when first asked,
        // and keeps them: were that now, the toolkit would never again tell
        // an image file's format.
        g_free(g_content_type_guess("image.png", nullptr, 0, nullptr));
        wxSetEnv("XDG_DATA_DIRS", m_folder.string());
        Reload();
    }
    ~DesktopHandler()
    {
        if (m_hadDirs)
            wxSetEnv("XDG_DATA_DIRS", m_oldDirs);
        else
            wxUnsetEnv("XDG_DATA_DIRS");
        Reload();
        std::filesystem::remove_all(m_folder);
    }

private:
    static void Reload()
    {
        wxTheMimeTypesManager->ClearData();
        wxTheMimeTypesManager->Initialize();
    }
    std::filesystem::path m_folder;
    bool m_hadDirs = false;
    wxString m_oldDirs;
};

const char g_opener[] = "/opt/recorder/open";
#endif

const char g_bothTypes[] = "text/html;message/rfc822;";

void Send(wxWindow* window, wxEventType type)
{
    wxMouseEvent event(type);
    event.SetEventObject(window);
    window->GetEventHandler()->ProcessEvent(event);
}

class HyperLinkTest : public testing::Test
{
protected:
    void SetUp() override
    {
        s_commands.clear();
        m_previous = SetCommandLauncher(RecordCommand);
        frame = new wxFrame(nullptr, wxID_ANY, "links");
    }
    void TearDown() override
    {
        SetCommandLauncher(m_previous);
        frame->Destroy();
        wxTheApp->ProcessIdle();
    }
    wxHyperLink* MakeLink(const wxString& label, const wxString& url = wxString())
    {
        auto* link = new wxHyperLink(frame, wxID_ANY, label);
        link->SetURL(url);
        return link;
    }
    // What a click on a link with this label and URL would start.
    std::vector<wxString> Click(const wxString& label, const wxString& url)
    {
        s_commands.clear();
        Send(MakeLink(label, url), wxEVT_LEFT_DOWN);
        return s_commands;
    }

    wxFrame* frame = nullptr;
    CommandLauncher m_previous = nullptr;
};
} // namespace

TEST_F(HyperLinkTest, IsBorderlessUnderlinedAndSizedToItsFirstLabel)
{
    wxClassInfo* info = wxClassInfo::FindClass("wxHyperLink");
    ASSERT_TRUE(info && info->IsKindOf(wxCLASSINFO(wxControl)));
    auto* link = dynamic_cast<wxHyperLink*>(info->CreateObject());
    ASSERT_TRUE(link);
    EXPECT_TRUE(link->Create(frame, wxID_ANY, "www.larkvale.net", wxDefaultPosition, wxDefaultSize,
                             wxBORDER_SIMPLE | wxTAB_TRAVERSAL));
    EXPECT_EQ(link->GetName(), "wxHyperLink");
    EXPECT_EQ(link->GetWindowStyleFlag() & wxBORDER_MASK, long(wxBORDER_NONE));
    EXPECT_TRUE(link->HasFlag(wxTAB_TRAVERSAL));
    EXPECT_TRUE(link->GetFont().GetUnderlined());

    wxSize text;
    link->GetTextExtent("www.larkvale.net", &text.x, &text.y);
    EXPECT_GT(text.x, 0);
    EXPECT_EQ(link->GetSize(), text);
    link->SetLabel("a label a good deal longer than the first one");
    link->InvalidateBestSize();
    EXPECT_EQ(link->GetBestSize(), text);
}

TEST_F(HyperLinkTest, ColourAndPointerFollowTheMouse)
{
    wxHyperLink* link = MakeLink("no scheme, opens nothing");
    const wxColour normal("BLUE"), hover("RED");
    const wxColour panel = link->GetBackgroundColour();
    auto shows = [&](const wxColour& colour, bool hand)
    {
        EXPECT_EQ(link->GetForegroundColour(), colour);
        EXPECT_EQ(link->GetCursor().IsOk(), hand);
        if (hand)
        {
            EXPECT_TRUE(link->GetCursor().IsSameAs(link->GetLinkCursor()));
        }
    };
    ASSERT_EQ(link->GetVisitedColour(), wxColour("PURPLE"));
    shows(normal, false);
    Send(link, wxEVT_ENTER_WINDOW);
    shows(hover, true);
    Send(link, wxEVT_LEAVE_WINDOW);
    shows(normal, false);
    // Colours of a state not shown are only stored.
    link->SetVisitedColour(*wxCYAN);
    shows(normal, false);

    link->SetBackgroundColour(*wxGREEN);
    Send(link, wxEVT_ENTER_WINDOW);
    Send(link, wxEVT_LEFT_DOWN);
    shows(*wxCYAN, true);
    EXPECT_EQ(link->GetBackgroundColour(), panel);
    Send(link, wxEVT_LEAVE_WINDOW);
    shows(*wxCYAN, false);
    link->SetHoverColour(*wxBLACK);
    link->SetLinkColour(*wxGREEN);
    shows(*wxCYAN, false);
    Send(link, wxEVT_ENTER_WINDOW);
    shows(*wxBLACK, true);
    Send(link, wxEVT_LEAVE_WINDOW);
    shows(*wxCYAN, false);
    EXPECT_TRUE(s_commands.empty());
}

TEST_F(HyperLinkTest, OpensWebAndMailTargetsWithTheDesktopHandler)
{
    DesktopHandler handler(g_bothTypes);
    // What the desktop itself hands out, before the link cleans it up.
    std::unique_ptr<wxFileType> html(wxTheMimeTypesManager->GetFileTypeFromMimeType("text/html"));
    wxString raw;
    ASSERT_TRUE(html && html->GetOpenCommand(&raw, wxFileType::MessageParameters(
                                                       "http://www.larkvale.net/", wxString())));
    EXPECT_EQ(raw, wxString(g_opener) + " file://http://www.larkvale.net/ --from=file://amorquant");

    const struct
    {
        const char* label;
        const char* url; // empty: the label is the target
        bool opens;
    } cases[] = {
        {"home", "http://www.larkvale.net/", true},
        {"files", "ftp://ftp.larkvale.net/pub", true},
        {"mail", "mailto:amorquant@larkvale.net", true},
        {"secure", "https://www.larkvale.net/", false},
        {"capitals", "HTTP://WWW.LARKVALE.NET/", false},
        {"local", "file:///tmp/page.html", false},
        {"www.larkvale.net", "", false},
        {"http://www.larkvale.net/", "", true},
    };
    for (const auto& c : cases)
    {
        const auto started = Click(c.label, c.url);
        const wxString target = *c.url ? c.url : c.label;
        ASSERT_EQ(started.size(), c.opens ? 1u : 0u) << target;
        if (c.opens)
        {
            EXPECT_EQ(started[0], g_opener + (" " + target) + " --from=amorquant");
        }
    }
}

TEST_F(HyperLinkTest, EachKindNeedsItsOwnHandler)
{
    {
        DesktopHandler webOnly("text/html;");
        EXPECT_EQ(Click("web", "http://www.larkvale.net/").size(), 1u);
        EXPECT_EQ(Click("files", "ftp://ftp.larkvale.net/").size(), 1u);
        EXPECT_TRUE(Click("mail", "mailto:amorquant@larkvale.net").empty());
    }
    DesktopHandler mailOnly("message/rfc822;");
    EXPECT_EQ(Click("mail", "mailto:amorquant@larkvale.net").size(), 1u);
    wxtest::ClearLog();
    // No browser: the user is told, with the address to copy.
    EXPECT_TRUE(Click("web", "http://www.larkvale.net/").empty());
    ASSERT_EQ(wxtest::LoggedMessages().size(), 1u);
    EXPECT_TRUE(wxtest::LogContains("\nhttp://www.larkvale.net/"));
    wxtest::ClearLog();
}

TEST_F(HyperLinkTest, AHandlerThatCannotStartOrFailsIsReported)
{
    DesktopHandler handler(g_bothTypes);
    const CommandLauncher recorder =
        SetCommandLauncher([](const wxString&, const OpenOutcome&) { return false; });
    wxtest::ClearLog();
    Send(MakeLink("home", "http://www.larkvale.net/"), wxEVT_LEFT_DOWN);
    SetCommandLauncher(recorder);
    EXPECT_TRUE(wxtest::LogContains("\nhttp://www.larkvale.net/"));
    wxtest::ClearLog();

    FailingOpeners failing;
    Send(MakeLink("mail", "mailto:amorquant@larkvale.net"), wxEVT_LEFT_DOWN);
    EXPECT_TRUE(WaitUntil([] { return wxtest::LogContains("\nmailto:amorquant@larkvale.net"); }));
    EXPECT_EQ(wxtest::LoggedMessages().size(), 1u);
    wxtest::ClearLog();
}

TEST_F(HyperLinkTest, OneDoubleClickOpensOnce)
{
    DesktopHandler handler(g_bothTypes);
    wxHyperLink* link = MakeLink("home", "http://www.larkvale.net/");
    for (wxEventType type : {wxEVT_LEFT_DOWN, wxEVT_LEFT_UP, wxEVT_LEFT_DCLICK, wxEVT_LEFT_UP})
        Send(link, type);
    EXPECT_EQ(s_commands.size(), 1u);
    EXPECT_EQ(link->GetForegroundColour(), link->GetVisitedColour());

    Send(link, wxEVT_LEFT_DOWN);
    EXPECT_EQ(s_commands.size(), 2u);
}

namespace
{
double Luminance(const wxColour& colour)
{
    double sum = 0;
    const double weights[] = {0.2126, 0.7152, 0.0722};
    const unsigned char values[] = {colour.Red(), colour.Green(), colour.Blue()};
    for (int i = 0; i < 3; ++i)
    {
        const double c = values[i] / 255.0;
        sum += weights[i] * (c <= 0.03928 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4));
    }
    return sum;
}

double Contrast(const wxColour& a, const wxColour& b)
{
    const double la = Luminance(a), lb = Luminance(b);
    return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}
} // namespace

// On a light background the link keeps its blue, red and purple, whatever
// the theme's link colour; on a dark one it takes the theme's link colour,
// and every colour reads against the background.
TEST(LinkColours, FollowTheBackground)
{
    const LinkColours specified{wxColour("BLUE"), wxColour("RED"), wxColour("PURPLE")};
    const wxColour themeLink(0x1A, 0x5F, 0xB4);
    for (const wxColour& light : {*wxWHITE, wxColour(0xF6, 0xF5, 0xF4), wxColour(0xC0, 0xC0, 0xC0)})
    {
        const LinkColours chosen = LinkColoursOn(light, specified, themeLink);
        EXPECT_EQ(chosen.link, specified.link);
        EXPECT_EQ(chosen.hover, specified.hover);
        EXPECT_EQ(chosen.visited, specified.visited);
    }
    const wxColour darkGrey(0x2D, 0x2D, 0x2D);
    const wxColour lightBlue(0x8A, 0xB4, 0xF8);
    EXPECT_EQ(LinkColoursOn(darkGrey, specified, lightBlue).link, lightBlue);
    for (const wxColour& dark : {darkGrey, *wxBLACK, wxColour(0x35, 0x35, 0x35)})
        for (const wxColour& theme : {lightBlue, themeLink, wxColour()})
        {
            const LinkColours chosen = LinkColoursOn(dark, specified, theme);
            for (const wxColour& colour : {chosen.link, chosen.hover, chosen.visited})
                EXPECT_GE(Contrast(colour, dark), 4.5) << colour.GetAsString().utf8_string();
            EXPECT_NE(chosen.hover, chosen.visited);
        }
}
