#pragma once

#include <wx/string.h>

#include <array>
#include <functional>

class wxXmlNode;

// How a rule file is written, in one place for the reader and the checker:
// the root element "rules" (exactly so); below it one "rule" element per
// rule, in file order; and the fields of a rule, each an element whose text
// is its value. Element names other than the root's are matched without
// regard to case. The format ends the list at a comment or processing
// instruction between rules; this program reads on past them, and the
// checker warns about them, since other readers of the format do not.

enum class RuleField
{
    Id,
    PgType,
    Content,
    UpperLimit,
    LowerLimit,
    UpperPrice,
    LowerPrice,
};
constexpr size_t g_ruleFieldCount = 7;

// The element name of a field, as the format writes it.
const wxString& FieldName(RuleField field);
// The four limits and prices are whole numbers; the other fields are text.
bool IsNumberField(RuleField field);
// The field an element name stands for; false when it names none.
bool FindField(const wxString& name, RuleField& field);

// The leading decimal number of text ("  12abc" is 12; no digits is 0),
// after any white space a UTF-8 locale knows, clamped to the range of int.
int ReadNumber(const wxString& text);

// The same reading, with where it stopped, for telling an author how a
// field reads.
struct NumberText
{
    int value = 0;
    bool found = false;              // digits were read; value 0 otherwise
    bool clamped = false;            // beyond the range of int: value is its nearest end
    bool wideSpace = false;          // white space beyond ASCII was skipped before it
    wxUniChar::value_type first = 0; // the first character after that space, 0 for none
    wxString after;                  // the text after the number
};
NumberText ReadNumberText(const wxString& text);

// The text of an element, as a field's value.
wxString FieldText(const wxXmlNode* node);

// The field elements of one element: of a field given more than once, the
// last one counts; a missing field is null and reads as empty.
template <class Field, size_t count> class FieldNodes
{
public:
    const wxXmlNode* Node(Field field) const { return m_nodes[size_t(field)]; }
    wxString Value(Field field) const { return FieldText(Node(field)); }
    void Set(Field field, const wxXmlNode* node) { m_nodes[size_t(field)] = node; }

private:
    std::array<const wxXmlNode*, count> m_nodes{};
};

class RuleFields : public FieldNodes<RuleField, g_ruleFieldCount>
{
};

// Sees each child node of a rule element in order: the field that it gives
// (null for a node that gives none), and the element that gave the same
// field before it (null if none did).
using FieldObserver =
    std::function<void(const wxXmlNode* child, const RuleField* field, const wxXmlNode* earlier)>;

RuleFields ReadRuleFields(const wxXmlNode* rule, const FieldObserver& observe = nullptr);

// A choice rule holds its options as <option> elements, in file order, each
// with the fields <text> and <price> (a whole number).
enum class OptionField
{
    Text,
    Price,
};
const wxString& OptionFieldName(OptionField field);

class OptionFields : public FieldNodes<OptionField, 2>
{
};

// Sees each child node of an option element: the field it gives, or null.
using OptionObserver = std::function<void(const wxXmlNode* child, const OptionField* field)>;
OptionFields ReadOptionFields(const wxXmlNode* option, const OptionObserver& observe = nullptr);

bool IsOptionElement(const wxXmlNode* node);

bool IsRulesRoot(const wxXmlNode* root);
bool IsRuleElement(const wxXmlNode* node);

using NodeVisitor = std::function<void(const wxXmlNode* node)>;

// Calls onRule for each rule element below a rules root, in file order, and
// onAnnotation (when given) for each comment or processing instruction that
// it skips between them. Reading stops at the first child that is neither;
// that child is returned, or null when the rules run to the end.
const wxXmlNode* ForEachRule(const wxXmlNode* root, const NodeVisitor& onRule,
                             const NodeVisitor& onAnnotation = nullptr);

// Calls onOption for each option element of a rule, in file order.
void ForEachOption(const wxXmlNode* rule, const NodeVisitor& onOption);
