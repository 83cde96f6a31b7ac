#include "xmlio/xmlencoding.h"

#include "xmlio/xmlchars.h"

#include <wx/strconv.h>

#include <algorithm>
#include <vector>

namespace
{
const char g_utf8Bom[] = "\xEF\xBB\xBF";

bool IsSpace(char c)
{
    return c == ' ' || c == '\t' || c == '\r' || c == '\n';
}

bool IsAsciiLetter(char c)
{
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
}

size_t SkipSpace(const std::string& text, size_t i, size_t end)
{
    while (i < end && IsSpace(text[i]))
        ++i;
    return i;
}
} // namespace

EncodingDeclaration FindEncodingDeclaration(const std::string& bytes)
{
    EncodingDeclaration found;
    if (bytes.compare(0, 3, g_utf8Bom) == 0)
        found.start = 3;
    // "<?xml" and a space: "<?xml-stylesheet" is another instruction.
    size_t i = found.start + 5;
    if (bytes.compare(found.start, 5, "<?xml") != 0 || i >= bytes.size() || !IsSpace(bytes[i]))
        return found;
    const size_t end = bytes.find("?>", i);
    if (end == std::string::npos)
        return found;
    // Pseudo-attributes, name="value" or name='value'; whatever does not
    // read so is the parser's to report.
    for (;;)
    {
        i = SkipSpace(bytes, i, end);
        const size_t nameStart = i;
        while (i < end && IsAsciiLetter(bytes[i]))
            ++i;
        const std::string name = bytes.substr(nameStart, i - nameStart);
        i = SkipSpace(bytes, i, end);
        if (name.empty() || i == end || bytes[i] != '=')
            return found;
        i = SkipSpace(bytes, i + 1, end);
        if (i == end || (bytes[i] != '"' && bytes[i] != '\''))
            return found;
        const size_t valueEnd = bytes.find(bytes[i], i + 1);
        if (valueEnd >= end)
            return found;
        if (name == "encoding")
        {
            // Bytes as Latin-1, one character each: anything beyond ASCII
            // makes no encoding name.
            const wxString value(bytes.data() + i + 1, wxConvISO8859_1, valueEnd - i - 1);
            if (IsEncodingName(value))
            {
                found.name = value;
                found.offset = i + 1;
                found.line += int(std::count(bytes.begin(), bytes.begin() + i, '\n'));
            }
            return found;
        }
        i = valueEnd + 1;
    }
}

bool ParserDecodes(const wxString& encoding)
{
    for (const char* known : {"UTF-8", "UTF-16", "UTF-16BE", "UTF-16LE", "ISO-8859-1", "US-ASCII"})
        if (encoding.CmpNoCase(known) == 0)
            return true;
    return false;
}

bool ReencodeAsUtf8(const std::string& bytes, const EncodingDeclaration& declaration,
                    const wxMBConv& from, std::string& utf8)
{
    // The name is ASCII, and so is "UTF-8" in any encoding that writes its
    // declaration in ASCII: it can be replaced before converting. A byte
    // order mark is left out, as the parser does when a declaration
    // contradicts it.
    std::string source = bytes.substr(declaration.start);
    source.replace(declaration.offset - declaration.start, declaration.name.length(), "UTF-8");
    const size_t wideLength = from.ToWChar(nullptr, 0, source.data(), source.size());
    if (wideLength == wxCONV_FAILED)
        return false;
    std::vector<wchar_t> wide(wideLength + 1);
    from.ToWChar(wide.data(), wide.size(), source.data(), source.size());
    const size_t length = wxConvUTF8.FromWChar(nullptr, 0, wide.data(), wideLength);
    if (length == wxCONV_FAILED)
        return false;
    utf8.resize(length + 1);
    wxConvUTF8.FromWChar(utf8.data(), utf8.size(), wide.data(), wideLength);
    utf8.resize(length);
    return true;
}

int FirstInvalidLine(const std::string& bytes, const wxMBConv& conv)
{
    int line = 1;
    for (size_t start = 0; start <= bytes.size(); ++line)
    {
        const size_t end = std::min(bytes.find('\n', start), bytes.size());
        if (end > start &&
            conv.ToWChar(nullptr, 0, bytes.data() + start, end - start) == wxCONV_FAILED)
            return line;
        start = end + 1;
    }
    return 0;
}
