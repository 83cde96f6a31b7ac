#include "scoring/choicerule.h"

#include "scoring/messagetext.h"
#include "scoring/ruleformat.h"
#include "scoring/rulereport.h"

#include <wx/intl.h>
#include <wx/variant.h>
#include <wx/wxcrt.h>
#include <wx/xml/xml.h>

#include <map>

int ChoiceRule::GetPrice(int answer)
{
    return answer >= 1 && size_t(answer) <= options.size() ? options[answer - 1].price : 0;
}

void ChoiceRule::ReadFields(const wxXmlNode* element, const RuleFields&)
{
    ForEachOption(element,
                  [this](const wxXmlNode* option)
                  {
                      const OptionFields fields = ReadOptionFields(option);
                      options.push_back({fields.Value(OptionField::Text),
                                         ReadNumber(fields.Value(OptionField::Price))});
                  });
}

long long ChoiceRule::Entered(const wxVariant& rowValue) const
{
    long number = 0;
    return rowValue.Convert(&number) ? number : 0;
}

long long ChoiceRule::AnswerOf(long long entered) const
{
    return entered;
}

bool ChoiceRule::ParseAnswer(const wxString& text, long long& entered) const
{
    unsigned long number = 0;
    if (!text.empty() && wxIsdigit(text[0]) && text.ToULong(&number))
    {
        entered = (long long)number;
        return number <= options.size();
    }
    for (size_t i = 0; i < options.size(); ++i)
        if (options[i].text == text)
        {
            entered = (long long)i + 1;
            return true;
        }
    return false;
}

wxString ChoiceRule::AnswerHint() const
{
    if (options.empty())
        return _("the row has no options");
    std::vector<wxString> listed;
    for (size_t i = 0; i < options.size(); ++i)
        listed.push_back(wxString::Format("%d = %s", int(i + 1), Quoted(options[i].text)));
    return wxString::Format(_("answer with an option's number (0 for none) or its exact text: %s"),
                            Joined(listed, _("%s or %s")));
}

bool ChoiceRule::ReadsElement(const wxXmlNode* child) const
{
    return IsOptionElement(child);
}

namespace
{
// What the checker says of one option; texts maps each text to the number
// and line of the first option that has it.
void CheckOption(const wxXmlNode* option, int number,
                 std::map<wxString, std::pair<int, int>>& texts, RuleReport& report)
{
    report.ReportAttributes(option);
    const OptionFields fields = ReadOptionFields(
        option,
        [&report](const wxXmlNode* child, const OptionField* field)
        {
            if (child->GetType() != wxXML_ELEMENT_NODE)
                return;
            if (!field)
                report.Report(child, wxString::Format(_("unknown field %s is ignored"),
                                                      Tag(child->GetName())));
            else
                report.ReportAttributes(child);
        });
    const wxXmlNode* price = fields.Node(OptionField::Price);
    if (price)
        report.CheckNumber(price, OptionFieldName(OptionField::Price));
    else
        report.Report(option,
                      wxString::Format(_("option %d has no <price>: choosing it adds 0"), number));
    const wxString text = fields.Value(OptionField::Text);
    if (StripInvisible(text).empty())
    {
        report.Report(option, wxString::Format(_("option %d has no <text>: it shows empty in "
                                                 "the list"),
                                               number));
        return;
    }
    const auto earlier = texts.emplace(text, std::make_pair(number, option->GetLineNumber()));
    if (!earlier.second)
        report.Report(option,
                      wxString::Format(_("option %d has the same text as option %d (line %d): "
                                         "the two cannot be told apart"),
                                       number, earlier.first->second.first,
                                       earlier.first->second.second));
}
} // namespace

void ChoiceRule::CheckFields(const wxXmlNode* element, const RuleFields& fields,
                             RuleReport& report) const
{
    for (RuleField field : {RuleField::UpperLimit, RuleField::LowerLimit, RuleField::UpperPrice,
                            RuleField::LowerPrice})
        if (const wxXmlNode* node = fields.Node(field))
            report.Report(node,
                          wxString::Format(_("%s is ignored in a choice rule: each <option> has "
                                             "its own <price>"),
                                           Tag(FieldName(field))),
                          true);
    std::map<wxString, std::pair<int, int>> texts;
    int number = 0;
    ForEachOption(element,
                  [&](const wxXmlNode* option) { CheckOption(option, ++number, texts, report); });
    if (number == 0)
        report.Report(element, _("a choice rule without <option>: the row has nothing to choose"));
}
