#pragma once

#include <string>

// A rule file of count rules, alternately yes/no and whole-number ones.
std::string GenerateRules(int count);

// Best wall times of the main window's work on a checklist of one size:
// wall, because a grid that redraws as it is built makes the X server work
// too, which the bench's own CPU time would not show.
struct ChecklistTimes
{
    double buildMs = 0;     // BuildChecklist alone
    double rebuildMs = 0;   // a choice change: BuildChecklist, Calculate and the repaint
    double calculateMs = 0; // Calculate alone
};

// Opens the main window in a working folder whose rule file holds count
// rules and times its rebuild and calculation, runs times each.
ChecklistTimes MeasureChecklist(int count, int runs);
