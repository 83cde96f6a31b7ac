// Loads arbitrary bytes with the library's parser; whatever loads must save
// and load again to the same tree.
#include "fuzzsupport.h"
#include "support/xmltree.h"
#include "xmlio/xmldocumentex.h"

#include <wx/mstream.h>
#include <wx/strconv.h>

#include <cstdio>
#include <cstdlib>
#include <regex>

namespace
{
void Fail(const char* what, const std::string& detail, const wxMemoryOutputStream& saved)
{
    std::string bytes(saved.GetLength(), '\0');
    saved.CopyTo(bytes.data(), bytes.size());
    std::fprintf(stderr, "%s %s\n--- saved ---\n%s\n", what, detail.c_str(), bytes.c_str());
    std::abort();
}

// The loader keeps encoding names that no converter knows, and reads the
// declaration loosely enough to keep a version or encoding that is not one
// (`encoding= "x"` gives `"x"`); saving must refuse those, and only those.
bool CanDeclare(const wxXmlDocument& doc)
{
    static const std::regex version("[A-Za-z0-9_.:-]+");
    static const std::regex encoding("[A-Za-z][A-Za-z0-9._-]*");
    return std::regex_match(doc.GetVersion().utf8_string(), version) &&
           std::regex_match(doc.GetFileEncoding().utf8_string(), encoding) &&
           wxCSConv(doc.GetFileEncoding()).IsOk();
}

bool HasLatin1Letter(const wxString& name)
{
    return name.find_first_of(L"\u00AA\u00B5\u00BA") != wxString::npos;
}

// The parser takes "ª", "µ" and "º" in names of ISO-8859-1 documents only;
// with the declaration read loosely such a document can hold another
// encoding name, and then saving must refuse.
bool HasForeignName(const wxXmlNode* node)
{
    for (; node; node = node->GetNext())
    {
        bool foreign = HasLatin1Letter(node->GetName()) || HasForeignName(node->GetChildren());
        for (const wxXmlAttribute* attr = node->GetAttributes(); attr; attr = attr->GetNext())
            foreign = foreign || HasLatin1Letter(attr->GetName());
        if (foreign)
            return true;
    }
    return false;
}

bool CanSave(const wxXmlDocument& doc)
{
    return CanDeclare(doc) && (doc.GetFileEncoding().IsSameAs("ISO-8859-1", false) ||
                               (!HasForeignName(doc.GetDocumentNode()) &&
                                !HasLatin1Letter(doc.GetDoctype().GetRootName())));
}

void CheckRoundTrip(const wxXmlDocumentEx& doc, int step, int flags, size_t inputSize)
{
    wxMemoryOutputStream saved;
    const bool saves = doc.Save(saved, step);
    if (saves != CanSave(doc))
        Fail(saves ? "saved without a converter" : "save refused a loaded document", "", saved);
    if (!saves)
        return;
    wxMemoryInputStream in(saved);
    wxXmlDocumentEx again;
    if (!again.Load(in, "UTF-8", flags))
        Fail("saved document does not load", "", saved);
    const bool blockSplit =
        flags == wxXMLDOC_NONE && (inputSize > 1024 || saved.GetLength() > 1024);
    const std::string diff = xmltree::Compare(doc, again, blockSplit);
    if (!diff.empty())
        Fail("tree changed:", diff, saved);
}
} // namespace

extern "C" int LLVMFuzzerTestOneInput(const unsigned char* data, size_t size)
{
    fuzzsupport::Prepare();
    if (size < 1)
        return 0;
    // The first byte picks the load flags and the indent step to check.
    const int flags = (data[0] & 1) ? wxXMLDOC_KEEP_WHITESPACE_NODES : wxXMLDOC_NONE;
    const int step = (data[0] >> 1) % 4;
    wxMemoryInputStream in(data + 1, size - 1);
    wxXmlDocumentEx doc;
    if (!doc.Load(in, "UTF-8", flags))
        return 0;
    CheckRoundTrip(doc, -1, flags, size - 1);
    if (flags == wxXMLDOC_NONE && !xmltree::HasMixedContent(doc.GetRoot()))
        CheckRoundTrip(doc, step, flags, size - 1);
    return 0;
}
