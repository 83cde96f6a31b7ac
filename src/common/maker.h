#pragma once

#include <wx/intl.h>

// The maker's addresses and notices, shown by the main window and the About box.
inline constexpr char g_makerDownloadUrl[] = "http://www.larkvale.net/amorquant/download.html";
inline constexpr char g_makerHomeUrl[] = "http://www.larkvale.net/";
inline constexpr char g_makerHomeLabel[] = "www.larkvale.net";
inline constexpr char g_makerCopyright[] = "Copyright (C) 2010 Larkvale Studio";

// What the download page is for, as the Update command and the About box's
// picture button say it.
inline wxString MakerDownloadHelp()
{
    return _("Checke update from www.larkvale.net");
}
