#pragma once

#include <wx/string.h>

#include <string>
#include <vector>

// Where and why an XML document is not well-formed, as the parser that the
// library uses finds it, with what was open at that point: the library
// reports only the parser's message and line ("mismatched tag" at an end
// tag, however far below the start tag left open).
struct XmlParseError
{
    enum class Kind
    {
        Other,
        Mismatch,        // an end tag that does not close the innermost open element
        EndsEarly,       // the document ends inside an element
        NoElement,       // the document holds no element at all
        BareMarkup,      // a '&' or '<' in text that starts no reference or tag
        UndefinedEntity, // a reference to an entity nobody defined
        Control,         // a control character that XML does not allow, in control
        LateDeclaration, // the <?xml ...?> declaration after the very start
        AfterRoot,       // more than white space and comments after the root element
        WrongEncoding,   // the declared encoding contradicts the byte order mark or bytes
        LookAlike,       // a curly quote or full-width mark in markup, in lookAlike
        UnknownEncoding, // the parser knows no such encoding
    };
    struct OpenElement
    {
        wxString name;
        int line;
    };

    Kind kind = Kind::Other;
    int line = 0;
    wxString reason;               // the parser's message
    std::vector<OpenElement> open; // elements open at the error, outermost first
    wxString endTag;               // for a mismatch: the name in the end tag
    char bareMarkup = 0;           // for bare markup: '&' or '<'
    unsigned char control = 0;     // for a control character: its code
    wxString root;                 // the root element's name, once it has started
    wxString entity;               // for an undefined entity: its name, if found
    // For LookAlike: the character typed, and the ASCII one that XML needs.
    wxUniChar::value_type lookAlike = 0;
    char meant = 0;
};

// Parses the document once; false when it is well-formed.
bool FindXmlParseError(const std::string& text, XmlParseError& error);
