#pragma once

#include <wx/intl.h>

// The maker's addresses and notices, shown by the main window and the About box.
inline constexpr char g_makerDownloadUrl[] = "http://www.larkvale.net/amorquant/download.html";
inline constexpr char g_makerHomeUrl[] = "http://www.larkvale.net/";
inline constexpr char g_makerHomeLabel[] = "www.larkvale.net";
inline constexpr char g_makerCopyright[] = "Copyright (C) 2010 Larkvale Studio";

// The named mutex that the running program holds on Windows: the installer
// and uninstaller look for it (cmake/windows.cmake hands it to them) and ask
// for the program to be closed before they touch its files.
inline constexpr char g_runningCopyMutex[] = "Global\\Amorquant.Running";
// What the download page is for, as the Update command and the About box's
// picture button say it.
inline wxString MakerDownloadHelp()
{
    return _("Checke update from www.larkvale.net");
}
