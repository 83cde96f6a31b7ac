#pragma once

#include "xmlio/bytebuffer.h"

#include <wx/string.h>

#include <memory>
#include <unordered_map>

class wxCSConv;

// Which characters XML allows where, and how the writer escapes them.

bool IsXmlChar(wxUint32 c);
// An XML name; latin1Letters also takes the letters that the library's
// parser accepts in names of ISO-8859-1 documents.
bool IsName(const wxString& name, bool latin1Letters);
bool IsVersionNumber(const wxString& version);
bool IsEncodingName(const wxString& name);
bool IsPublicId(const wxString& id);
bool IsUtf8(const wxString& encoding);

// Where a string goes decides how its characters are written.
enum class XmlContext
{
    Text,      // element content: markup characters and CR become references
    Attribute, // quoted value: also the quote, tab and line feed
    Verbatim,  // names, comments, CDATA, instructions: nothing can be escaped
};

// Writes strings as UTF-8, escaped for their context, and turns the result
// into the document's file encoding at the end: one conversion of the whole
// keeps byte-order marks and shift states of that encoding right. A
// character that the file encoding cannot represent becomes a reference
// where XML allows one.
class XmlEscaper
{
public:
    explicit XmlEscaper(const wxString& encoding);
    ~XmlEscaper();

    // False when the file encoding has no converter.
    bool IsOk() const;
    // False for a character the context cannot carry; out then holds part of it.
    bool Put(ByteBuffer& out, const wxString& text, XmlContext context);
    bool PutName(ByteBuffer& out, const wxString& name);
    // Turns the UTF-8 in out into the file encoding.
    bool Convert(ByteBuffer& out) const;

private:
    char* PutSpecial(char* out, wxUint32 c, XmlContext context);
    bool CanEncode(wxUint32 c);

    const bool m_latin1Names;
    const bool m_utf16;
    std::unique_ptr<wxCSConv> m_conv; // null when writing UTF-8 directly
    std::unordered_map<wxUint32, bool> m_encodable;
};
