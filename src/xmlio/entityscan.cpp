#include "xmlio/entityscan.h"

#include <expat.h>

namespace
{
struct Scan
{
    XML_Parser parser;
    UnexpandedEntities found;
    bool inDoctype = false;
};

int Line(const Scan& scan)
{
    return int(XML_GetCurrentLineNumber(scan.parser));
}

void OnDoctypeStart(void* data, const XML_Char*, const XML_Char*, const XML_Char*, int)
{
    Scan& scan = *static_cast<Scan*>(data);
    scan.inDoctype = true;
    scan.found.doctypeLine = Line(scan);
}

void OnDoctypeEnd(void* data)
{
    static_cast<Scan*>(data)->inDoctype = false;
}

// With a default handler and no other, the parser hands it each reference
// it does not expand itself, as written ("&yen;").
void OnDefault(void* data, const XML_Char* s, int length)
{
    Scan& scan = *static_cast<Scan*>(data);
    if (scan.inDoctype || length < 3 || s[0] != '&' || s[length - 1] != ';')
        return;
    scan.found.references.push_back({wxString::FromUTF8(s + 1, size_t(length) - 2), Line(scan)});
}
// Text and the references the parser expands are not wanted; without this
// handler they would reach the default one.
void OnText(void*, const XML_Char*, int) {}
} // namespace

UnexpandedEntities FindUnexpandedEntities(const std::string& text)
{
    Scan scan{XML_ParserCreate(nullptr), {}, false};
    XML_SetUserData(scan.parser, &scan);
    XML_SetDoctypeDeclHandler(scan.parser, OnDoctypeStart, OnDoctypeEnd);
    XML_SetCharacterDataHandler(scan.parser, OnText);
    XML_SetDefaultHandler(scan.parser, OnDefault);
    XML_Parse(scan.parser, text.data(), int(text.size()), XML_TRUE);
    XML_ParserFree(scan.parser);
    return scan.found;
}
