#include "xmlio/xmldocumentex.h"

#include "xmlio/xmlwriter.h"

#include "common/platform.h"

#include <wx/file.h>
#include <wx/filefn.h>
#include <wx/utils.h>
#include <wx/wfstream.h>

#include <cerrno>

namespace
{
// A new file beside the target that takes the target's place on Commit and
// is removed if it never does.
class ReplacementFile
{
public:
    explicit ReplacementFile(const wxString& target) : m_target(target)
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
    ~ReplacementFile()
    {
        if (m_created && !m_committed)
        {
            m_file.Close();
            wxRemoveFile(m_temp);
        }
    }
    ReplacementFile(const ReplacementFile&) = delete;
    ReplacementFile& operator=(const ReplacementFile&) = delete;

    wxFile& File() { return m_file; }

    // The data reaches the disk before the rename, so the target is never
    // replaced by a file that a crash could leave empty.
    bool Commit()
    {
        m_committed = SyncFile(m_file.fd()) && m_file.Close() && MoveIntoPlace(m_temp, m_target);
        return m_committed;
    }

private:
    const wxString m_target;
    wxString m_temp;
    wxFile m_file;
    bool m_created = false;
    bool m_committed = false;
};

// A stream may take less than it is given (a pipe, a socket): go on until
// everything is written or the stream fails.
bool WriteAll(wxOutputStream& stream, const char* data, size_t size)
{
    while (size && stream.IsOk())
    {
        const size_t written = stream.Write(data, size).LastWrite();
        if (!written)
            break;
        data += written;
        size -= written;
    }
    return size == 0 && stream.IsOk();
}
} // namespace

bool wxXmlDocumentEx::Save(const wxString& filename, int indentstep) const
{
    // Saving through a symbolic link updates the file it points to, as
    // writing in place would; devices and pipes are written in place, as
    // renaming over them would replace them.
    const wxString target = ResolvedPath(filename);
    if (IsSpecialFile(target))
    {
        wxFileOutputStream stream(target);
        return stream.IsOk() && Save(stream, indentstep) && stream.Close();
    }
    ReplacementFile file(target);
    if (!file.File().IsOpened())
        return false;
    // Written as it is built: a half-written file is removed, never renamed.
    wxFileOutputStream stream(file.File());
    const auto sink = [&stream](const char* bytes, size_t count)
    { return WriteAll(stream, bytes, count); };
    return StreamXmlDocument(*this, indentstep, sink) && file.Commit();
}

bool wxXmlDocumentEx::Save(wxOutputStream& stream, int indentstep) const
{
    ByteBuffer bytes;
    return WriteXmlDocument(*this, indentstep, bytes) &&
           WriteAll(stream, bytes.Data(), bytes.Size());
}
