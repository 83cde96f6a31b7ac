#include "common/replacement.h"

#include "common/platform.h"

#include <wx/filefn.h>
#include <wx/utils.h>

#include <cerrno>

ReplacementFile::ReplacementFile(const wxString& target) : m_target(target)
{
    if (IsReadOnly(m_target))
        return;
    for (int attempt = 0; attempt < 100 && !m_file.IsOpened(); ++attempt)
    {
        m_temp = wxString::Format("%s.%lu-%d.tmp", m_target, wxGetProcessId(), attempt);
        const int fd = CreateNewFile(m_temp);
        m_created = fd >= 0;
        if (m_created)
            m_file.Attach(fd);
        else if (errno != EEXIST)
            return;
    }
    if (m_file.IsOpened())
        CopyAccessRights(m_target, m_file.fd());
}

ReplacementFile::~ReplacementFile()
{
    if (m_created && !m_committed)
    {
        // The reason of the failure, not that of the clean-up, is what the
        // caller reports.
        const int error = errno;
        m_file.Close();
        wxRemoveFile(m_temp);
        errno = error;
    }
}

bool ReplacementFile::Commit()
{
    m_committed = SyncFile(m_file.fd()) && m_file.Close() && MoveIntoPlace(m_temp, m_target);
    return m_committed;
}
