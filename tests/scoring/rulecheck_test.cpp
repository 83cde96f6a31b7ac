#include "check/checkcommand.h"
#include "common/version.h"
#include "scoring/rulecheck.h"
#include "scoring/rulefile.h"
#include "support/workdir.h"

#include <gtest/gtest.h>
#include <wx/filename.h>
#include <wx/sstream.h>
#include <wx/xml/xml.h>

#include <memory>
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
  <rule><id>a</id><pg_type>bool</pg_type><content>Q</content></rule>
  <?note?><!-- second -->
  <rule><id>b</id><pg_type>bool</pg_type><content>Q</content></rule>
</rules>
)";

const char g_flawed[] = R"(<rules>
  <rule><id>a</id><pg_type>bool</pg_type><lower_price>12abc</lower_price>
    <upper_limit>5</upper_limit></rule>
  <rule><id>a</id><pg_type>int</pg_type><content>Q</content><lower_price> </lower_price>
    <upper_price>99999999999</upper_price><lower_limit>-5</lower_limit>
    <upper_limit>3</upper_limit></rule>
  <rule><pg_type>float</pg_type><colour>red</colour>stray<id>b</id><ID>c</ID></rule>
  <rule><id></id><pg_type>int</pg_type><content>Q</content><lower_limit>0</lower_limit>
    <upper_limit>4</upper_limit><lower_price>-9</lower_price></rule>
  <rule><id>e</id><upper_limit>2147483647</upper_limit></rule>
  <rule><id>f</id><pg_type>int</pg_type><content>Q</content><lower_limit>2</lower_limit>
    <upper_limit>2</upper_limit><upper_price>7</upper_price><lower_price>ten</lower_price></rule>
  <rule><id>g</id><pg_type>int</pg_type><content>Q</content><upper_limit>2147483647</upper_limit>
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
        "2: missing <content>: the row shows no question",
        "3: <upper_limit> never takes effect: a yes/no rule is priced by <lower_price> alone",
        "4: id 'a' is already used by rule 1 (line 2)",
        "4: <lower_price> is blank and reads as 0",
        "5: <upper_price> '99999999999' is out of range and reads as 2147483647",
        "5: <lower_limit> never takes effect: answers are never below 0 (-1 switches the lower "
        "price off)",
        "7: unknown field <colour> is ignored",
        "7: text outside the fields of a rule is ignored",
        "7: <id> given twice: this one replaces the one at line 7",
        "7: unknown kind 'float' (bool, int or choice): the rule is left out",
        "8: empty <id>: the rule's answer cannot be named",
        "9: <lower_price> never takes effect: answers are never below the lower limit 0",
        "10: missing <pg_type> (bool, int or choice): the rule is left out",
        "12: <lower_price> 'ten' is not a number and reads as 0",
        "12: <upper_price> never takes effect: with equal limits only <lower_price> prices the "
        "answer",
        "13: <upper_limit> never takes effect: no answer is above it",
        "15: element <item> is not a rule: reading stops here and the 1 rule(s) after it are not "
        "read",
    };
    EXPECT_EQ(Problems(g_flawed), expected);
}

