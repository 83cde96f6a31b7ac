#include "xmlio/xmlwriter.h"

#include <wx/strconv.h>

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <memory>
#include <new>
#include <unordered_map>
#include <vector>

namespace
{
// The longest form one character can take: a reference such as "&#x10FFFF;".
constexpr size_t kMaxBytesPerChar = 10;

// Where a string goes decides how its characters are written.
enum Context
{
    Text,      // element content: markup characters and CR become references
    Attribute, // quoted value: also the quote, tab and line feed
    Verbatim,  // names, comments, CDATA, instructions: nothing can be escaped
    ContextCount
};

struct PlainTable
{
    bool plain[ContextCount][128] = {};

    PlainTable()
    {
        for (int c = 0x20; c < 0x80; ++c)
            for (bool* table : plain)
                table[c] = true;
        for (int context : {Text, Attribute})
            for (char c : {'<', '>', '&'})
                plain[context][int(c)] = false;
        plain[Attribute][int('"')] = false;
        plain[Text]['\t'] = plain[Text]['\n'] = true;
        plain[Verbatim]['\t'] = plain[Verbatim]['\n'] = plain[Verbatim]['\r'] = true;
    }
};
const PlainTable s_table;

bool IsXmlChar(wxUint32 c)
{
    if (c < 0x20)
        return c == '\t' || c == '\n' || c == '\r';
    return c <= 0xD7FF || (c >= 0xE000 && c <= 0xFFFD) || (c >= 0x10000 && c <= 0x10FFFF);
}

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

bool IsName(const wxString& name, bool latin1Letters)
{
    if (name.empty())
        return false;
    const auto* const begin = name.wx_str();
    for (const auto* c = begin; c != begin + name.length(); ++c)
    {
        const wxUint32 code = wxUint32(*c);
        const bool ok = c == begin ? IsNameStartChar(code) : IsNameChar(code);
        if (!ok && !(latin1Letters && IsLatin1Letter(code)))
            return false;
    }
    return true;
}

bool IsAsciiAlpha(wxUint32 c)
{
    return (c | 0x20) >= 'a' && (c | 0x20) <= 'z';
}
bool IsAsciiDigit(wxUint32 c)
{
    return c >= '0' && c <= '9';
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
    static const char kMarks[] = " \r\n-'()+,./:=?;!*#@$_%";
    return std::all_of(id.begin(), id.end(),
                       [](wxUniChar ch)
                       {
                           const wxUint32 c = ch.GetValue();
                           return IsAsciiAlpha(c) || IsAsciiDigit(c) ||
                                  (c && c < 0x80 && std::strchr(kMarks, int(c)));
                       });
}

// Writing a node is quick next to fetching it from memory, so the next
// sibling is fetched while the current node is written. A tree built in
// document order, as the loader builds it, lies in memory in about that
// order, each node followed by its attributes, strings and subtree. While
// the siblings come in that order, the fetching runs a window ahead of the
// next one, each cache line once; elsewhere only the node itself is fetched,
// so a scattered tree costs no extra memory traffic.
class Prefetcher
{
public:
    void Ahead(const wxXmlNode* node)
    {
        if (!node)
            return;
        // As numbers: the window may reach past the end of any one object.
        const uintptr_t from = reinterpret_cast<uintptr_t>(node);
        const bool inOrder = from > m_last && from - m_last < kNear;
        m_last = from;
        if (!inOrder || m_fetched < from || m_fetched > from + kWindow)
            m_fetched = from;
        const uintptr_t to = from + (inOrder ? kWindow : sizeof(wxXmlNode));
        for (; m_fetched < to; m_fetched += kLine)
            __builtin_prefetch(reinterpret_cast<const void*>(m_fetched));
    }

private:
    static constexpr uintptr_t kLine = 64;
    static constexpr uintptr_t kWindow = 4096;
    static constexpr uintptr_t kNear = 16384; // how far ahead the next sibling may lie
    uintptr_t m_last = 0;
    uintptr_t m_fetched = 0;
};

bool IsUtf8(const wxString& encoding)
{
    return encoding.IsSameAs("UTF-8", false) || encoding.IsSameAs("UTF8", false);
}

char* PutAscii(char* out, const char* text)
{
    while (*text)
        *out++ = *text++;
    return out;
}

char* PutCharRef(char* out, wxUint32 c)
{
    static const char kHex[] = "0123456789ABCDEF";
    char digits[8];
    int count = 0;
    do
    {
        digits[count++] = kHex[c & 0xF];
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

// Builds the document as UTF-8 in one buffer; another file encoding is
// reached by one conversion of the whole buffer at the end, which also keeps
// byte-order marks and shift states of that encoding right.
class Writer
{
public:
    Writer(const wxString& encoding, int indentStep, ByteBuffer& out)
        : m_out(out), m_step(indentStep), m_latin1Names(encoding.IsSameAs("ISO-8859-1", false)),
          m_utf16(encoding.IsSameAs("UTF-16", false))
    {
        if (!IsUtf8(encoding))
            m_conv = std::make_unique<wxCSConv>(encoding);
    }

    bool WriteDocument(const wxXmlDocument& doc)
    {
        const wxXmlNode* root = doc.GetRoot();
        if (!root || (m_conv && !m_conv->IsOk()) || !IsVersionNumber(doc.GetVersion()) ||
            !IsEncodingName(doc.GetFileEncoding()))
            return false;
        Raw("<?xml version=\"");
        Put(doc.GetVersion(), Verbatim);
        Raw("\" encoding=\"");
        Put(doc.GetFileEncoding(), Verbatim);
        Raw("\"?>\n");
        if (!WriteDoctype(doc.GetDoctype()))
            return false;
        // Comments and instructions before and after the root keep their
        // places, one per line; a second element cannot be written, and text
        // has no place outside the root.
        for (const wxXmlNode* node = doc.GetDocumentNode()->GetChildren(); node;
             node = node->GetNext())
        {
            const wxXmlNodeType type = node->GetType();
            if (type != wxXML_ELEMENT_NODE && type != wxXML_COMMENT_NODE && type != wxXML_PI_NODE)
                continue;
            const bool ok =
                type == wxXML_ELEMENT_NODE ? node == root && WriteTree(root) : WriteLeaf(node);
            if (!ok)
                return false;
            Raw("\n");
        }
        return true;
    }

    // Turns the UTF-8 built so far into the file encoding.
    bool Convert()
    {
        if (!m_conv)
            return true;
        size_t wideLength = 0;
        const wxWCharBuffer wide = wxConvUTF8.cMB2WC(m_out.Data(), m_out.Size(), &wideLength);
        const size_t room = m_conv->FromWChar(nullptr, 0, wide.data(), wideLength);
        if (room == wxCONV_FAILED)
            return false;
        ByteBuffer converted;
        char* out = converted.Reserve(room + 2);
        // The size asked for first can exceed the real one (UTF-16 counts a
        // terminator for short texts).
        const size_t length = m_conv->FromWChar(out, room, wide.data(), wideLength);
        if (length == wxCONV_FAILED)
            return false;
        converted.CommitTo(out + length);
        // UTF-16 must start with a byte-order mark; the converter writes none.
        if (m_utf16 && length >= 2 && (out[0] == 0) != (out[1] == 0))
        {
            std::memmove(out + 2, out, length);
            out[0] = out[1] = '\xFF';
            out[out[2] ? 1 : 0] = '\xFE';
            converted.CommitTo(out + length + 2);
        }
        m_out = std::move(converted);
        return true;
    }

private:
    struct OpenElement
    {
        const wxXmlNode* element;
        const wxXmlNode* nextChild;
        size_t indent;
        bool lastWasText;
    };

    // Iterative, so that the depth of a document cannot exhaust the stack.
    bool WriteTree(const wxXmlNode* root)
    {
        std::vector<OpenElement> open;
        if (!StartElement(root, 0, open))
            return false;
        while (!open.empty())
        {
            OpenElement& parent = open.back();
            const wxXmlNode* child = parent.nextChild;
            if (!child)
            {
                EndElement(parent);
                open.pop_back();
                continue;
            }
            parent.nextChild = child->GetNext();
            m_prefetcher.Ahead(parent.nextChild);
            parent.lastWasText = child->GetType() == wxXML_TEXT_NODE;
            const size_t indent = parent.indent + size_t(std::max(m_step, 0));
            // Text is never indented: the whitespace would become part of it.
            if (m_step >= 0 && !parent.lastWasText)
                NewLine(indent);
            const bool ok = child->GetType() == wxXML_ELEMENT_NODE
                                ? StartElement(child, indent, open)
                                : WriteLeaf(child);
            if (!ok)
                return false;
        }
        return true;
    }

    bool StartElement(const wxXmlNode* element, size_t indent, std::vector<OpenElement>& open)
    {
        Raw("<");
        if (!PutName(element->GetName()))
            return false;
        for (const wxXmlAttribute* attr = element->GetAttributes(); attr; attr = attr->GetNext())
        {
            Raw(" ");
            if (IsRepeated(attr, element->GetAttributes()) || !PutName(attr->GetName()))
                return false;
            Raw("=\"");
            if (!Put(attr->GetValue(), Attribute))
                return false;
            Raw("\"");
        }
        if (!element->GetChildren())
        {
            Raw("/>");
            return true;
        }
        Raw(">");
        open.push_back({element, element->GetChildren(), indent, false});
        return true;
    }

    void EndElement(const OpenElement& element)
    {
        if (m_step >= 0 && !element.lastWasText)
            NewLine(element.indent);
        Raw("</");
        Put(element.element->GetName(), Verbatim);
        Raw(">");
    }

    static bool IsRepeated(const wxXmlAttribute* attr, const wxXmlAttribute* first)
    {
        for (; first != attr; first = first->GetNext())
            if (first->GetName() == attr->GetName())
                return true;
        return false;
    }

    // Any node but an element; types without an XML form write nothing.
    bool WriteLeaf(const wxXmlNode* node)
    {
        const wxString& content = node->GetContent();
        switch (node->GetType())
        {
        case wxXML_TEXT_NODE:
            return WriteText(content);
        case wxXML_CDATA_SECTION_NODE:
            return WriteCData(content);
        case wxXML_COMMENT_NODE:
            if (content.find(L"--") != wxString::npos || content.EndsWith(L"-"))
                return false;
            Raw("<!--");
            return Put(content, Verbatim) && Raw("-->");
        case wxXML_PI_NODE:
            return WriteInstruction(node->GetName(), content);
        default:
            return true;
        }
    }

    // The loader drops whitespace at the start of a text when a reference
    // follows it (it arrives as a piece of its own), so a ">" right after
    // such whitespace stays as it is; it cannot end a "]]>" there.
    bool WriteText(const wxString& content)
    {
        if (content.empty() || (content[0] != ' ' && content[0] != '\t'))
            return Put(content, Text);
        const size_t lead = content.find_first_not_of(L" \t");
        if (lead == wxString::npos || content[lead] != '>')
            return Put(content, Text);
        Put(content.substr(0, lead), Text);
        Raw(">");
        return Put(content.substr(lead + 1), Text);
    }

    // A section cannot hold "]]>": end it between "]]" and ">" and go on in
    // a new one.
    bool WriteCData(const wxString& content)
    {
        Raw("<![CDATA[");
        size_t from = 0;
        for (size_t end; (end = content.find(L"]]>", from)) != wxString::npos; from = end + 2)
        {
            if (!Put(content.substr(from, end + 2 - from), Verbatim))
                return false;
            Raw("]]><![CDATA[");
        }
        return Put(content.substr(from), Verbatim) && Raw("]]>");
    }

    bool WriteInstruction(const wxString& target, const wxString& content)
    {
        if (target.IsSameAs(L"xml", false) || content.find(L"?>") != wxString::npos)
            return false;
        Raw("<?");
        if (!PutName(target))
            return false;
        if (!content.empty())
        {
            Raw(" ");
            if (!Put(content, Verbatim))
                return false;
        }
        return Raw("?>");
    }

    bool WriteDoctype(const wxXmlDoctype& doctype)
    {
        if (doctype.GetRootName().empty())
            return true;
        const wxString& publicId = doctype.GetPublicId();
        const wxString& systemId = doctype.GetSystemId();
        if (!IsPublicId(publicId))
            return false;
        Raw("<!DOCTYPE ");
        if (!PutName(doctype.GetRootName()))
            return false;
        if (!publicId.empty())
        {
            Raw(" PUBLIC \"");
            Put(publicId, Verbatim);
            Raw("\"");
        }
        else if (!systemId.empty())
        {
            Raw(" SYSTEM");
        }
        if (!publicId.empty() || !systemId.empty())
        {
            // A system literal has no escapes; only its quotes can vary.
            const bool apostrophes = systemId.Contains("\"");
            if (apostrophes && systemId.Contains("'"))
                return false;
            Raw(apostrophes ? " '" : " \"");
            if (!Put(systemId, Verbatim))
                return false;
            Raw(apostrophes ? "'" : "\"");
        }
        return Raw(">\n");
    }

    void NewLine(size_t indent)
    {
        const size_t spaces = 2 * indent;
        char* out = m_out.Reserve(spaces + 1);
        *out = '\n';
        std::memset(out + 1, ' ', spaces);
        m_out.CommitTo(out + 1 + spaces);
    }

    bool Raw(const char* markup)
    {
        m_out.Append(markup, std::strlen(markup));
        return true;
    }

    // The hot loop: plain ASCII is copied, anything else goes to PutSpecial.
    bool Put(const wxString& text, Context context)
    {
        const wxStringCharType* in = text.wx_str();
        const wxStringCharType* const end = in + text.length();
        char* out = m_out.Reserve(text.length() * kMaxBytesPerChar);
        const bool* plain = s_table.plain[context];
        for (; in != end; ++in)
        {
            const wxUint32 c = wxUint32(*in);
            if (c < 0x80 && plain[c])
                *out++ = char(c);
            else if (!(out = PutSpecial(out, c, context)))
                return false;
        }
        m_out.CommitTo(out);
        return true;
    }

    // Returns null for a character the context cannot carry.
    char* PutSpecial(char* out, wxUint32 c, Context context)
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
            return context == Verbatim ? nullptr : PutCharRef(out, c);
        return PutUtf8(out, c);
    }

    bool CanEncode(wxUint32 c)
    {
        const auto known = m_encodable.find(c);
        if (known != m_encodable.end())
            return known->second;
        const wchar_t wide = wchar_t(c);
        const bool ok = m_conv->FromWChar(nullptr, 0, &wide, 1) != wxCONV_FAILED;
        m_encodable.emplace(c, ok);
        return ok;
    }

    bool PutName(const wxString& name)
    {
        return IsName(name, m_latin1Names) && Put(name, Verbatim);
    }

    ByteBuffer& m_out;
    const int m_step;
    const bool m_latin1Names;
    const bool m_utf16;
    std::unique_ptr<wxCSConv> m_conv; // null when writing UTF-8 directly
    std::unordered_map<wxUint32, bool> m_encodable;
    Prefetcher m_prefetcher;
};
} // namespace

bool ByteBuffer::Flush()
{
    if (m_sink && m_size)
    {
        m_sinkFailed = m_sinkFailed || !m_sink(m_data.get(), m_size);
        m_size = 0;
    }
    return !m_sinkFailed;
}

void ByteBuffer::MakeRoom(size_t extra)
{
    if (m_sink)
        Flush();
    if (m_capacity - m_size < extra)
        Grow(extra);
}

void ByteBuffer::Grow(size_t extra)
{
    const size_t capacity = std::max({m_capacity * 2, m_size + extra, size_t(1) << 16});
    // realloc moves a large block by remapping its pages: unlike a new block
    // and a copy, nothing is copied and no written page is faulted in again.
    char* data = static_cast<char*>(std::realloc(m_data.get(), capacity));
    if (!data)
        throw std::bad_alloc();
    m_data.release();
    m_data.reset(data);
    m_capacity = capacity;
}

bool WriteXmlDocument(const wxXmlDocument& doc, int indentStep, ByteBuffer& out)
{
    Writer writer(doc.GetFileEncoding(), indentStep, out);
    return writer.WriteDocument(doc) && writer.Convert();
}

bool StreamXmlDocument(const wxXmlDocument& doc, int indentStep, const ByteSink& sink)
{
    if (IsUtf8(doc.GetFileEncoding()))
    {
        // Small enough to stay in the cache between writes.
        ByteBuffer out(sink, size_t(1) << 18);
        return WriteXmlDocument(doc, indentStep, out) && out.Flush();
    }
    ByteBuffer whole;
    return WriteXmlDocument(doc, indentStep, whole) && sink(whole.Data(), whole.Size());
}
