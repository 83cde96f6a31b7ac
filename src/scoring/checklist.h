#pragma once

#include "scoring/answermemory.h"
#include "scoring/rule.h"

#include <wx/propgrid/propgriddefs.h>

class wxPropertyGrid;

// The checklist in the main window's grid: a row for each rule, and the
// answers read back from the rows when the rules price them.

// A row for each rule, in order, named by RowNames: a checkbox for a yes/no
// rule, a whole-number field for a whole-number one, a list for a choice. The rows are not in a
// grid yet.
wxArrayPGProperty ChecklistRows(const RuleArray& rules);
// Puts the rows into a cleared grid below the category row "List contents",
// the yes/no rows as checkboxes. Call with the grid frozen.
void AppendChecklist(wxPropertyGrid* grid, const wxArrayPGProperty& rows);

// After a rebuild: the label column fits the new questions, and the list
// starts at its top (a cleared grid keeps its scroll position).
void ShowChecklistFromTop(wxPropertyGrid* grid);

AnswerMemory::Answers RowAnswers(const wxArrayPGProperty& rows);

// Gives the rows in the grid the values named for them; a row whose value
// changes shows as answered.
void SetRowAnswers(const wxArrayPGProperty& rows, const AnswerMemory::Answers& answers);

// The total that the answers in the rows earn under the rules; rows[i]
// answers rules[i].
int ChecklistTotal(const RuleArray& rules, const wxArrayPGProperty& rows);
