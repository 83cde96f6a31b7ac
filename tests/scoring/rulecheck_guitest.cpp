#include "app/frame.h"
#include "check/checkcommand.h"
#include "scoring/corpus.h"
#include "scoring/rule.h"
#include "scoring/rulefile.h"
#include "scoring/ruleload.h"
#include "support/framefixture.h"
#include "support/window.h"
#include "support/workdir.h"
#include "support/wxtest.h"

#include <gtest/gtest.h>
#include <wx/ffile.h>
#include <wx/filename.h>
#include <wx/html/htmlwin.h>
#include <wx/propgrid/propgrid.h>
#include <wx/xml/xml.h>

#include <sstream>

namespace
{
// Prices the same answers in the window and with the checker.
class CheckerAgreesTest : public FrameFixture
{
protected:
    void Open(const std::map<wxString, std::string>& files)
    {
        work = std::make_unique<ScopedWorkDir>(files);
        OpenFrame();
    }

    // Answers every row from a seed, enters them in the grid and returns the
    // same answers as checker options.
    std::vector<wxString> Answer(unsigned seed)
    {
        std::vector<wxString> args;
        unsigned i = seed;
        for (wxPropertyGridIterator it = grid->GetIterator(wxPG_ITERATE_PROPERTIES); !it.AtEnd();
             ++it, i = i * 1103515245u + 12345u)
        {
            wxPGProperty* row = *it;
            wxString value;
            if (row->GetValue().GetType() == "bool")
            {
                grid->SetPropertyValue(row, (i >> 8) % 2 == 1);
                value = (i >> 8) % 2 ? "true" : "0";
            }
            else if (row->IsKindOf(wxCLASSINFO(wxEnumProperty)))
            {
                const long option = (i >> 8) % (row->GetChoices().GetCount() + 1);
                grid->SetPropertyValue(row, option);
                value = wxString::Format("%ld", option);
            }
            else
            {
                const long number = (i >> 8) % 15;
                grid->SetPropertyValue(row, number);
                value = wxString::Format("%ld", number);
            }
            args.push_back("--answer=" + row->GetName() + "=" + value);
        }
        return args;
    }

    wxString WindowTotal()
    {
        ClickButton(frame, "ID_BUTTON_CALC");
        // The number stands between the full-width colon and comma.
        const wxString total =
            html->ToText().AfterFirst(wxUniChar(0xFF1A)).BeforeFirst(wxUniChar(0xFF0C));
        long number;
        EXPECT_TRUE(total.ToLong(&number)) << total;
        return total;
    }
    static wxString CheckerTotal(std::vector<wxString> args, const wxString& file)
    {
        args.push_back(file);
        std::ostringstream out, err;
        RunRuleCheck(args, out, err);
        EXPECT_EQ(err.str(), "");
        // The total is the last word of the output.
        return wxString::FromUTF8(out.str()).AfterLast(' ').BeforeFirst('\n');
    }

    std::unique_ptr<ScopedWorkDir> work;
};

std::string ReadFile(const wxString& path)
{
    wxFFile file(path, "rb");
    wxString content;
    EXPECT_TRUE(file.IsOpened() && file.ReadAll(&content, wxConvUTF8)) << path;
    return content.utf8_string();
}
} // namespace

TEST_F(CheckerAgreesTest, OnTheShippedChecklists)
{
    std::map<wxString, std::string> files;
    for (int friendType : {0, 1})
        for (int mode : {0, 1})
        {
            const wxString name =
                wxFileName(RulesFileName(friendType, mode), wxPATH_WIN).GetFullPath();
            files[name] = ReadFile(name);
        }
    Open(files);
    for (int friendType : {0, 1})
        for (int mode : {0, 1})
        {
            ChooseEntry(frame, "ID_CHOICE_FRIEND_TYPE", friendType);
            ChooseEntry(frame, "ID_CHOICE_MODE", mode);
            const wxString file =
                wxFileName(RulesFileName(friendType, mode), wxPATH_WIN).GetFullPath();
            for (unsigned seed : {1u, 7u, 2024u})
            {
                const std::vector<wxString> answers = Answer(seed);
                ASSERT_GE(answers.size(), 20u);
                EXPECT_EQ(CheckerTotal(answers, file), WindowTotal()) << file << " seed " << seed;
            }
        }
}

