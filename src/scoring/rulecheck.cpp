#include "scoring/rulecheck.h"

#include "scoring/charclass.h"
#include "scoring/messagetext.h"
#include "scoring/rule.h"
#include "scoring/ruleformat.h"
#include "scoring/ruleload.h"
#include "scoring/rulereport.h"
#include "xmlio/parseerror.h"

#include <wx/intl.h>
#include <wx/log.h>
#include <wx/xml/xml.h>

#include <algorithm>
#include <map>
#include <memory>
#include <optional>
#include <set>

wxString Tag(const wxString& name)
{
    return "<" + name + ">";
}

void RuleReport::ReportUnused(const RuleFields& fields, RuleField field, const wxString& why)
{
    const wxXmlNode* node = fields.Node(field);
    if (node && ReadNumber(node->GetNodeContent()) != 0)
        Report(node, wxString::Format(_("%s never takes effect: %s"), Tag(FieldName(field)), why));
}

namespace
{
// "bool, int or choice".
wxString KindList()
{
    std::vector<wxString> names;
    for (RuleKind kind : AllKinds())
        names.push_back(KindName(kind));
    return Joined(names, _("%s or %s"));
}

wxString EndTag(const wxString& name)
{
    return "</" + name + ">";
}

// The fix for a file that is not valid in the encoding it is read in:
// another encoding it reads in as a whole, if one does.
wxString EncodingHint(const wxString& readsAs)
{
    if (readsAs.empty())
        return wxString();
    return readsAs == "UTF-8"
               ? wxString::Format(_("; the file reads as %s: declare encoding=\"%s\" in its first "
                                    "line"),
                                  readsAs, readsAs)
               : wxString::Format(_("; the file reads as %s: declare encoding=\"%s\" in its first "
                                    "line, or save it as UTF-8"),
                                  readsAs, readsAs);
}

// Editors on Windows call the system's code page "ANSI", which for Chinese
// is GBK.
wxString AnsiHint(const wxString& encoding)
{
    return encoding.CmpNoCase("ANSI") == 0
               ? _(" (a Chinese Windows editor's ANSI is GBK: declare encoding=\"GBK\")")
               : wxString();
}

// "<rule> opened at line 2".
wxString OpenedAt(const XmlParseError::OpenElement& element)
{
    return wxString::Format(_("%s opened at line %d"), Tag(element.name), element.line);
}

// Plain words for the parser's fault, with its own phrase after them for
// anyone who searches for it.
RuleProblem ParserSays(int line, const wxString& plain, const XmlParseError& error)
{
    return {line, wxString::Format(_("%s (the parser says: %s)"), plain, error.reason)};
}

// A declared encoding that the bytes contradict: what they read as, from
// the byte order mark or from the bytes themselves.
RuleProblem WrongEncodingProblem(const RuleLoadFault& fault)
{
    const wxString plain =
        fault.readsAs.empty()
            ? wxString::Format(_("the file is not in the encoding its first line declares, "
                                 "%s; save it as UTF-8 and declare that"),
                               Quoted(fault.encoding))
        : fault.byteOrderMark
            ? wxString::Format(_("the file starts with the byte order mark of %s but declares "
                                 "encoding=\"%s\": declare encoding=\"%s\", or none"),
                               fault.readsAs, fault.encoding, fault.readsAs)
            : wxString::Format(_("the file declares encoding=\"%s\", but its bytes read as %s: "
                                 "declare encoding=\"%s\""),
                               fault.encoding, fault.readsAs, fault.readsAs);
    return ParserSays(fault.parse.line, plain, fault.parse);
}

RuleProblem MismatchProblem(const XmlParseError& error)
{
    const auto& open = error.open;
    const bool closesOuter =
        !open.empty() && std::any_of(open.begin(), open.end() - 1,
                                     [&error](const XmlParseError::OpenElement& element)
                                     { return element.name == error.endTag; });
    if (closesOuter)
        return ParserSays(open.back().line,
                          wxString::Format(_("%s is not closed before %s at line %d"),
                                           OpenedAt(open.back()), EndTag(error.endTag), error.line),
                          error);
    if (open.empty())
        return ParserSays(error.line,
                          wxString::Format(_("%s closes no open element"), EndTag(error.endTag)),
                          error);
    return ParserSays(error.line,
                      wxString::Format(_("%s closes no open element; the innermost is %s"),
                                       EndTag(error.endTag), OpenedAt(open.back())),
                      error);
}

// The parser's reason for a text that is not well-formed, in plain words,
// with what the author needs to find the fault: the element left open and
// where, the escape for a bare '&' or '<', the character to delete, the
// encoding to declare.
RuleProblem ParseProblem(const RuleLoadFault& fault)
{
    const XmlParseError& error = fault.parse;
    if (error.line == 0)
        return {0, _("the file is not well-formed XML")};
    if (fault.invalidUtf8)
        return {error.line,
                (fault.encoding.empty()
                     ? _("not well-formed: this line is not valid UTF-8, which a file that "
                         "declares no encoding must be")
                     : _("not well-formed: this line is not valid UTF-8, the encoding the file "
                         "declares")) +
                    EncodingHint(fault.readsAs)};
    using Kind = XmlParseError::Kind;
    switch (error.kind)
    {
    case Kind::Mismatch:
        return MismatchProblem(error);
    case Kind::EndsEarly:
    {
        std::vector<wxString> open;
        for (auto element = error.open.rbegin(); element != error.open.rend(); ++element)
            open.push_back(OpenedAt(*element));
        return ParserSays(
            error.open.back().line,
            wxString::Format(_("the file ends before it closes %s"), JoinedWithAnd(open)), error);
    }
    case Kind::NoElement:
        return ParserSays(error.line,
                          _("the file holds no element: a rule file starts with <rules>"), error);
    case Kind::BareMarkup:
        return ParserSays(error.line,
                          error.bareMarkup == '&'
                              ? _("a bare & in text; write it as &amp; (and < as &lt;)")
                              : _("a bare < in text; write it as &lt; (and & as &amp;)"),
                          error);
    case Kind::UndefinedEntity:
        // An HTML name such as &nbsp; wants the character, not &amp;.
        return ParserSays(
            error.line,
            error.entity.empty()
                ? _("only &amp; &lt; &gt; &quot; &apos; and &#...; are known; write & itself as "
                    "&amp;")
                : wxString::Format(_("&%s; is not known in XML: type the character itself (or "
                                     "its number, as &#160; for a no-break space)"),
                                   error.entity),
            error);
    case Kind::Control:
        return ParserSays(error.line,
                          wxString::Format(_("the control character %s cannot be in a rule file "
                                             "(pasted text often brings one): delete it"),
                                           CodeName(error.control)),
                          error);
    case Kind::LateDeclaration:
        return ParserSays(error.line,
                          _("the <?xml ...?> line must be the very first thing in the file, with "
                            "no space, blank line or comment before it"),
                          error);
    case Kind::AfterRoot:
        return ParserSays(error.line,
                          wxString::Format(_("there is more after %s, which must end the file: "
                                             "move it inside %s or delete it"),
                                           EndTag(error.root), Tag(error.root)),
                          error);
    case Kind::WrongEncoding:
        return WrongEncodingProblem(fault);
    case Kind::LookAlike:
        return ParserSays(error.line,
                          wxString::Format(_("%s (%s) is not the ASCII %s that XML needs here: "
                                             "type %s"),
                                           wxString(wxUniChar(error.lookAlike)),
                                           wxString::Format("U+%04X", unsigned(error.lookAlike)),
                                           wxString(error.meant), wxString(error.meant)),
                          error);
    case Kind::UnknownEncoding:
    case Kind::Other:
        break;
    }
    return ParserSays(error.line, _("the file is not well-formed XML here"), error);
}

// A word for a unit after a number ("200元") is read as the author meant,
// unlike one that multiplies it ("2万", "3k") or text that goes on with the
// number ("1,000", "1.5", "１２").
bool IsUnit(wxUniChar::value_type c)
{
    static const wxString multipliers = wxString::FromUTF8("十百千万萬亿億");
    const bool fullWidthForm = c >= 0xFF00 && c <= 0xFFEF;
    const bool chinesePunctuation = c >= 0x3000 && c <= 0x303F;
    return c >= 0x2E80 && !fullWidthForm && !chinesePunctuation &&
           multipliers.Find(wxUniChar(c)) == wxNOT_FOUND;
}

// What a number field makes of an author's text: a problem, a warning, or
// nothing (empty message). The reading itself is ReadNumber's; this only
// explains its result.
struct NumberReading
{
    wxString message;
    bool warning = false;
};

NumberReading NotANumber(const wxString& text, wxUniChar::value_type first)
{
    if (first == 0xFF0B)
        return {wxString::Format(_("%s is not a number and reads as 0: it starts with %s; type "
                                   "the ASCII '+', or nothing"),
                                 Quoted(text), ShownName("U+FF0B FULLWIDTH PLUS SIGN"))};
    const wxString minus = LookAlikeMinus(first);
    if (!minus.empty())
        return {wxString::Format(_("%s is not a number and reads as 0: it starts with %s, which "
                                   "only looks like a minus sign; type the ASCII '-'"),
                                 Quoted(text), ShownName(minus))};
    if (IsFullWidthDigit(first))
        return {wxString::Format(_("%s is not a number and reads as 0: its digits are "
                                   "full-width; type the digits 0-9"),
                                 Quoted(text))};
    return {wxString::Format(_("%s is not a number and reads as 0"), Quoted(text))};
}

// The text after a number that reads: what a reader makes of it.
NumberReading TextAfter(const wxString& text, int value, const wxString& after)
{
    const wxString rest = StripInvisible(after);
    if (rest.empty())
        return {wxString::Format(_("%s reads as %d: the space after the number changes nothing, "
                                   "but other readers may not skip it"),
                                 Quoted(text), value),
                true};
    const wxUniChar::value_type next = rest[0].GetValue();
    if (IsFullWidthDigit(next))
        return {wxString::Format(_("%s reads as %d: the full-width digits after it are not read; "
                                   "type the digits 0-9"),
                                 Quoted(text), value)};
    if (IsUnit(next))
        return {wxString::Format(_("%s reads as %d: the unit after the number is ignored"),
                                 Quoted(text), value),
                true};
    return {wxString::Format(_("%s reads as %d: the text after the number is ignored"),
                             Quoted(text), value)};
}

NumberReading ReadingOf(const wxString& text)
{
    const NumberText number = ReadNumberText(text);
    const int value = number.value;
    if (wxString(text).Trim(true).Trim(false).empty())
        return {_("is blank and reads as 0")};
    if (!number.found)
        return NotANumber(text, number.first);
    if (number.clamped)
        return {wxString::Format(_("%s is out of range and reads as %d"), Quoted(text), value)};
    if (!wxString(number.after).Trim(true).empty())
        return TextAfter(text, value, number.after);
    // White space beyond ASCII before the number is skipped, but other
    // readers of the file may take the number for none.
    if (number.wideSpace)
        return {wxString::Format(_("%s reads as %d: the space before the number is not an ASCII "
                                   "space, which other readers may not skip"),
                                 Quoted(text), value),
                true};
    return {};
}

// Tags typed with the full-width brackets of a Chinese input method are
// text: the fix, for a text that holds one.
wxString BracketHint(const wxString& text)
{
    static const wxString brackets = wxString::FromUTF8("\xEF\xBC\x9C\xEF\xBC\x9E");
    if (text.find_first_of(brackets) == wxString::npos)
        return wxString();
    return wxString::Format(_("; %s and %s are full-width brackets and make no tag: type the "
                              "ASCII < and >"),
                            wxString(brackets[0]), wxString(brackets[1]));
}

// The rule elements after a node, which a stop there leaves unread.
int RulesAfter(const wxXmlNode* stop)
{
    int later = 0;
    for (const wxXmlNode* node = stop->GetNext(); node; node = node->GetNext())
        later += IsRuleElement(node);
    return later;
}

// Whether what surrounds a text's visible part is all pasted spaces.
bool OnlyPastedAround(const wxString& text)
{
    const wxString core = StripInvisible(text);
    const size_t at = text.find(core);
    const wxString around = text.Left(at) + text.Mid(at + core.length());
    return std::all_of(around.begin(), around.end(),
                       [](wxUniChar c) { return IsPastedSpace(c.GetValue()); });
}

// Whether an element holds a field of a rule (a <rules> typed for <rule>).
bool HoldsFields(const wxXmlNode* element)
{
    for (const wxXmlNode* child = element->GetChildren(); child; child = child->GetNext())
    {
        RuleField field;
        if (child->GetType() == wxXML_ELEMENT_NODE && FindField(child->GetName(), field))
            return true;
    }
    return false;
}

class DocumentCheck : public RuleReport
{
public:
    std::vector<RuleProblem> Run(const wxXmlNode* root)
    {
        if (!IsRulesRoot(root))
        {
            Report(root, wxString::Format(_("the root element is %s, not <rules>: the program "
                                            "reads no rules from this file"),
                                          Tag(root->GetName())));
            return m_problems;
        }
        // The window reads the rules all the same.
        ReportAttributes(
            root, [](const wxXmlAttribute*) { return wxString(); }, true);
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
            Report(root, _("<rules> holds no <rule>: the checklist has no rows"));
        std::stable_sort(m_problems.begin(), m_problems.end(),
                         [](const RuleProblem& a, const RuleProblem& b)
                         { return a.line < b.line; });
        return m_problems;
    }

private:
    using FieldSet = std::set<RuleField>;

