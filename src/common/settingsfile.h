#pragma once

#include <wx/fileconf.h>

#include <map>

// The configuration store kept in a file, written only when asked (Flush,
// and once more when destroyed) and then safely: the new contents take the
// old file's place in one step or not at all, leaving no temporary file
// behind, and a symbolic link keeps pointing at the file it names. Another
// copy of the program may have written the file since it was read: a write
// reads it again and changes only the keys this copy wrote since the last
// write (a default recorded by a read only where the file has none), while
// holding the folder against the other copies.
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
    // Numbers are read and written as text, through these two.
    bool DoReadString(const wxString& key, wxString* value) const override;
    bool DoWriteString(const wxString& key, const wxString& value) override;

private:
    struct Change
    {
        wxString value;
        bool onlyIfAbsent; // a default that a read recorded
    };

    SettingsFile(const wxString& appName, const wxString& vendorName);
    bool SetDamagedFileAside();
    wxString AbsoluteKey(const wxString& key) const;
    void NoteRead(const wxString& key, bool found) const;
    void NoteWrite(const wxString& key, const wxString& value);
    // Writes the changes into the file as it is now; 0 or the system's
    // error code.
    int WriteChanges(const wxString& target) const;

    wxString m_path; // empty: an unreadable file exists, which is not overwritten
    std::map<wxString, Change> m_changes; // by absolute key, since the last write
    mutable wxString m_missedKey;         // the last key read and not found
    wxString m_failure;
};
