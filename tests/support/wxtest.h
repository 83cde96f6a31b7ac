#pragma once

#include <wx/string.h>

#include <string>
#include <vector>

// Test environment shared by both test programs: a private HOME, wx
// assertions turned into test failures, and the library's log captured.
namespace wxtest
{
// Points HOME and XDG_CONFIG_HOME at a fresh temporary folder; call before wx
// starts. Returns that folder.
std::string IsolateHome();
// Makes the run folder, where the program's data lies, the working folder:
// the tests read the data as the program does, by relative paths.
void EnterRunFolder();
// Names the application as the program does, installs the assert handler
// and the capturing log target, and has every test start from an empty log
// and an empty store.
void InstallHooks();

// Everything logged since the last ClearLog, one entry per message.
const std::vector<wxString>& LoggedMessages();
void ClearLog();
bool LogContains(const wxString& text);

// Starts the configuration store afresh and empty, prepared as the program
// prepares it.
void ResetConfigStore();
} // namespace wxtest