// Rows that the window shows otherwise than their author meant.
TEST(RuleCheck, ReportsWhatTheWindowMakesOfAnAuthorsSlips)
{
    const std::vector<std::string> expected = {
        "2: attribute id=\"pets\" of <rule> is never read: write <id>pets</id> inside the rule",
        "2: warning: the checkbox has no <lower_price>, its price: ticking it never changes the "
        "total",
        "4: the lower limit 5 is above the upper limit 2, so no answer is free: below 5 an answer "
        "is priced (5 - answer) x <lower_price>, from 5 up (answer - 2) x <upper_price>",
        "6: both limits are -1: equal limits price every answer (answer + 1) x <lower_price>, 0 "
        "included, and -1 switches nothing off",
        "8: <lower_price> never takes effect: the lower limit -1 switches it off",
        "9: missing <content>: the row shows no question",
        "9: warning: the checkbox has no <lower_price>, its price: ticking it never changes the "
        "total",
        "10: <id> 'pets' followed by a space: the id keeps what surrounds it, and --answer must "
        "name the row so",
        // The library drops a line break that starts a text, not the spaces after it.
        "10: <content> '会做饭吗？' preceded by 4 spaces: the row shows the "
        "question with them; write it on one line with its tags",
        "12: <pg_type> 'bool' preceded by 4 spaces and followed by a line break and 2 spaces: the "
        "kind must stand alone, so the rule is left out",
        "15: attribute value=\"3\" of <lower_price> is never read: a field's value is its text",
        "15: <lower_price> is blank and reads as 0",
        "16: the lower limit 0 is above the upper limit -3, so no answer is free: every answer is "
        "priced (answer + 3) x <upper_price>",
    };
    EXPECT_EQ(Problems(R"(<rules>
  <rule id="pets"><pg_type>bool</pg_type><content>养宠物吗？</content></rule>
  <rule><id>band</id><pg_type>int</pg_type><content>Q</content>
    <lower_limit>5</lower_limit><upper_limit>2</upper_limit><upper_price>40</upper_price><lower_price>-30</lower_price></rule>
  <rule><id>minus</id><pg_type>int</pg_type><content>Q</content>
    <lower_limit>-1</lower_limit><upper_limit>-1</upper_limit><lower_price>10</lower_price></rule>
  <rule><id>off</id><pg_type>int</pg_type><content>Q</content>
    <lower_limit>-1</lower_limit><upper_limit>3</upper_limit><lower_price>10</lower_price></rule>
  <rule><id>asks_nothing</id><pg_type>bool</pg_type></rule>
  <rule><id>pets </id><pg_type>int</pg_type><content>
    会做饭吗？</content></rule>
  <rule><id>kind</id><pg_type>
    bool
  </pg_type><content>Q</content></rule>
  <rule><id>m</id><pg_type>bool</pg_type><content>Q</content><lower_price value="3"/></rule>
  <rule><id>low</id><pg_type>int</pg_type><content>Q</content><upper_limit>-3</upper_limit>
    <upper_price>5</upper_price></rule>
</rules>
)"),
              expected);
    // Invisible characters are shown by name.
    const std::vector<std::string> named = {
        "2: warning: <upper_price> '15' preceded by U+3000 IDEOGRAPHIC SPACE reads as 15: the "
        "space before the number is not an ASCII space, which other readers may not skip",
        "2: warning: <lower_price> '15' followed by U+3000 IDEOGRAPHIC SPACE reads as 15: the "
        "space after the number changes nothing, but other readers may not skip it",
        "2: <upper_price> never takes effect: with no limits given (both read as 0) only "
        "<lower_price> prices the answer",
        "2: warning: the checkbox has no <lower_price>, its price: ticking it never changes the "
        "total",
        // A space pasted at the end wants deleting, not another line.
        "3: <content> 'Q<U+200B ZERO WIDTH SPACE>R' followed by U+200B ZERO WIDTH SPACE: the row "
        "shows the question with them; delete them",
    };
    EXPECT_EQ(Problems("<rules><rule><id>n</id><pg_type>int</pg_type><content>Q</content>\n"
                       "<lower_price>15\u3000</lower_price><upper_price>\u300015</upper_price>"
                       "</rule><rule><id>z</id><pg_type>bool</pg_type>\n<content>Q\u200BR\u200B"
                       "</content></rule></rules>"),
              named);
    EXPECT_EQ(Problems("<rules>\n  <!-- to do -->\n</rules>"),
              std::vector<std::string>{"1: <rules> holds no <rule>: the checklist has no rows"});
}

