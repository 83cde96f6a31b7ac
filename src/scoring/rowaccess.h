#pragma once

#include "common/accessible.h"

class wxPGProperty;
class wxPropertyGrid;

// What a row of the checklist says to assistive technology: its kind, the
// whole question, the answer as shown and the tick. Every platform reads
// the rows through this alone.
AccessibleRow DescribeRow(const wxPGProperty* row);

// The checklist's rows, in the grid's order (the category row first), as
// assistive technology reads and answers them: ticking as Space does,
// setting a number as typing does.
std::unique_ptr<AccessibleRowList> ChecklistRowList(wxPropertyGrid* grid);

// Hands the grid's rows to assistive technology and tells it of the row the
// keyboard moves to and of every changed answer. Call once, after
// PrepareAnswerGrid; call AnnounceRowsReplaced after each rebuild.
void ExposeChecklist(wxPropertyGrid* grid);