    void Report(const wxXmlNode* node, const wxString& message, bool warning = false) override
    {
        m_problems.push_back({node->GetLineNumber(), message, warning});
    }

    // A comment or processing instruction between rules: this program reads
    // on, but the format ends the list there. One after the last rule hides
    // nothing.
    void WarnAnnotation(const wxXmlNode* node, int later)
    {
        if (node->GetType() == wxXML_TEXT_NODE)
            return WarnPastedSpace(node);
        if (later == 0)
            return;
        const wxString message =
            node->GetType() == wxXML_COMMENT_NODE
                ? _("comment directly under <rules>: this program reads on, but other readers of "
                    "the rule format stop here and miss the %d rule(s) after it; put it before "
                    "<rules> or inside a <rule>")
                : _("processing instruction directly under <rules>: this program reads on, but "
                    "other readers of the rule format stop here and miss the %d rule(s) after "
                    "it; put it before <rules> or inside a <rule>");
        Report(node, wxString::Format(message, later), true);
    }

    // Each attribute of an element is reported: none is ever read. fix
    // gives the rest of the message for one.
    template <class Fix>
    void ReportAttributes(const wxXmlNode* element, const Fix& fix, bool warning = false)
    {
        for (const wxXmlAttribute* a = element->GetAttributes(); a; a = a->GetNext())
            Report(element,
                   wxString::Format(_("attribute %s=\"%s\" of %s is never read"), a->GetName(),
                                    a->GetValue(), Tag(element->GetName())) +
                       fix(a),
                   warning);
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
                             return wxString::Format(_(": write %s inside the rule"),
                                                     Tag(name) + a->GetValue() + EndTag(name));
                         });
        return named;
    }

    // White space pasted from a web page or an editor is read as such, but
    // the author should know it is there: its first character and line.
    void WarnPastedSpace(const wxXmlNode* text)
    {
        const wxString content = text->GetContent();
        const size_t at = FindPastedSpace(content);
        if (at == wxString::npos)
            return;
        const int line = text->GetLineNumber() + int(content.Left(at).Freq('\n'));
        m_problems.push_back(
            {line,
             wxString::Format(_("%s between tags is read as white space, but other readers may "
                                "not; replace it with an ASCII space"),
                              CodeName(content[at].GetValue())),
             true});
    }

    void ReportStrayText(const wxXmlNode* text)
    {
        if (text->GetType() == wxXML_TEXT_NODE && IsBlankText(text->GetContent()))
            return WarnPastedSpace(text);
        Report(text,
               _("text outside the fields of a rule is ignored") + BracketHint(text->GetContent()));
    }

    void ReportStop(const wxXmlNode* stop)
    {
        const int later = RulesAfter(stop);
        if (stop->GetType() != wxXML_ELEMENT_NODE)
            Report(stop, wxString::Format(_("text directly under <rules>: reading stops here and "
                                            "the %d rule(s) after it are not read"),
                                          later) +
                             BracketHint(stop->GetContent()));
        else if (HoldsFields(stop))
            Report(stop, wxString::Format(_("%s holds the fields of a rule but is not a <rule>: "
                                            "reading stops here, and neither it nor the %d "
                                            "rule(s) after it are read"),
                                          Tag(stop->GetName()), later));
        else
            Report(stop, wxString::Format(_("element %s is not a rule: reading stops here and the "
                                            "%d rule(s) after it are not read"),
                                          Tag(stop->GetName()), later));
    }

    // model is a rule of the kind, null for a rule left out.
    RuleFields ReadFields(const wxXmlNode* rule, const Rule* model)
    {
        return ReadRuleFields(
            rule,
            [this, rule, model](const wxXmlNode* child, const RuleField* field,
                                const wxXmlNode* earlier)
            {
                if (child->GetType() == wxXML_TEXT_NODE ||
                    child->GetType() == wxXML_CDATA_SECTION_NODE)
                    ReportStrayText(child);
                if (child->GetType() != wxXML_ELEMENT_NODE)
                    return;
                if (IsRuleElement(child))
                {
                    Report(child, wxString::Format(_("the rule of line %d is not closed before "
                                                     "this %s (a forgotten </rule>?): this rule "
                                                     "is inside it and is not read"),
                                                   rule->GetLineNumber(), Tag(child->GetName())));
                    return;
                }
                if (!field)
                {
                    // Elements that are no field: those the kind reads are its own to check.
                    if (!model || !model->ReadsElement(child))
                        ReportUnknown(child);
                    return;
                }
                if (earlier)
                    Report(child,
                           wxString::Format(_("%s given twice: this one replaces the one "
                                              "at line %d"),
                                            Tag(FieldName(*field)), earlier->GetLineNumber()));
                ReportAttributes(child, [](const wxXmlAttribute*)
                                 { return wxString(_(": a field's value is its text")); });
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
            Report(field, wxString::Format(_("%s holds markup or comments: only %s is read"),
                                           Tag(field->GetName()), Quoted(field->GetNodeContent())));
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
                Report(rule, wxString::Format(_("missing %s"), tag) + consequence);
            return true;
        }
        const wxString value = node->GetNodeContent();
        if (!StripInvisible(value).empty())
            return false;
        Report(node, (value.empty() ? wxString::Format(_("empty %s"), tag)
                                    : wxString::Format(_("%s is %s"), tag, Quoted(value))) +
                         consequence);
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
                         _(": the rule's answer cannot be named")))
            return;
        ReportSurrounded(fields, RuleField::Id,
                         _(": the id keeps what surrounds it, and --answer must name the row so"));
        const wxString id = fields.Value(RuleField::Id);
        if (id.Contains("="))
            Report(fields.Node(RuleField::Id),
                   wxString::Format(_("id %s holds '=': --answer ID=VALUE cannot name this row"),
                                    Quoted(id)),
                   true);
        const auto earlier = m_ids.emplace(id, std::make_pair(m_ruleCount, rule->GetLineNumber()));
        if (!earlier.second)
            Report(fields.Node(RuleField::Id),
                   wxString::Format(_("id %s is already used by rule %d (line %d)"), Quoted(id),
                                    earlier.first->second.first, earlier.first->second.second));
    }

    void CheckContent(const RuleFields& fields, const wxXmlNode* rule, const FieldSet& byAttribute)
    {
        if (ReportAbsent(fields, RuleField::Content, rule, byAttribute,
                         _(": the row shows no question")))
            return;
        // Spaces typed around a question come from writing it on a line of
        // its own; spaces pasted with it (U+00A0, U+2028...) are simply deleted.
        ReportSurrounded(fields, RuleField::Content,
                         OnlyPastedAround(fields.Value(RuleField::Content))
                             ? _(": the row shows the question with them; delete them")
                             : _(": the row shows the question with them; write it on one line "
                                 "with its tags"));
    }

    // The rule's kind, or none after reporting why the rule is left out.
    std::optional<RuleKind> CheckKind(const RuleFields& fields, const wxXmlNode* rule,
                                      const FieldSet& byAttribute)
    {
        const wxString type = fields.Value(RuleField::PgType);
        const std::optional<RuleKind> kind = FindKind(type);
        const wxString leftOut = wxString::Format(_(" (%s): the rule is left out"), KindList());
        if (kind || ReportAbsent(fields, RuleField::PgType, rule, byAttribute, leftOut))
            return kind;
        if (FindKind(StripInvisible(type)))
            ReportSurrounded(fields, RuleField::PgType,
                             _(": the kind must stand alone, so the rule is left out"));
        else
            Report(fields.Node(RuleField::PgType),
                   wxString::Format(_("unknown kind %s"), Quoted(type)) + leftOut);
        return kind;
    }

    void CheckNumbers(const RuleFields& fields)
    {
        for (size_t i = 0; i < g_ruleFieldCount; ++i)
        {
            const RuleField field = RuleField(i);
            if (IsNumberField(field) && fields.Node(field))
                CheckNumber(fields.Node(field), FieldName(field));
        }
    }

    void CheckNumber(const wxXmlNode* node, const wxString& name) override
    {
        const NumberReading reading = ReadingOf(node->GetNodeContent());
        if (!reading.message.empty())
            Report(node, Tag(name) + " " + reading.message, reading.warning);
    }

    void CheckRule(const wxXmlNode* rule)
    {
        ++m_ruleCount;
        const FieldSet byAttribute = ReportRuleAttributes(rule);
        // The kind decides which elements beyond the fields are read.
        const std::optional<RuleKind> kind =
            FindKind(ReadRuleFields(rule).Value(RuleField::PgType));
        const std::unique_ptr<Rule> model = kind ? NewRule(*kind) : nullptr;
        const RuleFields fields = ReadFields(rule, model.get());
        CheckId(fields, rule, byAttribute);
        CheckNumbers(fields);
        if (!CheckKind(fields, rule, byAttribute))
            return;
        CheckContent(fields, rule, byAttribute);
        model->CheckFields(rule, fields, *this);
    }

    void ReportUnknown(const wxXmlNode* element) override
    {
        Report(element,
               wxString::Format(_("unknown field %s is ignored"), Tag(element->GetName())));
    }

    void ReportAttributes(const wxXmlNode* element) override
    {
        ReportAttributes(element, [](const wxXmlAttribute*) { return wxString(); });
    }

    std::vector<RuleProblem> m_problems;
    int m_ruleCount = 0;
    std::map<wxString, std::pair<int, int>> m_ids; // id -> number and line of its first rule
};

