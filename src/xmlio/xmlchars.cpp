#include "xmlio/xmlchars.h"

#include <wx/strconv.h>

#include <algorithm>
#include <cstring>

namespace
{
bool IsNameStartChar(wxUint32 c)
{
    if (c < 0x80)
        return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || c == '_' || c == ':';
    return (c >= 0xC0 && c <= 0xD6) || (c >= 0xD8 && c <= 0xF6) || (c >= 0xF8 && c <= 0x2FF) ||
           (c >= 0x370 && c <= 0x37D) || (c >= 0x37F && c <= 0x1FFF) ||
           (c >= 0x200C && c <= 0x200D) || (c >= 0x2070 && c <= 0x218F) ||
           (c >= 0x2C00 && c <= 0x2FEF) || (c >= 0x3001 && c <= 0xD7FF) ||
           (c >= 0xF900 && c <= 0xFDCF) || (c >= 0xFDF0 && c <= 0xFFFD) ||
           (c >= 0x10000 && c <= 0xEFFFF);
}

bool IsNameChar(wxUint32 c)
{
    return IsNameStartChar(c) || (c >= '0' && c <= '9') || c == '-' || c == '.' || c == 0xB7 ||
           (c >= 0x300 && c <= 0x36F) || (c >= 0x203F && c <= 0x2040);
}

// In ISO-8859-1 documents the library's parser also takes "ª", "µ" and "º"
// as letters of names; what it loads from such a file must save to one.
bool IsLatin1Letter(wxUint32 c)
{
    return c == 0xAA || c == 0xB5 || c == 0xBA;
}

bool IsAsciiAlpha(wxUint32 c)
{
    return (c | 0x20) >= 'a' && (c | 0x20) <= 'z';
}
bool IsAsciiDigit(wxUint32 c)
{
    return c >= '0' && c <= '9';
}

char* PutAscii(char* out, const char* text)
{
    while (*text)
        *out++ = *text++;
    return out;
}

char* PutCharRef(char* out, wxUint32 c)
{
    static const char hexDigits[] = "0123456789ABCDEF";
    char digits[8];
    int count = 0;
    do
    {
        digits[count++] = hexDigits[c & 0xF];
        c >>= 4;
    } while (c);
    out = PutAscii(out, "&#x");
    while (count)
        *out++ = digits[--count];
    *out++ = ';';
    return out;
}

char* PutUtf8(char* out, wxUint32 c)
{
    if (c < 0x800)
    {
        *out++ = char(0xC0 | (c >> 6));
    }
    else
    {
        if (c < 0x10000)
        {
            *out++ = char(0xE0 | (c >> 12));
        }
        else
        {
            *out++ = char(0xF0 | (c >> 18));
            *out++ = char(0x80 | ((c >> 12) & 0x3F));
        }
        *out++ = char(0x80 | ((c >> 6) & 0x3F));
    }
    *out++ = char(0x80 | (c & 0x3F));
    return out;
}

// The character as wide units, for the library's converters; returns how
// many.
size_t ToWide(wxUint32 c, wchar_t wide[2])
{
    if constexpr (sizeof(wchar_t) == 2)
    {
        if (c >= 0x10000)
        {
            wide[0] = wchar_t(0xD800 + ((c - 0x10000) >> 10));
            wide[1] = wchar_t(0xDC00 + ((c - 0x10000) & 0x3FF));
            return 2;
        }
    }
    wide[0] = wchar_t(c);
    return 1;
}
} // namespace

bool IsXmlChar(wxUint32 c)
{
    if (c < 0x20)
        return c == '\t' || c == '\n' || c == '\r';
    return c <= 0xD7FF || (c >= 0xE000 && c <= 0xFFFD) || (c >= 0x10000 && c <= 0x10FFFF);
}

bool IsName(const wxString& name, bool latin1Letters)
{
    if (name.empty())
        return false;
    const auto* const begin = name.wx_str();
    const auto* const end = begin + name.length();
    for (const auto* c = begin; c != end; ++c)
    {
        const bool first = c == begin;
        const wxUint32 code = NextChar(c, end);
        const bool ok = first ? IsNameStartChar(code) : IsNameChar(code);
        if (!ok && !(latin1Letters && IsLatin1Letter(code)))
            return false;
    }
    return true;
}

