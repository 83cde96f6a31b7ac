#pragma once

#include <wx/xml/xml.h>

#include <string>

// Serialises a whole document into memory, in the document's file encoding.
// Returns false, leaving `bytes` unspecified, when the document has no root or
// cannot be written as well-formed XML that reads back as it is in memory (an
// invalid name, a comment or instruction that cannot be delimited, a character
// XML cannot carry or the encoding cannot represent outside text and
// attribute values, an encoding without a converter).
// A negative indent step puts the element tree on one line.
bool WriteXmlDocument(const wxXmlDocument& doc, int indentStep, std::string& bytes);
