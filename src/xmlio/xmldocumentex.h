#pragma once

#include <wx/xml/xml.h>

// The program's XML document: loads with the library's parser and saves with
// its own writer, whose output reads back as the tree in memory or is not
// written at all.
class wxXmlDocumentEx : public wxXmlDocument
{
public:
    using wxXmlDocument::wxXmlDocument;

    // Writes a temporary file beside the target and renames it over the
    // target only when the whole document is written, so that a failed save
    // leaves an existing file as it was. A read-only target is not replaced.
    bool Save(const wxString& filename, int indentstep = 2) const override;
    // Writes nothing when the document cannot be written (no root, a name,
    // comment or character XML cannot carry, no converter for the file
    // encoding); false also when the stream reports a write error.
    bool Save(wxOutputStream& stream, int indentstep = 2) const override;
};
