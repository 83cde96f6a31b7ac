#include "app/statusbar.h"

MessageStatusBar::MessageStatusBar(wxWindow* parent, wxWindowID id, const wxString& name,
                                   const wxString& copyright)
    : SpokenStatusBar(parent, id, wxST_SIZEGRIP, name), m_copyright(copyright)
{
    // The copyright field is as wide as its text with the field's margins,
    // plus the size grip, which the last field gives room to.
    m_gripWidth = GetSize().y;
    m_copyrightWidth = GetTextExtent(m_copyright).x + 4 * GetBorderX() + m_gripWidth;
    const int widths[] = {-1, m_copyrightWidth};
    const int styles[] = {wxSB_NORMAL, wxSB_NORMAL};
    SetFieldsCount(2, widths);
    SetStatusStyles(2, styles);
    SetStatusText(m_copyright, 1);
    Bind(wxEVT_SIZE,
         [this](wxSizeEvent& event)
         {
             FitFields();
             event.Skip();
         });
}

void MessageStatusBar::DoUpdateStatusText(int number)
{
    SpokenStatusBar::DoUpdateStatusText(number);
    if (number == 0)
        FitFields();
}

void MessageStatusBar::FitFields()
{
    const wxString message = GetStatusText(0);
    const int needed = GetTextExtent(message).x + 4 * GetBorderX();
    const bool beside = message.empty() || needed <= GetClientSize().x - m_copyrightWidth;
    const int widths[] = {-1, beside ? m_copyrightWidth : m_gripWidth};
    if (GetStatusWidth(1) != widths[1])
        SetStatusWidths(2, widths);
    // Cut to the grip's width, the copyright would show as a few letters.
    const wxString copyright = beside ? m_copyright : wxString();
    if (GetStatusText(1) != copyright)
        SetStatusText(copyright, 1);
    if (message.empty())
        UnsetToolTip();
    else if (GetToolTipText() != message)
        SetToolTip(message);
}
