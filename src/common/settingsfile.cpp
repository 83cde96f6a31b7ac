#include "common/settingsfile.h"

#include "common/platform.h"
#include "common/replacement.h"

#include <wx/file.h>
#include <wx/filename.h>
#include <wx/log.h>
#include <wx/mstream.h>

#include <memory>
#include <utility>
#include <vector>

namespace
{
const long g_style = wxCONFIG_USE_LOCAL_FILE | wxCONFIG_USE_GLOBAL_FILE;

// Counts what is logged while it lives instead of showing it: the parser's
// complaints are the sign of a damaged file, in the library's wording, which
// the user is better told in the program's own.
class Complaints : public wxLog
{
public:
    Complaints() : m_previous(wxLog::SetActiveTarget(this)) {}
    ~Complaints() override { wxLog::SetActiveTarget(m_previous); }
    bool Any() const { return m_count > 0; }

protected:
    void DoLogRecord(wxLogLevel, const wxString&, const wxLogRecordInfo&) override { ++m_count; }

private:
    wxLog* m_previous;
    int m_count = 0;
};

// While it lives, the folder is held against the other copies.
class FolderHold
{
public:
    explicit FolderHold(const wxString& folder) : m_handle(HoldFolder(folder)) {}
    ~FolderHold() { ReleaseFolder(m_handle); }
    FolderHold(const FolderHold&) = delete;
    FolderHold& operator=(const FolderHold&) = delete;

private:
    int m_handle;
};

// The file's bytes as they are now, none when it does not exist; 0 or the
// system's error code.
int ReadFileNow(const wxString& path, wxMemoryBuffer& bytes)
{
    if (!wxFileName::FileExists(path))
        return 0;
    wxLogNull quiet; // a failure is told by the caller
    wxFile file;
    if (!file.Open(path))
        return wxSysErrorCode();
    char chunk[16384];
    for (;;)
    {
        const ssize_t count = file.Read(chunk, sizeof chunk);
        if (count == wxInvalidOffset)
            return wxSysErrorCode();
        if (count == 0)
            return 0;
        bytes.AppendData(chunk, size_t(count));
    }
}

using Entries = std::vector<std::pair<wxString, wxString>>;

// Every entry below the group (absolute path, "" for the root), by its
// absolute path, with its value as stored.
void CollectEntries(wxConfigBase& config, const wxString& group, Entries& entries)
{
    config.SetPath(group.empty() ? "/" : group);
    wxString name;
    long index = 0;
    for (bool more = config.GetFirstEntry(name, index); more;
         more = config.GetNextEntry(name, index))
        entries.emplace_back(group + "/" + name, config.Read(name, wxString()));
    std::vector<wxString> groups;
    for (bool more = config.GetFirstGroup(name, index); more;
         more = config.GetNextGroup(name, index))
        groups.push_back(group + "/" + name);
    for (const wxString& inner : groups)
        CollectEntries(config, inner, entries);
}
} // namespace

SettingsFile::SettingsFile(const wxString& appName, const wxString& vendorName)
    : wxFileConfig(appName, vendorName, wxString(), wxString(), g_style),
      m_path(GetLocalFile(appName, g_style).GetFullPath())
{
    DisableAutoSave();
}

SettingsFile* SettingsFile::Open(const wxString& appName, const wxString& vendorName,
                                 wxString& damagedCopy)
{
    damagedCopy.clear();
    const wxString path = GetLocalFile(appName, g_style).GetFullPath();
    const bool exists = wxFileName::FileExists(path);
    // A file that cannot be read is the library's to report, and is left
    // alone.
    if (exists && !wxFileName::IsFileReadable(path))
    {
        SettingsFile* file = new SettingsFile(appName, vendorName);
        file->m_path.clear();
        return file;
    }
    Complaints complaints;
    SettingsFile* file = new SettingsFile(appName, vendorName);
    if (exists && complaints.Any() && file->SetDamagedFileAside())
        damagedCopy = path + ".damaged";
    return file;
}

SettingsFile::~SettingsFile()
{
    Flush();
}

bool SettingsFile::SetDamagedFileAside()
{
    Entries entries;
    const bool expanding = IsExpandingEnvVars();
    SetExpandEnvVars(false);
    CollectEntries(*this, wxString(), entries);
    SetExpandEnvVars(expanding);
    SetPath("/");
    if (!MoveIntoPlace(m_path, m_path + ".damaged"))
        return false;
    DeleteAll();
    for (const auto& [key, value] : entries)
        Write(key, value);
    // A failure is told when the store is written out at the end.
    Flush();
    return true;
}

bool SettingsFile::DeleteAll()
{
    const bool deleted = wxFileConfig::DeleteAll();
    // The library reopens the file afterwards and would save it itself.
    DisableAutoSave();
    m_changes.clear();
    return deleted;
}

bool SettingsFile::Flush(bool)
{
    if (m_changes.empty() || m_path.empty())
        return true;
    const wxString target = ResolvedPath(m_path);
    const FolderHold hold(wxFileName(target).GetPath());
    if (const int error = WriteChanges(target))
    {
        m_failure = m_path + ": " + wxSysErrorMsgStr(error);
        return false;
    }
    m_changes.clear();
    m_failure.clear();
    return true;
}

int SettingsFile::WriteChanges(const wxString& target) const
{
    wxMemoryBuffer current;
    if (const int error = ReadFileNow(target, current))
        return error;
    wxMemoryInputStream in(current.GetData(), current.GetDataLen());
    std::unique_ptr<wxFileConfig> now;
    {
        wxLogNull quiet; // damage in it was told when this copy started
        now = std::make_unique<wxFileConfig>(in);
    }
    for (const auto& [key, change] : m_changes)
        if (!change.onlyIfAbsent || !now->HasEntry(key))
            now->Write(key, change.value);
    wxMemoryOutputStream bytes;
    now->Save(bytes);
    const wxStreamBuffer* buffer = bytes.GetOutputStreamBuffer();
    ReplacementFile file(target);
    if (!file.Write(buffer->GetBufferStart(), buffer->GetIntPosition()) || !file.Commit())
        return file.Error();
    return 0;
}

wxString SettingsFile::AbsoluteKey(const wxString& key) const
{
    const wxConfigPathChanger inGroup(this, key);
    return GetPath() + "/" + inGroup.Name();
}

void SettingsFile::NoteRead(const wxString& key, bool found) const
{
    // A read that finds nothing records its default by a write that follows
    // at once, when defaults are recorded.
    m_missedKey = found ? wxString() : AbsoluteKey(key);
}

void SettingsFile::NoteWrite(const wxString& key, const wxString& value)
{
    const wxString absolute = AbsoluteKey(key);
    const bool recordedDefault = !m_missedKey.empty() && absolute == m_missedKey;
    m_missedKey.clear();
    m_changes[absolute] = Change{value, recordedDefault};
}

bool SettingsFile::DoReadString(const wxString& key, wxString* value) const
{
    const bool found = wxFileConfig::DoReadString(key, value);
    NoteRead(key, found);
    return found;
}

bool SettingsFile::DoWriteString(const wxString& key, const wxString& value)
{
    NoteWrite(key, value);
    return wxFileConfig::DoWriteString(key, value);
}
