#pragma once

#include <wx/string.h>

#include <vector>

// Data paths are written with a backslash, as they were on the platform the
// program started on; this turns them into paths for the running platform.
wxString NativePath(const wxString& path);

// The program's data folders (rules, img, locales) are read from the
// working folder when it holds a rules folder, as they always were, each one
// it holds (an author may keep only rules there); any other comes from the
// program's own data folder: the first of the folders found from the
// executable's place that holds a rules folder. Call once at start, before
// anything is read. Returns false when no folder holds rules; the working
// folder is then kept, and triedFolders lists every folder looked in.
bool FindDataFolder(const wxString& executablePath, std::vector<wxString>& triedFolders);

// A data path (written with backslashes, starting with its data folder's
// name) as the running platform opens it: relative to the working folder
// when that data folder is read there, else below the program's own.
wxString DataPath(const wxString& path);
