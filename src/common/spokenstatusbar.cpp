#include "common/spokenstatusbar.h"

#include "common/accessible.h"

wxString SpokenStatusBar::Text() const
{
    wxString text;
    for (int field = 0; field < GetFieldsCount(); ++field)
    {
        const wxString fieldText = GetStatusText(field);
        if (fieldText.empty())
            continue;
        if (!text.empty())
            text += '\n';
        text += fieldText;
    }
    return text;
}

void SpokenStatusBar::DoUpdateStatusText(int field)
{
    wxStatusBar::DoUpdateStatusText(field);
    AnnounceTextChange(this);
}
