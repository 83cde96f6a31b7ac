#include "common/platform_gui.h"

#include <wx/settings.h>

// The desktop's title bars tell the program of no clicks.
void CloseFloatingFramesOnTitleDoubleClick() {}

bool ScrollingMovesHiddenChildren()
{
    return false;
}
// A package manager replaces the files of a running program safely.
void MarkProgramRunning() {}

// A high-contrast theme that reads dark on light needs nothing: the
// designed look is dark on light.
void DrawInSystemColours(wxWindow*) {}

bool HighContrastColours()
{
    return wxSystemSettings::GetAppearance().IsUsingDarkBackground();
}
