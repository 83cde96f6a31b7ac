#include "xmlwrite.h"

#include "timing.h"
#include "xmlio/xmldocumentex.h"

#include <libxml/parser.h>
#include <libxml/tree.h>
#include <wx/filename.h>
#include <wx/xml/xml.h>

#include <functional>

namespace
{
// One entry of the document: attributes that need quoting, CJK text, text
// that needs escaping, now and then a comment or a CDATA section.
wxXmlNode* Entry(int i)
{
    auto* entry = new wxXmlNode(wxXML_ELEMENT_NODE, "entry");
    entry->AddAttribute("id", wxString::Format("e%d", i));
    entry->AddAttribute("note", "say \"yes\" & mean it");
    auto* title = new wxXmlNode(entry, wxXML_ELEMENT_NODE, "title");
    new wxXmlNode(title, wxXML_TEXT_NODE, "",
                  wxString::FromUTF8("第") + wxString::Format("%d", i) +
                      wxString::FromUTF8("题：会做饭吗？"));
    auto* price = new wxXmlNode(entry, wxXML_ELEMENT_NODE, "price");
    new wxXmlNode(price, wxXML_TEXT_NODE, "", wxString::Format("%d", i % 97 - 40));
    auto* text = new wxXmlNode(entry, wxXML_ELEMENT_NODE, "text");
    new wxXmlNode(text, wxXML_TEXT_NODE, "", "a < b && c > d, plain words to make up a line");
    if (i % 50 == 0)
    {
        new wxXmlNode(entry, wxXML_COMMENT_NODE, "", " checkpoint ");
        new wxXmlNode(entry, wxXML_CDATA_SECTION_NODE, "", "raw <markup> & more");
    }
    new wxXmlNode(entry, wxXML_ELEMENT_NODE, "empty");
    return entry;
}

// About 200 bytes an entry. Siblings are linked at the tail: AddChild walks
// the whole list every time.
void BuildDocument(wxXmlDocument& doc, double targetBytes)
{
    auto* root = new wxXmlNode(wxXML_ELEMENT_NODE, "catalog");
    doc.SetRoot(root);
    wxXmlNode* last = nullptr;
    for (int i = 0; i < targetBytes / 200; ++i)
    {
        wxXmlNode* entry = Entry(i);
        if (last)
            root->InsertChildAfter(entry, last);
        else
            root->AddChild(entry);
        last = entry;
    }
}

WriterResult Measure(const std::string& name, const std::string& path, int runs,
                     const std::function<bool()>& save)
{
    std::vector<double> times;
    bool saved = true;
    for (int run = 0; run < runs; ++run)
        times.push_back(CpuMs([&] { saved = save() && saved; }));
    WriterResult result{name, saved ? wxFileName::GetSize(path).ToDouble() : 0, Median(times)};
    wxRemoveFile(path);
    return result;
}
} // namespace

std::vector<WriterResult> MeasureWriters(double targetBytes, int runs, const std::string& folder)
{
    // Two copies of one tree: the base class's file Save would reach the
    // override through its virtual stream Save.
    wxXmlDocumentEx ex;
    wxXmlDocument plain;
    BuildDocument(ex, targetBytes);
    BuildDocument(plain, targetBytes);
    const std::string exPath = folder + "/ex.xml", wxPath = folder + "/wx.xml",
                      libxmlPath = folder + "/libxml2.xml";

    // libxml2 writes the same document, read back from wx's output.
    plain.Save(wxPath, wxXML_NO_INDENTATION);
    xmlDocPtr libxmlDoc = xmlReadFile(wxPath.c_str(), nullptr, 0);

    std::vector<WriterResult> results;
    results.push_back(Measure("wxXmlDocumentEx::Save", exPath, runs,
                              [&] { return ex.Save(exPath, wxXML_NO_INDENTATION); }));
    results.push_back(Measure("wxXmlDocument::Save", wxPath, runs,
                              [&] { return plain.Save(wxPath, wxXML_NO_INDENTATION); }));
    results.push_back(Measure("libxml2 xmlSaveFile", libxmlPath, runs,
                              [&] { return xmlSaveFile(libxmlPath.c_str(), libxmlDoc) > 0; }));
    xmlFreeDoc(libxmlDoc);
    return results;
}
