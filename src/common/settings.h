#pragma once

#include <wx/string.h>

// What the program keeps in the per-user configuration store: the names
// that locate the store, and every key with its type and default. Reads and
// writes go to the library's global store (created on first use); without
// one, writes do nothing and reads give the default.
namespace settings
{
// Name the store, and the program's message catalog.
extern const wxString g_vendorName;
extern const wxString g_appName;

template <typename T> struct Key
{
    const char* path; // absolute, whatever group another module left current
    T fallback;
};

// The interface language: "default" or a canonical locale name; empty until
// the user has chosen one.
extern const Key<wxString> g_uiLanguage;
// The main window's geometry, recorded at close and never read back: a
// switch for the recording, the outer position and the client size.
extern const Key<long> g_frameRemember;
extern const Key<long> g_frameX;
extern const Key<long> g_frameY;
extern const Key<long> g_frameWidth;
extern const Key<long> g_frameHeight;

wxString Read(const Key<wxString>& key);
long Read(const Key<long>& key);
void Write(const Key<wxString>& key, const wxString& value);
void Write(const Key<long>& key, long value);

// Writes what was changed out to the store now, so that it survives a
// session that ends without a clean quit. False when that failed; failure
// then names the file and the system's reason, for a message.
bool Save(wxString& failure);
} // namespace settings