// The id an element gives in its <id> field, or else in an id attribute,
// which the program never reads; byAttribute says which.
wxString IdOf(const wxXmlNode* element, bool& byAttribute)
{
    const wxString field = ReadRuleFields(element).Value(RuleField::Id);
    byAttribute = false;
    if (!field.empty())
        return field;
    for (const wxXmlAttribute* a = element->GetAttributes(); a; a = a->GetNext())
        if (a->GetName().CmpNoCase(FieldName(RuleField::Id)) == 0)
        {
            byAttribute = true;
            return a->GetValue();
        }
    return wxString();
}

// The first element below the root, in document order, that gives the id.
const wxXmlNode* FindById(const wxXmlNode* parent, const wxString& id, bool& byAttribute)
{
    for (const wxXmlNode* node = parent->GetChildren(); node; node = node->GetNext())
    {
        if (node->GetType() != wxXML_ELEMENT_NODE)
            continue;
        if (IdOf(node, byAttribute) == id)
            return node;
        if (const wxXmlNode* inner = FindById(node, id, byAttribute))
            return inner;
    }
    return nullptr;
}

// Why the element that gives an id has no row, or empty when it has one.
wxString WhyLost(const wxXmlNode* root, const wxXmlNode* element, bool byAttribute)
{
    if (byAttribute)
        return _("the id of this rule is an attribute, which is never read, so no row has this "
                 "name");
    const wxXmlNode* parent = element->GetParent();
    if (parent != root && IsRuleElement(parent))
        return wxString::Format(_("the rule with this id is inside the rule of line %d, which is "
                                  "not closed before it, so it has no row"),
                                parent->GetLineNumber());
    if (parent != root)
        return _("the rule with this id is not directly under <rules>, so it has no row");
    bool read = false;
    const wxXmlNode* stop =
        ForEachRule(root, [&](const wxXmlNode* rule) { read = read || rule == element; });
    if (element == stop)
        return wxString::Format(_("the rule with this id is written as %s, not <rule>, so reading "
                                  "stops there and it has no row"),
                                Tag(element->GetName()));
    if (!read)
        return wxString::Format(_("the rule with this id comes after reading stops at line %d, "
                                  "so it has no row"),
                                stop->GetLineNumber());
    if (!FindKind(ReadRuleFields(element).Value(RuleField::PgType)))
        return _("the rule with this id is left out for its kind, so it has no row");
    return wxString();
}
} // namespace

