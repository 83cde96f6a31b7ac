#pragma once

#include <wx/string.h>

// Opening a web page leaves the program; tests swap the launcher to see what
// would be opened without starting a browser.
using BrowserLauncher = bool (*)(const wxString& url, int flags);

bool LaunchBrowser(const wxString& url, int flags);
// Returns the launcher that was in place.
BrowserLauncher SetBrowserLauncher(BrowserLauncher launcher);

// Opens the page in the default browser (flags as wxLaunchDefaultBrowser
// takes them) or, when no browser opens it, tells the user so.
void OpenWebPage(const wxString& url, int flags);

// Tells the user that the page (or mail address) could not be opened,
// giving the address to copy.
void ReportUnopenedPage(const wxString& url);

// Starting a desktop handler leaves the program too; tests swap this launcher
// to see the command without running it. Returns the process id, 0 on failure.
using CommandLauncher = long (*)(const wxString& command, int flags);

long LaunchCommand(const wxString& command, int flags);
// Returns the launcher that was in place.
CommandLauncher SetCommandLauncher(CommandLauncher launcher);
