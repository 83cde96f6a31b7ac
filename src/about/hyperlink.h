#pragma once

#include <wx/colour.h>
#include <wx/control.h>
#include <wx/cursor.h>

// A clickable text link: underlined label, hand pointer and hover colour
// under the mouse, visited colour once clicked. A click opens the target (the
// URL, or the label when no URL is set) with the desktop's handler for it.
class wxHyperLink : public wxControl
{
public:
    wxHyperLink() = default;
    wxHyperLink(wxWindow* parent, wxWindowID id, const wxString& label,
                const wxPoint& pos = wxDefaultPosition, const wxSize& size = wxDefaultSize,
                long style = 0, const wxString& name = "wxHyperLink");

    bool Create(wxWindow* parent, wxWindowID id, const wxString& label,
                const wxPoint& pos = wxDefaultPosition, const wxSize& size = wxDefaultSize,
                long style = 0, const wxString& name = "wxHyperLink");

    void SetURL(const wxString& url) { m_url = url; }
    wxString GetURL() const { return m_url; }
    void SetLinkColour(const wxColour& colour);
    wxColour GetLinkColour() const { return m_linkColour; }
    void SetVisitedColour(const wxColour& colour);
    wxColour GetVisitedColour() const { return m_visitedColour; }
    void SetHoverColour(const wxColour& colour) { m_hoverColour = colour; }
    wxColour GetHoverColour() const { return m_hoverColour; }
    void SetLinkCursor(const wxCursor& cursor) { m_linkCursor = cursor; }
    wxCursor GetLinkCursor() const { return m_linkCursor; }
    // Opens the target and shows the link as visited, as a click does.
    void Follow();

protected:
    wxSize DoGetBestSize() const override;

private:
    void OnMouseClick(wxMouseEvent& event);
    void OnPaint(wxPaintEvent& event);
    void OnMouseEnter(wxMouseEvent& event);
    void OnMouseLeave(wxMouseEvent& event);
    void ShowColour(const wxColour& colour);
    void ShowVisited();
    void OpenURL(const wxString& target);

    wxString m_url;
    bool m_visited = false;
    wxCursor m_linkCursor;
    wxColour m_hoverColour;
    wxColour m_linkColour;
    wxColour m_visitedColour;
    wxColour m_backgroundColour;
    int m_textWidth = 0;
    int m_textHeight = 0;

    wxDECLARE_DYNAMIC_CLASS(wxHyperLink);
    wxDECLARE_EVENT_TABLE();
};