RuleProblem LoadProblem(const RuleLoadFault& fault)
{
    using Kind = RuleLoadFault::Kind;
    switch (fault.kind)
    {
    case Kind::None:
        if (fault.readsAs.empty())
            break;
        return {fault.line,
                wxString::Format(_("the file declares encoding=\"%s\", but its bytes are %s, "
                                   "so the program shows its text garbled: declare "
                                   "encoding=\"%s\""),
                                 fault.encoding, fault.readsAs, fault.readsAs)};
    case Kind::NotPlainFile:
        return {0, _("not read: it is not a plain file (a folder or a device)")};
    case Kind::CannotOpen:
        return {0, wxString::Format(_("not read: it cannot be opened (%s)"),
                                    SystemReason(fault.systemError))};
    case Kind::ReadFailed:
        return {0, wxString::Format(_("not read: it cannot be read (%s)"),
                                    SystemReason(fault.systemError))};
    case Kind::FileTooLarge:
    case Kind::TooLarge:
        if (!fault.encoding.empty())
            return {0, wxString::Format(_("not read: converted from %s to UTF-8, it is larger than "
                                          "the limit of %d MB"),
                                        fault.encoding, int(fault.limit >> 20))};
        return {0, wxString::Format(_("not read: it is larger than the limit of %d MB"),
                                    int(fault.limit >> 20))};
    case Kind::StretchTooLong:
        return {fault.line, wxString::Format(_("not read: one comment, tag or text in it is "
                                               "longer than the limit of %d KB"),
                                             int(fault.limit >> 10))};
    case Kind::UnknownEncoding:
        return {fault.line,
                wxString::Format(_("not read: the encoding %s is unknown on this system; save the "
                                   "file as UTF-8 and declare that"),
                                 Quoted(fault.encoding)) +
                    AnsiHint(fault.encoding)};
    case Kind::InvalidBytes:
        return {fault.line,
                wxString::Format(fault.line > 0 ? _("not read: this line is not valid %s, the "
                                                    "encoding the file declares")
                                                : _("not read: the file is not valid %s, the "
                                                    "encoding the file declares"),
                                 fault.encoding) +
                    EncodingHint(fault.readsAs)};
    case Kind::NotWellFormed:
        return ParseProblem(fault);
    }
    return {0, wxString()};
}

