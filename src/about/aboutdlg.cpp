#include "about/aboutdlg.h"

#include "about/hyperlink.h"
#include "common/accessible.h"
#include "common/images.h"
#include "common/launch.h"
#include "common/maker.h"
#include "common/version.h"

#include <wx/bmpbuttn.h>
#include <wx/button.h>
#include <wx/intl.h>
#include <wx/sizer.h>
#include <wx/statbmp.h>
#include <wx/stattext.h>
#include <wx/utils.h>

// wxNewId, in declaration order: deliberate (docs/developing.md, "Frozen interface").
const long AboutDlg::ID_STATICBITMAP2 = wxNewId();
const long AboutDlg::ID_STATICBITMAP1 = wxNewId();
const long AboutDlg::ID_STATICTEXT1 = wxNewId();
const long AboutDlg::ID_STATICTEXT2 = wxNewId();
const long AboutDlg::ID_STATICTEXT3 = wxNewId();
const long AboutDlg::ID_STATICTEXT5 = wxNewId();
const long AboutDlg::ID_STATICTEXT6 = wxNewId();
const long AboutDlg::ID_STATICTEXT4 = wxNewId();
const long AboutDlg::ID_STATICTEXT7 = wxNewId();
const long AboutDlg::ID_BITMAPBUTTON1 = wxNewId();
const long AboutDlg::ID_HYPERLINK = wxNewId();

// Alignment flags that a box sizer ignores (and wx 3.2 rejects) are left out.
// Borders are given at 100 % and grow with the screen's scale, as the text does.
AboutDlg::AboutDlg(wxWindow* parent, wxWindowID id)
{
    Create(parent, id, _("About..."), wxDefaultPosition, wxDefaultSize, wxDEFAULT_DIALOG_STYLE,
           "id");
    wxBoxSizer* outer = new wxBoxSizer(wxVERTICAL);
    m_logoBitmap =
        new wxStaticBitmap(this, ID_STATICBITMAP2, LoadBitmapBundle("img\\larkvale_logo.bmp"),
                           wxDefaultPosition, wxDefaultSize, 0, "ID_STATICBITMAP2");
    outer->Add(m_logoBitmap, 0, wxBOTTOM | wxALIGN_CENTER_HORIZONTAL, FromDIP(4));

    wxBoxSizer* body = new wxBoxSizer(wxHORIZONTAL);
    m_iconBitmap = new wxStaticBitmap(this, ID_STATICBITMAP1, LoadIconBundle(g_iconFile, 64),
                                      wxDefaultPosition, wxDefaultSize, 0, "ID_STATICBITMAP1");
    body->Add(m_iconBitmap, 0, wxLEFT | wxBOTTOM, FromDIP(5));

    wxBoxSizer* column = new wxBoxSizer(wxVERTICAL);
    const int textFlags = wxTOP | wxLEFT | wxRIGHT | wxEXPAND;
    m_titleText = AddText(column, ID_STATICTEXT1, "ID_STATICTEXT1", _("Amorquant"), 0, textFlags);
    // The identifier's spelling is frozen: the catalogs rely on it (docs/developing.md).
    m_versionText = AddText(column, ID_STATICTEXT2, "ID_STATICTEXT2", _("Unicode versin 1.0.1.0"),
                            0, textFlags);
    m_copyrightText =
        AddText(column, ID_STATICTEXT3, "ID_STATICTEXT3", _(g_makerCopyright), 0, textFlags);
    m_buildInfoText =
        AddText(column, ID_STATICTEXT5, "ID_STATICTEXT5", _("wx-build-info"), 0, wxALL | wxEXPAND);
    // Filled with the link once the rest is built.
    wxBoxSizer* linkRow = new wxBoxSizer(wxHORIZONTAL);
    column->Add(linkRow, 1, wxTOP | wxRIGHT | wxEXPAND, FromDIP(4));
    wxBoxSizer* mailRow = new wxBoxSizer(wxHORIZONTAL);
    m_mailText = AddText(mailRow, ID_STATICTEXT6, "ID_STATICTEXT6", _("amorquant@larkvale.net"), 1,
                         textFlags);
    column->Add(mailRow, 1, wxRIGHT | wxEXPAND, FromDIP(5));
    column->Add(-1, -1, 0, 0, FromDIP(4));
    m_thanksText =
        AddText(column, ID_STATICTEXT4, "ID_STATICTEXT4", _("Special thanks to:"), 0, textFlags);
    m_creditText =
        AddText(column, ID_STATICTEXT7, "ID_STATICTEXT7", _("> Su Wanqing - Content contributor"),
                0, wxBOTTOM | wxLEFT | wxRIGHT | wxEXPAND);

    m_downloadButton = new wxBitmapButton(
        this, ID_BITMAPBUTTON1, LoadBitmapBundle("img\\larkvale_stat_01.jpg"), wxDefaultPosition,
        wxDefaultSize, wxBU_AUTODRAW, wxDefaultValidator, "ID_BITMAPBUTTON1");
    m_downloadButton->SetDefault();
    // The picture says it in a picture only.
    NameWindow(m_downloadButton, MakerDownloadHelp());
    column->Add(m_downloadButton, 0, wxALL, FromDIP(4));
    column->Add(-1, -1, 0, wxALL, FromDIP(4));
    m_okButton = new wxButton(this, wxID_OK, _("&OK"), wxDefaultPosition, wxDefaultSize, 0,
                              wxDefaultValidator, "wxID_OK");
    column->Add(m_okButton, 0, wxALL | wxALIGN_RIGHT, FromDIP(4));

    body->Add(column, 1, wxLEFT | wxTOP | wxBOTTOM | wxALIGN_CENTER_VERTICAL, FromDIP(4));
    outer->Add(body, 1, wxALL | wxEXPAND, FromDIP(4));
    SetSizer(outer);
    // Connect rather than Bind: deliberate (docs/developing.md, "Frozen interface").
    Connect(ID_BITMAPBUTTON1, wxEVT_COMMAND_BUTTON_CLICKED,
            wxCommandEventHandler(AboutDlg::OnBitmapButtonClick), nullptr, this);

    m_homeLink = new wxHyperLink(this, ID_HYPERLINK, g_makerHomeLabel, wxDefaultPosition,
                                 wxDefaultSize, 0, "wxHyperLink");
    m_homeLink->SetURL(g_makerHomeUrl);
    linkRow->Add(m_homeLink, 0, wxTOP | wxLEFT | wxRIGHT | wxALIGN_CENTER_VERTICAL, FromDIP(4));
    m_versionText->SetLabel(VersionLine());
    m_buildInfoText->SetLabel(GetBuildInfo(1));

    // Sized only now, with the final texts and the link in place.
    outer->Fit(this);
    outer->SetSizeHints(this);
    Centre(wxBOTH);
}

wxStaticText* AboutDlg::AddText(wxSizer* sizer, long id, const wxString& name,
                                const wxString& label, int proportion, int flags)
{
    wxStaticText* text =
        new wxStaticText(this, id, label, wxDefaultPosition, wxDefaultSize, 0, name);
    sizer->Add(text, proportion, flags, FromDIP(4));
    return text;
}

void AboutDlg::OnBitmapButtonClick(wxCommandEvent&)
{
    OpenWebPage(g_makerDownloadUrl, wxBROWSER_NEW_WINDOW);
}

// Empty: deliberate (docs/developing.md, "Frozen interface").
// clang-format off
wxBEGIN_EVENT_TABLE(AboutDlg, wxDialog)
wxEND_EVENT_TABLE()
