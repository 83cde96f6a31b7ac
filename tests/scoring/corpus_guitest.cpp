#include "app/frame.h"
#include "scoring/corpus.h"
#include "support/window.h"
#include "support/workdir.h"
#include "support/wxtest.h"

#include <gtest/gtest.h>
#include <wx/ffile.h>
#include <wx/html/htmlwin.h>
#include <wx/propgrid/propgrid.h>

// Hostile and broken rule files: the window must neither crash, hang nor
// trip an assertion; it shows what it could read and prices exactly that.
// What the loader refuses, and why, is tested without a window
// (rulefile_test.cpp).
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
    void SetUp() override
    {
        wxtest::ResetConfigStore();
        // What earlier tests logged is not what these files make the window say.
        wxtest::ClearLog();
    }
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