// Letters, digits and "_.:-", as the first editions of XML allowed and the
// library's parser still accepts.
bool IsVersionNumber(const wxString& version)
{
    return !version.empty() &&
           std::all_of(version.begin(), version.end(),
                       [](wxUniChar ch)
                       {
                           const wxUint32 c = ch.GetValue();
                           return IsAsciiAlpha(c) || IsAsciiDigit(c) ||
                                  (c && c < 0x80 && std::strchr("_.:-", int(c)));
                       });
}

// A letter, then letters, digits, ".", "_" or "-".
bool IsEncodingName(const wxString& name)
{
    if (name.empty() || !IsAsciiAlpha(name[0].GetValue()))
        return false;
    return std::all_of(name.begin() + 1, name.end(),
                       [](wxUniChar ch)
                       {
                           const wxUint32 c = ch.GetValue();
                           return IsAsciiAlpha(c) || IsAsciiDigit(c) || c == '.' || c == '_' ||
                                  c == '-';
                       });
}

bool IsPublicId(const wxString& id)
{
    static const char marks[] = " \r\n-'()+,./:=?;!*#@$_%";
    return std::all_of(id.begin(), id.end(),
                       [](wxUniChar ch)
                       {
                           const wxUint32 c = ch.GetValue();
                           return IsAsciiAlpha(c) || IsAsciiDigit(c) ||
                                  (c && c < 0x80 && std::strchr(marks, int(c)));
                       });
}

bool IsUtf8(const wxString& encoding)
{
    return encoding.IsSameAs("UTF-8", false) || encoding.IsSameAs("UTF8", false);
}

XmlEscaper::XmlEscaper(const wxString& encoding)
    : m_latin1Names(encoding.IsSameAs("ISO-8859-1", false)),
      m_utf16(encoding.IsSameAs("UTF-16", false))
{
    if (!IsUtf8(encoding))
        m_conv = std::make_unique<wxCSConv>(encoding);
}

XmlEscaper::~XmlEscaper() = default;

bool XmlEscaper::IsOk() const
{
    return !m_conv || m_conv->IsOk();
}

bool XmlEscaper::PutName(ByteBuffer& out, const wxString& name)
{
    return IsName(name, m_latin1Names) && Put(out, name, XmlContext::Verbatim);
}

// Returns null for a character the context cannot carry.
char* XmlEscaper::PutSpecial(char* out, wxUint32 c, XmlContext context)
{
    if (!IsXmlChar(c))
        return nullptr;
    switch (c)
    {
    case '<':
        return PutAscii(out, "&lt;");
    case '>':
        return PutAscii(out, "&gt;");
    case '&':
        return PutAscii(out, "&amp;");
    case '"':
        return PutAscii(out, "&quot;");
    case '\t':
    case '\n':
    case '\r':
        return PutCharRef(out, c);
    }
    if (m_conv && !CanEncode(c))
        return context == XmlContext::Verbatim ? nullptr : PutCharRef(out, c);
    return PutUtf8(out, c);
}

bool XmlEscaper::CanEncode(wxUint32 c)
{
    const auto known = m_encodable.find(c);
    if (known != m_encodable.end())
        return known->second;
    wchar_t wide[2];
    const bool ok = m_conv->FromWChar(nullptr, 0, wide, ToWide(c, wide)) != wxCONV_FAILED;
    m_encodable.emplace(c, ok);
    return ok;
}

bool XmlEscaper::Convert(ByteBuffer& out) const
{
    if (!m_conv)
        return true;
    size_t wideLength = 0;
    const wxWCharBuffer wide = wxConvUTF8.cMB2WC(out.Data(), out.Size(), &wideLength);
    const size_t room = m_conv->FromWChar(nullptr, 0, wide.data(), wideLength);
    if (room == wxCONV_FAILED)
        return false;
    ByteBuffer converted;
    char* bytes = converted.Reserve(room + 2);
    // The size asked for first can exceed the real one (UTF-16 counts a
    // terminator for short texts).
    const size_t length = m_conv->FromWChar(bytes, room, wide.data(), wideLength);
    if (length == wxCONV_FAILED)
        return false;
    converted.CommitTo(bytes + length);
    // UTF-16 must start with a byte-order mark; the converter writes none.
    if (m_utf16 && length >= 2 && (bytes[0] == 0) != (bytes[1] == 0))
    {
        std::memmove(bytes + 2, bytes, length);
        bytes[0] = bytes[1] = '\xFF';
        bytes[bytes[2] ? 1 : 0] = '\xFE';
        converted.CommitTo(bytes + length + 2);
    }
    out = std::move(converted);
    return true;
}
