#include "scoring/rulefile.h"

#include "common/paths.h"
#include "scoring/ruleformat.h"

#include <wx/xml/xml.h>

#include <memory>
#include <optional>
#include <unordered_set>
#include <utility>

const wxString g_rulesFileTemplate = "rules\\rules_$TYPE$_$MODE$-zh_CN.xml";

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

std::unique_ptr<Rule> MakeRule(const wxXmlNode* element)
{
    const RuleFields fields = ReadRuleFields(element);
    const wxString type = fields.Value(RuleField::PgType);
    const std::optional<RuleKind> kind = FindKind(type);
    if (!kind)
        return nullptr;
    std::unique_ptr<Rule> rule = NewRule(*kind);
    rule->id = fields.Value(RuleField::Id);
    rule->content = fields.Value(RuleField::Content);
    rule->pg_type = type;
    rule->ReadFields(element, fields);
    return rule;
}

} // namespace

wxString RulesFileName(int friendType, int mode)
{
    wxString name = g_rulesFileTemplate;
    ReplaceIndexed(name, "$TYPE$", friendType, g_friendTypes);
    ReplaceIndexed(name, "$MODE$", mode, g_modes);
    return name;
}

wxString RulesFilePath(int friendType, int mode)
{
    return DataPath(RulesFileName(friendType, mode));
}

RuleArray ReadRules(const wxXmlNode* root)
{
    RuleArray rules;
    if (!root || !IsRulesRoot(root))
        return rules;
    ForEachRule(root,
                [&rules](const wxXmlNode* element)
                {
                    if (std::unique_ptr<Rule> rule = MakeRule(element))
                        rules.Add(std::move(rule));
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
