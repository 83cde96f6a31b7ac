#pragma once

#include <wx/string.h>

#include <filesystem>
#include <map>
#include <string>

// Makes a new, empty folder in the system's temporary folder, its name
// starting with the prefix.
std::filesystem::path MakeTempFolder(const std::string& prefix);

// Runs a test in a fresh working folder holding the given files (relative
// name to UTF-8 content), and returns to the previous folder afterwards.
class ScopedWorkDir
{
public:
    explicit ScopedWorkDir(const std::map<wxString, std::string>& files = {});
    ~ScopedWorkDir();

    const wxString& Path() const { return m_path; }
    void Write(const wxString& name, const std::string& content) const;

private:
    wxString m_previous;
    wxString m_path;
};
