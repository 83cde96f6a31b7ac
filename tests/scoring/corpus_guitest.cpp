#include "app/frame.h"
#include "support/workdir.h"
#include "support/wxtest.h"

#include <gtest/gtest.h>
#include <wx/ffile.h>
#include <wx/html/htmlwin.h>
#include <wx/propgrid/propgrid.h>
#include <wx/stopwatch.h>
#include <wx/textfile.h>

#include <sstream>

// Hostile and broken rule files: the window must neither crash, hang nor
// trip an assertion; it shows what it could read and prices exactly that.
namespace
{
struct Outcome
{
    int rows = 0;
    wxString page;
    wxString labels;
    long milliseconds = 0;
};

Outcome OpenChecklist(const std::string& ruleFile)
{
    ScopedWorkDir work({{"rules/rules_gf_normal-zh_CN.xml", ruleFile}});
    wxStopWatch watch;
    auto* frame = new QuorvelFrame(nullptr, wxID_ANY);
    Outcome outcome;
    outcome.milliseconds = watch.Time();
    auto* grid = dynamic_cast<wxPropertyGrid*>(wxWindow::FindWindowByName("wxPropertyGrid", frame));
    for (auto it = grid->GetIterator(wxPG_ITERATE_PROPERTIES); !it.AtEnd(); ++it)
    {
        ++outcome.rows;
        outcome.labels += (*it)->GetLabel();
    }
    outcome.page =
        dynamic_cast<wxHtmlWindow*>(wxWindow::FindWindowByName("ID_HTMLWINDOW_RESULT", frame))
            ->ToText();
    frame->Destroy();
    wxtest::ClearLog(); // what the parser reported is expected here
    return outcome;
}

wxString TotalText(long total)
{
    return wxString::FromUTF8("\uFF1A") + wxString::Format("%ld", total) +
           wxString::FromUTF8("\uFF0C");
}

std::string ReadFile(const wxString& path)
{
    wxFFile file(path, "rb");
    std::string data(file.Length(), '\0');
    file.Read(data.data(), data.size());
    return data;
}

class RuleCorpusTest : public testing::Test
{
protected:
    void SetUp() override { wxtest::ResetConfigStore(); }
};
} // namespace

TEST_F(RuleCorpusTest, EachFileShowsWhatCouldBeReadAndPricesIt)
{
    const wxString dir = TESTS_SOURCE_DIR "/scoring/corpus/";
    wxTextFile manifest(dir + "expected.txt");
    ASSERT_TRUE(manifest.Open());
    int cases = 0;
    for (wxString line = manifest.GetFirstLine(); !manifest.Eof(); line = manifest.GetNextLine())
    {
        if (line.empty() || line.StartsWith("#"))
            continue;
        std::istringstream fields(line.utf8_string());
        std::string name;
        int rows;
        long total;
        fields >> name >> rows >> total;
        SCOPED_TRACE(name);
        const Outcome outcome = OpenChecklist(ReadFile(dir + name + ".xml"));
        if (rows >= 0)
            EXPECT_EQ(outcome.rows, rows);
        EXPECT_TRUE(outcome.page.Contains(TotalText(total))) << outcome.page.utf8_string();
        EXPECT_LT(outcome.milliseconds, 2000);
        // An external entity must never pull a local file into the checklist.
        EXPECT_FALSE(outcome.labels.Contains("root:"));
        ++cases;
    }
    EXPECT_GE(cases, 30);
}

TEST_F(RuleCorpusTest, DeepNestingIsRefused)
{
    std::string deep = "<rules><rule><id>a</id><pg_type>bool</pg_type><content>";
    for (int i = 0; i < 100000; ++i)
        deep += "<n>";
    for (int i = 0; i < 100000; ++i)
        deep += "</n>";
    deep += "</content></rule></rules>";
    const Outcome outcome = OpenChecklist(deep);
    EXPECT_LE(outcome.rows, 1);
    EXPECT_TRUE(outcome.page.Contains(TotalText(1000)));
    EXPECT_LT(outcome.milliseconds, 5000);
}
