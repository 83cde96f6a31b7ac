#include "scoring/rulefile.h"

#include "common/platform.h"
#include "common/paths.h"
#include "scoring/ruleformat.h"
#include "xmlio/stretchscan.h"
#include "xmlio/xmlencoding.h"

#include <wx/ffile.h>
#include <wx/filename.h>
#include <wx/intl.h>
#include <wx/log.h>
#include <wx/mstream.h>
#include <wx/strconv.h>
#include <wx/xml/xml.h>

#include <cstdlib>
#include <unordered_set>
#include <utility>

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

void LogFault(const wxString& name, const RuleTextFault& fault)
{
    switch (fault.kind)
    {
    case RuleTextFault::Kind::None:
        break;
    case RuleTextFault::Kind::TooLarge:
        LogRefusal(name);
        break;
    case RuleTextFault::Kind::UnknownEncoding:
        wxLogError(_("Rule file '%s' not read: its encoding '%s' is unknown."), name,
                   fault.encoding);
        break;
    case RuleTextFault::Kind::InvalidBytes:
        if (fault.line > 0)
            wxLogError(_("Rule file '%s' not read: line %d is not valid %s."), name, fault.line,
                       fault.encoding);
        else
            wxLogError(_("Rule file '%s' not read: it is not valid %s."), name, fault.encoding);
        break;
    }
}

bool WithinLimits(const std::string& text)
{
    // No stretch can be longer than the text: small files need no scan.
    return text.size() <= g_ruleFileLimit &&
           (text.size() <= g_ruleStretchLimit || LongestStretch(text) <= g_ruleStretchLimit);
}
} // namespace

bool ReadRuleFile(const wxString& path, std::string& bytes)
{
    // A FIFO or device is refused unopened: reading it could block or never end.
    if (wxFileName::Exists(path) && !wxFileName::FileExists(path))
    {
        LogRefusal(path);
        return false;
    }
    wxFFile file(path, "rb");
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

RuleTextFault PrepareRuleText(std::string& bytes)
{
    using Kind = RuleTextFault::Kind;
    const RuleTextFault tooLarge{Kind::TooLarge, wxString(), 0};
    // Beyond the limit as read, a file is refused before it is converted.
    if (bytes.size() > g_ruleFileLimit)
        return tooLarge;
    const EncodingDeclaration declaration = FindEncodingDeclaration(bytes);
    if (declaration.name.empty() || ParserDecodes(declaration.name))
        return WithinLimits(bytes) ? RuleTextFault() : tooLarge;
    const wxCSConv conv(declaration.name);
    if (!conv.IsOk())
        return {Kind::UnknownEncoding, declaration.name, declaration.line};
    std::string text;
    if (!ReencodeAsUtf8(bytes, declaration, conv, text))
        return {Kind::InvalidBytes, declaration.name, FirstInvalidLine(bytes, conv)};
    if (!WithinLimits(text))
        return tooLarge;
    bytes.swap(text);
    return {};
}

bool ParseRuleText(const std::string& text, wxXmlDocument& doc)
{
    wxMemoryInputStream in(text.data(), text.size());
    return doc.Load(in, "UTF-8", 0);
}

bool LoadRuleBytes(std::string bytes, const wxString& name, wxXmlDocument& doc)
{
    const RuleTextFault fault = PrepareRuleText(bytes);
    LogFault(name, fault);
    return fault.kind == RuleTextFault::Kind::None && ParseRuleText(bytes, doc);
}

bool LoadRuleDocument(const wxString& path, wxXmlDocument& doc)
{
    std::string bytes;
    return ReadRuleFile(path, bytes) && LoadRuleBytes(std::move(bytes), path, doc);
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
    return DataPath(RulesFileName(friendType, mode));
}

int ReadNumber(const wxString& text)
{
    // Rule files are UTF-8: leading white space is what a UTF-8 locale
    // counts as such (say the ideographic space a Chinese author types),
    // while strtoll alone would skip ASCII white space only.
    wxString::const_iterator first = text.begin();
    while (first != text.end() && IsUtf8Space(*first))
        ++first;
    // Named: the converted bytes live in the string they come from.
    const wxString number(first, text.end());
    const wxScopedCharBuffer utf8 = number.utf8_str();
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
