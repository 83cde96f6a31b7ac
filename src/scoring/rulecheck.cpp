#include "scoring/rulecheck.h"

#include "common/platform.h"
#include "scoring/messagetext.h"
#include "scoring/rule.h"
#include "scoring/rulefile.h"
#include "scoring/ruleformat.h"
#include "xmlio/parseerror.h"

#include <wx/log.h>
#include <wx/xml/xml.h>

#include <algorithm>
#include <cerrno>
#include <climits>
#include <cstdlib>
#include <map>
#include <optional>
#include <set>

namespace
{
// "bool or int".
wxString KindList()
{
    wxString list;
    const std::vector<RuleKind> kinds = AllKinds();
    for (size_t i = 0; i < kinds.size(); ++i)
        list += (i == 0 ? "" : i + 1 == kinds.size() ? " or " : ", ") + KindName(kinds[i]);
    return list;
}

wxString Tag(const wxString& name)
{
    return "<" + name + ">";
}

wxString EndTag(const wxString& name)
{
    return "</" + name + ">";
}

// "(answer - 3)", "(answer + 3)" for a limit of -3.
wxString AnswerMinus(long long limit)
{
    return limit < 0 ? wxString::Format("(answer + %lld)", -limit)
                     : wxString::Format("(answer - %lld)", limit);
}

// The fix for a file that is not valid in the encoding it is read in:
// another encoding it reads in as a whole, if one does.
wxString EncodingHint(const wxString& readsAs)
{
    if (readsAs.empty())
        return wxString();
    return wxString::Format("; the file reads as %s: declare encoding=\"%s\" in its first line%s",
                            readsAs, readsAs, readsAs == "UTF-8" ? "" : ", or save it as UTF-8");
}

// What the library said of a file it could not open or read.
wxString SystemProblem(const char* what, const wxString& path, unsigned long error)
{
    return wxString::Format(what, path) +
           wxString::Format(" (error %ld: %s)", long(error), wxSysErrorMsgStr(error));
}

wxString OpenedAt(const XmlParseError::OpenElement& element)
{
    return wxString::Format("%s opened at line %d", Tag(element.name), element.line);
}

// The parser's reason for a text that is not well-formed, with what the
// author needs to find the fault: the element left open and where, the
// escape for a bare '&' or '<', the bytes that are not UTF-8.
RuleProblem ParseProblem(const RuleLoadFault& fault)
{
    const XmlParseError& error = fault.parse;
    if (error.line == 0)
        return {0, "not well-formed"};
    if (fault.invalidUtf8)
        return {error.line, "not well-formed: this line is not valid UTF-8, " +
                                wxString(fault.encoding.empty()
                                             ? "which a file that declares no encoding must be"
                                             : "the encoding the file declares") +
                                EncodingHint(fault.readsAs)};
    // The parser says "not well-formed (invalid token)" but plain "mismatched tag".
    const wxString reason = error.reason.StartsWith("not well-formed")
                                ? error.reason
                                : "not well-formed: " + error.reason;
    using Kind = XmlParseError::Kind;
    switch (error.kind)
    {
    case Kind::Mismatch:
    {
        const auto& open = error.open;
        if (open.empty())
            break;
        const bool closesOuter = std::any_of(open.begin(), open.end() - 1,
                                             [&error](const XmlParseError::OpenElement& element)
                                             { return element.name == error.endTag; });
        if (closesOuter)
            return {open.back().line,
                    wxString::Format("%s: %s is not closed before %s at line %d", reason,
                                     OpenedAt(open.back()), EndTag(error.endTag), error.line)};
        return {error.line, wxString::Format("%s: %s closes no open element; the innermost is %s",
                                             reason, EndTag(error.endTag), OpenedAt(open.back()))};
    }
    case Kind::EndsEarly:
    {
        wxString open;
        for (auto element = error.open.rbegin(); element != error.open.rend(); ++element)
            open += (open.empty() ? "" : ", ") + OpenedAt(*element);
        return {error.open.back().line, reason + ": the file ends before it closes " + open};
    }
    case Kind::BareMarkup:
        return {error.line,
                reason + (error.bareMarkup == '&'
                              ? ": a bare & in text; write it as &amp; (and < as &lt;)"
                              : ": a bare < in text; write it as &lt; (and & as &amp;)")};
    case Kind::UndefinedEntity:
        return {error.line, reason + ": only &amp; &lt; &gt; &quot; &apos; and &#...; are "
                                     "known; write & itself as &amp;"};
    case Kind::Other:
        break;
    }
    return {error.line, reason};
}

// Why a number field does not read as written, or empty when it does. The
// reading itself is ReadNumber's; this only explains its result.
wxString NumberTrouble(const wxString& text)
{
    const int value = ReadNumber(text);
    if (wxString(text).Trim(true).Trim(false).empty())
        return "is blank and reads as 0";
    // White space beyond ASCII before the number is skipped, but other
    // readers of the file may take the number for none.
    bool wideSpace = false;
    wxString::const_iterator first = text.begin();
    for (; first != text.end() && IsUtf8Space(*first); ++first)
        wideSpace = wideSpace || !(*first).IsAscii();
    const std::string utf8 = wxString(first, text.end()).utf8_string();
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
    if (wideSpace)
        return wxString::Format("%s reads as %d: the space before the number is not an ASCII "
                                "space, which other readers may not skip",
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
        ReportAttributes(root, [](const wxXmlAttribute*) { return wxString(); });
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
        else if (m_ruleCount == 0)
            Report(root, "<rules> holds no <rule>: the checklist has no rows");
        std::stable_sort(m_problems.begin(), m_problems.end(),
                         [](const RuleProblem& a, const RuleProblem& b)
                         { return a.line < b.line; });
        return m_problems;
    }

private:
    using FieldSet = std::set<RuleField>;

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

    // Each attribute of an element is a problem: none is ever read. fix
    // gives the rest of the message for one.
    template <class Fix> void ReportAttributes(const wxXmlNode* element, const Fix& fix)
    {
        for (const wxXmlAttribute* a = element->GetAttributes(); a; a = a->GetNext())
            Report(element, "attribute " + a->GetName() + "=\"" + a->GetValue() + "\" of " +
                                Tag(element->GetName()) + " is never read" + fix(a));
    }

    // Attributes of a rule that name a field stand in for it, so the field
    // they name is reported as unread there and not as missing.
    FieldSet ReportRuleAttributes(const wxXmlNode* rule)
    {
        FieldSet named;
        ReportAttributes(rule,
                         [&named](const wxXmlAttribute* a)
                         {
                             RuleField field;
                             if (!FindField(a->GetName(), field))
                                 return wxString();
                             named.insert(field);
                             const wxString name = FieldName(field);
                             return ": write " + Tag(name) + a->GetValue() + EndTag(name) +
                                    " inside the rule";
                         });
        return named;
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
                ReportAttributes(child, [](const wxXmlAttribute*)
                                 { return wxString(": a field's value is its text"); });
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

    // A field that is missing, or holds nothing visible: the problem, with
    // what follows from it. A field that an attribute of the rule names has
    // been reported with the attribute.
    bool ReportAbsent(const RuleFields& fields, RuleField field, const wxXmlNode* rule,
                      const FieldSet& byAttribute, const wxString& consequence)
    {
        const wxXmlNode* node = fields.Node(field);
        const wxString tag = Tag(FieldName(field));
        if (!node)
        {
            if (!byAttribute.count(field))
                Report(rule, "missing " + tag + consequence);
            return true;
        }
        const wxString value = node->GetNodeContent();
        if (!StripInvisible(value).empty())
            return false;
        Report(node, (value.empty() ? "empty " + tag : tag + " is " + Quoted(value)) + consequence);
        return true;
    }

    // Spaces and line breaks around a text field are part of its value.
    void ReportSurrounded(const RuleFields& fields, RuleField field, const wxString& consequence)
    {
        const wxString value = fields.Value(field);
        if (StripInvisible(value) != value)
            Report(fields.Node(field), Tag(FieldName(field)) + " " + Quoted(value) + consequence);
    }

    void CheckId(const RuleFields& fields, const wxXmlNode* rule, const FieldSet& byAttribute)
    {
        if (ReportAbsent(fields, RuleField::Id, rule, byAttribute,
                         ": the rule's answer cannot be named"))
            return;
        ReportSurrounded(fields, RuleField::Id,
                         ": the id keeps what surrounds it, and --answer must name the row so");
        const wxString id = fields.Value(RuleField::Id);
        const auto earlier = m_ids.emplace(id, std::make_pair(m_ruleCount, rule->GetLineNumber()));
        if (!earlier.second)
            Report(fields.Node(RuleField::Id),
                   wxString::Format("id %s is already used by rule %d (line %d)", Quoted(id),
                                    earlier.first->second.first, earlier.first->second.second));
    }

    void CheckContent(const RuleFields& fields, const wxXmlNode* rule, const FieldSet& byAttribute)
    {
        if (!ReportAbsent(fields, RuleField::Content, rule, byAttribute,
                          ": the row shows no question"))
            ReportSurrounded(fields, RuleField::Content,
                             ": the row shows the question with them; write it on one line "
                             "with its tags");
    }

    // The rule's kind, or none after reporting why the rule is left out.
    std::optional<RuleKind> CheckKind(const RuleFields& fields, const wxXmlNode* rule,
                                      const FieldSet& byAttribute)
    {
        const wxString type = fields.Value(RuleField::PgType);
        const std::optional<RuleKind> kind = FindKind(type);
        const wxString leftOut = " (" + KindList() + "): the rule is left out";
        if (kind || ReportAbsent(fields, RuleField::PgType, rule, byAttribute, leftOut))
            return kind;
        if (FindKind(StripInvisible(type)))
            ReportSurrounded(fields, RuleField::PgType,
                             ": the kind must stand alone, so the rule is left out");
        else
            Report(fields.Node(RuleField::PgType), "unknown kind " + Quoted(type) + leftOut);
        return kind;
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

    // A lower limit above the upper one leaves no answer in the band: what
    // the window makes of each answer instead.
    void ReportReversed(const RuleFields& fields, const wxXmlNode* rule, int lowerLimit,
                        int upperLimit)
    {
        const wxXmlNode* node = fields.Node(RuleField::LowerLimit);
        if (!node)
            node = fields.Node(RuleField::UpperLimit);
        const wxString above = AnswerMinus(upperLimit) + " x <upper_price>";
        const wxString prices =
            lowerLimit > 0
                ? wxString::Format("below %d an answer is priced (%d - answer) x <lower_price>, "
                                   "from %d up %s",
                                   lowerLimit, lowerLimit, lowerLimit, above)
                : "every answer is priced " + above;
        Report(node ? node : rule,
               wxString::Format("the lower limit %d is above the upper limit %d, so no answer is "
                                "free: %s",
                                lowerLimit, upperLimit, prices));
    }

    // The limits and prices of a whole-number rule.
    void CheckBand(const RuleFields& fields, const wxXmlNode* rule)
    {
        const int upperLimit = ReadNumber(fields.Value(RuleField::UpperLimit));
        const int lowerLimit = ReadNumber(fields.Value(RuleField::LowerLimit));
        if (upperLimit == lowerLimit)
        {
            ReportUnused(fields, RuleField::UpperPrice,
                         "with equal limits only <lower_price> prices the answer");
            if (lowerLimit == -1)
                Report(fields.Node(RuleField::LowerLimit),
                       "both limits are -1: equal limits price every answer (answer + 1) x "
                       "<lower_price>, 0 included, and -1 switches nothing off");
            return;
        }
        if (lowerLimit > upperLimit)
            ReportReversed(fields, rule, lowerLimit, upperLimit);
        // Answers are whole numbers from 0 up.
        if (lowerLimit < -1)
            ReportUnused(fields, RuleField::LowerLimit,
                         "answers are never below 0 (-1 switches the lower price off)");
        if (lowerLimit == -1)
            ReportUnused(fields, RuleField::LowerPrice, "the lower limit -1 switches it off");
        else if (lowerLimit <= 0)
            ReportUnused(
                fields, RuleField::LowerPrice,
                wxString::Format("answers are never below the lower limit %d", lowerLimit));
        if (upperLimit == INT_MAX)
            ReportUnused(fields, RuleField::UpperLimit, "no answer is above it");
    }

    void CheckRule(const wxXmlNode* rule)
    {
        ++m_ruleCount;
        const FieldSet byAttribute = ReportRuleAttributes(rule);
        const RuleFields fields = ReadFields(rule);
        CheckId(fields, rule, byAttribute);
        CheckNumbers(fields);
        const std::optional<RuleKind> kind = CheckKind(fields, rule, byAttribute);
        if (!kind)
            return;
        CheckContent(fields, rule, byAttribute);
        switch (*kind)
        {
        case RuleKind::Bool:
            for (RuleField field :
                 {RuleField::UpperLimit, RuleField::LowerLimit, RuleField::UpperPrice})
                ReportUnused(fields, field, "a yes/no rule is priced by <lower_price> alone");
            break;
        case RuleKind::Int:
            CheckBand(fields, rule);
            break;
        }
    }

    std::vector<RuleProblem> m_problems;
    int m_ruleCount = 0;
    std::map<wxString, std::pair<int, int>> m_ids; // id -> number and line of its first rule
};

bool HasId(const wxXmlNode* rule, const wxString& id)
{
    return ReadRuleFields(rule).Value(RuleField::Id) == id;
}
} // namespace

RuleProblem LoadProblem(const wxString& path, const RuleLoadFault& fault)
{
    using Kind = RuleLoadFault::Kind;
    switch (fault.kind)
    {
    case Kind::None:
        break;
    case Kind::NotPlainFile:
    case Kind::FileTooLarge:
        return {0, wxString::Format("Rule file '%s' not read: it is not a plain file or is too "
                                    "large.",
                                    path)};
    case Kind::CannotOpen:
        return {0, SystemProblem("can't open file '%s'", path, fault.systemError)};
    case Kind::ReadFailed:
        return {0, SystemProblem("Read error on file '%s'", path, fault.systemError)};
    case Kind::TooLarge:
    case Kind::StretchTooLong:
        return {0, wxString::Format("not read: larger than %zu MB, or a comment, tag or text in "
                                    "it is longer than %zu KB (counted in UTF-8)",
                                    g_ruleFileLimit >> 20, g_ruleStretchLimit >> 10)};
    case Kind::UnknownEncoding:
        return {fault.line, "not read: the encoding " + Quoted(fault.encoding) +
                                " is unknown on this system; save the file as UTF-8 and declare "
                                "that"};
    case Kind::InvalidBytes:
        return {fault.line, (fault.line > 0 ? "not read: this line is not valid "
                                            : "not read: the file is not valid ") +
                                fault.encoding + ", the encoding the file declares" +
                                EncodingHint(fault.readsAs)};
    case Kind::NotWellFormed:
        return ParseProblem(fault);
    }
    return {0, wxString()};
}

std::vector<RuleProblem> CheckRuleDocument(const wxXmlNode* root)
{
    if (!root)
        return {{0, "the file holds no root element"}};
    return DocumentCheck().Run(root);
}

bool WhyNoRow(const wxXmlNode* root, const wxString& row, RuleProblem& why)
{
    const wxString named = "--answer " + Quoted(row) + ": ";
    if (!root || !IsRulesRoot(root))
    {
        why = {0, named + "the program reads no rules from this file"};
        return true;
    }
    const wxXmlNode* leftOut = nullptr;
    const wxXmlNode* stop =
        ForEachRule(root,
                    [&](const wxXmlNode* rule)
                    {
                        if (!leftOut && HasId(rule, row) &&
                            !FindKind(ReadRuleFields(rule).Value(RuleField::PgType)))
                            leftOut = rule;
                    });
    if (leftOut)
    {
        why = {leftOut->GetLineNumber(),
               named + "the rule with this id is left out for its kind, so it has no row"};
        return true;
    }
    for (const wxXmlNode* node = stop; node; node = node->GetNext())
        if (IsRuleElement(node) && HasId(node, row))
        {
            why = {node->GetLineNumber(),
                   wxString::Format("%sthe rule with this id comes after reading stops at line "
                                    "%d, so it has no row",
                                    named, stop->GetLineNumber())};
            return true;
        }
    return false;
}
