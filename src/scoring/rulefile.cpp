#include "scoring/rulefile.h"

#include "xmlio/stretchscan.h"

#include <wx/ffile.h>
#include <wx/filename.h>
#include <wx/intl.h>
#include <wx/log.h>
#include <wx/mstream.h>
#include <wx/xml/xml.h>

#include <cstdlib>
#include <unordered_set>

const wxString g_rulesFileTemplate = "rules\\rules_$TYPE$_$MODE$-zh_CN.xml";
const size_t g_ruleFileLimit = 4 * 1024 * 1024;
const size_t g_ruleStretchLimit = 256 * 1024;

namespace
{
const char* const g_friendTypes[] = {"gf", "bf"};
const char* const g_modes[] = {"normal", "crazy"};

void ReplaceIndexed(wxString& name, const wxString& placeholder, int index,
                    const char* const (&values)[2])
{
    if (index == 0 || index == 1)
        name.Replace(placeholder, values[index], false);
}

// Field values of one rule element; the last of a repeated field wins.
struct Fields
{
    wxString id, pg_type, content, upper_limit, lower_limit, upper_price, lower_price;

    wxString* Find(const wxString& name)
    {
        // Held as wxString: comparing with a char literal would convert the
        // literal through the locale at every call.
        static const struct
        {
            wxString name;
            wxString Fields::*member;
        } table[] = {
            {"id", &Fields::id},
            {"pg_type", &Fields::pg_type},
            {"content", &Fields::content},
            {"upper_limit", &Fields::upper_limit},
            {"lower_limit", &Fields::lower_limit},
            {"upper_price", &Fields::upper_price},
            {"lower_price", &Fields::lower_price},
        };
        // Case folding keeps lengths, so only names of a field's length can
        // match it; the folding compare is the costly part.
        for (const auto& field : table)
            if (name.length() == field.name.length() && name.CmpNoCase(field.name) == 0)
                return &(this->*field.member);
        return nullptr;
    }
};

Fields ReadFields(const wxXmlNode* rule)
{
    Fields fields;
    for (const wxXmlNode* child = rule->GetChildren(); child; child = child->GetNext())
    {
        if (child->GetType() != wxXML_ELEMENT_NODE)
            continue;
        if (wxString* value = fields.Find(child->GetName()))
            *value = child->GetNodeContent();
    }
    return fields;
}

Rule* MakeRule(const Fields& fields)
{
    Rule* rule = nullptr;
    switch (KindOf(fields.pg_type))
    {
    case RuleKind::Bool:
        rule = new Rule;
        break;
    case RuleKind::Int:
        rule = new IntRule;
        break;
    case RuleKind::Unknown:
        return nullptr;
    }
    rule->id = fields.id;
    rule->content = fields.content;
    rule->pg_type = fields.pg_type;
    rule->upper_price = ReadNumber(fields.upper_price);
    rule->lower_price = ReadNumber(fields.lower_price);
    rule->upper_limit = ReadNumber(fields.upper_limit);
    rule->lower_limit = ReadNumber(fields.lower_limit);
    return rule;
}

// Comments and processing instructions carry no content; a rule author may
// put them anywhere between rules.
bool IsAnnotation(const wxXmlNode* node)
{
    return node->GetType() == wxXML_COMMENT_NODE || node->GetType() == wxXML_PI_NODE;
}

void LogRefusal(const wxString& name)
{
    wxLogError(_("Rule file '%s' not read: it is not a plain file or is too large."), name);
}

// Reads a plain file of at most g_ruleFileLimit bytes. A FIFO or device is
// refused unopened: reading it could block or never end.
bool ReadRuleFile(const wxString& path, std::string& bytes)
{
    if (wxFileName::Exists(path) && !wxFileName::FileExists(path))
    {
        LogRefusal(path);
        return false;
    }
    wxFFile file(path, "rb"); // a missing file is the library's to report
    if (!file.IsOpened())
        return false;
    const wxFileOffset length = file.Length();
    if (length < 0 || size_t(length) > g_ruleFileLimit)
    {
        LogRefusal(path);
        return false;
    }
    bytes.resize(size_t(length));
    return file.Read(bytes.data(), bytes.size()) == bytes.size();
}
} // namespace

bool LoadRuleBytes(const std::string& bytes, const wxString& name, wxXmlDocument& doc)
{
    // No stretch can be longer than the file: small files need no scan.
    const bool tooLarge =
        bytes.size() > g_ruleFileLimit ||
        (bytes.size() > g_ruleStretchLimit && LongestStretch(bytes) > g_ruleStretchLimit);
    if (tooLarge)
    {
        LogRefusal(name);
        return false;
    }
    wxMemoryInputStream in(bytes.data(), bytes.size());
    return doc.Load(in, "UTF-8", 0);
}

bool LoadRuleDocument(const wxString& path, wxXmlDocument& doc)
{
    std::string bytes;
    return ReadRuleFile(path, bytes) && LoadRuleBytes(bytes, path, doc);
}

wxString RulesFileName(int friendType, int mode)
{
    wxString name = g_rulesFileTemplate;
    ReplaceIndexed(name, "$TYPE$", friendType, g_friendTypes);
    ReplaceIndexed(name, "$MODE$", mode, g_modes);
    return name;
}

int ReadNumber(const wxString& text)
{
    const wxScopedCharBuffer utf8 = text.utf8_str();
    // strtoll reports an out-of-range number as its nearest end, which
    // Saturate then brings into the range of int.
    return Saturate(std::strtoll(utf8.data(), nullptr, 10));
}

RuleArray ReadRules(const wxXmlNode* root)
{
    static const wxString rootName = "rules", ruleName = "rule";
    RuleArray rules;
    if (!root || root->GetName() != rootName)
        return rules;
    for (const wxXmlNode* child = root->GetChildren(); child; child = child->GetNext())
    {
        if (IsAnnotation(child))
            continue;
        if (child->GetName().CmpNoCase(ruleName) != 0)
            break;
        if (Rule* rule = MakeRule(ReadFields(child)))
            rules.Add(rule);
    }
    return rules;
}

wxArrayString RowNames(const RuleArray& rules)
{
    // Hashed: a tree of wide strings made this the one step of loading that
    // grew faster than the rule count.
    std::unordered_set<wxString> taken(rules.size());
    wxArrayString names;
    names.reserve(rules.size());
    for (const Rule* rule : rules)
    {
        wxString name = rule->id;
        for (int n = 2; name.empty() || taken.count(name); ++n)
            name = wxString::Format("%s#%d", rule->id, n);
        taken.insert(name);
        names.Add(name);
    }
    return names;
}
