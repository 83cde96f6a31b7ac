#include "scoring/rule.h"

#include "scoring/choicerule.h"
#include "scoring/intrule.h"
#include "scoring/ruleformat.h"
#include "scoring/rulereport.h"

#include <wx/intl.h>
#include <wx/variant.h>

#include <climits>

int Saturate(long long v)
{
    return v > INT_MAX ? INT_MAX : v < INT_MIN ? INT_MIN : int(v);
}

int SaturatingProduct(long long a, long long b)
{
    long long product;
    if (__builtin_mul_overflow(a, b, &product))
        return (a < 0) != (b < 0) ? INT_MIN : INT_MAX;
    return Saturate(product);
}

// The kinds by name, and the class of each.

const wxString& KindName(RuleKind kind)
{
    // Held as wxString: comparing with a char literal converts it each time.
    static const wxString boolName = "bool", intName = "int", choiceName = "choice", none;
    switch (kind)
    {
    case RuleKind::Bool:
        return boolName;
    case RuleKind::Int:
        return intName;
    case RuleKind::Choice:
        return choiceName;
    }
    return none;
}

std::vector<RuleKind> AllKinds()
{
    // Kinds are numbered from 0 up, so the first number without a name ends
    // them: a new kind joins once KindName names it.
    std::vector<RuleKind> kinds;
    for (int k = 0; !KindName(RuleKind(k)).empty(); ++k)
        kinds.push_back(RuleKind(k));
    return kinds;
}

std::optional<RuleKind> FindKind(const wxString& pg_type)
{
    static const std::vector<RuleKind> kinds = AllKinds();
    for (RuleKind kind : kinds)
        if (pg_type.CmpNoCase(KindName(kind)) == 0)
            return kind;
    return std::nullopt;
}

std::unique_ptr<Rule> NewRule(RuleKind kind)
{
    switch (kind)
    {
    case RuleKind::Bool:
        return std::make_unique<Rule>();
    case RuleKind::Int:
        return std::make_unique<IntRule>();
    case RuleKind::Choice:
        return std::make_unique<ChoiceRule>();
    }
    return nullptr;
}

// The yes/no rule.

void Rule::ReadNumbers(const RuleFields& fields)
{
    upper_price = ReadNumber(fields.Value(RuleField::UpperPrice));
    lower_price = ReadNumber(fields.Value(RuleField::LowerPrice));
    upper_limit = ReadNumber(fields.Value(RuleField::UpperLimit));
    lower_limit = ReadNumber(fields.Value(RuleField::LowerLimit));
}

void Rule::ReadFields(const wxXmlNode*, const RuleFields& fields)
{
    // The band fields are kept though unused: the rule holds what the file
    // wrote.
    ReadNumbers(fields);
}

long long Rule::Entered(const wxVariant& rowValue) const
{
    return rowValue.GetBool() ? 1 : 0;
}

long long Rule::AnswerOf(long long entered) const
{
    return entered ? 1 : 0;
}

bool Rule::ParseAnswer(const wxString& text, long long& entered) const
{
    const bool ticked = text == "1" || text.CmpNoCase("true") == 0;
    entered = ticked;
    return ticked || text == "0" || text.CmpNoCase("false") == 0;
}

wxString Rule::AnswerHint() const
{
    return wxString();
}

bool Rule::ReadsElement(const wxXmlNode*) const
{
    return false;
}

void Rule::CheckFields(const wxXmlNode*, const RuleFields& fields, RuleReport& report) const
{
    for (RuleField field : {RuleField::UpperLimit, RuleField::LowerLimit, RuleField::UpperPrice})
        report.ReportUnused(fields, field, _("a yes/no rule is priced by <lower_price> alone"));
}

int Rule::GetPrice(int answer)
{
    return SaturatingProduct(answer, lower_price);
}

RuleArray& RuleArray::operator=(RuleArray&& other) noexcept
{
    if (this != &other)
    {
        Clear();
        m_rules.swap(other.m_rules);
    }
    return *this;
}

void RuleArray::Clear()
{
    while (!m_rules.empty())
    {
        delete m_rules.back();
        m_rules.pop_back();
    }
}
