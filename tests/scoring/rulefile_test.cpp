#include "scoring/rulefile.h"

#include <gtest/gtest.h>
#include <wx/sstream.h>
#include <wx/xml/xml.h>

#include <climits>
#include <memory>

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
