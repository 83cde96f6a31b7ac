#pragma once

#include <wx/dialog.h>

class wxBitmapButton;
class wxButton;
class wxHyperLink;
class wxStaticBitmap;
class wxSizer;
class wxStaticText;

// The modal About box: logo, icon, title, version, copyright, library build,
// the maker's home page link and e-mail, credits, and a picture button that
// opens the download page.
class AboutDlg : public wxDialog
{
public:
    AboutDlg(wxWindow* parent, wxWindowID id);

    static const long ID_STATICBITMAP2;
    static const long ID_STATICBITMAP1;
    static const long ID_STATICTEXT1;
    static const long ID_STATICTEXT2;
    static const long ID_STATICTEXT3;
    static const long ID_STATICTEXT5;
    static const long ID_STATICTEXT6;
    static const long ID_STATICTEXT4;
    static const long ID_STATICTEXT7;
    static const long ID_BITMAPBUTTON1;
    static const long ID_HYPERLINK;

private:
    wxStaticText* AddText(wxSizer* sizer, long id, const wxString& name, const wxString& label,
                          int proportion, int flags);
    void OnBitmapButtonClick(wxCommandEvent& event);

    wxStaticBitmap* m_logoBitmap = nullptr;
    wxStaticText* m_thanksText = nullptr;
    wxButton* m_okButton = nullptr;
    wxStaticBitmap* m_iconBitmap = nullptr;
    wxStaticText* m_titleText = nullptr;
    wxStaticText* m_copyrightText = nullptr;
    wxStaticText* m_buildInfoText = nullptr;
    wxBitmapButton* m_downloadButton = nullptr;
    wxStaticText* m_versionText = nullptr;
    wxStaticText* m_creditText = nullptr;
    wxStaticText* m_mailText = nullptr;
    wxHyperLink* m_homeLink = nullptr;

    wxDECLARE_EVENT_TABLE();
};
