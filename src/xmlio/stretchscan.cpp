#include "xmlio/stretchscan.h"

#include <expat.h>

#include <algorithm>

namespace
{
class StretchScan
{
public:
    explicit StretchScan(const std::string& bytes) : m_parser(XML_ParserCreate(nullptr))
    {
        XML_SetUserData(m_parser, this);
        XML_SetElementHandler(m_parser, OnStart, OnEnd);
        XML_SetCharacterDataHandler(m_parser, OnText);
        XML_SetCommentHandler(m_parser, OnComment);
        XML_SetProcessingInstructionHandler(m_parser, OnInstruction);
        XML_SetDefaultHandler(m_parser, OnOther);
        // A parse error ends the scan; the stretch then runs to the end.
        XML_Parse(m_parser, bytes.data(), int(bytes.size()), XML_TRUE);
        XML_ParserFree(m_parser);
        Extend(XML_Index(bytes.size()));
    }

    XmlStretch Longest() const { return {size_t(m_longestStart), size_t(m_longest)}; }

private:
    void Mark()
    {
        const XML_Index end = XML_GetCurrentByteIndex(m_parser) + XML_GetCurrentByteCount(m_parser);
        Extend(end);
        m_stretchStart = std::max(m_stretchStart, end);
    }

    // The stretch now running reaches end.
    void Extend(XML_Index end)
    {
        if (end - m_stretchStart > m_longest)
        {
            m_longest = end - m_stretchStart;
            m_longestStart = m_stretchStart;
        }
    }

    static void OnStart(void* scan, const XML_Char*, const XML_Char**)
    {
        static_cast<StretchScan*>(scan)->Mark();
    }
    static void OnEnd(void* scan, const XML_Char*) { static_cast<StretchScan*>(scan)->Mark(); }
    static void OnText(void*, const XML_Char*, int) {}
    static void OnComment(void* scan, const XML_Char*) { static_cast<StretchScan*>(scan)->Mark(); }
    static void OnInstruction(void* scan, const XML_Char*, const XML_Char*)
    {
        static_cast<StretchScan*>(scan)->Mark();
    }
    static void OnOther(void* scan, const XML_Char* s, int length)
    {
        if (length == 0 || s[0] != '&')
            static_cast<StretchScan*>(scan)->Mark();
    }

    XML_Parser m_parser;
    XML_Index m_stretchStart = 0;
    XML_Index m_longest = 0;
    XML_Index m_longestStart = 0;
};

} // namespace

XmlStretch LongestStretch(const std::string& bytes)
{
    return StretchScan(bytes).Longest();
}
