#include "scoring/checklist.h"

#include "scoring/answergrid.h"
#include "scoring/choicerule.h"
#include "scoring/result.h"
#include "scoring/rulefile.h"

#include <wx/intl.h>
#include <wx/propgrid/propgrid.h>

#include <vector>

// The row factory: the row each kind of rule is answered in.
namespace
{
// A list of the options, numbered from 1 as the rule counts them; value 0,
// none chosen, shows empty.
wxPGProperty* NewChoiceRow(const ChoiceRule& rule, const wxString& name)
{
    wxPGChoices choices;
    for (size_t i = 0; i < rule.options.size(); ++i)
        choices.Add(rule.options[i].text, int(i + 1));
    return new wxEnumProperty(rule.content, name, choices, 0);
}

wxPGProperty* NewRow(const Rule& rule, const wxString& name)
{
    switch (rule.Kind())
    {
    case RuleKind::Bool:
        return new wxBoolProperty(rule.content, name, false);
    case RuleKind::Int:
        return new AnswerNumberProperty(rule.content, name, 0);
    case RuleKind::Choice:
        return NewChoiceRow(static_cast<const ChoiceRule&>(rule), name);
    }
    return nullptr;
}
} // namespace

wxArrayPGProperty ChecklistRows(const RuleArray& rules)
{
    wxArrayPGProperty rows;
    const wxArrayString names = RowNames(rules);
    for (size_t i = 0; i < rules.size(); ++i)
        rows.push_back(NewRow(*rules[i], names[i]));
    return rows;
}

void AppendChecklist(wxPropertyGrid* grid, const wxArrayPGProperty& rows)
{
    wxPGProperty* category = grid->Append(new wxPropertyCategory(_("List contents"), wxPG_LABEL));
    for (wxPGProperty* row : rows)
        if (row)
            grid->Append(row);
    grid->SetPropertyAttribute(category, wxPG_BOOL_USE_CHECKBOX, true, wxPG_RECURSE);
}

void ShowChecklistFromTop(wxPropertyGrid* grid)
{
    FitLabelColumn(grid);
    grid->Scroll(0, 0);
}

AnswerMemory::Answers RowAnswers(const wxArrayPGProperty& rows)
{
    AnswerMemory::Answers answers;
    for (wxPGProperty* row : rows)
        if (row)
            answers[row->GetName()] = {row->GetClassInfo()->GetClassName(), row->GetValue()};
    return answers;
}

void SetRowAnswers(const wxArrayPGProperty& rows, const AnswerMemory::Answers& answers)
{
    for (wxPGProperty* row : rows)
    {
        const auto found = row ? answers.find(row->GetName()) : answers.end();
        if (found != answers.end() && found->second.value != row->GetValue())
            row->SetValue(found->second.value, nullptr,
                          wxPG_SETVAL_REFRESH_EDITOR | wxPG_SETVAL_BY_USER);
    }
}

int ChecklistTotal(const RuleArray& rules, const wxArrayPGProperty& rows)
{
    // Each rule reads its own row, so rules sharing an id still count their
    // own answers.
    std::vector<long long> answers;
    answers.reserve(rows.size());
    for (size_t i = 0; i < rows.size() && i < rules.size(); ++i)
        answers.push_back(rules[i]->Entered(rows[i]->GetValue()));
    return TotalPrice(rules, answers);
}
