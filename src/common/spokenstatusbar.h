#pragma once

#include <wx/statusbr.h>

// A status bar whose fields assistive technology reads, and whose every
// change it is told of: the status bar is where the program says why an
// answer counts as it does, or why a page could not be opened. Expose its
// Text once it is created.
class SpokenStatusBar : public wxStatusBar
{
public:
    using wxStatusBar::wxStatusBar;

    // The fields that hold text, one per line.
    wxString Text() const;

protected:
    void DoUpdateStatusText(int field) override;
};
