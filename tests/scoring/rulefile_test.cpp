#include "scoring/rulefile.h"
#include "scoring/ruleload.h"

#include "check/checkcommand.h"
#include "scoring/intrule.h"
#include "scoring/result.h"
#include "scoring/rulecheck.h"
#include "scoring/ruleformat.h"
#include "support/workdir.h"
#include "support/wxtest.h"

#include <gtest/gtest.h>
#include <wx/filename.h>
#include <wx/sstream.h>
#include <wx/xml/xml.h>

#include <climits>
#include <memory>
#include <sstream>
#include <tuple>
#ifndef __WINDOWS__
#include <sys/stat.h>
#endif

namespace
{
// Parses a document as the program reads rule files.
struct Parsed
{
    explicit Parsed(const wxString& xml)
    {
        wxStringInputStream in(xml);
        ok = doc.Load(in, "UTF-8", 0);
    }
    wxXmlDocument doc;
    bool ok = false;
};

RuleArray ReadParsed(const wxString& xml)
{
    Parsed parsed(xml);
    EXPECT_TRUE(parsed.ok) << xml;
    return ReadRules(parsed.doc.GetRoot());
}

// The rules of a document.
struct Rules : RuleArray
{
    explicit Rules(const wxString& xml) : RuleArray(ReadParsed(xml)) {}
};

wxString Rule1(const wxString& fields)
{
    return "<rule>" + fields + "</rule>";
}
} // namespace

TEST(RulesFileName, FormsTheFourNamesAndKeepsUnknownPlaceholders)
{
    EXPECT_EQ(RulesFileName(0, 0), "rules\\rules_gf_normal-zh_CN.xml");
    EXPECT_EQ(RulesFileName(0, 1), "rules\\rules_gf_crazy-zh_CN.xml");
    EXPECT_EQ(RulesFileName(1, 0), "rules\\rules_bf_normal-zh_CN.xml");
    EXPECT_EQ(RulesFileName(1, 1), "rules\\rules_bf_crazy-zh_CN.xml");
    EXPECT_EQ(RulesFileName(-1, 1), "rules\\rules_$TYPE$_crazy-zh_CN.xml");
    EXPECT_EQ(RulesFileName(0, 2), "rules\\rules_gf_$MODE$-zh_CN.xml");
}

TEST(ReadNumber, TakesTheLeadingNumberAndClamps)
{
    EXPECT_EQ(ReadNumber("42"), 42);
    EXPECT_EQ(ReadNumber(" 12abc"), 12);
    EXPECT_EQ(ReadNumber("\t-7"), -7);
    EXPECT_EQ(ReadNumber("+8"), 8);
    EXPECT_EQ(ReadNumber("abc"), 0);
    EXPECT_EQ(ReadNumber(""), 0);
    EXPECT_EQ(ReadNumber("- 5"), 0);
    EXPECT_EQ(ReadNumber("3.9"), 3);
    EXPECT_EQ(ReadNumber("2147483648"), INT_MAX);
    EXPECT_EQ(ReadNumber("-2147483649"), INT_MIN);
    EXPECT_EQ(ReadNumber("99999999999999999999999"), INT_MAX);
    EXPECT_EQ(ReadNumber("-99999999999999999999999"), INT_MIN);
}

// Leading white space is what a UTF-8 locale's iswspace accepts, whatever
// locale the program runs in.
TEST(ReadNumber, SkipsTheWhiteSpaceOfAUtf8Locale)
{
    EXPECT_EQ(ReadNumber(wxString::FromUTF8("\u300012")), 12);
    EXPECT_EQ(ReadNumber(wxString::FromUTF8(" \u3000\t-7")), -7);
#ifdef __WINDOWS__
    EXPECT_EQ(ReadNumber(wxString::FromUTF8("\u00A012")), 12);
#else
    // The GNU C library does not count the no-break space as white space.
    EXPECT_EQ(ReadNumber(wxString::FromUTF8("\u00A012")), 0);
#endif
}

