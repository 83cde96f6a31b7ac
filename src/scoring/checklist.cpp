#include "scoring/checklist.h"

#include "scoring/answergrid.h"
#include "scoring/result.h"
#include "scoring/rulefile.h"

#include <wx/intl.h>
#include <wx/propgrid/propgrid.h>

#include <climits>
#include <vector>

wxArrayPGProperty ChecklistRows(const RuleArray& rules)
{
    wxArrayPGProperty rows;
    const wxArrayString names = RowNames(rules);
    for (size_t i = 0; i < rules.size(); ++i)
    {
        const Rule& rule = *rules[i];
        if (KindOf(rule.pg_type) == RuleKind::Bool)
            rows.push_back(new wxBoolProperty(rule.content, names[i], false));
        else
            rows.push_back(new AnswerNumberProperty(rule.content, names[i], 0));
    }
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

long long EnteredValue(wxPGProperty* row)
{
    // Converted once rather than at every row of every calculation.
    static const wxString boolType = "bool", ulonglongType = "ulonglong";
    const wxVariant value = row->GetValue();
    const wxString type = value.GetType();
    if (type == boolType)
        return value.GetBool() ? 1 : 0;
    // A number too large for a long arrives as an unsigned long long.
    if (type == ulonglongType)
    {
        const unsigned long long large = value.GetULongLong().GetValue();
        return large > (unsigned long long)LLONG_MAX ? LLONG_MAX : (long long)large;
    }
    wxLongLong number;
    return value.Convert(&number) ? number.GetValue() : 0;
}

AnswerMemory::Answers RowAnswers(const wxArrayPGProperty& rows)
{
    AnswerMemory::Answers answers;
    for (wxPGProperty* row : rows)
        if (row)
            answers[row->GetName()] = row->GetValue();
    return answers;
}

void SetRowAnswers(const wxArrayPGProperty& rows, const AnswerMemory::Answers& answers)
{
    for (wxPGProperty* row : rows)
    {
        const auto found = row ? answers.find(row->GetName()) : answers.end();
        if (found != answers.end() && found->second != row->GetValue())
            row->SetValue(found->second, nullptr, wxPG_SETVAL_REFRESH_EDITOR | wxPG_SETVAL_BY_USER);
    }
}

int ChecklistTotal(const RuleArray& rules, const wxArrayPGProperty& rows)
{
    // Each rule reads its own row, so rules sharing an id still count their
    // own answers.
    std::vector<long long> answers;
    answers.reserve(rows.size());
    for (wxPGProperty* row : rows)
        answers.push_back(EnteredValue(row));
    return TotalPrice(rules, answers);
}
