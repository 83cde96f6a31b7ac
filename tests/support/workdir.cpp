#include "support/workdir.h"

#include <wx/dir.h>
#include <wx/filefn.h>
#include <wx/filename.h>
#include <wx/wfstream.h>

#include <cstdlib>

ScopedWorkDir::ScopedWorkDir(const std::map<wxString, std::string>& files) : m_previous(wxGetCwd())
{
    char pattern[] = "/tmp/amorquant-work-XXXXXX";
    m_path = mkdtemp(pattern);
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
