#pragma once

#include <wx/file.h>
#include <wx/string.h>

// A new file beside the target that takes the target's place on Commit and
// is removed if it never does, so that a failed or interrupted write leaves
// the target as it was and no stray file behind. A read-only target is not
// replaced: the file is then not opened.
class ReplacementFile
{
public:
    explicit ReplacementFile(const wxString& target);
    ~ReplacementFile();
    ReplacementFile(const ReplacementFile&) = delete;
    ReplacementFile& operator=(const ReplacementFile&) = delete;

    wxFile& File() { return m_file; }

    // Writes all of the bytes, or records why not. Unlike the library's
    // file, a failure logs nothing: the caller tells it once, in its words.
    bool Write(const void* bytes, size_t size);

    // The data reaches the disk before the rename, so the target is never
    // replaced by a file that a crash could leave empty.
    bool Commit();

    // The system's error code (errno) of the first step that failed: the
    // file not opened, a write, the sync, the close or the rename.
    int Error() const { return m_error; }

private:
    bool Failed();

    const wxString m_target;
    wxString m_temp;
    wxFile m_file;
    bool m_created = false;
    bool m_committed = false;
    int m_error = 0;
};