TEST(RuleCheck, ReadingStopsAtTextAndAtAWrongRoot)
{
    EXPECT_EQ(
        Problems(
            "<rules>\n<rule><id>a</id><pg_type>bool</pg_type><content>Q</content></rule>\noops\n"
            "<rule><id>b</id><pg_type>bool</pg_type></rule>\n<rule/></rules>"),
        (std::vector<std::string>{"2: warning: the checkbox has no <lower_price>, its price: "
                                  "ticking it never changes the total",
                                  "3: text directly under <rules>: reading stops here and the "
                                  "2 rule(s) after it are not read"}));
    EXPECT_EQ(Problems("<?xml version=\"1.0\"?>\n\n<RULES><rule/></RULES>"),
              std::vector<std::string>{"3: the root element is <RULES>, not <rules>: the program "
                                       "reads no rules from this file"});
}

TEST(RuleCheck, WarnsAboutCommentsAndInstructionsBetweenRules)
{
    const std::string advice = "; put it before <rules> or inside a <rule>";
    const auto noPrice = [](int line)
    {
        return std::to_string(line) +
               ": warning: the checkbox has no <lower_price>, its price: ticking it never changes "
               "the total";
    };
    const std::vector<std::string> expected = {
        "2: warning: comment directly under <rules>: this program reads on, but other readers "
        "of the rule format stop here and miss the 2 rule(s) after it" +
            advice,
        noPrice(3),
        "4: warning: processing instruction directly under <rules>: this program reads on, but "
        "other readers of the rule format stop here and miss the 1 rule(s) after it" +
            advice,
        "4: warning: comment directly under <rules>: this program reads on, but other readers "
        "of the rule format stop here and miss the 1 rule(s) after it" +
            advice,
        noPrice(5),
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

// Numbers as a Chinese author types them: look-alike minus signs and
// digits break the number and are named; a unit or a full-width space after
// a number that reads right changes nothing and is only a warning, as are
// attributes on the root.
TEST(RuleCheck, NumbersAsTypedAndFindingsThatChangeNothing)
{
    const std::vector<std::string> expected = {
        "1: warning: attribute version=\"2\" of <rules> is never read",
        "2: <upper_price> '\uFF0D20' is not a number and reads as 0: it starts with U+FF0D "
        "FULLWIDTH HYPHEN-MINUS, which only looks like a minus sign; type the ASCII '-'",
        "2: <lower_price> '\u2212150' is not a number and reads as 0: it starts with U+2212 MINUS "
        "SIGN, which only looks like a minus sign; type the ASCII '-'",
        "3: <upper_price> '1\uFF12' reads as 1: the full-width digits after it are not read; "
        "type the digits 0-9",
        "3: <lower_price> '\uFF11\uFF12\uFF10' is not a number and reads as 0: its digits are "
        "full-width; type the digits 0-9",
        "3: <upper_price> never takes effect: with no limits given (both read as 0) only "
        "<lower_price> prices the answer",
        "4: <upper_price> '2\u4E07' reads as 2: the text after the number is ignored",
        "4: warning: <lower_price> '200\u5143' reads as 200: the unit after the number is "
        "ignored",
        "4: <upper_price> never takes effect: with no limits given (both read as 0) only "
        "<lower_price> prices the answer",
    };
    EXPECT_EQ(Problems("<rules version=\"2\">\n<rule><id>a</id><pg_type>int</pg_type><content>Q"
                       "</content><lower_price>\u2212150</lower_price><upper_price>\uFF0D20"
                       "</upper_price></rule>\n<rule><id>b</id><pg_type>int</pg_type><content>Q"
                       "</content><lower_price>\uFF11\uFF12\uFF10</lower_price><upper_price>1"
                       "\uFF12</upper_price></rule>\n<rule><id>c</id><pg_type>int</pg_type>"
                       "<content>Q</content><lower_price>200\u5143</lower_price><upper_price>"
                       "2\u4E07</upper_price></rule></rules>"),
              expected);
}

// Rules the program loses to a slip in the markup: said where the slip is,
// and an answer for one is a problem of the file on the rule's line.
TEST(RuleCheckCommand, RulesLostToMarkupSlipsAreProblemsOnTheirLines)
{
    const std::string rules = "<rules>\n"
                              "<rule><id>a</id><pg_type>bool</pg_type><content>Q</content>\n"
                              "<rule><id>inner</id><pg_type>bool</pg_type></rule></rule>\n"
                              "<rule id=\"attr\" pg_type=\"bool\"/>\n"
                              "<rules><id>typo</id><pg_type>bool</pg_type></rules>\n"
                              "</rules>\n";
    ScopedWorkDir work({{"rules.xml", rules}});
    CheckRun run({"--answer=inner=1", "--answer=attr=1", "--answer=typo=1", "rules.xml"});
    EXPECT_EQ(run.status, 1);
    EXPECT_EQ(run.out.str(),
              "rules.xml:2: warning: the checkbox has no <lower_price>, its price: ticking it "
              "never changes the total\n"
              "rules.xml:3: the rule of line 2 is not closed before this <rule> (a forgotten "
              "</rule>?): this rule is inside it and is not read\n"
              "rules.xml:4: attribute id=\"attr\" of <rule> is never read: write <id>attr</id> "
              "inside the rule\n"
              "rules.xml:4: attribute pg_type=\"bool\" of <rule> is never read: write "
              "<pg_type>bool</pg_type> inside the rule\n"
              "rules.xml:5: <rules> holds the fields of a rule but is not a <rule>: reading stops "
              "here, and neither it nor the 0 rule(s) after it are read\n"
              "rules.xml:3: --answer 'inner': the rule with this id is inside the rule of line 2, "
              "which is not closed before it, so it has no row\n"
              "rules.xml:4: --answer 'attr': the id of this rule is an attribute, which is never "
              "read, so no row has this name\n"
              "rules.xml:5: --answer 'typo': the rule with this id is written as <rules>, not "
              "<rule>, so reading stops there and it has no row\n"
              "rules.xml: total 1000\n");
    EXPECT_EQ(run.err.str(), "");
}

// What the parser reports, on the line to look at and with the fix.
TEST(RuleCheck, BrokenFilesNameTheFaultAndWhereToFixIt)
{
    const std::pair<std::string, std::string> cases[] = {
        {"<rules>\n  <rule>\n    <id>a</id>\n  <rule>\n    <id>b</id>\n  </rule>\n</rules>\n",
         "2: <rule> opened at line 2 is not closed before </rules> at line 7 (the parser says: "
         "mismatched tag)"},
        {"<rules>\n<rule><id>a</id>\n</rule></rule>\n</rules>\n",
         "3: </rule> closes no open element; the innermost is <rules> opened at line 1 (the "
         "parser says: mismatched tag)"},
        {"<rules>\n<rule>\n<id>a</id>\n",
         "2: the file ends before it closes <rule> opened at line 2 and <rules> opened at line 1 "
         "(the parser says: no element found)"},
        {"<rules><rule>\n<content>cats & dogs</content></rule></rules>",
         "2: a bare & in text; write it as &amp; (and < as &lt;) (the parser says: not "
         "well-formed (invalid token))"},
        {"<rules><rule>\n<content>AT&T</content></rule></rules>",
         "2: a bare & in text; write it as &amp; (and < as &lt;) (the parser says: not "
         "well-formed (invalid token))"},
        {"<rules><rule>\n\n<content>1 <2</content></rule></rules>",
         "3: a bare < in text; write it as &lt; (and & as &amp;) (the parser says: not "
         "well-formed (invalid token))"},
        // An HTML name wants the character, not &amp;.
        {"<rules><rule>\n<content>a&nbsp;b</content></rule></rules>",
         "2: &nbsp; is not known in XML: type the character itself (or its number, as &#160; for a "
         "no-break space) (the parser says: undefined entity)"},
        {"", "1: the file holds no element: a rule file starts with <rules> (the parser says: no "
             "element found)"},
        // Pasted text that brings a form feed.
        {"<rules><rule>\n<content>Q\fR</content></rule></rules>",
         "2: the control character U+000C FORM FEED cannot be in a rule file (pasted text often "
         "brings one): delete it (the parser says: not well-formed (invalid token))"},
        {"\n<?xml version=\"1.0\"?>\n<rules/>",
         "2: the <?xml ...?> line must be the very first thing in the file, with no space, blank "
         "line or comment before it (the parser says: XML or text declaration not at start of "
         "entity)"},
        {"<rules/>\n<rule/>\n",
         "2: there is more after </rules>, which must end the file: move it inside <rules> or "
         "delete it (the parser says: junk after document element)"},
        // A byte order mark that the declaration contradicts.
        {"\xEF\xBB\xBF<?xml version=\"1.0\" encoding=\"UTF-16\"?>\n<rules/>",
         "1: the file starts with the byte order mark of UTF-8 but declares encoding=\"UTF-16\": "
         "declare encoding=\"UTF-8\", or none (the parser says: encoding specified in XML "
         "declaration is incorrect)"},
    };
    for (const auto& [xml, expected] : cases)
    {
        ScopedWorkDir work({{"rules.xml", xml}});
        CheckRun run({"rules.xml"});
        EXPECT_EQ(run.status, 1);
        EXPECT_EQ(run.out.str(), "rules.xml:" + expected + "\n");
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
    EXPECT_EQ(version.out.str(), "amorquant-check " + ReleaseVersion().utf8_string() + "\n");
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
    // A file that could not be read has no total to show, only its problem.
    CheckRun broken({"--total", "broken.xml", "missing.xml"});
    EXPECT_EQ(broken.status, 1);
    EXPECT_EQ(broken.out.str().find(": total "), std::string::npos) << broken.out.str();
    EXPECT_NE(broken.out.str().find("broken.xml:1: the file ends before it closes <rules>"),
              std::string::npos)
        << broken.out.str();
}

// An answer for a row that the window lacks because of the file is a
// problem of the file, with the reason on the rule's line; one for a row
// that no rule names is a mistake on the command line.
TEST(RuleCheckCommand, AnswersForRowsTheFileLosesAreItsProblems)
{
    ScopedWorkDir work({{"rules.xml", "<rules>\n"
                                      "<rule><id>a</id><pg_type>bool</pg_type><content>Q</content>"
                                      "<lower_price>5</lower_price></rule>\n"
                                      "<rule><id>pets</id><pg_type>boolean</pg_type></rule>\n"
                                      "<item/>\n"
                                      "<rule><id>late</id><pg_type>bool</pg_type></rule>\n"
                                      "</rules>\n"},
                        {"broken.xml", "<rules>"}});
    CheckRun run({"--answer=a=1", "--answer=pets=1", "--answer=late=1", "rules.xml"});
    EXPECT_EQ(run.status, 1);
    EXPECT_EQ(run.out.str(),
              "rules.xml:3: unknown kind 'boolean' (bool, int or choice): the rule is left out\n"
              "rules.xml:4: element <item> is not a rule: reading stops here and the 1 rule(s) "
              "after it are not read\n"
              "rules.xml:3: --answer 'pets': the rule with this id is left out for its kind, so "
              "it has no row\n"
              "rules.xml:5: --answer 'late': the rule with this id comes after reading stops at "
              "line 4, so it has no row\n"
              "rules.xml: total 1005\n");
    CheckRun broken({"--answer=a=1", "broken.xml"});
    EXPECT_EQ(broken.status, 1);
    EXPECT_NE(broken.out.str().find(
                  "broken.xml: --answer 'a': the program reads no rules from this file\n"),
              std::string::npos)
        << broken.out.str();
    CheckRun unknown({"--answer=b=1", "rules.xml"});
    EXPECT_EQ(unknown.status, 2);
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

namespace
{
const char g_choices[] = R"(<rules>
<rule><id>income</id><pg_type>Choice</pg_type><content>Q</content>
  <option><text>low</text><price>-20</price></option>
  <OPTION><Text>mid</Text><price>40</price></OPTION>
  <option><text>3</text><price>120</price></option></rule>
<rule><id>bad</id><pg_type>choice</pg_type><content>Q</content><lower_price>5</lower_price>
  <option n="1"><text>a</text><price>１２</price></option>
  <option><text>a</text><colour/></option>
  <option><price>5</price></option>
</rule>
<rule><id>empty</id><pg_type>choice</pg_type><content>Q</content></rule>
<rule><id>tick</id><pg_type>bool</pg_type><content>Q</content><option/></rule>
</rules>
)";
} // namespace

TEST(RuleCheck, ChoiceRulesAreCheckedOptionByOption)
{
    const std::vector<std::string> expected = {
        "6: warning: <lower_price> is ignored in a choice rule: each <option> has its own <price>",
        "7: attribute n=\"1\" of <option> is never read",
        "7: <price> '１２' is not a number and reads as 0: its digits are full-width; type the "
        "digits 0-9",
        "8: unknown field <colour> is ignored",
        "8: option 2 has no <price>: choosing it adds 0",
        "8: option 2 has the same text as option 1 (line 7): the two cannot be told apart",
        "9: option 3 has no <text>: it shows empty in the list",
        "11: a choice rule without <option>: the row has nothing to choose",
        "12: unknown field <option> is ignored",
        "12: warning: the checkbox has no <lower_price>, its price: ticking it never changes "
        "the total",
    };
    EXPECT_EQ(Problems(g_choices), expected);
}

TEST(RuleCheckCommand, ChoiceAnswersAreOptionNumbersOrTextsAndOthersListTheOptions)
{
    ScopedWorkDir work({{"choices.xml", std::string(g_choices)}});
    const auto run = [](const wxString& answer) {
        return std::make_unique<CheckRun>(std::vector<wxString>{"--answer", answer, "choices.xml"});
    };
    EXPECT_NE(run("income=2")->out.str().find("choices.xml: total 1040\n"), std::string::npos);
    EXPECT_NE(run("income=mid")->out.str().find("choices.xml: total 1040\n"), std::string::npos);
    EXPECT_NE(run("income=0")->out.str().find("choices.xml: total 1000\n"), std::string::npos);
    // A number is the option's number, even where another option's text is that number.
    EXPECT_NE(run("income=3")->out.str().find("choices.xml: total 1120\n"), std::string::npos);
    for (const char* wrong : {"income=4", "income=Mid", "income=", "income=-1"})
    {
        const auto bad = run(wrong);
        EXPECT_EQ(bad->status, 2) << wrong;
        EXPECT_NE(bad->err.str().find("1 = 'low', 2 = 'mid' or 3 = '3'"), std::string::npos)
            << bad->err.str();
    }
    EXPECT_NE(run("empty=1")->err.str().find("the row has no options"), std::string::npos);
}

namespace
{
// The lines of the checker's report on a corpus file, without the file name.
std::vector<std::string> CorpusReport(const std::string& name, int& status)
{
    const std::string path = TESTS_SOURCE_DIR "/scoring/corpus/" + name + ".xml";
    CheckRun run({wxString::FromUTF8(path)});
    status = run.status;
    std::vector<std::string> lines;
    std::istringstream out(run.out.str());
    for (std::string line; std::getline(out, line);)
        lines.push_back(line.substr(path.size() + 1));
    return lines;
}
} // namespace

// What a paste from a web page or an editor brings: spaces that are read as
// such but named on their lines, and what the window loses, as problems.
TEST(RuleCheckCommand, PastedSpacesBracketsAndEntitiesAreNamedOnTheirLines)
{
    const std::string pasted = " between tags is read as white space, but other readers may "
                               "not; replace it with an ASCII space";
    int status = 0;
    EXPECT_EQ(CorpusReport("nbsp_indented", status),
              (std::vector<std::string>{"3: warning: U+00A0 NO-BREAK SPACE" + pasted,
                                        "4: warning: U+00A0 NO-BREAK SPACE" + pasted,
                                        "5: warning: U+00A0 NO-BREAK SPACE" + pasted}));
    EXPECT_EQ(status, 3);
    EXPECT_EQ(CorpusReport("stray_bom_between_rules", status),
              (std::vector<std::string>{"4: warning: U+FEFF ZERO WIDTH NO-BREAK SPACE" + pasted,
                                        "5: warning: U+2028 LINE SEPARATOR" + pasted}));
    EXPECT_EQ(CorpusReport("fullwidth_brackets", status),
              std::vector<std::string>{"4: text outside the fields of a rule is ignored; ＜ and ＞ "
                                       "are full-width brackets and make no tag: type the ASCII < "
                                       "and >"});
    EXPECT_EQ(status, 1);
    const std::string unexpanded = " is not expanded: the program reads nothing in its place (a "
                                   "number there reads as blank); type the character itself";
    EXPECT_EQ(CorpusReport("doctype_entities", status),
              (std::vector<std::string>{
                  "2: warning: the DOCTYPE is ignored: the program expands none of the entities "
                  "it declares and reads no file it names",
                  "7: &yen;" + unexpanded,
                  "8: &ten;" + unexpanded,
                  "8: <lower_price> '-' is not a number and reads as 0",
              }));
    EXPECT_EQ(status, 1);
}

// Messages that name the slip instead of the parser's words or a wrong cause.
TEST(RuleCheck, SlipsFromEditorsAndInputMethodsAreNamed)
{
    const auto utf16 = [](const std::string& ascii)
    {
        std::string bytes = "\xFF\xFE";
        for (char c : ascii)
            bytes += std::string{c, '\0'};
        return bytes;
    };
    const std::pair<std::string, std::string> cases[] = {
        {"<?xml version=\xE2\x80\x9C"
         "1.0\xE2\x80\x9D?>\n<rules/>",
         "U+201C"},
        {"<rules><rule a=\xEF\xBC\x82x\xEF\xBC\x82/></rules>", "(U+FF02) is not the ASCII \""},
        {"<rules/>\n\xE4\xBD\xA0\xE5\xA5\xBD", "there is more after </rules>"},
        {utf16("<?xml version='1.0' encoding='UTF-8'?><rules/>"),
         "byte order mark of UTF-16LE but declares encoding=\"UTF-8\""},
        {utf16("<?xml version=\"1.0\" encoding=\"GBK\"?><rules/>"),
         "byte order mark of UTF-16LE but declares encoding=\"GBK\""},
        {"<?xml version=\"1.0\" encoding=\"ANSI\"?><rules/>", "declare encoding=\"GBK\""},
        {"<rules><rule><id>a=b</id><pg_type>int</pg_type><content>Q</content>"
         "<lower_price>\xEF\xBC\x8B"
         "2</lower_price></rule></rules>",
         "U+FF0B FULLWIDTH PLUS SIGN"},
        {"<rules><rule><id>a=b</id><pg_type>bool</pg_type><content>Q</content>"
         "<lower_price>2</lower_price></rule></rules>",
         "warning: id 'a=b' holds '='"},
    };
    for (const auto& [xml, named] : cases)
    {
        ScopedWorkDir work({{"rules.xml", xml}});
        CheckRun run({"rules.xml"});
        EXPECT_NE(run.out.str().find(named), std::string::npos) << xml << "\n" << run.out.str();
    }
}

TEST(RuleCheckCommand, UsageSlipsAreBadUsageThatNamesThem)
{
    ScopedWorkDir work({{"rules.xml", std::string(g_clean)}});
    CheckRun emptyId({"--answer", "=1", "rules.xml"});
    EXPECT_EQ(emptyId.status, 2);
    EXPECT_NE(emptyId.err.str().find("--answer =1 names no row: the ID before '=' is empty"),
              std::string::npos)
        << emptyId.err.str();
    CheckRun dashName({"-x.xml"});
    EXPECT_EQ(dashName.status, 2);
    EXPECT_NE(dashName.err.str().find("after -- or as ./-x.xml"), std::string::npos)
        << dashName.err.str();
}
