#include "common/platform_gui.h"

// The desktop's title bars tell the program of no clicks.
void CloseFloatingFramesOnTitleDoubleClick() {}

bool ScrollingMovesHiddenChildren()
{
    return false;
}
// A package manager replaces the files of a running program safely.
void MarkProgramRunning() {}
