#include "scoring/rule.h"

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

RuleKind KindOf(const wxString& pg_type)
{
    // Converted once: the calculation asks this for every rule.
    static const wxString boolKind = "bool", intKind = "int";
    if (pg_type.CmpNoCase(boolKind) == 0)
        return RuleKind::Bool;
    if (pg_type.CmpNoCase(intKind) == 0)
        return RuleKind::Int;
    return RuleKind::Unknown;
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

void DeleteRules(RuleArray& rules)
{
    while (!rules.empty())
    {
        delete rules.back();
        rules.pop_back();
    }
    rules.Clear();
}