TEST(ReadRules, ReadsFieldsInAnyOrderWithCaseRules)
{
    Rules rules("<rules>"
                "<rule><ID>a</ID><Pg_Type>Bool</Pg_Type><content> Ask? </content>"
                "<lower_price>-200</lower_price></rule>"
                "<RULE><lower_limit>3</lower_limit><pg_type>INT</pg_type><upper_price>100"
                "</upper_price><upper_limit> 5x</upper_limit><id>b</id><note>ignored</note>"
                "<lower_price>-50</lower_price></RULE>"
                "</rules>");
    ASSERT_EQ(rules.size(), 2u);
    EXPECT_EQ(rules[0]->id, "a");
    EXPECT_EQ(rules[0]->pg_type, "Bool");
    EXPECT_EQ(rules[0]->content, " Ask? "); // values are taken unchanged
    EXPECT_EQ(rules[0]->lower_price, -200);
    EXPECT_EQ(rules[0]->Kind(), RuleKind::Bool);
    EXPECT_EQ(dynamic_cast<const IntRule*>(rules[0]), nullptr);

    Rule& band = *rules[1];
    EXPECT_EQ(band.Kind(), RuleKind::Int);
    EXPECT_NE(dynamic_cast<const IntRule*>(&band), nullptr);
    EXPECT_EQ(band.id, "b");
    EXPECT_EQ(band.lower_limit, 3);
    EXPECT_EQ(band.upper_limit, 5);
    EXPECT_EQ(band.upper_price, 100);
    EXPECT_EQ(band.lower_price, -50);
    EXPECT_EQ(band.GetPrice(7), 200);
}

TEST(ReadRules, RepeatedMissingAndFreshFields)
{
    Rules rules("<rules>" +
                Rule1("<id>x</id><pg_type>int</pg_type><upper_limit>9</upper_limit>"
                      "<upper_limit>4</upper_limit><content>first</content>"
                      "<content></content>") +
                Rule1("<pg_type>int</pg_type><!-- between fields --><id>y</id>") + "</rules>");
    ASSERT_EQ(rules.size(), 2u);
    EXPECT_EQ(rules[0]->upper_limit, 4); // the last of a repeated field wins
    EXPECT_EQ(rules[0]->content, "");
    // Nothing carries over from the previous rule.
    EXPECT_EQ(rules[1]->upper_limit, 0);
    EXPECT_EQ(rules[1]->content, "");
    EXPECT_EQ(rules[1]->id, "y");
}

TEST(ReadRules, WhereReadingStops)
{
    // Comments and processing instructions between rules are skipped.
    EXPECT_EQ(Rules("<rules><!-- head --><rule><id>a</id><pg_type>bool</pg_type></rule>"
                    "<?note x?><rule><id>b</id><pg_type>int</pg_type></rule></rules>")
                  .size(),
              2u);
    // Any other child ends the list; the rules before it stay.
    EXPECT_EQ(Rules("<rules><rule><id>a</id><pg_type>bool</pg_type></rule><group/>"
                    "<rule><id>b</id><pg_type>bool</pg_type></rule></rules>")
                  .size(),
              1u);
    EXPECT_EQ(Rules("<rules><rule><id>a</id><pg_type>bool</pg_type></rule>stray text"
                    "<rule><id>b</id><pg_type>bool</pg_type></rule></rules>")
                  .size(),
              1u);
    // Unknown and missing kinds are left out without ending the list.
    EXPECT_EQ(Rules("<rules><rule><id>a</id><pg_type>text</pg_type></rule><rule/>"
                    "<rule><id>b</id><pg_type>int</pg_type></rule></rules>")
                  .size(),
              1u);
    // The root name must be exactly "rules".
    EXPECT_EQ(Rules("<Rules><rule><id>a</id><pg_type>bool</pg_type></rule></Rules>").size(), 0u);
    EXPECT_EQ(Rules("<rules/>").size(), 0u);
    EXPECT_TRUE(ReadRules(nullptr).empty());
}

