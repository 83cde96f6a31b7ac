#include "app/frame.h"
#include "scoring/checkcommand.h"
#include "scoring/corpus.h"
#include "scoring/rulefile.h"
#include "support/window.h"
#include "support/workdir.h"
#include "support/wxtest.h"

#include <gtest/gtest.h>
#include <wx/ffile.h>
#include <wx/filename.h>
#include <wx/html/htmlwin.h>
#include <wx/propgrid/propgrid.h>

#include <sstream>
#ifndef __WINDOWS__
#include <sys/stat.h>
#endif

// Hostile and broken rule files: the window must neither crash, hang nor
// trip an assertion; it shows what it could read and prices exactly that.
namespace
{
struct Outcome
{
    int rows = 0;
    wxString page;
    wxString labels;
    bool refused = false; // logged as too large or not a plain file
};

Outcome OpenChecklist(const std::string& ruleFile)
{
    ScopedWorkDir work({{"rules/rules_gf_normal-zh_CN.xml", ruleFile}});
    auto* frame = new QuorvelFrame(nullptr, wxID_ANY);
    Outcome outcome;
    auto* grid = ChecklistGrid(frame);
    for (auto it = grid->GetIterator(wxPG_ITERATE_PROPERTIES); !it.AtEnd(); ++it)
    {
        ++outcome.rows;
        outcome.labels += (*it)->GetLabel();
    }
    outcome.page = ResultView(frame)->ToText();
    frame->Destroy();
    outcome.refused = wxtest::LogContains("not read");
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
    int cases = 0;
    for (const CorpusCase& c : CorpusCases())
    {
        SCOPED_TRACE(c.name);
        const Outcome outcome = OpenChecklist(ReadFile(c.path));
        EXPECT_FALSE(outcome.refused);
        if (c.rows >= 0)
        {
            EXPECT_EQ(outcome.rows, c.rows);
        }
        EXPECT_TRUE(outcome.page.Contains(TotalText(std::stol(c.total))))
            << outcome.page.utf8_string();
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
}

namespace
{
const size_t g_fiftyMegabytes = 50u * 1024 * 1024;

std::string Repeated(const std::string& unit, size_t bytes)
{
    std::string text;
    text.reserve(bytes + unit.size());
    while (text.size() < bytes)
        text += unit;
    return text;
}

// Ordinary rules up to about the given size; each unanswered one costs 3.
std::string ManyRules(size_t bytes, int* count)
{
    std::string file = "<rules>\n";
    for (*count = 0; file.size() < bytes; ++*count)
        file += "<rule><id>r" + std::to_string(*count) +
                "</id><pg_type>int</pg_type><content>How many times a week</content>"
                "<lower_limit>1</lower_limit><upper_limit>3</upper_limit>"
                "<upper_price>5</upper_price><lower_price>-3</lower_price></rule>\n";
    return file + "</rules>\n";
}

// One rule whose label holds the given text, so that an accepted file shows a row.
std::string LabelRule(const std::string& label)
{
    return "<rules><rule><id>a</id><pg_type>bool</pg_type><content>" + label +
           "</content></rule></rules>";
}
} // namespace

// The library's loader takes minutes on a few MB of one comment, tag or text,
// and a file of ordinary rules that large fills the grid for minutes: such
// files are refused at once, as an unreadable file is, and the refusal logged.
TEST_F(RuleCorpusTest, FiftyMegabyteFilesAreRefusedAtOnce)
{
    int count = 0;
    const std::string filler = Repeated("x", g_fiftyMegabytes);
    const std::pair<const char*, std::string> cases[] = {
        {"ordinary rules", ManyRules(g_fiftyMegabytes, &count)},
        {"one comment", "<rules><!--" + filler + "--></rules>"},
        {"one unclosed comment", "<rules><!--" + filler},
        {"one label", LabelRule(filler)},
        {"one attribute", "<rules><rule note=\"" + filler + "\"/></rules>"},
    };
    for (const auto& [name, file] : cases)
    {
        SCOPED_TRACE(name);
        const Outcome outcome = OpenChecklist(file);
        EXPECT_TRUE(outcome.refused);
        EXPECT_EQ(outcome.rows, 0);
        EXPECT_TRUE(outcome.page.Contains(TotalText(1000)));

        // The checker reads as the window does, and says why.
        ScopedWorkDir work({{"rules.xml", file}});
        std::ostringstream out, err;
        EXPECT_EQ(RunRuleCheck({"rules.xml"}, out, err), 1);
        EXPECT_NE(out.str().find("not read"), std::string::npos) << out.str();
    }
}

TEST_F(RuleCorpusTest, LongStretchesInSmallFilesAreRefused)
{
    const std::string megabyte = Repeated("x", 1024 * 1024);
    const std::string references = Repeated("&amp;", 1024 * 1024);
    for (const std::string& file :
         {LabelRule(megabyte), LabelRule(references), "<rules><!--" + megabyte + "--></rules>",
          "<rules><rule><id>a</id><pg_type>bool</pg_type><content><![CDATA[" + megabyte +
              "]]></content></rule></rules>"})
    {
        const Outcome outcome = OpenChecklist(file);
        EXPECT_TRUE(outcome.refused);
        EXPECT_EQ(outcome.rows, 0);
        EXPECT_TRUE(outcome.page.Contains(TotalText(1000)));
    }
}

// Just inside both limits: everything is read. The slowest files within them
// are the largest ones made of the longest stretches or of the most rules;
// ctest's timeout is the guard against a hang.
TEST_F(RuleCorpusTest, FilesWithinTheLimitsAreReadInFull)
{
    const std::string stretch = Repeated("x", g_ruleStretchLimit - 100);
    std::string comments = "<rules>", labels = "<rules>";
    int commented = 0, labelled = 0;
    for (; comments.size() + stretch.size() < g_ruleFileLimit - 1024; ++commented)
        comments += "<!--" + stretch + "--><rule><pg_type>bool</pg_type></rule>";
    for (; labels.size() + stretch.size() < g_ruleFileLimit - 1024; ++labelled)
        labels += "<rule><pg_type>bool</pg_type><content>" + stretch + "</content></rule>";
    int count = 0;
    const std::pair<const char*, std::string> cases[] = {
        {"longest labels", labels + "</rules>"},
        {"longest comments", comments + "</rules>"},
        {"ordinary rules", ManyRules(g_ruleFileLimit - 1024, &count)},
    };
    const int rows[] = {labelled, commented, count};
    const long totals[] = {1000, 1000, 1000 - 3L * count};
    for (int i = 0; i < 3; ++i)
    {
        SCOPED_TRACE(cases[i].first);
        const Outcome outcome = OpenChecklist(cases[i].second);
        EXPECT_FALSE(outcome.refused);
        EXPECT_EQ(outcome.rows, rows[i]);
        EXPECT_TRUE(outcome.page.Contains(TotalText(totals[i])));
    }
}

// A FIFO in place of the rule file would block the window forever on its
// first read; it is refused unopened, as a folder is.
TEST_F(RuleCorpusTest, NonPlainFilesAreRefusedWithoutBlocking)
{
    for (const bool fifo : {true, false})
    {
        ScopedWorkDir work;
        const wxString path = work.Path() + "/rules/rules_gf_normal-zh_CN.xml";
        wxFileName::Mkdir(fifo ? work.Path() + "/rules" : path, wxS_DIR_DEFAULT, wxPATH_MKDIR_FULL);
        if (fifo)
        {
#ifdef __WINDOWS__
            continue; // no FIFOs in the file system
#else
            ASSERT_EQ(mkfifo(path.fn_str(), 0600), 0);
#endif
        }
        wxtest::ClearLog();
        auto* frame = new QuorvelFrame(nullptr, wxID_ANY);
        EXPECT_TRUE(wxtest::LogContains("not read")) << fifo;
        frame->Destroy();
        wxtest::ClearLog();
    }
}
