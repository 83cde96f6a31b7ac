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

    // The data reaches the disk before the rename, so the target is never
    // replaced by a file that a crash could leave empty.
    bool Commit();

private:
    const wxString m_target;
    wxString m_temp;
    wxFile m_file;
    bool m_created = false;
    bool m_committed = false;
};
