#pragma once

#include <wx/string.h>

#include <string>

class wxMBConv;

// The encoding that the XML declaration of a document names. Found only
// where the declaration is written in ASCII bytes (in every encoding but
// UTF-16 and its kin), after a UTF-8 byte order mark if there is one.
struct EncodingDeclaration
{
    wxString name;     // as written; empty when the document declares none
    size_t start = 0;  // where the document starts, after a byte order mark
    size_t offset = 0; // of the name in the bytes
    int line = 1;      // of the name
};
EncodingDeclaration FindEncodingDeclaration(const std::string& bytes);

// Whether the XML parser decodes an encoding itself. The library hands the
// parser any other encoding one byte at a time, which garbles every
// multi-byte encoding (GBK, Big5, Shift_JIS...).
bool ParserDecodes(const wxString& encoding);

// The document converted from its declared encoding to UTF-8, its
// declaration then naming UTF-8 and every line where it was. False when the
// bytes are not valid in the encoding.
bool ReencodeAsUtf8(const std::string& bytes, const EncodingDeclaration& declaration,
                    const wxMBConv& from, std::string& utf8);

// The first line (counted from 1) that holds bytes not valid in an encoding,
// or 0 when no single line does.
int FirstInvalidLine(const std::string& bytes, const wxMBConv& conv);
