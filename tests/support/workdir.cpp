#include "support/workdir.h"

#include <wx/dir.h>
#include <wx/filefn.h>
#include <wx/filename.h>
#include <wx/wfstream.h>

#include <cstdlib>
#include <random>

std::filesystem::path MakeTempFolder(const std::string& prefix)
{
    const std::filesystem::path base = std::filesystem::temp_directory_path();
    std::random_device random;
    for (int attempt = 0; attempt < 100; ++attempt)
    {
        std::filesystem::path folder = base / (prefix + std::to_string(random()));
        if (std::filesystem::create_directory(folder))
            return folder;
    }
    std::abort();
}

ScopedWorkDir::ScopedWorkDir(const std::map<wxString, std::string>& files) : m_previous(wxGetCwd())
{
    m_path = wxString(MakeTempFolder("amorquant-work-").native());
    for (const auto& [name, content] : files)
        Write(name, content);
    wxSetWorkingDirectory(m_path);
}

ScopedWorkDir::~ScopedWorkDir()
{
    wxSetWorkingDirectory(m_previous);
    wxFileName::Rmdir(m_path, wxPATH_RMDIR_RECURSIVE);
}

void ScopedWorkDir::Write(const wxString& name, const std::string& content) const
{
    const wxFileName file(m_path + "/" + name);
    wxFileName::Mkdir(file.GetPath(), wxS_DIR_DEFAULT, wxPATH_MKDIR_FULL);
    wxFileOutputStream out(file.GetFullPath());
    out.WriteAll(content.data(), content.size());
}
