#pragma once

#include <wx/dynarray.h>
#include <wx/string.h>

// One rule of a rule file. A yes/no rule prices a ticked box (answer 1) at
// lower_price; IntRule prices whole-number answers against a band.
class Rule
{
public:
    Rule() = default;
    virtual ~Rule() = default;

    // Prices are saturated at the limits of int rather than wrapping around.
    virtual int GetPrice(int answer);

    wxString id;
    wxString content;
    wxString pg_type;
    int upper_price = 0;
    int lower_price = 0;
    int upper_limit = 0;
    int lower_limit = 0;
};

class IntRule : public Rule
{
public:
    int GetPrice(int answer) override;
};

// A wx pointer array rather than a standard container, on purpose: the main
// window's members are declared with it. It does not own its rules.
WX_DEFINE_ARRAY_PTR(Rule*, RuleArray);

// Deletes the rules of an array, last first, and leaves it empty.
void DeleteRules(RuleArray& rules);

// Owns the rules it is given (say, what ReadRules returns) and deletes them
// when it goes. The main window keeps its bare array and calls DeleteRules.
class OwnedRules
{
public:
    explicit OwnedRules(const RuleArray& rules) : m_rules(rules) {}
    ~OwnedRules() { DeleteRules(m_rules); }
    OwnedRules(const OwnedRules&) = delete;
    OwnedRules& operator=(const OwnedRules&) = delete;

    const RuleArray& Array() const { return m_rules; }
    size_t size() const { return m_rules.size(); }
    bool empty() const { return m_rules.empty(); }
    Rule& operator[](size_t i) const { return *m_rules[i]; }
    RuleArray::const_iterator begin() const { return m_rules.begin(); }
    RuleArray::const_iterator end() const { return m_rules.end(); }

private:
    RuleArray m_rules;
};

// The two kinds of answer a rule can ask for, from its pg_type.
enum class RuleKind
{
    Bool,
    Int,
    Unknown
};
RuleKind KindOf(const wxString& pg_type);

// a * b clamped to the range of int.
int SaturatingProduct(long long a, long long b);
// v clamped to the range of int.
int Saturate(long long v);
