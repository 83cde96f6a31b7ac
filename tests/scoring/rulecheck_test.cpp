#include "scoring/checkcommand.h"
#include "scoring/rulecheck.h"
#include "scoring/rulefile.h"
#include "support/workdir.h"

#include <gtest/gtest.h>
#include <wx/filename.h>
#include <wx/sstream.h>
#include <wx/xml/xml.h>

#include <sstream>

namespace
{
// "line: message" for each problem of a document.
std::vector<std::string> Problems(const std::string& xml)
{
    wxStringInputStream in(wxString::FromUTF8(xml));
    wxXmlDocument doc;
    EXPECT_TRUE(doc.Load(in, "UTF-8", 0)) << xml;
    std::vector<std::string> lines;
    for (const RuleProblem& problem : CheckRuleDocument(doc.GetRoot()))
        lines.push_back(std::to_string(problem.line) + ": " + (problem.warning ? "warning: " : "") +
                        problem.message.utf8_string());
    return lines;
}

// Runs the command; returns its status and fills out and err.
struct CheckRun
{
    explicit CheckRun(const std::vector<wxString>& args) { status = RunRuleCheck(args, out, err); }
    std::ostringstream out, err;
    int status;
};

const char g_clean[] = R"(<?xml version="1.0" encoding="UTF-8"?>
<?author notes?>
<rules>
  <rule><id>cooks</id><pg_type>bool</pg_type><content>会做饭吗</content>
    <lower_price>150</lower_price><upper_limit>0</upper_limit></rule>
  <Rule><ID>sports</ID><PG_TYPE>Int</PG_TYPE><content>每周运动几次</content>
    <!-- the band is 1 to 3 -->
    <lower_limit> 1 </lower_limit><upper_limit>3</upper_limit>
    <upper_price>+40</upper_price><lower_price>-30</lower_price></Rule>
  <rule><id>late</id><pg_type>int</pg_type><content>每周熬夜几次</content>
    <lower_limit>-1</lower_limit><upper_limit>2</upper_limit>
    <upper_price>-20</upper_price><lower_price>0</lower_price></rule>
  <rule><id>books</id><pg_type>int</pg_type><content>每月读几本书</content>
    <lower_price>25</lower_price><upper_price>0</upper_price></rule>
  <!-- after the last rule a comment hides nothing -->
</rules>
)";

// Comments and a processing instruction between rules: read on, but warned.
const char g_annotated[] = R"(<rules>
  <!-- section -->
  <rule><id>a</id><pg_type>bool</pg_type></rule>
  <?note?><!-- second -->
  <rule><id>b</id><pg_type>bool</pg_type></rule>
</rules>
)";

const char g_flawed[] = R"(<rules>
  <rule><id>a</id><pg_type>bool</pg_type><lower_price>12abc</lower_price>
    <upper_limit>5</upper_limit></rule>
  <rule><id>a</id><pg_type>int</pg_type><lower_price> </lower_price>
    <upper_price>99999999999</upper_price><lower_limit>-5</lower_limit>
    <upper_limit>3</upper_limit></rule>
  <rule><pg_type>float</pg_type><colour>red</colour>stray<id>b</id><ID>c</ID></rule>
  <rule><id></id><pg_type>int</pg_type><lower_limit>0</lower_limit>
    <upper_limit>4</upper_limit><lower_price>-9</lower_price></rule>
  <rule><id>e</id><upper_limit>2147483647</upper_limit></rule>
  <rule><id>f</id><pg_type>int</pg_type><lower_limit>2</lower_limit>
    <upper_limit>2</upper_limit><upper_price>7</upper_price><lower_price>ten</lower_price></rule>
  <rule><id>g</id><pg_type>int</pg_type><upper_limit>2147483647</upper_limit>
    <upper_price>3</upper_price></rule>
  <item/>
  <rule><id>h</id><pg_type>bool</pg_type></rule>
</rules>
)";
} // namespace

TEST(RuleCheck, CleanFileHasNoProblems)
{
    EXPECT_EQ(Problems(g_clean), std::vector<std::string>{});
}

