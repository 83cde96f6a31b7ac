#include "scoring/answertext.h"

#include <gtest/gtest.h>

namespace
{
using Reading = AnswerText::Reading;

// The reading and the number counted, as "reading:number".
std::string Read(const char* utf8)
{
    const AnswerText answer = ReadAnswerText(wxString::FromUTF8(utf8));
    const char* names[] = {"number", "negative", "none", "several", "multiplied"};
    std::string read =
        std::string(names[int(answer.reading)]) + ":" + std::to_string(answer.number);
    if (answer.capped)
        read += " capped";
    if (!answer.multiplier.empty())
        read += " by " + std::string(answer.multiplier.utf8_str());
    return read;
}
} // namespace

TEST(AnswerText, DecimalsCountAsTheNearestWholeNumberNeverJoined)
{
    EXPECT_EQ(Read("1.5"), "number:2");
    EXPECT_EQ(Read("2.4"), "number:2");
    EXPECT_EQ(Read("8.5"), "number:9");
    EXPECT_EQ(Read(".5"), "number:1");
    EXPECT_EQ(Read("7."), "number:7");
    EXPECT_EQ(Read("-0.4"), "number:0");
    EXPECT_TRUE(ReadAnswerText("1.5").rounded);
    EXPECT_FALSE(ReadAnswerText("2.00").rounded);
    EXPECT_TRUE(ReadAnswerText("3.01").rounded);
}

TEST(AnswerText, FullWidthFormsReadAsAscii)
{
    EXPECT_EQ(Read("１２"), "number:12");
    EXPECT_EQ(Read("　１．５　"), "number:2");
    EXPECT_EQ(Read("1。5"), "number:2");
    EXPECT_EQ(Read("－５"), "negative:0");
}

TEST(AnswerText, NegativeNumbersCountAsZeroNotAsTheirDigits)
{
    EXPECT_EQ(Read("-5"), "negative:0");
    EXPECT_EQ(Read("大约-2.5次"), "negative:0");
    EXPECT_EQ(Read("-0.5"), "negative:0");
    // A dash pasted for a minus, and a space after the minus.
    EXPECT_EQ(Read("\u20135"), "negative:0");
    EXPECT_EQ(Read("\u2212 5"), "negative:0");
    EXPECT_EQ(Read("- 5"), "negative:0");
}

TEST(AnswerText, TextAroundOneNumberCountsAsThatNumber)
{
    EXPECT_EQ(Read("每周3次"), "number:3");
    EXPECT_EQ(Read("about 4 times"), "number:4");
    EXPECT_EQ(Read(" "), "number:0");
    EXPECT_EQ(Read(""), "number:0");
}

TEST(AnswerText, TextWithoutExactlyOneNumberLeavesTheAnswer)
{
    EXPECT_EQ(Read("abc"), "none:0");
    EXPECT_EQ(Read("三次"), "none:0");
    EXPECT_EQ(Read("."), "none:0");
    EXPECT_EQ(Read("3-5"), "several:0");
    EXPECT_EQ(Read("1,000"), "several:0");
    EXPECT_EQ(Read("1.2.3"), "several:0");
}

TEST(AnswerText, NumbersBeyondIntCountAsTheLargestAndSaySo)
{
    EXPECT_EQ(Read("2147483647"), "number:2147483647");
    EXPECT_EQ(Read("2147483646.5"), "number:2147483647");
    EXPECT_EQ(Read("2147483647.5"), "number:2147483647 capped");
    EXPECT_EQ(Read("2147483648"), "number:2147483647 capped");
    EXPECT_EQ(Read("99999999999999999999999.9"), "number:2147483647 capped");
    EXPECT_EQ(Read("-99999999999"), "negative:0");
}

TEST(AnswerText, AWordThatMultipliesTheNumberIsNeverDropped)
{
    EXPECT_EQ(Read("约 1.2 万"), "multiplied:0 by 万");
    EXPECT_EQ(Read("1.2万"), "multiplied:0 by 万");
    EXPECT_EQ(Read("３　千"), "multiplied:0 by 千");
    EXPECT_EQ(Read("2亿元"), "multiplied:0 by 亿");
    EXPECT_EQ(Read("5k"), "multiplied:0 by k");
    EXPECT_EQ(Read("5 W"), "multiplied:0 by W");
    EXPECT_EQ(Read("-1万"), "multiplied:0 by 万");
    // Units of the thing counted, and words that only begin with k or w.
    EXPECT_EQ(Read("3天"), "number:3");
    EXPECT_EQ(Read("约 12 次"), "number:12");
    EXPECT_EQ(Read("2个"), "number:2");
    EXPECT_EQ(Read("1.5小时"), "number:2");
    EXPECT_EQ(Read("3 weeks"), "number:3");
    EXPECT_EQ(Read("4kids"), "number:4");
    // A magnitude before the number multiplies nothing typed.
    EXPECT_EQ(Read("万一 3"), "number:3");
}
