#pragma once

#include <wx/string.h>

#include <iosfwd>
#include <memory>

// The text that console programs write, where the platforms differ; one
// implementation per platform (platform_console_posix.cpp,
// platform_console_windows.cpp). The program writes UTF-8 to these streams.

// Standard output and standard error. On Windows a console shows the text
// as Unicode, and a file or pipe gets it as the system's own console tools
// write theirs: in the console's code page (the ANSI code page when there
// is no console), a character the code page lacks written as its code point
// (U+20AC), lines ending in CR LF. Elsewhere the UTF-8 goes out as it is.
std::ostream& StandardOutput();
std::ostream& StandardError();

// From now on a file or pipe behind standard output or standard error gets
// UTF-8 (still with the platform's line ends).
void UseUtf8ForRedirectedOutput();

// A new text file in place of any file of that name, written in UTF-8 with
// the platform's line ends. Null, with the system's reason, when it cannot
// be created.
std::unique_ptr<std::ostream> CreateUtf8TextFile(const wxString& path, wxString& reason);