TEST(RowNames, AreDistinctAndKeepUniqueIds)
{
    Rules rules("<rules>" + Rule1("<id>a</id><pg_type>bool</pg_type>") +
                Rule1("<id>a</id><pg_type>bool</pg_type>") +
                Rule1("<id>a#2</id><pg_type>bool</pg_type>") + Rule1("<pg_type>int</pg_type>") +
                Rule1("<pg_type>int</pg_type>") + Rule1("<id>b</id><pg_type>int</pg_type>") +
                "</rules>");
    const wxArrayString names = RowNames(rules);
    ASSERT_EQ(names.size(), 6u);
    EXPECT_EQ(names[0], "a");
    EXPECT_EQ(names[5], "b");
    for (size_t i = 0; i < names.size(); ++i)
    {
        EXPECT_FALSE(names[i].empty());
        for (size_t j = i + 1; j < names.size(); ++j)
            EXPECT_NE(names[i], names[j]);
    }
}

// Files the loader refuses, and files just within its limits, as the window
// and the checker load them.
namespace
{
struct Loaded
{
    RuleLoadFault::Kind fault;
    size_t rows;
    int total; // of the unanswered checklist
};

Loaded LoadFile(const std::string& bytes)
{
    ScopedWorkDir work({{"rules.xml", bytes}});
    wxXmlDocument doc;
    const RuleLoadFault fault = LoadRuleFile("rules.xml", doc);
    const RuleArray rules =
        ReadRules(fault.kind == RuleLoadFault::Kind::None ? doc.GetRoot() : nullptr);
    return {fault.kind, rules.size(), TotalPrice(rules, std::vector<long long>(rules.size(), 0))};
}

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

// One rule whose label holds the given text, so that an accepted file gives a row.
std::string LabelRule(const std::string& label)
{
    return "<rules><rule><id>a</id><pg_type>bool</pg_type><content>" + label +
           "</content></rule></rules>";
}
} // namespace

// The library's loader takes minutes on a few MB of one comment, tag or
// text, and a file of ordinary rules that large fills the grid for minutes:
// such files are refused before they are parsed, the window says so and the
// checker too.
TEST(LoadRuleFile, RefusesFilesBeyondTheLimits)
{
    int count = 0;
    const std::string filler = Repeated("x", g_fiftyMegabytes);
    const std::string megabyte = Repeated("x", 1024 * 1024);
    using Kind = RuleLoadFault::Kind;
    const std::tuple<const char*, std::string, Kind> cases[] = {
        {"ordinary rules", ManyRules(g_fiftyMegabytes, &count), Kind::FileTooLarge},
        {"one comment", "<rules><!--" + filler + "--></rules>", Kind::FileTooLarge},
        {"one unclosed comment", "<rules><!--" + filler, Kind::FileTooLarge},
        {"one attribute", "<rules><rule note=\"" + filler + "\"/></rules>", Kind::FileTooLarge},
        {"one long label", LabelRule(megabyte), Kind::StretchTooLong},
        {"one long run of references", LabelRule(Repeated("&amp;", 1024 * 1024)),
         Kind::StretchTooLong},
        {"one long comment", "<rules><!--" + megabyte + "--></rules>", Kind::StretchTooLong},
        {"one long CDATA section", LabelRule("<![CDATA[" + megabyte + "]]>"), Kind::StretchTooLong},
    };
    for (const auto& [name, file, fault] : cases)
    {
        SCOPED_TRACE(name);
        const Loaded loaded = LoadFile(file);
        EXPECT_EQ(loaded.fault, fault);
        EXPECT_EQ(loaded.rows, 0u);

        ScopedWorkDir work({{"rules.xml", file}});
        std::ostringstream out, err;
        EXPECT_EQ(RunRuleCheck({"--total", "rules.xml"}, out, err), 1);
        const std::string why = fault == Kind::StretchTooLong
                                    ? "rules.xml: not read: one comment, tag or text in it is "
                                      "longer than the limit of 256 KB\n"
                                    : "rules.xml: not read: it is larger than the limit of 4 MB\n";
        EXPECT_EQ(out.str(), why);
    }
    // The window's box says the same.
    wxtest::ClearLog();
    RuleLoadFault fault;
    fault.kind = Kind::StretchTooLong;
    fault.limit = g_ruleStretchLimit;
    LogRuleLoadFault("rules.xml", fault);
    EXPECT_TRUE(wxtest::LogContains("Rule file 'rules.xml': not read: one comment, tag or text in "
                                    "it is longer than the limit of 256 KB"));
    wxtest::ClearLog();
}

