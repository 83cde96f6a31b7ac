#pragma once

#include "xmlio/bytebuffer.h"

#include <wx/string.h>

#include <memory>
#include <unordered_map>

class wxCSConv;

// Which characters XML allows where, and how the writer escapes them.

bool IsXmlChar(wxUint32 c);
// The character that starts at `in`, moving `in` onto its last unit: where
// the library's strings are UTF-16 (Windows), a character beyond U+FFFF
// takes two units, a surrogate pair.
inline wxUint32 NextChar(const wxStringCharType*& in, const wxStringCharType* end)
{
    const wxUint32 c = wxUint32(*in);
    if constexpr (sizeof(wxStringCharType) == 2)
    {
        if (c >= 0xD800 && c <= 0xDBFF && in + 1 != end && in[1] >= 0xDC00 && in[1] <= 0xDFFF)
            return 0x10000 + ((c - 0xD800) << 10) + (wxUint32(*++in) - 0xDC00);
    }
    return c;
}
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

// The ASCII characters that each context copies as they are.
struct PlainChars
{
    bool plain[3][128] = {};
};

constexpr PlainChars MakePlainChars()
{
    PlainChars chars;
    const int text = int(XmlContext::Text), attribute = int(XmlContext::Attribute),
              verbatim = int(XmlContext::Verbatim);
    for (int c = 0x20; c < 0x80; ++c)
        for (int context : {text, attribute, verbatim})
            chars.plain[context][c] = c != '<' && c != '>' && c != '&';
    chars.plain[verbatim][int('<')] = chars.plain[verbatim][int('>')] =
        chars.plain[verbatim][int('&')] = true;
    chars.plain[attribute][int('"')] = false;
    chars.plain[text][int('\t')] = chars.plain[text][int('\n')] = true;
    chars.plain[verbatim][int('\t')] = chars.plain[verbatim][int('\n')] =
        chars.plain[verbatim][int('\r')] = true;
    return chars;
}

inline constexpr PlainChars g_plainChars = MakePlainChars();
// The longest form one character can take: a reference such as "&#x10FFFF;".
inline constexpr size_t g_maxBytesPerChar = 10;

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
    // False for a character the context cannot carry; out then holds part of
    // it. The hot loop, so inline: plain ASCII is copied, anything else goes
    // to PutSpecial.
    bool Put(ByteBuffer& out, const wxString& text, XmlContext context)
    {
        const wxStringCharType* in = text.wx_str();
        const wxStringCharType* const end = in + text.length();
        char* to = out.Reserve(text.length() * g_maxBytesPerChar);
        const bool* plain = g_plainChars.plain[int(context)];
        for (; in != end; ++in)
        {
            const wxUint32 c = NextChar(in, end);
            if (c < 0x80 && plain[c])
                *to++ = char(c);
            else if (!(to = PutSpecial(to, c, context)))
                return false;
        }
        out.CommitTo(to);
        return true;
    }
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
