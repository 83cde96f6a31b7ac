#pragma once

#include <wx/string.h>

// What a text typed into a number row means. The rows take whole numbers
// from 0 up: a decimal counts as the nearest whole number (half away from
// zero), a number beyond int as the largest int, a negative one as 0.
// Full-width digits, points, signs and spaces, as a Chinese input method
// gives them, read as their ASCII forms. A word after the number that
// multiplies it (万, k...) is never dropped: such a text does not count.
struct AnswerText
{
    enum class Reading
    {
        Number,         // counts as number
        Negative,       // counts as 0: a minus sign is never dropped
        NoNumber,       // the row keeps its answer
        SeveralNumbers, // the row keeps its answer
        Multiplied      // the row keeps its answer
    };
    Reading reading = Reading::NoNumber;
    int number = 0;       // what the row counts, for Number and Negative
    bool rounded = false; // a fraction was dropped or rounded up
    bool capped = false;  // the number was larger than the largest int
    wxString multiplier;  // for Multiplied: the word after the number

    // Whether the row takes the text (as a number or as 0).
    bool Counts() const { return reading == Reading::Number || reading == Reading::Negative; }
};

// A text with one number in it, whatever else it holds, counts as that
// number; an empty or blank text is 0.
AnswerText ReadAnswerText(const wxString& text);

// Whether a typed character can begin a number: a digit, point or minus
// sign, full-width ones included.
bool BeginsNumber(wxUniChar c);
