#pragma once

#include "common/spokenstatusbar.h"

// The main window's status bar: field 0 says what happened (a menu's help,
// what an answer counted as), field 1 holds the maker's copyright. A message
// too long for its field takes the copyright's room as well, and shows whole
// as the bar's tooltip. Screen readers read it and hear each change.
class MessageStatusBar : public SpokenStatusBar
{
public:
    MessageStatusBar(wxWindow* parent, wxWindowID id, const wxString& name,
                     const wxString& copyright);

protected:
    void DoUpdateStatusText(int number) override;

private:
    void FitFields();

    wxString m_copyright;
    int m_copyrightWidth = 0;
    int m_gripWidth = 0;
};
