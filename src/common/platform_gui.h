#pragma once

class wxWindow;

// What differs between the platforms in the windows, where the library
// leaves the difference to the program; one implementation per platform
// (platform_gui_posix.cpp, platform_gui_windows.cpp).

// From now on a double click on the title bar of a floating pane's frame
// closes that frame, where the program sees such clicks (Windows); elsewhere
// the desktop draws the title bar and keeps its own meaning of the click.
void CloseFloatingFramesOnTitleDoubleClick();

// Whether scrolling a window moves its hidden children quietly (Windows).
// GTK moves only the shown ones and reports a critical for each hidden one.
bool ScrollingMovesHiddenChildren();
// Makes this process known as a running copy of the program until it ends,
// where installers look for one (Windows: the named mutex of maker.h);
// elsewhere packages are installed without asking the program.
void MarkProgramRunning();
// Whether the system's colours are ones the user chose to read by: a
// high-contrast scheme, or light text on a dark background. The program then
// draws its own texts and panes in the system's colours alone; with the
// default colours everything keeps its designed look.
bool HighContrastColours();

// A native control drawn in the system's colours, not in a theme's parts that
// ignore them (Windows); elsewhere the desktop's theme follows the colours.
void DrawInSystemColours(wxWindow* control);