TEST(RuleCheck, ReportsEachProblemOnItsLine)
{
    const std::vector<std::string> expected = {
        "2: <lower_price> '12abc' reads as 12: the text after the number is ignored",
        "3: <upper_limit> never takes effect: a yes/no rule is priced by <lower_price> alone",
        "4: id 'a' is already used by rule 1 (line 2)",
        "4: <lower_price> is blank and reads as 0",
        "5: <upper_price> '99999999999' is out of range and reads as 2147483647",
        "5: <lower_limit> never takes effect: answers are never below 0 (-1 switches the lower "
        "price off)",
        "7: unknown field <colour> is ignored",
        "7: text outside the fields of a rule is ignored",
        "7: <id> given twice: this one replaces the one at line 7",
        "7: unknown kind 'float' (bool or int): the rule is left out",
        "8: empty <id>: the rule's answer cannot be named",
        "9: <lower_price> never takes effect: answers are never below the lower limit 0",
        "10: empty <pg_type> (bool or int): the rule is left out",
        "12: <lower_price> 'ten' is not a number and reads as 0",
        "12: <upper_price> never takes effect: with equal limits only <lower_price> prices the "
        "answer",
        "13: <upper_limit> never takes effect: no answer is above it",
        "15: element <item> is not a rule: reading stops here and the 1 rule(s) after it are not "
        "read",
    };
    EXPECT_EQ(Problems(g_flawed), expected);
}

TEST(RuleCheck, ReadingStopsAtTextAndAtAWrongRoot)
{
    EXPECT_EQ(Problems("<rules>\n<rule><id>a</id><pg_type>bool</pg_type></rule>\noops\n"
                       "<rule><id>b</id><pg_type>bool</pg_type></rule>\n<rule/></rules>"),
              std::vector<std::string>{"3: text directly under <rules>: reading stops here and the "
                                       "2 rule(s) after it are not read"});
    EXPECT_EQ(Problems("<?xml version=\"1.0\"?>\n\n<RULES><rule/></RULES>"),
              std::vector<std::string>{"3: the root element is <RULES>, not <rules>: the program "
                                       "reads no rules from this file"});
}

TEST(RuleCheck, WarnsAboutCommentsAndInstructionsBetweenRules)
{
    const std::string advice = "; put it before <rules> or inside a <rule>";
    const std::vector<std::string> expected = {
        "2: warning: comment directly under <rules>: this program reads on, but other readers "
        "of the rule format stop here and miss the 2 rule(s) after it" +
            advice,
        "4: warning: processing instruction directly under <rules>: this program reads on, but "
        "other readers of the rule format stop here and miss the 1 rule(s) after it" +
            advice,
        "4: warning: comment directly under <rules>: this program reads on, but other readers "
        "of the rule format stop here and miss the 1 rule(s) after it" +
            advice,
    };
    EXPECT_EQ(Problems(g_annotated), expected);
}

TEST(RuleCheck, FieldsSplitByMarkupShowWhatIsRead)
{
    const std::vector<std::string> expected = {
        "1: <id> holds markup or comments: only 'a' is read",
        "2: <content> holds markup or comments: only 'Q' is read"};
    EXPECT_EQ(Problems("<rules><rule><id>a<b>x</b></id><pg_type>bool</pg_type>\n<content>Q"
                       "<!-- c -->tail</content><lower_price><!-- c -->-50</lower_price></rule>"
                       "</rules>"),
              expected);
}

TEST(RuleCheck, LoadFailuresCarryTheParsersReasonAndLine)
{
    ScopedWorkDir work({{"broken.xml", "<rules>\n<rule>\n</rules>\n"}, {"empty.xml", ""}});
    for (const auto& [file, line] : {std::pair<wxString, int>{"broken.xml", 3}, {"empty.xml", 1}})
    {
        wxXmlDocument doc;
        std::vector<RuleProblem> problems;
        EXPECT_FALSE(LoadRuleFile(file, doc, problems));
        ASSERT_EQ(problems.size(), 1u) << file;
        EXPECT_EQ(problems[0].line, line);
        EXPECT_TRUE(problems[0].message.StartsWith("not well-formed: ")) << problems[0].message;
    }
    CheckRun missing({"missing.xml"});
    EXPECT_EQ(missing.status, 1);
    EXPECT_TRUE(missing.out.str().rfind("missing.xml: ", 0) == 0) << missing.out.str();
}

