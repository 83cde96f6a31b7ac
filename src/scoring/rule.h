#pragma once

#include <wx/dynarray.h>
#include <wx/string.h>

#include <memory>
#include <optional>
#include <vector>

class RuleFields;
class RuleReport;
class wxVariant;
class wxXmlNode;

// What a rule asks: a yes/no question, a whole number, or one choice among
// options. Decided once, when the rule is read.
// Everything a kind means lives in its class (Rule itself for yes/no); the kind's name, NewRule and
// the grid's row factory (checklist.cpp) switch over this, and the build
// refuses a switch that forgets one.
enum class RuleKind
{
    Bool,
    Int,
    Choice,
};

// The pg_type that names a kind in a rule file ("bool", "int", "choice").
const wxString& KindName(RuleKind kind);
// The kind a pg_type names, compared without regard to case; none for an
// unknown or empty one.
std::optional<RuleKind> FindKind(const wxString& pg_type);
// Every kind, in the order the checker lists them.
std::vector<RuleKind> AllKinds();

// One rule of a rule file. This class is the yes/no rule: a ticked box
// (answer 1) is priced lower_price. The other kinds derive from it.
class Rule
{
public:
    Rule() = default;
    virtual ~Rule() = default;

    // Prices are saturated at the limits of int rather than wrapping around.
    virtual int GetPrice(int answer);

    RuleKind Kind() const { return m_kind; }

    // Reads the kind's own fields of a rule element; the id, question and
    // pg_type are read for every kind before.
    virtual void ReadFields(const wxXmlNode* element, const RuleFields& fields);

    // What the grid row's value holds, as a number the rule prices.
    virtual long long Entered(const wxVariant& rowValue) const;
    // The answer that the rule prices, from what its row holds: 1 or 0 for a
    // yes/no rule (any non-zero value is a tick).
    virtual long long AnswerOf(long long entered) const;
    // What a row would hold for an answer written as text (the checker's
    // --answer): 1/0 or true/false for a yes/no rule. False when the text is
    // no answer for the rule.
    virtual bool ParseAnswer(const wxString& text, long long& entered) const;
    // The answers the rule takes, for a message about one it does not; empty
    // where the checker's help says it.
    virtual wxString AnswerHint() const;

    // Whether the kind reads an element of a rule that is no field.
    virtual bool ReadsElement(const wxXmlNode* child) const;
    // What the checker says of the kind's fields of a rule element.
    virtual void CheckFields(const wxXmlNode* element, const RuleFields& fields,
                             RuleReport& report) const;

    wxString id;
    wxString content;
    wxString pg_type;
    int upper_price = 0;
    int lower_price = 0;
    int upper_limit = 0;
    int lower_limit = 0;

protected:
    explicit Rule(RuleKind kind) : m_kind(kind) {}
    // The four limits and prices, as the yes/no and whole-number kinds read them.
    void ReadNumbers(const RuleFields& fields);

private:
    RuleKind m_kind = RuleKind::Bool;
};

// A new rule object of a kind, its fields empty.
std::unique_ptr<Rule> NewRule(RuleKind kind);

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
    void Add(std::unique_ptr<Rule> rule) { m_rules.Add(rule.release()); }
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