TEST_F(CheckerAgreesTest, OnAFlawedChecklist)
{
    // Repeated and empty ids, an unknown kind, a field given twice, numbers
    // that do not read as written and a list that stops early.
    Open({{"rules/rules_gf_normal-zh_CN.xml",
           "<rules><rule><id>a</id><pg_type>BOOL</pg_type><lower_price>12abc</lower_price></rule>"
           "<rule><id>a</id><pg_type>int</pg_type><lower_limit>4</lower_limit>"
           "<upper_limit>2</upper_limit><upper_price>99999999999</upper_price>"
           "<lower_price>-70</lower_price></rule>"
           "<rule><pg_type>int</pg_type><lower_price>5</lower_price><lower_price>-8</lower_price>"
           "</rule><rule><id>x</id><pg_type>float</pg_type><lower_price>9</lower_price></rule>"
           "<rule><pg_type>int</pg_type><lower_limit>3</lower_limit><upper_limit>3</upper_limit>"
           "<lower_price>11</lower_price></rule>"
           "<item/><rule><id>late</id><pg_type>bool</pg_type><lower_price>1</lower_price></rule>"
           "</rules>"}});
    for (unsigned seed : {1u, 2u, 3u, 4u, 5u, 6u})
    {
        const std::vector<wxString> answers = Answer(seed);
        ASSERT_EQ(answers.size(), 4u);
        EXPECT_EQ(CheckerTotal(answers, "rules/rules_gf_normal-zh_CN.xml"), WindowTotal())
            << "seed " << seed;
    }
}

// The broken and hostile files that the window is tested on: the checker
// prices each that it reads as the window shows it, gives no total for one
// it cannot read, and finds fault with each file the window cannot read in
// full.
TEST(CheckerOnTheCorpus, TotalsMatchTheWindowsAndBrokenFilesAreFlagged)
{
    int cases = 0, unread = 0;
    for (const CorpusCase& c : CorpusCases())
    {
        SCOPED_TRACE(c.name);
        std::ostringstream out, err;
        const int status = RunRuleCheck({"--total", c.path}, out, err);
        EXPECT_EQ(err.str(), "");
        wxXmlDocument doc;
        const bool read = LoadRuleFile(c.path, doc).kind == RuleLoadFault::Kind::None;
        unread += !read;
        EXPECT_EQ(out.str().find(".xml: total " + c.total + "\n") != std::string::npos, read)
            << out.str();
        if (!read)
        {
            EXPECT_EQ(status, 1);
            EXPECT_EQ(out.str().find(": total "), std::string::npos) << out.str();
        }
        EXPECT_TRUE(status == 0 || status == 1 || status == 3);
        // The window reads on past comments between rules; other readers would not.
        if (c.name == "comments_and_pis_between_rules")
        {
            EXPECT_EQ(status, 3) << out.str();
        }
        if (c.rows == 0)
        {
            EXPECT_EQ(status, 1) << out.str();
        }
        ++cases;
    }
    EXPECT_GE(cases, 30);
    EXPECT_GE(unread, 5);
}

namespace
{
// A rule of each kind, its fields after the question, an answer and what the
// answer prices. A new kind does not build until it has one here.
struct Sample
{
    std::string fields;
    long answer;
    int price;
};

Sample SampleOf(RuleKind kind)
{
    switch (kind)
    {
    case RuleKind::Bool:
        return {"<lower_price>100</lower_price>", 1, 100};
    case RuleKind::Int:
        return {"<lower_price>10</lower_price>", 2, 20};
    case RuleKind::Choice:
        return {"<option><text>a</text><price>1</price></option>"
                "<option><text>b</text><price>300</price></option>",
                2, 300};
    }
    return {};
}
} // namespace

// Every kind is read, shown as a row, priced by Calculate and by the checker
// alike, and found clean: a kind missed anywhere fails here.
TEST_F(CheckerAgreesTest, EveryKindGoesFromFileToRowToTotal)
{
    std::string file = "<rules>";
    for (RuleKind kind : AllKinds())
    {
        const std::string name = KindName(kind).utf8_string();
        file += "<rule><id>" + name + "</id><pg_type>" + name + "</pg_type><content>Q</content>" +
                SampleOf(kind).fields + "</rule>";
    }
    Open({{"rules/rules_gf_normal-zh_CN.xml", file + "</rules>"}});
    const wxString path = wxFileName("rules/rules_gf_normal-zh_CN.xml").GetFullPath();
    std::ostringstream out, err;
    EXPECT_EQ(RunRuleCheck({"--total", path}, out, err), 0) << out.str();

    std::vector<wxString> answers;
    long expected = 1000;
    for (RuleKind kind : AllKinds())
    {
        wxPGProperty* row = grid->GetPropertyByName(KindName(kind));
        ASSERT_TRUE(row) << KindName(kind);
        const Sample sample = SampleOf(kind);
        if (row->GetValue().GetType() == "bool")
            grid->SetPropertyValue(row, sample.answer != 0);
        else
            grid->SetPropertyValue(row, sample.answer);
        answers.push_back(wxString::Format("--answer=%s=%ld", KindName(kind), sample.answer));
        expected += sample.price;
    }
    const wxString total = wxString::Format("%ld", expected);
    EXPECT_EQ(WindowTotal(), total);
    EXPECT_EQ(CheckerTotal(answers, path), total);
    for (unsigned seed : {1u, 7u, 99u})
        EXPECT_EQ(WindowTotal(), CheckerTotal(Answer(seed), path)) << seed;
}
