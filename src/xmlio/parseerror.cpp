#include "xmlio/parseerror.h"

#include <expat.h>

#include <algorithm>
#include <cstring>
#include <utility>

namespace
{
using OpenElements = std::vector<XmlParseError::OpenElement>;

struct Scan
{
    XML_Parser parser;
    OpenElements open;
    wxString root;
};

void OnStart(void* data, const XML_Char* name, const XML_Char**)
{
    Scan& scan = *static_cast<Scan*>(data);
    if (scan.root.empty())
        scan.root = wxString::FromUTF8(name);
    scan.open.push_back({wxString::FromUTF8(name), int(XML_GetCurrentLineNumber(scan.parser))});
}

void OnEnd(void* data, const XML_Char*)
{
    static_cast<Scan*>(data)->open.pop_back();
}

bool IsNameByte(char c)
{
    return !std::strchr(" \t\r\n<>&;/=\"'", c);
}

// The name in the end tag at the parser's error position ("</rules>").
wxString EndTagAt(const std::string& text, size_t at)
{
    at = std::min(at, text.size());
    if (text.compare(at, 2, "</") == 0)
        at += 2;
    size_t end = at;
    while (end < text.size() && IsNameByte(text[end]))
        ++end;
    return wxString::FromUTF8(text.data() + at, end - at);
}

// The parser stops on the character after a bare '&' or '<', or at the end
// of the name that follows a '&' ("AT&T<"): the '&' or '<' before that
// position, if there is one.
char BareMarkupBefore(const std::string& text, size_t at)
{
    size_t i = std::min(at, text.size());
    if (i > 0 && text[i - 1] != '&' && text[i - 1] != '<')
        while (i > 0 && IsNameByte(text[i - 1]))
            --i;
    return i > 0 && (text[i - 1] == '&' || text[i - 1] == '<') ? text[i - 1] : 0;
}

// A control character that XML 1.0 forbids, at the parser's error position
// (a pasted form feed): its code, or 0.
unsigned char ControlAt(const std::string& text, size_t at)
{
    const unsigned char c = at < text.size() ? static_cast<unsigned char>(text[at]) : 0xFF;
    return c < 0x20 && c != '\t' && c != '\n' && c != '\r' ? c : 0;
}

// The name in the reference at the parser's error position ("&nbsp;").
wxString EntityAt(const std::string& text, size_t at)
{
    if (at >= text.size() || text[at] != '&')
        return wxString();
    const size_t end = text.find(';', at);
    return end == std::string::npos ? wxString()
                                    : wxString::FromUTF8(text.data() + at + 1, end - at - 1);
}

// Characters that an input method or a word processor types for the ASCII
// punctuation of XML markup.
const std::pair<wxUniChar::value_type, char> g_lookAlikes[] = {
    {0x201C, '"'}, {0x201D, '"'}, {0xFF02, '"'}, {0x2018, '\''}, {0x2019, '\''}, {0xFF07, '\''},
    {0xFF1F, '?'}, {0xFF1D, '='}, {0xFF0F, '/'}, {0xFF1C, '<'},  {0xFF1E, '>'},
};

// The first such character on the line of the parser's error position.
void FindLookAlike(const std::string& text, size_t at, XmlParseError& error)
{
    at = std::min(at, text.size());
    const size_t start = at == 0 ? 0 : text.rfind('\n', at - 1) + 1;
    const size_t end = std::min(text.find('\n', at), text.size());
    const wxString line = wxString::FromUTF8(text.data() + start, end - start);
    for (wxUniChar c : line)
        for (const auto& [code, ascii] : g_lookAlikes)
            if (c.GetValue() == code)
            {
                error.kind = XmlParseError::Kind::LookAlike;
                error.lookAlike = code;
                error.meant = ascii;
                return;
            }
}

XmlParseError::Kind KindOf(XML_Error code)
{
    using Kind = XmlParseError::Kind;
    switch (code)
    {
    case XML_ERROR_MISPLACED_XML_PI:
        return Kind::LateDeclaration;
    case XML_ERROR_JUNK_AFTER_DOC_ELEMENT:
        return Kind::AfterRoot;
    case XML_ERROR_INCORRECT_ENCODING:
        return Kind::WrongEncoding;
    case XML_ERROR_UNDEFINED_ENTITY:
        return Kind::UndefinedEntity;
    case XML_ERROR_UNKNOWN_ENCODING:
        return Kind::UnknownEncoding;
    default:
        return Kind::Other;
    }
}
} // namespace

bool FindXmlParseError(const std::string& text, XmlParseError& error)
{
    Scan scan{XML_ParserCreate(nullptr), {}, {}};
    XML_SetUserData(scan.parser, &scan);
    XML_SetElementHandler(scan.parser, OnStart, OnEnd);
    const bool wellFormed =
        XML_Parse(scan.parser, text.data(), int(text.size()), XML_TRUE) == XML_STATUS_OK;
    if (!wellFormed)
    {
        const XML_Error code = XML_GetErrorCode(scan.parser);
        const XML_Index at = XML_GetCurrentByteIndex(scan.parser);
        error = XmlParseError();
        error.line = int(XML_GetCurrentLineNumber(scan.parser));
        error.reason = wxString::FromUTF8(XML_ErrorString(code));
        error.open = scan.open;
        error.root = scan.root;
        error.kind = KindOf(code);
        if (code == XML_ERROR_TAG_MISMATCH && at >= 0)
        {
            error.kind = XmlParseError::Kind::Mismatch;
            error.endTag = EndTagAt(text, size_t(at));
        }
        else if (code == XML_ERROR_UNDEFINED_ENTITY && at >= 0)
            error.entity = EntityAt(text, size_t(at));
        else if (code == XML_ERROR_NO_ELEMENTS)
            error.kind =
                scan.open.empty() ? XmlParseError::Kind::NoElement : XmlParseError::Kind::EndsEarly;
        else if (code == XML_ERROR_INVALID_TOKEN && at >= 0)
        {
            error.control = ControlAt(text, size_t(at));
            error.bareMarkup = error.control ? 0 : BareMarkupBefore(text, size_t(at));
            if (error.control)
                error.kind = XmlParseError::Kind::Control;
            else if (error.bareMarkup)
                error.kind = XmlParseError::Kind::BareMarkup;
        }
    }
    if (!wellFormed)
    {
        const XML_Index at = XML_GetCurrentByteIndex(scan.parser);
        // Text after the root that the parser takes for a broken token.
        if (error.kind == XmlParseError::Kind::Other && scan.open.empty() && !scan.root.empty())
            error.kind = XmlParseError::Kind::AfterRoot;
        if (error.kind == XmlParseError::Kind::Other && at >= 0)
            FindLookAlike(text, size_t(at), error);
    }
    XML_ParserFree(scan.parser);
    return !wellFormed;
}
