#include "scoring/rule.h"

#include <wx/wxcrt.h>

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

// What each kind is, apart from its grid row (checklist.cpp): its name, its
// rule class, and how its answer is read.

const wxString& KindName(RuleKind kind)
{
    // Held as wxString: comparing with a char literal converts it each time.
    static const wxString boolName = "bool", intName = "int", none;
    switch (kind)
    {
    case RuleKind::Bool:
        return boolName;
    case RuleKind::Int:
        return intName;
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

Rule* NewRule(RuleKind kind)
{
    switch (kind)
    {
    case RuleKind::Bool:
        return new Rule;
    case RuleKind::Int:
        return new IntRule;
    }
    return nullptr;
}

long long AnswerOf(const Rule& rule, long long entered)
{
    switch (rule.Kind())
    {
    case RuleKind::Bool:
        return entered ? 1 : 0;
    case RuleKind::Int:
        return entered;
    }
    return 0;
}

bool ParseAnswer(const Rule& rule, const wxString& text, long long& entered)
{
    switch (rule.Kind())
    {
    case RuleKind::Bool:
    {
        const bool ticked = text == "1" || text.CmpNoCase("true") == 0;
        entered = ticked;
        return ticked || text == "0" || text.CmpNoCase("false") == 0;
    }
    case RuleKind::Int:
    {
        unsigned long long number = 0;
        if (text.empty() || !wxIsdigit(text[0]) || !text.ToULongLong(&number))
            return false;
        entered = number > LLONG_MAX ? LLONG_MAX : (long long)number;
        return true;
    }
    }
    return false;
}

int Rule::GetPrice(int answer)
{
    return SaturatingProduct(answer, lower_price);
}

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
