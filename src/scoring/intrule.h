#pragma once

#include "scoring/rule.h"

// A whole-number rule: answers from 0 up, priced against a band.
class IntRule : public Rule
{
public:
    IntRule() : Rule(RuleKind::Int) {}
    int GetPrice(int answer) override;

    // The row's number; one beyond the range of long long as its largest value.
    long long Entered(const wxVariant& rowValue) const override;
    long long AnswerOf(long long entered) const override;
    // A whole number from 0 up, beyond the range of long long its largest value.
    bool ParseAnswer(const wxString& text, long long& entered) const override;
    void CheckFields(const wxXmlNode* element, const RuleFields& fields,
                     RuleReport& report) const override;
};
