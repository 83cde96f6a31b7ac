#pragma once

#include "xmlio/bytebuffer.h"

#include <wx/xml/xml.h>

// Serialises a whole document into `out`, in the document's file encoding.
// Returns false, with `out` unspecified, when the document has no root or
// cannot be written as well-formed XML that reads back as it is in memory (an
// invalid name, a comment or instruction that cannot be delimited, a character
// XML cannot carry or the encoding cannot represent outside text and
// attribute values, an encoding without a converter).
// A negative indent step puts the element tree on one line.
bool WriteXmlDocument(const wxXmlDocument& doc, int indentStep, ByteBuffer& out);

// The same, handed to `sink` piece by piece as it is written when the file
// encoding is UTF-8 (other encodings are converted whole at the end). On
// false the sink may have received the start of the document.
bool StreamXmlDocument(const wxXmlDocument& doc, int indentStep, const ByteSink& sink);
