#pragma once

#include <wx/string.h>

// Opening a web page leaves the program; tests swap the launcher to see what
// would be opened without starting a browser.
using BrowserLauncher = bool (*)(const wxString& url, int flags);

bool LaunchBrowser(const wxString& url, int flags);
// Returns the launcher that was in place.
BrowserLauncher SetBrowserLauncher(BrowserLauncher launcher);
