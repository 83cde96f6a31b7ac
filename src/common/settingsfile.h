#pragma once

#include <wx/fileconf.h>

// The configuration store kept in a file, written only when asked (Flush,
// and once more when destroyed) and then safely: the new contents take the
// old file's place in one step or not at all, leaving no temporary file
// behind, and a symbolic link keeps pointing at the file it names.
class SettingsFile : public wxFileConfig
{
public:
    // Opens the per-user file of the application named appName. A file that
    // does not parse cleanly is set aside under the same name plus
    // ".damaged", and a clean file holding every setting that could be read
    // is written in its place; damagedCopy then names the copy kept
    // (otherwise it is emptied). The parser's complaints are not logged.
    static SettingsFile* Open(const wxString& appName, const wxString& vendorName,
                              wxString& damagedCopy);
    ~SettingsFile() override;

    bool Flush(bool currentOnly = false) override;
    bool DeleteAll() override;
    // Why the last Flush failed: the file and the system's reason.
    const wxString& LastFailure() const { return m_failure; }

protected:
    bool DoWriteString(const wxString& key, const wxString& value) override;
    bool DoWriteLong(const wxString& key, long value) override;

private:
    SettingsFile(const wxString& appName, const wxString& vendorName);
    bool SetDamagedFileAside();

    wxString m_path; // empty: an unreadable file exists, which is not overwritten
    bool m_unsaved = false;
    wxString m_failure;
};
