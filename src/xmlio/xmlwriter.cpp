#include "xmlio/xmlwriter.h"

#include "xmlio/xmlchars.h"

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <vector>

namespace
{
constexpr uintptr_t g_cacheLine = 64;
constexpr uintptr_t g_fetchWindow = 4096;
constexpr uintptr_t g_nearSibling = 16384; // how far ahead the next sibling may lie

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
        const bool inOrder = from > m_last && from - m_last < g_nearSibling;
        m_last = from;
        if (!inOrder || m_fetched < from || m_fetched > from + g_fetchWindow)
            m_fetched = from;
        const uintptr_t to = from + (inOrder ? g_fetchWindow : sizeof(wxXmlNode));
        for (; m_fetched < to; m_fetched += g_cacheLine)
            __builtin_prefetch(reinterpret_cast<const void*>(m_fetched));
    }

private:
    uintptr_t m_last = 0;
    uintptr_t m_fetched = 0;
};

// Walks the tree and lays out the markup; the escaper writes the strings.
class Writer
{
public:
    Writer(const wxString& encoding, int indentStep, ByteBuffer& out)
        : m_out(out), m_step(indentStep), m_chars(encoding)
    {
    }

    bool WriteDocument(const wxXmlDocument& doc)
    {
        const wxXmlNode* root = doc.GetRoot();
        if (!root || !m_chars.IsOk() || !IsVersionNumber(doc.GetVersion()) ||
            !IsEncodingName(doc.GetFileEncoding()))
            return false;
        Raw("<?xml version=\"");
        Put(doc.GetVersion(), XmlContext::Verbatim);
        Raw("\" encoding=\"");
        Put(doc.GetFileEncoding(), XmlContext::Verbatim);
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
    bool Convert() { return m_chars.Convert(m_out); }

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
            if (!Put(attr->GetValue(), XmlContext::Attribute))
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
        Put(element.element->GetName(), XmlContext::Verbatim);
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
            return Put(content, XmlContext::Verbatim) && Raw("-->");
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
            return Put(content, XmlContext::Text);
        const size_t lead = content.find_first_not_of(L" \t");
        if (lead == wxString::npos || content[lead] != '>')
            return Put(content, XmlContext::Text);
        Put(content.substr(0, lead), XmlContext::Text);
        Raw(">");
        return Put(content.substr(lead + 1), XmlContext::Text);
    }

    // A section cannot hold "]]>": end it between "]]" and ">" and go on in
    // a new one.
    bool WriteCData(const wxString& content)
    {
        Raw("<![CDATA[");
        size_t from = 0;
        for (size_t end; (end = content.find(L"]]>", from)) != wxString::npos; from = end + 2)
        {
            if (!Put(content.substr(from, end + 2 - from), XmlContext::Verbatim))
                return false;
            Raw("]]><![CDATA[");
        }
        return Put(content.substr(from), XmlContext::Verbatim) && Raw("]]>");
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
            if (!Put(content, XmlContext::Verbatim))
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
            Put(publicId, XmlContext::Verbatim);
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
            if (!Put(systemId, XmlContext::Verbatim))
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

    bool Put(const wxString& text, XmlContext context) { return m_chars.Put(m_out, text, context); }

    bool PutName(const wxString& name) { return m_chars.PutName(m_out, name); }

    ByteBuffer& m_out;
    const int m_step;
    XmlEscaper m_chars;
    Prefetcher m_prefetcher;
};
} // namespace

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
