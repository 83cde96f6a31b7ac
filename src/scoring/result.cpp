#include "scoring/result.h"

#include <climits>

// Shown as it stands whatever the interface language: the grading text is
// part of the Chinese content, like the rule files.
const wxString g_resultTemplate = wxString::FromUTF8(
    "<B>计算结果(人民币)：<font size=8 "
    "color=#ff0000>$result</font>，参考标准：</"
    "B><UL><li>１３００以下的不能要<li>１３００～１８００的算是正常<li>２０００以上的算是精品<li>"
    "达到３０００及以上的，恭喜你！这辈子的幸福有着落了</ul>");

const int g_baseValue = 1000;

int TotalPrice(const RuleArray& rules, const std::vector<long long>& answers)
{
    // Prices are ints, so their exact sum fits in long long for any list.
    long long total = g_baseValue;
    for (size_t i = 0; i < rules.size() && i < answers.size(); ++i)
        total += rules[i]->GetPrice(Saturate(rules[i]->AnswerOf(answers[i])));
    return Saturate(total);
}

wxString ResultPage(int total)
{
    wxString page = g_resultTemplate;
    page.Replace("$result", wxString::Format("%d", total), false);
    return page;
}
