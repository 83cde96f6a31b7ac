#include "scoring/rulefile.h"

#include "common/paths.h"
#include "scoring/ruleformat.h"
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

Rule* MakeRule(const RuleFields& fields)
{
    const wxString type = fields.Value(RuleField::PgType);
    Rule* rule = nullptr;
    switch (KindOf(type))
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
    rule->id = fields.Value(RuleField::Id);
    rule->content = fields.Value(RuleField::Content);
    rule->pg_type = type;
    rule->upper_price = ReadNumber(fields.Value(RuleField::UpperPrice));
    rule->lower_price = ReadNumber(fields.Value(RuleField::LowerPrice));
    rule->upper_limit = ReadNumber(fields.Value(RuleField::UpperLimit));
    rule->lower_limit = ReadNumber(fields.Value(RuleField::LowerLimit));
    return rule;
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

wxString RulesFilePath(int friendType, int mode)
{
    return NativePath(RulesFileName(friendType, mode));
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
    RuleArray rules;
    if (!root || !IsRulesRoot(root))
        return rules;
    ForEachRule(root,
                [&rules](const wxXmlNode* element)
                {
                    if (Rule* rule = MakeRule(ReadRuleFields(element)))
                        rules.Add(rule);
                });
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