// Just inside both limits: everything is read. The slowest files within
// them are the largest ones made of the longest stretches or of the most
// rules; ctest's timeout is the guard against a hang.
TEST(LoadRuleFile, ReadsFilesWithinTheLimitsInFull)
{
    const std::string stretch = Repeated("x", g_ruleStretchLimit - 100);
    std::string comments = "<rules>", labels = "<rules>";
    size_t commented = 0, labelled = 0;
    for (; comments.size() + stretch.size() < g_ruleFileLimit - 1024; ++commented)
        comments += "<!--" + stretch + "--><rule><pg_type>bool</pg_type></rule>";
    for (; labels.size() + stretch.size() < g_ruleFileLimit - 1024; ++labelled)
        labels += "<rule><pg_type>bool</pg_type><content>" + stretch + "</content></rule>";
    int count = 0;
    const std::string ordinary = ManyRules(g_ruleFileLimit - 1024, &count);
    const std::tuple<const char*, std::string, size_t, int> cases[] = {
        {"longest labels", labels + "</rules>", labelled, 1000},
        {"longest comments", comments + "</rules>", commented, 1000},
        {"ordinary rules", ordinary, size_t(count), 1000 - 3 * count},
    };
    for (const auto& [name, file, rows, total] : cases)
    {
        SCOPED_TRACE(name);
        const Loaded loaded = LoadFile(file);
        EXPECT_EQ(loaded.fault, RuleLoadFault::Kind::None);
        EXPECT_EQ(loaded.rows, rows);
        EXPECT_EQ(loaded.total, total);
    }
}

// Deeply nested markup in a field neither crashes nor hangs the loader.
TEST(LoadRuleFile, DeepNestingIsReadWithItsOneRule)
{
    std::string deep = "<rules><rule><id>a</id><pg_type>bool</pg_type><content>";
    for (int i = 0; i < 100000; ++i)
        deep += "<n>";
    for (int i = 0; i < 100000; ++i)
        deep += "</n>";
    const Loaded loaded = LoadFile(deep + "</content></rule></rules>");
    EXPECT_EQ(loaded.fault, RuleLoadFault::Kind::None);
    EXPECT_EQ(loaded.rows, 1u);
    EXPECT_EQ(loaded.total, 1000);
}

// A FIFO in place of the rule file would block the loader forever on its
// first read; it is refused unopened, as a folder is. A missing file is the
// system's to explain, in the library's words.
TEST(LoadRuleFile, RefusesWhatIsNoPlainFileAndReportsAMissingOne)
{
    ScopedWorkDir work;
    wxXmlDocument doc;
    ASSERT_TRUE(wxFileName::Mkdir(work.Path() + "/folder.xml"));
    EXPECT_EQ(LoadRuleFile("folder.xml", doc).kind, RuleLoadFault::Kind::NotPlainFile);
    std::ostringstream out, err;
    EXPECT_EQ(RunRuleCheck({"folder.xml"}, out, err), 1);
    EXPECT_EQ(out.str(), "folder.xml: not read: it is not a plain file (a folder or a device)\n");
#ifndef __WINDOWS__
    ASSERT_EQ(mkfifo("fifo.xml", 0600), 0);
    EXPECT_EQ(LoadRuleFile("fifo.xml", doc).kind, RuleLoadFault::Kind::NotPlainFile);
#endif
    const RuleLoadFault missing = LoadRuleFile("missing.xml", doc);
    EXPECT_EQ(missing.kind, RuleLoadFault::Kind::CannotOpen);
    wxtest::ClearLog();
    LogRuleLoadFault("missing.xml", missing);
    EXPECT_TRUE(wxtest::LogContains("Rule file 'missing.xml': not read: it cannot be opened ("));
    wxtest::ClearLog();
}
