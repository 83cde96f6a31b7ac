#pragma once

#include <string>

// Start-up of the Windows build under Wine, on the current X display, in the
// Wine prefix that WINEPREFIX names; the prefix is made for the run and its
// server kept up throughout (scripts/bench.sh does both).
struct WineTimes
{
    double wallMs = 0; // exec of the wine launcher to the MapNotify
    double cpuMs = 0;  // of the process running the program, Wine's server aside
};

// The same starts as on Linux: the program in either language and the
// yardstick frames, the window frame in either language.
struct WineStarts
{
    WineTimes english, chinese, minimal, library, window, windowChinese;
};

// Medians of runs starts of each, alternated, after one start of each that
// is not counted. buildDir is the Windows build folder (scripts/windows.sh
// --bench). Exits with a message when a file, the prefix or a window is
// missing.
WineStarts MeasureWineStarts(const std::string& buildDir, int runs);
