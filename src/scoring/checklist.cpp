#include "scoring/checklist.h"

#include "scoring/answergrid.h"
#include "scoring/result.h"
#include "scoring/rulefile.h"

#include <wx/intl.h>
#include <wx/propgrid/propgrid.h>

#include <climits>
#include <vector>

// Each kind's row, and how its answer is read back from it.
namespace
{
wxPGProperty* NewRow(const Rule& rule, const wxString& name)
{
    switch (rule.Kind())
    {
    case RuleKind::Bool:
        return new wxBoolProperty(rule.content, name, false);
    case RuleKind::Int:
        return new AnswerNumberProperty(rule.content, name, 0);
    }
    return nullptr;
}

long long NumberIn(const wxVariant& value)
{
    // A number too large for a long arrives as an unsigned long long.
    static const wxString ulonglongType = "ulonglong"; // converted once, not at every row
    if (value.GetType() == ulonglongType)
    {
        const unsigned long long large = value.GetULongLong().GetValue();
        return large > (unsigned long long)LLONG_MAX ? LLONG_MAX : (long long)large;
    }
    wxLongLong number;
    return value.Convert(&number) ? number.GetValue() : 0;
}

// What a rule's row holds: 1 or 0 for a checkbox, the number for a number row.
long long EnteredValue(const Rule& rule, const wxPGProperty* row)
{
    const wxVariant value = row->GetValue();
    switch (rule.Kind())
    {
    case RuleKind::Bool:
        return value.GetBool() ? 1 : 0;
    case RuleKind::Int:
        return NumberIn(value);
    }
    return 0;
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

bool IsCheckboxRow(const wxPGProperty* row)
{
    // Only NewRow makes checklist rows, and only yes/no rules get checkboxes.
    return row->IsKindOf(wxCLASSINFO(wxBoolProperty));
}

bool IsNumberRow(const wxPGProperty* row)
{
    return dynamic_cast<const AnswerNumberProperty*>(row) != nullptr;
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
    for (size_t i = 0; i < rows.size() && i < rules.size(); ++i)
        answers.push_back(EnteredValue(*rules[i], rows[i]));
    return TotalPrice(rules, answers);
}
