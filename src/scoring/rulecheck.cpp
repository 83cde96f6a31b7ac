#include "scoring/rulecheck.h"

#include "scoring/rule.h"
#include "scoring/rulefile.h"
#include "scoring/ruleformat.h"

#include <wx/log.h>
#include <wx/xml/xml.h>

#include <algorithm>
#include <cerrno>
#include <climits>
#include <cstdlib>
#include <map>

namespace
{
// Keeps what the library logs while a file loads, so that its parser's
// message becomes a problem of the file instead of a line on stderr.
class LogCapture : public wxLog
{
public:
    LogCapture() : m_previous(wxLog::SetActiveTarget(this)) {}
    ~LogCapture() override { wxLog::SetActiveTarget(m_previous); }
    const std::vector<wxString>& Messages() const { return m_messages; }

protected:
    void DoLogRecord(wxLogLevel level, const wxString& msg, const wxLogRecordInfo&) override
    {
        if (level <= wxLOG_Warning)
            m_messages.push_back(msg);
    }

private:
    wxLog* m_previous;
    std::vector<wxString> m_messages;
};

// "XML parsing error: 'mismatched tag' at line 5" becomes line 5 and
// "not well-formed: mismatched tag"; other messages stay as they are.
RuleProblem LoadProblem(const wxString& logged)
{
    wxString tail, where;
    unsigned long line = 0;
    if (logged.StartsWith("XML parsing error: '", &tail))
    {
        const wxString reason = tail.BeforeLast('\'', &where);
        if (where.StartsWith(" at line ", &where) && where.ToULong(&line) && line <= INT_MAX)
            return {int(line), "not well-formed: " + reason};
    }
    return {0, logged};
}

wxString Quoted(const wxString& text)
{
    return "'" + text + "'";
}

wxString Tag(const wxString& name)
{
    return "<" + name + ">";
}

// Why a number field does not read as written, or empty when it does. The
// reading itself is ReadNumber's; this only explains its result.
wxString NumberTrouble(const wxString& text)
{
    const int value = ReadNumber(text);
    if (wxString(text).Trim(true).Trim(false).empty())
        return "is blank and reads as 0";
    const std::string utf8 = text.utf8_string();
    char* end = nullptr;
    errno = 0;
    const long long exact = std::strtoll(utf8.c_str(), &end, 10);
    if (end == utf8.c_str())
        return Quoted(text) + " is not a number and reads as 0";
    if (errno == ERANGE || exact != value)
        return wxString::Format("%s is out of range and reads as %d", Quoted(text), value);
    if (!wxString::FromUTF8(end).Trim(true).empty())
        return wxString::Format("%s reads as %d: the text after the number is ignored",
                                Quoted(text), value);
    return wxString();
}

class DocumentCheck
{
public:
    std::vector<RuleProblem> Run(const wxXmlNode* root)
    {
        if (!IsRulesRoot(root))
        {
            Report(root, "the root element is " + Tag(root->GetName()) +
                             ", not <rules>: the program reads no rules from this file");
            return m_problems;
        }
        // The rules read before each annotation, to count those after it.
        std::vector<std::pair<const wxXmlNode*, int>> annotations;
        const wxXmlNode* stop = ForEachRule(
            root, [this](const wxXmlNode* rule) { CheckRule(rule); },
            [this, &annotations](const wxXmlNode* node)
            { annotations.emplace_back(node, m_ruleCount); });
        for (const auto& [node, before] : annotations)
            WarnAnnotation(node, m_ruleCount - before);
        if (stop)
            ReportStop(stop);
        std::stable_sort(m_problems.begin(), m_problems.end(),
                         [](const RuleProblem& a, const RuleProblem& b)
                         { return a.line < b.line; });
        return m_problems;
    }

private:
    void Report(const wxXmlNode* node, const wxString& message)
    {
        m_problems.push_back({node->GetLineNumber(), message});
    }

    // A comment or processing instruction between rules: this program reads
    // on, but the format ends the list there. One after the last rule hides
    // nothing.
    void WarnAnnotation(const wxXmlNode* node, int later)
    {
        if (later == 0)
            return;
        const wxString what =
            node->GetType() == wxXML_COMMENT_NODE ? "comment" : "processing instruction";
        m_problems.push_back(
            {node->GetLineNumber(),
             wxString::Format("%s directly under <rules>: this program reads on, but other "
                              "readers of the rule format stop here and miss the %d rule(s) "
                              "after it; put it before <rules> or inside a <rule>",
                              what, later),
             true});
    }

    void ReportStop(const wxXmlNode* stop)
    {
        int later = 0;
        for (const wxXmlNode* node = stop->GetNext(); node; node = node->GetNext())
            later += IsRuleElement(node);
        const wxString what = stop->GetType() == wxXML_ELEMENT_NODE
                                  ? "element " + Tag(stop->GetName()) + " is not a rule"
                                  : wxString("text directly under <rules>");
        Report(stop, wxString::Format("%s: reading stops here and the %d rule(s) after it are "
                                      "not read",
                                      what, later));
    }

    RuleFields ReadFields(const wxXmlNode* rule)
    {
        return ReadRuleFields(
            rule,
            [this](const wxXmlNode* child, const RuleField* field, const wxXmlNode* earlier)
            {
                if (child->GetType() == wxXML_TEXT_NODE ||
                    child->GetType() == wxXML_CDATA_SECTION_NODE)
                    Report(child, "text outside the fields of a rule is ignored");
                if (child->GetType() != wxXML_ELEMENT_NODE)
                    return;
                if (!field)
                {
                    Report(child, "unknown field " + Tag(child->GetName()) + " is ignored");
                    return;
                }
                if (earlier)
                    Report(child,
                           wxString::Format("%s given twice: this one replaces the one at line %d",
                                            Tag(FieldName(*field)), earlier->GetLineNumber()));
                CheckFieldText(child);
            });
    }

