#include "xmlio/xmldocumentex.h"

#include "xmlio/xmlwriter.h"

#include "common/platform.h"
#include "common/replacement.h"

#include <wx/wfstream.h>

namespace
{
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