void LogRuleLoadFault(const wxString& path, const RuleLoadFault& fault)
{
    if (fault.kind == RuleLoadFault::Kind::None)
        return;
    const RuleProblem problem = LoadProblem(fault);
    if (problem.line > 0)
        wxLogError(_("Rule file '%s', line %d: %s"), path, problem.line, problem.message);
    else
        wxLogError(_("Rule file '%s': %s"), path, problem.message);
}

std::vector<RuleProblem> CheckRuleDocument(const wxXmlNode* root)
{
    if (!root)
        return {{0, _("the file holds no root element")}};
    return DocumentCheck().Run(root);
}

std::vector<RuleProblem> CheckLoadedRuleFile(const RuleLoadFault& fault, const wxXmlNode* root)
{
    // A lost entity comes first on its line: it explains what follows there.
    std::vector<RuleProblem> problems;
    const UnexpandedEntities& unexpanded = fault.unexpanded;
    if (unexpanded.doctypeLine > 0)
        problems.push_back({unexpanded.doctypeLine,
                            _("the DOCTYPE is ignored: the program expands none of the entities it "
                              "declares and reads no file it names"),
                            true});
    for (const auto& [name, line] : unexpanded.references)
        problems.push_back({line, wxString::Format(_("&%s; is not expanded: the program reads "
                                                     "nothing in its place (a number there reads "
                                                     "as blank); type the character itself"),
                                                   name)});
    const std::vector<RuleProblem> document = CheckRuleDocument(root);
    problems.insert(problems.end(), document.begin(), document.end());
    std::stable_sort(problems.begin(), problems.end(),
                     [](const RuleProblem& a, const RuleProblem& b) { return a.line < b.line; });
    return problems;
}

bool WhyNoRow(const wxXmlNode* root, const wxString& row, RuleProblem& why)
{
    const wxString named = wxString::Format(_("--answer %s: "), Quoted(row));
    if (!root || !IsRulesRoot(root))
    {
        why = {0, named + _("the program reads no rules from this file")};
        return true;
    }
    bool byAttribute = false;
    const wxXmlNode* element = FindById(root, row, byAttribute);
    const wxString lost = element ? WhyLost(root, element, byAttribute) : wxString();
    if (lost.empty())
        return false;
    why = {element->GetLineNumber(), named + lost};
    return true;
}

wxString ReadingStopNotice(const wxXmlNode* root)
{
    const wxXmlNode* stop =
        root && IsRulesRoot(root) ? ForEachRule(root, [](const wxXmlNode*) {}) : nullptr;
    if (!stop)
        return wxString();
    return wxString::Format(_("Rule file line %d: reading stops there, %d rule(s) not read; "
                              "amorquant-check tells why"),
                            stop->GetLineNumber(), RulesAfter(stop));
}
