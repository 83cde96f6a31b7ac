#pragma once

#include <wx/string.h>

#include <vector>

// Data paths are written with a backslash, as they were on the platform the
// program started on; this turns them into paths for the running platform.
wxString NativePath(const wxString& path);

// The program's data (rules, img, locales) are read from the working folder
// when it holds a rules folder, as they always were; otherwise from the
// first of the program's own data folders (found from the executable's
// place) that holds one. Call once at start, before anything is read.
// Returns false when no folder holds the data; the working folder is then
// kept, and triedFolders lists every folder looked in.
bool FindDataFolder(const wxString& executablePath, std::vector<wxString>& triedFolders);

// A data path (written with backslashes, relative to the data folder) as
// the running platform opens it: relative to the working folder when the
// data are there, else below the program's data folder.
wxString DataPath(const wxString& path);
