#pragma once

#include <wx/dynarray.h>
#include <wx/string.h>

#include <optional>
#include <vector>

// What a rule asks: a yes/no question or a whole number. Decided once, when
// the rule is read; everything that differs by kind switches over it, and
// the build refuses a switch that forgets one. What each kind is lives in
// rule.cpp (name, rule class, answers), checklist.cpp (its row) and
// rulecheck.cpp (what the checker says of its fields).
enum class RuleKind
{
    Bool,
    Int,
};

// The pg_type that names a kind in a rule file ("bool", "int").
const wxString& KindName(RuleKind kind);
// The kind a pg_type names, compared without regard to case; none for an
// unknown or empty one.
std::optional<RuleKind> FindKind(const wxString& pg_type);
// Every kind, in the order the checker lists them.
std::vector<RuleKind> AllKinds();

// One rule of a rule file. A yes/no rule prices a ticked box (answer 1) at
// lower_price; IntRule prices whole-number answers against a band.
class Rule
{
public:
    Rule() = default;
    virtual ~Rule() = default;

    // Prices are saturated at the limits of int rather than wrapping around.
    virtual int GetPrice(int answer);

    RuleKind Kind() const { return m_kind; }

    wxString id;
    wxString content;
    wxString pg_type;
    int upper_price = 0;
    int lower_price = 0;
    int upper_limit = 0;
    int lower_limit = 0;

protected:
    explicit Rule(RuleKind kind) : m_kind(kind) {}

private:
    RuleKind m_kind = RuleKind::Bool;
};

class IntRule : public Rule
{
public:
    IntRule() : Rule(RuleKind::Int) {}
    int GetPrice(int answer) override;
};

// A new rule object of a kind, its fields empty.
Rule* NewRule(RuleKind kind);

// The answer that a rule prices, from what its row holds: 1 or 0 for a
// yes/no rule (any non-zero value is a tick), the number itself otherwise.
long long AnswerOf(const Rule& rule, long long entered);

// What a row would hold for an answer written as text (the checker's
// --answer): 1/0 or true/false for a yes/no rule, a whole number from 0 up
// (beyond the range of long long its largest value) otherwise. False when
// the text is no answer for the rule.
bool ParseAnswer(const Rule& rule, const wxString& text, long long& entered);

WX_DEFINE_ARRAY_PTR(Rule*, RulePointerArray);

// The rules of a file in file order, owning them: they are deleted, last
// first, when the list is cleared or goes. The pointers are held in a wx
// pointer array, as the main window's interface declares its rule list.
class RuleArray
{
public:
    RuleArray() = default;
    ~RuleArray() { Clear(); }
    RuleArray(RuleArray&& other) noexcept { m_rules.swap(other.m_rules); }
    RuleArray& operator=(RuleArray&& other) noexcept;
    RuleArray(const RuleArray&) = delete;
    RuleArray& operator=(const RuleArray&) = delete;

    // Takes ownership of the rule.
    void Add(Rule* rule) { m_rules.Add(rule); }
    void Clear();

    size_t size() const { return m_rules.size(); }
    bool empty() const { return m_rules.empty(); }
    Rule* operator[](size_t i) const { return m_rules[i]; }
    auto begin() const { return m_rules.begin(); }
    auto end() const { return m_rules.end(); }

private:
    RulePointerArray m_rules;
};

// a * b clamped to the range of int.
int SaturatingProduct(long long a, long long b);
// v clamped to the range of int.
int Saturate(long long v);
