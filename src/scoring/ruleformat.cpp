#include "scoring/ruleformat.h"

#include "common/platform.h"
#include "scoring/rule.h"

#include <wx/xml/xml.h>

#include <cerrno>
#include <cstdlib>
#include <string>

namespace
{
// Held as wxString: comparing with a char literal would convert the literal
// through the locale at every call.
const wxString g_fieldNames[g_ruleFieldCount] = {
    "id", "pg_type", "content", "upper_limit", "lower_limit", "upper_price", "lower_price",
};
const wxString g_optionFieldNames[] = {"text", "price"};
const wxString g_optionName = "option";
const wxString g_rootName = "rules";
const wxString g_ruleName = "rule";

// Comments and processing instructions carry no content, so the program
// reads on past them between rules.
bool IsAnnotation(const wxXmlNode* node)
{
    return node->GetType() == wxXML_COMMENT_NODE || node->GetType() == wxXML_PI_NODE;
}
} // namespace

NumberText ReadNumberText(const wxString& text)
{
    NumberText number;
    // Rule files are UTF-8: leading white space is what a UTF-8 locale
    // counts as such (say the ideographic space a Chinese author types),
    // while strtoll alone would skip ASCII white space only.
    wxString::const_iterator first = text.begin();
    for (; first != text.end() && IsUtf8Space(*first); ++first)
        number.wideSpace = number.wideSpace || !(*first).IsAscii();
    number.first = first == text.end() ? 0 : (*first).GetValue();
    const std::string utf8 = wxString(first, text.end()).utf8_string();
    char* end = nullptr;
    errno = 0;
    // strtoll reports an out-of-range number as its nearest end, which
    // Saturate then brings into the range of int.
    const long long exact = std::strtoll(utf8.c_str(), &end, 10);
    number.value = Saturate(exact);
    number.found = end != utf8.c_str();
    number.clamped = errno == ERANGE || exact != number.value;
    number.after = wxString::FromUTF8(end);
    return number;
}

int ReadNumber(const wxString& text)
{
    return ReadNumberText(text).value;
}

const wxString& FieldName(RuleField field)
{
    return g_fieldNames[size_t(field)];
}

bool IsNumberField(RuleField field)
{
    return field == RuleField::UpperLimit || field == RuleField::LowerLimit ||
           field == RuleField::UpperPrice || field == RuleField::LowerPrice;
}

bool FindField(const wxString& name, RuleField& field)
{
    // Case folding keeps lengths, so only names of a field's length can
    // match it; the folding compare is the costly part.
    for (size_t i = 0; i < g_ruleFieldCount; ++i)
        if (name.length() == g_fieldNames[i].length() && name.CmpNoCase(g_fieldNames[i]) == 0)
        {
            field = RuleField(i);
            return true;
        }
    return false;
}

wxString FieldText(const wxXmlNode* node)
{
    return node ? node->GetNodeContent() : wxString();
}

const wxString& OptionFieldName(OptionField field)
{
    return g_optionFieldNames[size_t(field)];
}

namespace
{
bool FindOptionField(const wxXmlNode* node, OptionField& field)
{
    if (node->GetType() != wxXML_ELEMENT_NODE)
        return false;
    for (OptionField each : {OptionField::Text, OptionField::Price})
        if (node->GetName().CmpNoCase(OptionFieldName(each)) == 0)
        {
            field = each;
            return true;
        }
    return false;
}
} // namespace

OptionFields ReadOptionFields(const wxXmlNode* option, const OptionObserver& observe)
{
    OptionFields fields;
    for (const wxXmlNode* child = option->GetChildren(); child; child = child->GetNext())
    {
        OptionField field;
        const bool isField = FindOptionField(child, field);
        if (isField)
            fields.Set(field, child);
        if (observe)
            observe(child, isField ? &field : nullptr);
    }
    return fields;
}

bool IsOptionElement(const wxXmlNode* node)
{
    return node->GetType() == wxXML_ELEMENT_NODE && node->GetName().CmpNoCase(g_optionName) == 0;
}

void ForEachOption(const wxXmlNode* rule, const NodeVisitor& onOption)
{
    for (const wxXmlNode* child = rule->GetChildren(); child; child = child->GetNext())
        if (IsOptionElement(child))
            onOption(child);
}

RuleFields ReadRuleFields(const wxXmlNode* rule, const FieldObserver& observe)
{
    RuleFields fields;
    for (const wxXmlNode* child = rule->GetChildren(); child; child = child->GetNext())
    {
        RuleField field;
        const bool isField =
            child->GetType() == wxXML_ELEMENT_NODE && FindField(child->GetName(), field);
        if (observe)
            observe(child, isField ? &field : nullptr, isField ? fields.Node(field) : nullptr);
        if (isField)
            fields.Set(field, child);
    }
    return fields;
}

bool IsRulesRoot(const wxXmlNode* root)
{
    return root->GetName() == g_rootName;
}

bool IsRuleElement(const wxXmlNode* node)
{
    return node->GetType() == wxXML_ELEMENT_NODE && node->GetName().CmpNoCase(g_ruleName) == 0;
}

const wxXmlNode* ForEachRule(const wxXmlNode* root, const NodeVisitor& onRule,
                             const NodeVisitor& onAnnotation)
{
    for (const wxXmlNode* child = root->GetChildren(); child; child = child->GetNext())
    {
        if (IsAnnotation(child))
        {
            if (onAnnotation)
                onAnnotation(child);
            continue;
        }
        if (!IsRuleElement(child))
            return child;
        onRule(child);
    }
    return nullptr;
}
