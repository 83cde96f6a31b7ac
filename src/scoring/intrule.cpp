#include "scoring/intrule.h"

#include "scoring/ruleformat.h"
#include "scoring/rulereport.h"

#include <wx/intl.h>
#include <wx/variant.h>
#include <wx/wxcrt.h>

#include <climits>

int IntRule::GetPrice(int answer)
{
    // Differences of two ints fit in long long, so only the products can overflow.
    if (upper_limit == lower_limit)
        return SaturatingProduct((long long)answer - lower_limit, lower_price);
    int price = 0;
    if (answer > upper_limit)
        price = SaturatingProduct((long long)answer - upper_limit, upper_price);
    // -1 switches the lower band off; a price from below replaces one from above.
    if (answer < lower_limit && lower_limit != -1)
        price = SaturatingProduct((long long)lower_limit - answer, lower_price);
    return price;
}

long long IntRule::Entered(const wxVariant& rowValue) const
{
    // A number too large for a long arrives as an unsigned long long.
    static const wxString ulonglongType = "ulonglong"; // converted once, not at every row
    if (rowValue.GetType() == ulonglongType)
    {
        const unsigned long long large = rowValue.GetULongLong().GetValue();
        return large > (unsigned long long)LLONG_MAX ? LLONG_MAX : (long long)large;
    }
    wxLongLong number;
    return rowValue.Convert(&number) ? number.GetValue() : 0;
}

long long IntRule::AnswerOf(long long entered) const
{
    return entered;
}

bool IntRule::ParseAnswer(const wxString& text, long long& entered) const
{
    unsigned long long number = 0;
    if (text.empty() || !wxIsdigit(text[0]) || !text.ToULongLong(&number))
        return false;
    entered = number > LLONG_MAX ? LLONG_MAX : (long long)number;
    return true;
}

namespace
{
// "(answer - 3)", "(answer + 3)" for a limit of -3.
wxString AnswerMinus(int limit)
{
    return limit < 0 ? wxString::Format(_("(answer + %lld)"), -(long long)limit)
                     : wxString::Format(_("(answer - %lld)"), (long long)limit);
}

// A lower limit above the upper one leaves no answer in the band: what
// the window makes of each answer instead.
void ReportReversed(RuleReport& report, const RuleFields& fields, const wxXmlNode* rule,
                    int lowerLimit, int upperLimit)
{
    const wxXmlNode* node = fields.Node(RuleField::LowerLimit);
    if (!node)
        node = fields.Node(RuleField::UpperLimit);
    const wxString above = AnswerMinus(upperLimit);
    const wxString prices =
        lowerLimit > 0
            ? wxString::Format(_("below %d an answer is priced (%d - answer) x <lower_price>, "
                                 "from %d up %s x <upper_price>"),
                               lowerLimit, lowerLimit, lowerLimit, above)
            : wxString::Format(_("every answer is priced %s x <upper_price>"), above);
    report.Report(
        node ? node : rule,
        wxString::Format(_("the lower limit %d is above the upper limit %d, so no answer is "
                           "free: %s"),
                         lowerLimit, upperLimit, prices));
}

// The limits and prices of a whole-number rule.
void CheckBand(RuleReport& report, const RuleFields& fields, const wxXmlNode* rule)
{
    const int upperLimit = ReadNumber(fields.Value(RuleField::UpperLimit));
    const int lowerLimit = ReadNumber(fields.Value(RuleField::LowerLimit));
    if (upperLimit == lowerLimit)
    {
        report.ReportUnused(fields, RuleField::UpperPrice,
                            _("with equal limits only <lower_price> prices the answer"));
        if (lowerLimit == -1)
            report.Report(fields.Node(RuleField::LowerLimit),
                          _("both limits are -1: equal limits price every answer (answer + 1) x "
                            "<lower_price>, 0 included, and -1 switches nothing off"));
        return;
    }
    if (lowerLimit > upperLimit)
        ReportReversed(report, fields, rule, lowerLimit, upperLimit);
    // Answers are whole numbers from 0 up.
    if (lowerLimit < -1)
        report.ReportUnused(fields, RuleField::LowerLimit,
                            _("answers are never below 0 (-1 switches the lower price off)"));
    if (lowerLimit == -1)
        report.ReportUnused(fields, RuleField::LowerPrice, _("the lower limit -1 switches it off"));
    else if (lowerLimit <= 0)
        report.ReportUnused(
            fields, RuleField::LowerPrice,
            wxString::Format(_("answers are never below the lower limit %d"), lowerLimit));
    if (upperLimit == INT_MAX)
        report.ReportUnused(fields, RuleField::UpperLimit, _("no answer is above it"));
}

} // namespace

void IntRule::CheckFields(const wxXmlNode* element, const RuleFields& fields,
                          RuleReport& report) const
{
    CheckBand(report, fields, element);
}
