#pragma once

#include <wx/xml/xml.h>

#include <string>

// Compares two loaded documents the way a round trip must keep them: the
// declaration, the document type and every node (type, name, content,
// attributes in order, children). Returns where they first differ, or an
// empty string when they are the same.
namespace xmltree
{
inline std::string Quote(const wxString& text)
{
    return "\"" + text.utf8_string() + "\"";
}

inline std::string Differ(const char* what, const wxString& a, const wxString& b)
{
    return a == b ? std::string() : std::string(what) + ": " + Quote(a) + " vs " + Quote(b);
}

// The loader reads in blocks of 1024 bytes and, unless told to keep
// whitespace, drops whitespace that ends a block before a text: a longer
// document may lose the leading whitespace of a text on either side.
inline wxString Content(const wxXmlNode* node, bool blockSplit)
{
    if (!blockSplit || node->GetType() != wxXML_TEXT_NODE)
        return node->GetContent();
    return wxString(node->GetContent()).Trim(false);
}

// Other nodes carry no name in XML; the loader makes one up ("text").
inline bool HasName(const wxXmlNode* node)
{
    return node->GetType() == wxXML_ELEMENT_NODE || node->GetType() == wxXML_PI_NODE;
}

inline std::string CompareNodes(const wxXmlNode* a, const wxXmlNode* b, const std::string& path,
                                bool blockSplit)
{
    for (int index = 0; a || b; a = a->GetNext(), b = b->GetNext(), ++index)
    {
        const std::string here = path + "/" + std::to_string(index);
        if (!a || !b)
            return here + ": node missing on the " + (a ? "right" : "left");
        std::string diff;
        if (a->GetType() != b->GetType())
            diff = "type " + std::to_string(a->GetType()) + " vs " + std::to_string(b->GetType());
        else if (HasName(a) && a->GetName() != b->GetName())
            diff = Differ("name", a->GetName(), b->GetName());
        else if (Content(a, blockSplit) != Content(b, blockSplit))
            diff = Differ("content", a->GetContent(), b->GetContent());
        const wxXmlAttribute* attrA = a->GetAttributes();
        const wxXmlAttribute* attrB = b->GetAttributes();
        for (; diff.empty() && (attrA || attrB); attrA = attrA->GetNext(), attrB = attrB->GetNext())
        {
            if (!attrA || !attrB)
                diff = "attribute count";
            else if (attrA->GetName() != attrB->GetName())
                diff = Differ("attribute name", attrA->GetName(), attrB->GetName());
            else
                diff = Differ("attribute value", attrA->GetValue(), attrB->GetValue());
        }
        if (diff.empty())
            diff = CompareNodes(a->GetChildren(), b->GetChildren(), here, blockSplit);
        else
            diff = here + " " + diff;
        if (!diff.empty())
            return diff;
    }
    return std::string();
}

inline std::string Compare(const wxXmlDocument& a, const wxXmlDocument& b, bool blockSplit = false)
{
    for (const std::string& diff :
         {Differ("version", a.GetVersion(), b.GetVersion()),
          Differ("encoding", a.GetFileEncoding(), b.GetFileEncoding()),
          Differ("doctype", a.GetDoctype().GetFullString(), b.GetDoctype().GetFullString())})
        if (!diff.empty())
            return diff;
    if (!a.GetDocumentNode() || !b.GetDocumentNode())
        return a.GetDocumentNode() == b.GetDocumentNode() ? std::string() : "document node";
    return CompareNodes(a.GetDocumentNode()->GetChildren(), b.GetDocumentNode()->GetChildren(), "",
                        blockSplit);
}

// Whether any element holds both text and other nodes: only then does
// indentation change what a reader sees.
inline bool HasMixedContent(const wxXmlNode* node)
{
    bool text = false, other = false;
    for (const wxXmlNode* child = node->GetChildren(); child; child = child->GetNext())
    {
        (child->GetType() == wxXML_TEXT_NODE ? text : other) = true;
        if (HasMixedContent(child))
            return true;
    }
    return text && other;
}
} // namespace xmltree
