// Loads arbitrary bytes as the window loads a rule file, reads the rules,
// names their rows and prices some answers. Besides crashes and sanitizer
// reports it stops on: a load that the size checks change for a small file
// in an encoding the parser reads itself, a parse fault that the parser
// alone does not find where the library's loader does, a rule of another
// kind than its pg_type names, more rules than elements, more options than
// the rule's elements, row names that are not one distinct,
// non-empty name per rule, and a total that differs from the exact sum clamped to the range of int.
#include "fuzzsupport.h"
#include "scoring/choicerule.h"
#include "scoring/result.h"
#include "scoring/rulefile.h"
#include "scoring/ruleformat.h"
#include "scoring/ruleload.h"
#include "xmlio/xmldocumentex.h"
#include "xmlio/xmlencoding.h"

#include <wx/mstream.h>
#include <wx/xml/xml.h>

#include <climits>
#include <cstdio>
#include <cstdlib>
#include <set>

namespace
{
void Check(bool condition, const char* what)
{
    if (condition)
        return;
    std::fprintf(stderr, "broken: %s\n", what);
    std::abort();
}

size_t ChildCount(const wxXmlNode* node)
{
    size_t count = 0;
    for (const wxXmlNode* child = node->GetChildren(); child; child = child->GetNext())
        ++count;
    return count;
}

__int128 Clamp(__int128 v)
{
    return v > INT_MAX ? INT_MAX : v < INT_MIN ? INT_MIN : v;
}

// The price of an answer in exact arithmetic, from the rule's definition.
__int128 ExactPrice(const Rule& rule, long long entered)
{
    const __int128 answer = Clamp(rule.AnswerOf(entered));
    if (rule.Kind() == RuleKind::Bool)
        return answer * rule.lower_price;
    if (rule.Kind() == RuleKind::Choice)
    {
        const auto& options = static_cast<const ChoiceRule&>(rule).options;
        return answer >= 1 && answer <= __int128(options.size()) ? options[size_t(answer) - 1].price
                                                                 : 0;
    }
    if (rule.upper_limit == rule.lower_limit)
        return (answer - rule.lower_limit) * rule.lower_price;
    __int128 price = 0;
    if (answer > rule.upper_limit)
        price = (answer - rule.upper_limit) * rule.upper_price;
    if (answer < rule.lower_limit && rule.lower_limit != -1)
        price = (rule.lower_limit - answer) * rule.lower_price;
    return price;
}

void CheckRules(const wxXmlNode* root, const RuleArray& rules)
{
    Check(root || rules.empty(), "rules without a root");
    Check(rules.empty() || root->GetName() == "rules", "rules below another root");
    Check(!root || rules.size() <= ChildCount(root), "more rules than elements");
    for (const Rule* rule : rules)
        Check(rule && FindKind(rule->pg_type) == rule->Kind(), "rule of another kind than named");
    size_t options = 0;
    for (const Rule* rule : rules)
        if (rule->Kind() == RuleKind::Choice)
            options += static_cast<const ChoiceRule*>(rule)->options.size();
    size_t elements = 0;
    if (root)
        ForEachRule(root, [&](const wxXmlNode* rule) { elements += ChildCount(rule); });
    Check(options <= elements, "more options than elements");

    const wxArrayString names = RowNames(rules);
    Check(names.size() == rules.size(), "one row name per rule");
    std::set<wxString> distinct(names.begin(), names.end());
    Check(distinct.size() == names.size(), "row names repeat");
    Check(!distinct.count(wxString()), "empty row name");
    if (!rules.empty() && !rules[0]->id.empty())
        Check(names[0] == rules[0]->id, "first row not named by its id");
}

// Answers picked by the input bytes from a table that reaches every edge.
void CheckTotal(const RuleArray& rules, const unsigned char* data, size_t size)
{
    static const long long table[] = {0, 1, 2, 3, 7, -1, INT_MAX, INT_MIN, LLONG_MAX, 5000000000LL};
    std::vector<long long> answers;
    __int128 exact = g_baseValue;
    for (size_t i = 0; i < rules.size(); ++i)
    {
        answers.push_back(table[(data[i % size] + i) % (sizeof table / sizeof *table)]);
        exact += Clamp(ExactPrice(*rules[i], answers.back()));
    }
    Check(TotalPrice(rules, answers) == Clamp(exact), "total differs from the exact sum");
}
} // namespace

extern "C" int LLVMFuzzerTestOneInput(const unsigned char* data, size_t size)
{
    fuzzsupport::Prepare();
    if (size < 1)
        return 0;
    const std::string bytes(reinterpret_cast<const char*>(data), size);
    wxXmlDocumentEx doc;
    const RuleLoadFault fault = LoadRuleBytes(bytes, doc);
    const bool loaded = fault.kind == RuleLoadFault::Kind::None;
    Check(fault.kind != RuleLoadFault::Kind::NotWellFormed || fault.parse.line > 0,
          "parse fault without its line");
    const wxString declared = FindEncodingDeclaration(bytes).name;
    if (size <= g_ruleStretchLimit && (declared.empty() || ParserDecodes(declared)))
    {
        // No stretch of a file this small is too long, and the parser reads
        // its encoding itself: the checks before parsing must not change the
        // outcome.
        wxMemoryInputStream in(data, size);
        wxXmlDocument plain;
        Check(plain.Load(in, "UTF-8", 0) == loaded, "size checks changed the load");
    }
    if (!loaded)
        return 0;
    const RuleArray rules = ReadRules(doc.GetRoot());
    CheckRules(doc.GetRoot(), rules);
    CheckTotal(rules, data, size);
    return 0;
}
