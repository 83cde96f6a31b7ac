#pragma once

#include <wx/string.h>

// Opening a web page leaves the program; tests swap the launcher to see what
// would be opened without starting a browser.
using BrowserLauncher = bool (*)(const wxString& url, int flags);

bool LaunchBrowser(const wxString& url, int flags);
// Returns the launcher that was in place.
BrowserLauncher SetBrowserLauncher(BrowserLauncher launcher);

// Starting a desktop handler leaves the program too; tests swap this launcher
// to see the command without running it. Returns the process id, 0 on failure.
using CommandLauncher = long (*)(const wxString& command, int flags);

long LaunchCommand(const wxString& command, int flags);
// Returns the launcher that was in place.
CommandLauncher SetCommandLauncher(CommandLauncher launcher);
