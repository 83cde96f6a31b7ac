#include "scoring/ruleload.h"

#include "common/platform.h"
#include "xmlio/stretchscan.h"
#include "xmlio/xmlencoding.h"

#include <wx/ffile.h>
#include <wx/filename.h>
#include <wx/log.h>
#include <wx/mstream.h>
#include <wx/strconv.h>
#include <wx/xml/xml.h>

#include <algorithm>
#include <cstdio>
#include <utility>

const size_t g_ruleFileLimit = 4 * 1024 * 1024;
const size_t g_ruleStretchLimit = 256 * 1024;

namespace
{
using FaultKind = RuleLoadFault::Kind;

RuleLoadFault Fault(FaultKind kind, int line = 0)
{
    RuleLoadFault fault;
    fault.kind = kind;
    fault.line = line;
    return fault;
}

RuleLoadFault SizeFault(FaultKind kind, size_t limit)
{
    RuleLoadFault fault = Fault(kind);
    fault.limit = limit;
    return fault;
}

RuleLoadFault SystemFault(FaultKind kind)
{
    RuleLoadFault fault = Fault(kind);
    fault.systemError = wxSysErrorCode();
    return fault;
}

RuleLoadFault ReadFileBytes(const wxString& path, std::string& bytes)
{
    // A FIFO or device is refused unopened: reading it could block or never end.
    if (wxFileName::Exists(path) && !wxFileName::FileExists(path))
        return Fault(FaultKind::NotPlainFile);
    // Opened without wxFFile::Open, which would log the failure itself.
    FILE* const stream = wxFopen(path, "rb");
    if (!stream)
        return SystemFault(FaultKind::CannotOpen);
    wxFFile file;
    file.Attach(stream, path);
    wxLogNull quiet; // a failure below is returned, not logged
    const wxFileOffset length = file.Length();
    if (length < 0)
        return SystemFault(FaultKind::ReadFailed);
    if (size_t(length) > g_ruleFileLimit)
        return SizeFault(FaultKind::FileTooLarge, g_ruleFileLimit);
    bytes.resize(size_t(length));
    if (file.Read(bytes.data(), bytes.size()) != bytes.size())
        return SystemFault(FaultKind::ReadFailed);
    return {};
}

// The size fault of a text the parser would get, or none.
RuleLoadFault CheckLimits(const std::string& text)
{
    if (text.size() > g_ruleFileLimit)
        return SizeFault(FaultKind::TooLarge, g_ruleFileLimit);
    // No stretch can be longer than the text: small files need no scan.
    if (text.size() > g_ruleStretchLimit && LongestStretch(text) > g_ruleStretchLimit)
        return SizeFault(FaultKind::StretchTooLong, g_ruleStretchLimit);
    return {};
}

bool IsValidIn(const std::string& bytes, const wxString& encoding)
{
    const wxCSConv conv(encoding);
    return conv.IsOk() && conv.ToWChar(nullptr, 0, bytes.data(), bytes.size()) != wxCONV_FAILED;
}

// Another encoding that bytes not valid in readAs are valid in as a whole.
// GBK and GB18030 are what Chinese editors on Windows save.
wxString OtherEncoding(const std::string& bytes, const wxString& readAs)
{
    for (const char* other : {"UTF-8", "GBK", "GB18030"})
        if (readAs.CmpNoCase(other) != 0 && IsValidIn(bytes, other))
            return other;
    return wxString();
}

// Makes the bytes of a rule file into the text the parser reads.
RuleLoadFault PrepareRuleText(std::string& bytes)
{
    // Beyond the limit as read, a file is refused before it is converted.
    if (bytes.size() > g_ruleFileLimit)
        return SizeFault(FaultKind::TooLarge, g_ruleFileLimit);
    const EncodingDeclaration declaration = FindEncodingDeclaration(bytes);
    if (declaration.name.empty() || ParserDecodes(declaration.name))
        return CheckLimits(bytes);
    const wxCSConv conv(declaration.name);
    RuleLoadFault fault;
    fault.encoding = declaration.name;
    if (!conv.IsOk())
    {
        fault.kind = FaultKind::UnknownEncoding;
        fault.line = declaration.line;
        return fault;
    }
    std::string text;
    if (!ReencodeAsUtf8(bytes, declaration, conv, text))
    {
        fault.kind = FaultKind::InvalidBytes;
        fault.line = FirstInvalidLine(bytes, conv);
        fault.readsAs = OtherEncoding(bytes, declaration.name);
        return fault;
    }
    fault = CheckLimits(text);
    if (fault.kind == FaultKind::None)
        bytes.swap(text);
    return fault;
}

// A text the parser reads as UTF-8 whose bytes are not: the first such line, or 0.
int FirstInvalidUtf8Line(const std::string& text)
{
    const bool utf16 = text.size() >= 2 &&
                       (text[0] == '\0' || text[1] == '\0' || text.compare(0, 2, "\xFF\xFE") == 0 ||
                        text.compare(0, 2, "\xFE\xFF") == 0);
    const wxString declared = FindEncodingDeclaration(text).name;
    if (utf16 || !(declared.empty() || declared.CmpNoCase("UTF-8") == 0))
        return 0;
    return FirstInvalidLine(text, wxConvUTF8);
}

// The encoding a byte order mark names, or empty.
wxString ByteOrderMark(const std::string& text)
{
    if (text.compare(0, 3, "\xEF\xBB\xBF") == 0)
        return "UTF-8";
    if (text.compare(0, 2, "\xFF\xFE") == 0)
        return "UTF-16LE";
    if (text.compare(0, 2, "\xFE\xFF") == 0)
        return "UTF-16BE";
    return wxString();
}

// What the bytes of a file whose declaration the parser found wrong read as:
// the byte order mark's encoding, or UTF-8 if they are valid in it.
void FindWhatBytesReadAs(const std::string& text, RuleLoadFault& fault)
{
    fault.readsAs = ByteOrderMark(text);
    fault.byteOrderMark = !fault.readsAs.empty();
    if (!fault.byteOrderMark && IsValidIn(text, "UTF-8"))
        fault.readsAs = "UTF-8";
}

RuleLoadFault ParseFault(const std::string& text)
{
    RuleLoadFault fault = Fault(FaultKind::NotWellFormed);
    // The library found a fault: the parser finds the same one in one pass.
    if (!FindXmlParseError(text, fault.parse))
        return fault;
    fault.line = fault.parse.line;
    fault.encoding = FindEncodingDeclaration(text).name;
    if (fault.parse.kind == XmlParseError::Kind::WrongEncoding)
    {
        FindWhatBytesReadAs(text, fault);
        return fault;
    }
    fault.invalidUtf8 = FirstInvalidUtf8Line(text) == fault.line;
    if (fault.invalidUtf8)
        fault.readsAs = OtherEncoding(text, "UTF-8");
    return fault;
}

bool IsAscii(const std::string& bytes)
{
    return std::all_of(bytes.begin(), bytes.end(),
                       [](char c) { return static_cast<unsigned char>(c) < 0x80; });
}

// A file that loaded as declared although its bytes are UTF-8 (a UTF-8 file
// declared latin1): its text shows garbled, which the fault says with kind
// None. Text beyond ASCII that happens to be valid UTF-8 in another
// encoding is too rare to mind.
RuleLoadFault GarbledFault(const std::string& bytes)
{
    const EncodingDeclaration declaration = FindEncodingDeclaration(bytes);
    RuleLoadFault fault;
    if (declaration.name.empty() || declaration.name.Upper().StartsWith("UTF") || IsAscii(bytes) ||
        !IsValidIn(bytes, "UTF-8"))
        return fault;
    fault.line = declaration.line;
    fault.encoding = declaration.name;
    fault.readsAs = "UTF-8";
    return fault;
}

RuleLoadFault ParseRuleText(const std::string& text, wxXmlDocument& doc)
{
    wxMemoryInputStream in(text.data(), text.size());
    {
        wxLogNull quiet; // the parser's fault is returned, not logged
        if (doc.Load(in, "UTF-8", 0))
            return {};
    }
    return ParseFault(text);
}

} // namespace

RuleLoadFault LoadRuleBytes(std::string bytes, wxXmlDocument& doc)
{
    RuleLoadFault fault = GarbledFault(bytes);
    const RuleLoadFault prepared = PrepareRuleText(bytes);
    if (prepared.kind != FaultKind::None)
        return prepared;
    const RuleLoadFault parsed = ParseRuleText(bytes, doc);
    return parsed.kind != FaultKind::None ? parsed : fault;
}

RuleLoadFault LoadRuleFile(const wxString& path, wxXmlDocument& doc)
{
    std::string bytes;
    const RuleLoadFault fault = ReadFileBytes(path, bytes);
    return fault.kind == FaultKind::None ? LoadRuleBytes(std::move(bytes), doc) : fault;
}
