#pragma once

#include <string>

// A rule file of count rules, alternately yes/no and whole-number ones.
std::string GenerateRules(int count);

// Median times of the main window's work on a checklist of one size.
struct ChecklistTimes
{
    double buildMs = 0;     // BuildChecklist alone, CPU time
    double rebuildMs = 0;   // a choice change (BuildChecklist, Calculate, repaint), wall time
    double calculateMs = 0; // Calculate alone, CPU time
};

// Opens the main window in a working folder whose rule file holds count
// rules and times its rebuild and calculation, runs times each.
ChecklistTimes MeasureChecklist(int count, int runs);
