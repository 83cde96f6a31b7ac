#include "common/platform_gui.h"

#include "common/maker.h"

#include <wx/aui/floatpane.h>
#include <wx/settings.h>
#include <wx/window.h>

#include <windows.h>

#include <uxtheme.h>

namespace
{
bool CloseOnTitleDoubleClick(wxWindowMSW* window, WXUINT, WXWPARAM hitArea, WXLPARAM)
{
    auto* floating = wxDynamicCast(window, wxAuiFloatingFrame);
    if (!floating || hitArea != HTCAPTION)
        return false;
    floating->Close();
    return true;
}
} // namespace

void CloseFloatingFramesOnTitleDoubleClick()
{
    // The library takes one handler per message, for the whole program.
    static const bool registered =
        wxWindow::MSWRegisterMessageHandler(WM_NCLBUTTONDBLCLK, CloseOnTitleDoubleClick);
    (void)registered;
}

bool ScrollingMovesHiddenChildren()
{
    return true;
}

void MarkProgramRunning()
{
    // Held for the life of the process: the system closes it at the end,
    // however the program ends.
    static const HANDLE mark = CreateMutexW(nullptr, FALSE, wxString(g_runningCopyMutex).wc_str());
    (void)mark;
}

bool HighContrastColours()
{
    HIGHCONTRASTW contrast{};
    contrast.cbSize = sizeof contrast;
    if (SystemParametersInfoW(SPI_GETHIGHCONTRAST, sizeof contrast, &contrast, 0) &&
        (contrast.dwFlags & HCF_HIGHCONTRASTON))
        return true;
    // Not every system reports the scheme (Wine does not); its colours tell.
    return wxSystemSettings::GetAppearance().IsUsingDarkBackground();
}

void DrawInSystemColours(wxWindow* control)
{
    // No theme: the control draws its classic look, in the system's colours.
    SetWindowTheme(control->GetHWND(), L" ", L" ");
}
