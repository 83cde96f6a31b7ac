#pragma once

#include <wx/string.h>

#include <functional>

// How an opener's outcome reaches the program, once and from the event
// loop: whether the page (or mail address) opened.
using OpenOutcome = std::function<void(bool opened)>;

// Opening a page leaves the program; tests swap the launchers to see what
// would be opened without starting a browser, or to stand in for an opener
// that fails. A launcher starts its opener without waiting for it and hands
// its outcome to done later; false when nothing could be started (done is
// then never called).
using BrowserLauncher = bool (*)(const wxString& url, int flags, const OpenOutcome& done);
using CommandLauncher = bool (*)(const wxString& command, const OpenOutcome& done);

// Returns the launcher that was in place; none puts the real one back.
BrowserLauncher SetBrowserLauncher(BrowserLauncher launcher);
CommandLauncher SetCommandLauncher(CommandLauncher launcher);

// The one way a page is opened, whoever asks: the window goes on while the
// opener runs, and when the opener fails the user is told, with the address
// to copy. OpenWebPage goes through the default browser (flags as
// wxLaunchDefaultBrowser takes them), OpenWithCommand through a desktop
// handler's command that opens the address.
void OpenWebPage(const wxString& url, int flags);
void OpenWithCommand(const wxString& command, const wxString& address);

// Tells the user that the page (or mail address) could not be opened,
// giving the address to copy.
void ReportUnopenedPage(const wxString& url);
