#include "common/settingsfile.h"

#include "common/platform.h"
#include "common/replacement.h"

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
    m_unsaved = false;
    return deleted;
}

bool SettingsFile::Flush(bool)
{
    if (!m_unsaved || m_path.empty())
        return true;
    wxMemoryOutputStream bytes;
    Save(bytes);
    const wxStreamBuffer* buffer = bytes.GetOutputStreamBuffer();
    const size_t size = buffer->GetIntPosition();
    ReplacementFile file(ResolvedPath(m_path));
    if (!file.File().IsOpened() || file.File().Write(buffer->GetBufferStart(), size) != size ||
        !file.Commit())
    {
        m_failure = m_path + ": " + wxSysErrorMsgStr(wxSysErrorCode());
        return false;
    }
    m_unsaved = false;
    m_failure.clear();
    return true;
}

bool SettingsFile::DoWriteString(const wxString& key, const wxString& value)
{
    m_unsaved = true;
    return wxFileConfig::DoWriteString(key, value);
}

bool SettingsFile::DoWriteLong(const wxString& key, long value)
{
    m_unsaved = true;
    return wxFileConfig::DoWriteLong(key, value);
}