    // A field's value is its first piece of text: markup, or a comment that
    // splits the text, hides the rest.
    void CheckFieldText(const wxXmlNode* field)
    {
        int texts = 0;
        bool markup = false;
        for (const wxXmlNode* child = field->GetChildren(); child; child = child->GetNext())
        {
            texts +=
                child->GetType() == wxXML_TEXT_NODE || child->GetType() == wxXML_CDATA_SECTION_NODE;
            markup = markup || child->GetType() == wxXML_ELEMENT_NODE;
        }
        if (markup || texts > 1)
            Report(field, Tag(field->GetName()) + " holds markup or comments: only " +
                              Quoted(field->GetNodeContent()) + " is read");
    }

    // Where to point at a field: its own line, or its rule's when it is missing.
    static const wxXmlNode* At(const RuleFields& fields, RuleField field, const wxXmlNode* rule)
    {
        const wxXmlNode* node = fields.Node(field);
        return node ? node : rule;
    }

    void CheckId(const RuleFields& fields, const wxXmlNode* rule)
    {
        const wxString id = fields.Value(RuleField::Id);
        if (id.empty())
        {
            Report(At(fields, RuleField::Id, rule),
                   "empty <id>: the rule's answer cannot be named");
            return;
        }
        const auto earlier = m_ids.emplace(id, std::make_pair(m_ruleCount, rule->GetLineNumber()));
        if (!earlier.second)
            Report(At(fields, RuleField::Id, rule),
                   wxString::Format("id %s is already used by rule %d (line %d)", Quoted(id),
                                    earlier.first->second.first, earlier.first->second.second));
    }

    void CheckNumbers(const RuleFields& fields)
    {
        for (size_t i = 0; i < g_ruleFieldCount; ++i)
        {
            const RuleField field = RuleField(i);
            const wxXmlNode* node = fields.Node(field);
            if (!IsNumberField(field) || !node)
                continue;
            const wxString trouble = NumberTrouble(node->GetNodeContent());
            if (!trouble.empty())
                Report(node, Tag(FieldName(field)) + " " + trouble);
        }
    }

    // A nonzero number that no answer can bring into the price.
    void ReportUnused(const RuleFields& fields, RuleField field, const wxString& why)
    {
        const wxXmlNode* node = fields.Node(field);
        if (node && ReadNumber(node->GetNodeContent()) != 0)
            Report(node, Tag(FieldName(field)) + " never takes effect: " + why);
    }

    void CheckLimits(const RuleFields& fields, RuleKind kind)
    {
        const int upperLimit = ReadNumber(fields.Value(RuleField::UpperLimit));
        const int lowerLimit = ReadNumber(fields.Value(RuleField::LowerLimit));
        if (kind == RuleKind::Bool)
        {
            for (RuleField field :
                 {RuleField::UpperLimit, RuleField::LowerLimit, RuleField::UpperPrice})
                ReportUnused(fields, field, "a yes/no rule is priced by <lower_price> alone");
            return;
        }
        if (upperLimit == lowerLimit)
        {
            ReportUnused(fields, RuleField::UpperPrice,
                         "with equal limits only <lower_price> prices the answer");
            return;
        }
        // Answers are whole numbers from 0 up.
        if (lowerLimit < -1)
            ReportUnused(fields, RuleField::LowerLimit,
                         "answers are never below 0 (-1 switches the lower price off)");
        if (lowerLimit <= 0)
            ReportUnused(
                fields, RuleField::LowerPrice,
                wxString::Format("answers are never below the lower limit %d", lowerLimit));
        if (upperLimit == INT_MAX)
            ReportUnused(fields, RuleField::UpperLimit, "no answer is above it");
    }

    void CheckRule(const wxXmlNode* rule)
    {
        ++m_ruleCount;
        const RuleFields fields = ReadFields(rule);
        CheckId(fields, rule);
        CheckNumbers(fields);
        const wxString type = fields.Value(RuleField::PgType);
        const RuleKind kind = KindOf(type);
        if (kind == RuleKind::Unknown)
            Report(At(fields, RuleField::PgType, rule),
                   (type.empty() ? wxString("empty <pg_type>") : "unknown kind " + Quoted(type)) +
                       " (bool or int): the rule is left out");
        else
            CheckLimits(fields, kind);
    }

    std::vector<RuleProblem> m_problems;
    int m_ruleCount = 0;
    std::map<wxString, std::pair<int, int>> m_ids; // id -> number and line of its first rule
};
} // namespace

bool LoadRuleFile(const wxString& path, wxXmlDocument& doc, std::vector<RuleProblem>& problems)
{
    LogCapture capture;
    if (LoadRuleDocument(path, doc))
        return true;
    for (const wxString& message : capture.Messages())
        problems.push_back(LoadProblem(message));
    if (capture.Messages().empty())
        problems.push_back({0, "cannot be read"});
    return false;
}

std::vector<RuleProblem> CheckRuleDocument(const wxXmlNode* root)
{
    if (!root)
        return {{0, "the file holds no root element"}};
    return DocumentCheck().Run(root);
}
