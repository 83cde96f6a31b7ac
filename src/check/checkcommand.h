#pragma once

#include <wx/string.h>

#include <iosfwd>
#include <vector>

// The command line of amorquant-check, without the program name. Problems
// and totals go to out as "file:line: message" (warnings as "file:line:
// warning: message"), as do --help and --version; usage errors go to err.
// Returns 0 when every file is clean, 1 when one has problems, 2 on bad
// usage, 3 when there are warnings and nothing worse.
int RunRuleCheck(const std::vector<wxString>& args, std::ostream& out, std::ostream& err);
