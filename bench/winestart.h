#pragma once

#include "startup.h"

#include <string>

// Start-up of the Windows build under Wine, on the current X display, in the
// Wine prefix that WINEPREFIX names; the prefix is made for the run and its
// server kept up throughout (scripts/bench.sh does both).
// The starts of the table, medians of runs starts of each, alternated,
// after one start of each that is not counted; the time is from the exec of
// the wine launcher, the CPU that of the process running the program, Wine's
// server aside. buildDir is the Windows build folder (scripts/windows.sh
// --bench). Exits with a message when a file, the prefix or a window is
// missing.
StartTable MeasureWineStarts(const std::string& buildDir, int runs);
