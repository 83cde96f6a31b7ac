#include "scoring/intrule.h"
#include "scoring/result.h"

#include <gtest/gtest.h>

#include <climits>

namespace
{
IntRule Band(int lower, int upper, int upperPrice, int lowerPrice)
{
    IntRule rule;
    rule.lower_limit = lower;
    rule.upper_limit = upper;
    rule.upper_price = upperPrice;
    rule.lower_price = lowerPrice;
    return rule;
}
} // namespace

TEST(RulePrice, WorkedExamples)
{
    IntRule band = Band(3, 5, 100, -50);
    EXPECT_EQ(band.GetPrice(7), 200);
    EXPECT_EQ(band.GetPrice(3), 0);
    EXPECT_EQ(band.GetPrice(4), 0);
    EXPECT_EQ(band.GetPrice(5), 0);
    EXPECT_EQ(band.GetPrice(1), -100);
    EXPECT_EQ(band.GetPrice(0), -150);

    EXPECT_EQ(Band(0, 0, 0, 20).GetPrice(4), 80);

    Rule yesNo;
    yesNo.lower_price = -200;
    yesNo.upper_price = 999; // a yes/no rule ignores the band fields
    yesNo.upper_limit = -7;
    yesNo.lower_limit = 9;
    EXPECT_EQ(yesNo.GetPrice(1), -200);
    EXPECT_EQ(yesNo.GetPrice(0), 0);
}

TEST(RulePrice, BandEdges)
{
    // Equal limits price the signed distance from the common limit.
    EXPECT_EQ(Band(5, 5, 1000, 30).GetPrice(2), -90);
    EXPECT_EQ(Band(5, 5, 1000, 30).GetPrice(8), 90);
    // Lower limit -1 switches the lower band off.
    EXPECT_EQ(Band(-1, 4, 10, 99).GetPrice(0), 0);
    EXPECT_EQ(Band(-1, 4, 10, 99).GetPrice(6), 20);
    // Upper limit -1 is an ordinary limit: every answer lies above it.
    EXPECT_EQ(Band(-3, -1, 10, 7).GetPrice(0), 10);
    EXPECT_EQ(Band(2, -1, 10, 3).GetPrice(0), 6);
    EXPECT_EQ(Band(-5, -1, 10, 7).GetPrice(3), 40);
    // Lower limit above the upper one: the lower band replaces the upper one.
    EXPECT_EQ(Band(8, 2, 10, -3).GetPrice(5), -9);
    EXPECT_EQ(Band(8, 2, 10, -3).GetPrice(9), 70);
    // Lower limit 0 never reaches the lower price.
    EXPECT_EQ(Band(0, 10, 5, 1000).GetPrice(0), 0);
}

TEST(RulePrice, SaturatesInsteadOfWrapping)
{
    EXPECT_EQ(Band(0, 0, 0, 100000).GetPrice(100000), INT_MAX);
    EXPECT_EQ(Band(0, 0, 0, -100000).GetPrice(100000), INT_MIN);
    EXPECT_EQ(Band(INT_MIN, INT_MIN, 0, INT_MAX).GetPrice(INT_MAX), INT_MAX);
    EXPECT_EQ(Band(INT_MIN, INT_MIN, 0, INT_MIN).GetPrice(INT_MAX), INT_MIN);
    EXPECT_EQ(Band(INT_MAX, 0, 0, INT_MIN).GetPrice(INT_MIN), INT_MIN);
    Rule yesNo;
    yesNo.lower_price = INT_MIN;
    EXPECT_EQ(yesNo.GetPrice(1), INT_MIN);
}

TEST(Total, StartsFromTheBaseAndSaturates)
{
    RuleArray rules;
    EXPECT_EQ(TotalPrice(rules, {}), 1000);

    Rule* tick = NewRule(RuleKind::Bool).release();
    tick->lower_price = -1250;
    rules.Add(tick);
    EXPECT_EQ(TotalPrice(rules, {7}), -250); // any non-zero checkbox value is a tick
    EXPECT_EQ(TotalPrice(rules, {0}), 1000);

    Rule* big = NewRule(RuleKind::Int).release();
    big->lower_price = INT_MAX;
    rules.Add(big);
    EXPECT_EQ(TotalPrice(rules, {0, 1}), INT_MAX);
    // A number beyond the range of int counts as the largest int.
    big->lower_price = 1;
    EXPECT_EQ(TotalPrice(rules, {0, 1LL << 40}), INT_MAX);
    big->lower_price = -1;
    EXPECT_EQ(TotalPrice(rules, {1, 1LL << 40}), INT_MIN);
}

TEST(ResultPage, PutsTheTotalInPlaceOfThePlaceholder)
{
    const wxString page = ResultPage(-250);
    EXPECT_TRUE(page.Contains("<font size=8 color=#ff0000>-250</font>"));
    EXPECT_FALSE(page.Contains("$result"));
    EXPECT_EQ(page.length(), g_resultTemplate.length() - 7 + 4);
    EXPECT_TRUE(g_resultTemplate.StartsWith(wxString::FromUTF8("<B>计算结果(人民币)\uFF1A")));
    EXPECT_TRUE(g_resultTemplate.EndsWith(wxString::FromUTF8("幸福有着落了</ul>")));
    EXPECT_EQ(ResultPage(1000).Find("1000"), g_resultTemplate.Find("$result"));
}
