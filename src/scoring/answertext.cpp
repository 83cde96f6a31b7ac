#include "scoring/answertext.h"

#include "scoring/charclass.h"

#include <algorithm>
#include <climits>

namespace
{
// The full-width forms of a Chinese input method, and the ideographic full
// stop that its Chinese punctuation gives for the point key.
wxUniChar Ascii(wxUniChar c)
{
    const wxUint32 code = c.GetValue();
    if (IsFullWidthDigit(code))
        return wxUniChar('0' + (code - 0xFF10));
    // A dash typed or pasted for a minus is one: never drop it to make a
    // negative answer positive.
    if (!LookAlikeMinus(code).empty())
        return '-';
    switch (code)
    {
    case 0xFF0E:
    case 0x3002:
        return '.';
    case 0x3000:
        return ' ';
    default:
        return c;
    }
}

bool IsDigit(const wxString& text, size_t i)
{
    return i < text.length() && text[i] >= '0' && text[i] <= '9';
}

bool StartsNumber(const wxString& text, size_t i)
{
    return IsDigit(text, i) || (text[i] == '.' && IsDigit(text, i + 1));
}

// Reads the number that starts at i and moves i past it.
AnswerText ReadNumberAt(const wxString& text, size_t& i)
{
    AnswerText answer;
    // "- 5" is as negative as "-5".
    size_t before = i;
    while (before > 0 && text[before - 1] == ' ')
        --before;
    const bool negative = before > 0 && text[before - 1] == '-';
    // Held just above int, so that rounding up and clamping stay exact.
    long long whole = 0;
    for (; IsDigit(text, i); ++i)
        whole = std::min(whole * 10 + (text[i] - '0'), (long long)INT_MAX + 1);
    if (i < text.length() && text[i] == '.')
    {
        const size_t fraction = ++i;
        for (; IsDigit(text, i); ++i)
            answer.rounded = answer.rounded || text[i] != '0';
        // Half away from zero: the first digit decides, for either sign.
        if (fraction < i && text[fraction] >= '5')
            ++whole;
    }
    if (negative && whole > 0)
        answer.reading = AnswerText::Reading::Negative;
    else
    {
        answer.reading = AnswerText::Reading::Number;
        answer.number = int(std::min(whole, (long long)INT_MAX));
    }
    return answer;
}
} // namespace

AnswerText ReadAnswerText(const wxString& text)
{
    wxString plain;
    for (wxUniChar c : text)
        plain += Ascii(c);
    AnswerText answer;
    if (wxString(plain).Trim(true).Trim(false).empty())
    {
        answer.reading = AnswerText::Reading::Number;
        return answer;
    }
    bool found = false;
    for (size_t i = 0; i < plain.length();)
    {
        if (!StartsNumber(plain, i))
            ++i;
        else if (found)
            return AnswerText{AnswerText::Reading::SeveralNumbers};
        else
        {
            answer = ReadNumberAt(plain, i);
            found = true;
        }
    }
    return answer;
}

bool BeginsNumber(wxUniChar c)
{
    const wxUniChar plain = Ascii(c);
    return (plain >= '0' && plain <= '9') || plain == '.' || plain == '-';
}
