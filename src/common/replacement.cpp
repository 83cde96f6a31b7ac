#include "common/replacement.h"

#include "common/platform.h"

#include <wx/filefn.h>
#include <wx/utils.h>

#include <algorithm>
#include <cerrno>

ReplacementFile::ReplacementFile(const wxString& target) : m_target(target)
{
    if (IsReadOnly(m_target))
    {
        m_error = EACCES;
        return;
    }
    for (int attempt = 0; attempt < 100 && !m_file.IsOpened(); ++attempt)
    {
        m_temp = wxString::Format("%s.%lu-%d.tmp", m_target, wxGetProcessId(), attempt);
        const int fd = CreateNewFile(m_temp);
        m_created = fd >= 0;
        if (m_created)
            m_file.Attach(fd);
        else if (errno != EEXIST)
        {
            Failed();
            return;
        }
    }
    if (m_file.IsOpened())
        CopyAccessRights(m_target, m_file.fd());
    else
        m_error = EEXIST;
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

bool ReplacementFile::Failed()
{
    // The first failure is the one to tell: later steps fail because of it.
    if (m_error == 0)
        m_error = errno != 0 ? errno : EIO;
    return false;
}

bool ReplacementFile::Write(const void* bytes, size_t size)
{
    if (!m_file.IsOpened())
        return false;
    const char* next = static_cast<const char*>(bytes);
    while (size > 0)
    {
        const auto written = wxWrite(m_file.fd(), next, unsigned(std::min<size_t>(size, 1 << 20)));
        if (written <= 0)
            return Failed();
        next += written;
        size -= size_t(written);
    }
    return true;
}

bool ReplacementFile::Commit()
{
    if (!m_file.IsOpened())
        return false;
    if (!SyncFile(m_file.fd()))
        return Failed();
    // Closed here, not by the library's file, which would log a failure of
    // its own.
    const int fd = m_file.fd();
    m_file.Detach();
    if (wxClose(fd) != 0)
        return Failed();
    m_committed = MoveIntoPlace(m_temp, m_target);
    return m_committed || Failed();
}
