#pragma once

#include "scoring/rule.h"

#include <vector>

// One choice among options: each <option> of the rule, in file order, has a
// text and a price. An answer is the number of the option chosen, from 1;
// 0 is none chosen, which prices 0, as does a number beyond the options.
class ChoiceRule : public Rule
{
public:
    struct Option
    {
        wxString text;
        int price = 0;
    };

    ChoiceRule() : Rule(RuleKind::Choice) {}
    int GetPrice(int answer) override;

    // The options; the band fields are ignored.
    void ReadFields(const wxXmlNode* element, const RuleFields& fields) override;
    long long Entered(const wxVariant& rowValue) const override;
    long long AnswerOf(long long entered) const override;
    // An option's number from 1 (0 for none), or its exact text.
    bool ParseAnswer(const wxString& text, long long& entered) const override;
    // "1 = text, 2 = text ...".
    wxString AnswerHint() const override;
    bool ReadsElement(const wxXmlNode* child) const override;
    void CheckFields(const wxXmlNode* element, const RuleFields& fields,
                     RuleReport& report) const override;

    std::vector<Option> options;
};
