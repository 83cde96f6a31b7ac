#include "about/hyperlink.h"

#include "common/accessible.h"
#include "common/launch.h"
#include "common/platform_gui.h"

#include <wx/dcclient.h>
#include <wx/mimetype.h>
#include <wx/settings.h>
#include <wx/utils.h>

#include <algorithm>
#include <cmath>
#include <memory>

wxIMPLEMENT_DYNAMIC_CLASS(wxHyperLink, wxControl);

namespace
{
// The desktop handler that opens a target, by the target's scheme; other
// schemes are not opened.
wxString MimeTypeOf(const wxString& target)
{
    if (target.StartsWith("http://") || target.StartsWith("ftp://"))
        return "text/html";
    if (target.StartsWith("mailto:"))
        return "message/rfc822";
    return wxString();
}

// Relative luminance and contrast ratio, as the web's accessibility
// guidelines define them.
double Luminance(const wxColour& colour)
{
    const auto channel = [](unsigned char value)
    {
        const double c = value / 255.0;
        return c <= 0.03928 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4);
    };
    return 0.2126 * channel(colour.Red()) + 0.7152 * channel(colour.Green()) +
           0.0722 * channel(colour.Blue());
}

double Contrast(const wxColour& a, const wxColour& b)
{
    const double la = Luminance(a), lb = Luminance(b);
    return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

// Mixed with white, a step at a time, until it reads on the background.
wxColour Readable(wxColour colour, const wxColour& background)
{
    for (int step = 0; step < 20 && Contrast(colour, background) < 4.5; ++step)
        colour = colour.ChangeLightness(110);
    return colour;
}
} // namespace

LinkColours LinkColoursOn(const wxColour& background, const LinkColours& specified,
                          const wxColour& themeLink)
{
    if (!background.IsOk() || Luminance(background) >= 0.18)
        return specified;
    return {Readable(themeLink.IsOk() ? themeLink : specified.link, background),
            Readable(specified.hover, background), Readable(specified.visited, background)};
}

wxHyperLink::wxHyperLink(wxWindow* parent, wxWindowID id, const wxString& label, const wxPoint& pos,
                         const wxSize& size, long style, const wxString& name)
{
    Create(parent, id, label, pos, size, style, name);
}

bool wxHyperLink::Create(wxWindow* parent, wxWindowID id, const wxString& label, const wxPoint& pos,
                         const wxSize& size, long style, const wxString& name)
{
    // A link never has a frame; two border styles at once would leave the
    // caller's border drawn.
    const bool created = wxControl::Create(
        parent, id, pos, size, (style & ~wxBORDER_MASK) | wxBORDER_NONE, wxDefaultValidator, name);
    SetLabel(label);
    m_url.clear();
    m_visited = false;
    m_linkCursor = wxCursor(wxCURSOR_HAND);
    // Blue on the dark grey of a dark theme hardly reads, and blue, red and
    // purple on a high-contrast scheme's background not at all: such a
    // scheme has a colour of its own for links.
    const wxColour themeLink = wxSystemSettings::GetColour(wxSYS_COLOUR_HOTLIGHT);
    const LinkColours colours =
        HighContrastColours()
            ? LinkColours{themeLink, themeLink, themeLink}
            : LinkColoursOn(GetBackgroundColour(),
                            {wxColour("BLUE"), wxColour("RED"), wxColour("PURPLE")}, themeLink);
    m_hoverColour = colours.hover;
    m_linkColour = colours.link;
    m_visitedColour = colours.visited;
    SetForegroundColour(m_linkColour);

    wxFont font = GetFont();
    font.SetUnderlined(true);
    SetFont(font);
    m_backgroundColour = GetBackgroundColour();

    // Measured once: the link keeps the size of the label it was made with.
    GetTextExtent(GetLabel(), &m_textWidth, &m_textHeight);
    SetInitialSize(DoGetBestSize());
    ExposeControl(
        this, AccessibleRole::Link, [this] { return GetLabel(); }, [this] { Follow(); });
    return created;
}

void wxHyperLink::SetLinkColour(const wxColour& colour)
{
    m_linkColour = colour;
    if (!m_visited)
        ShowColour(m_linkColour);
}

void wxHyperLink::SetVisitedColour(const wxColour& colour)
{
    m_visitedColour = colour;
    if (m_visited)
        ShowColour(m_visitedColour);
}

wxSize wxHyperLink::DoGetBestSize() const
{
    return wxSize(m_textWidth, m_textHeight);
}

void wxHyperLink::ShowColour(const wxColour& colour)
{
    SetForegroundColour(colour);
    Refresh(true);
}

void wxHyperLink::OnPaint(wxPaintEvent&)
{
    wxPaintDC dc(this);
    // Left to the toolkit, the background showed whatever was on the screen
    // before (bits of the main window).
    dc.SetBackground(wxBrush(GetBackgroundColour()));
    dc.Clear();
    dc.SetFont(GetFont());
    dc.SetTextForeground(GetForegroundColour());
    dc.DrawText(GetLabel(), 0, 0);
}

void wxHyperLink::OnMouseEnter(wxMouseEvent&)
{
    SetCursor(m_linkCursor);
    ShowColour(m_hoverColour);
}

void wxHyperLink::OnMouseLeave(wxMouseEvent&)
{
    SetCursor(wxNullCursor);
    ShowColour(m_visited ? m_visitedColour : m_linkColour);
}

void wxHyperLink::OnMouseClick(wxMouseEvent& event)
{
    // A double-click is a second press of a gesture whose first press has
    // already opened the target.
    if (event.ButtonDClick())
    {
        ShowVisited();
        return;
    }
    Follow();
}

void wxHyperLink::Follow()
{
    ShowVisited();
    OpenURL(m_url.empty() ? GetLabel() : m_url);
}

void wxHyperLink::ShowVisited()
{
    m_visited = true;
    SetForegroundColour(m_visitedColour);
    SetBackgroundColour(m_backgroundColour);
    Refresh(true);
}

void wxHyperLink::OpenURL(const wxString& target)
{
    const wxString mimeType = MimeTypeOf(target);
    if (mimeType.empty())
        return;
    std::unique_ptr<wxFileType> fileType(wxTheMimeTypesManager->GetFileTypeFromMimeType(mimeType));
    wxString command;
    // No handler on the desktop (no browser installed), or one that cannot
    // be started: the user is told, with the address to open elsewhere.
    if (!fileType ||
        !fileType->GetOpenCommand(&command, wxFileType::MessageParameters(target, wxString())))
    {
        ReportUnopenedPage(target);
        return;
    }
    // Some handlers are registered for local files only and name their
    // argument as a file address.
    command.Replace("file://", wxString(), true);
    OpenWithCommand(command, target);
}

// clang-format off
wxBEGIN_EVENT_TABLE(wxHyperLink, wxControl)
    EVT_LEFT_DCLICK(wxHyperLink::OnMouseClick)
    EVT_LEFT_DOWN(wxHyperLink::OnMouseClick)
    EVT_PAINT(wxHyperLink::OnPaint)
    EVT_ENTER_WINDOW(wxHyperLink::OnMouseEnter)
    EVT_LEAVE_WINDOW(wxHyperLink::OnMouseLeave)
wxEND_EVENT_TABLE()