TEST(RuleCheckCommand, ExitStatusAndOutputForm)
{
    ScopedWorkDir work(
        {{"clean.xml", g_clean}, {"flawed.xml", g_flawed}, {"annotated.xml", g_annotated}});
    CheckRun clean({"clean.xml"});
    EXPECT_EQ(clean.status, 0);
    EXPECT_EQ(clean.out.str(), "");

    // Warnings alone have a status of their own; problems and bad usage
    // outweigh them, in whatever order the files come.
    CheckRun warned({"clean.xml", "annotated.xml"});
    EXPECT_EQ(warned.status, 3);
    EXPECT_TRUE(warned.out.str().rfind("annotated.xml:2: warning: comment", 0) == 0)
        << warned.out.str();
    EXPECT_EQ(CheckRun({"flawed.xml", "annotated.xml"}).status, 1);
    EXPECT_EQ(CheckRun({"annotated.xml", "flawed.xml"}).status, 1);
    EXPECT_EQ(CheckRun({"--answer=x=1", "annotated.xml"}).status, 2);

    CheckRun both({"clean.xml", "flawed.xml"});
    EXPECT_EQ(both.status, 1);
    EXPECT_TRUE(both.out.str().rfind("flawed.xml:2: <lower_price> '12abc'", 0) == 0)
        << both.out.str();
    EXPECT_EQ(both.err.str(), "");

    for (const std::vector<wxString>& args :
         std::vector<std::vector<wxString>>{{},
                                            {"--frobnicate", "clean.xml"},
                                            {"clean.xml", "--answer"},
                                            {"--answer", "cooks", "clean.xml"},
                                            {"--answer", "nosuchrow=1", "clean.xml"},
                                            {"--answer=cooks=2", "clean.xml"},
                                            {"--answer=sports=-1", "clean.xml"},
                                            {"--answer=sports=3x", "clean.xml"}})
    {
        CheckRun bad(args);
        EXPECT_EQ(bad.status, 2) << args.size();
        EXPECT_TRUE(bad.err.str().rfind("amorquant-check: ", 0) == 0) << bad.err.str();
    }
    CheckRun help({"--help"});
    EXPECT_EQ(help.status, 0);
    EXPECT_TRUE(help.out.str().rfind("usage: amorquant-check", 0) == 0);
    EXPECT_EQ(help.err.str(), "");
    CheckRun version({"--version"});
    EXPECT_EQ(version.status, 0);
    EXPECT_EQ(version.out.str(), "amorquant-check 1.8.85\n");
    EXPECT_EQ(version.err.str(), "");
}

TEST(RuleCheckCommand, TotalsPriceTheAnswersAsCalculateDoes)
{
    ScopedWorkDir work(
        {{"clean.xml", g_clean}, {"flawed.xml", g_flawed}, {"broken.xml", "<rules>"}});
    auto total = [](std::vector<wxString> args)
    {
        CheckRun run(args);
        const std::string out = run.out.str();
        const size_t at = out.rfind(": total ");
        return at == std::string::npos ? out + run.err.str() : out.substr(at + 8);
    };
    // Unanswered: the sports answer 0 lies below its band, (1 - 0) * -30.
    EXPECT_EQ(total({"--answer", "books=0", "clean.xml"}), "970\n");
    // 1000 + 150 + (5 - 3) * 40 + (4 - 2) * -20 + 2 * 25
    EXPECT_EQ(total({"--answer", "cooks=true", "--answer=sports=5", "--answer", "late=4",
                     "--answer", "books=2", "clean.xml"}),
              "1240\n");
    EXPECT_EQ(total({"--answer=cooks=0", "--answer=cooks=TRUE", "--answer=sports=2", "clean.xml"}),
              "1150\n"); // the last answer for a row counts
    EXPECT_EQ(total({"--answer=books=18446744073709551615", "clean.xml"}), "2147483647\n");
    // Rows of a repeated id are told apart as the window tells them apart.
    EXPECT_EQ(total({"--answer=a=1", "--answer=a#2=3", "flawed.xml"}), "1012\n");
    EXPECT_EQ(total({"--answer=a#2=3", "--answer=g=5", "flawed.xml"}), "1000\n");
    // A file that does not load shows the base value.
    CheckRun broken({"--answer=x=1", "broken.xml"});
    EXPECT_EQ(broken.status, 2);
}

// The four checklists in the run folder, as they ship.
TEST(RuleCheckCommand, ShippedRuleFilesAreClean)
{
    for (int friendType : {0, 1})
        for (int mode : {0, 1})
        {
            const wxString file =
                wxFileName(RulesFileName(friendType, mode), wxPATH_WIN).GetFullPath();
            CheckRun run({file});
            EXPECT_EQ(run.status, 0) << run.out.str();
            EXPECT_EQ(run.out.str(), "");
        }
}
