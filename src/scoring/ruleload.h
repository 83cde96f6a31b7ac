#pragma once

#include "xmlio/parseerror.h"

#include <wx/string.h>

#include <string>

class wxXmlDocument;

// The largest rule file read (the shipped ones are about 10 KB), and the
// longest stretch of it without markup other than text: one comment, tag or
// text node. The library's loader takes minutes on a few MB of one such
// stretch, so files beyond either limit are refused as unreadable.
extern const size_t g_ruleFileLimit;
extern const size_t g_ruleStretchLimit;

// Why a rule file was not read, as a value, worded by LoadProblem (the
// checker) and LogRuleLoadFault (the window) in rulecheck.h.
struct RuleLoadFault
{
    enum class Kind
    {
        None,
        NotPlainFile,    // a folder, FIFO or device: refused unopened
        CannotOpen,      // systemError says why
        ReadFailed,      // systemError says why
        FileTooLarge,    // the file is larger than limit bytes
        TooLarge,        // the text for the parser, as given or converted, is beyond limit
        StretchTooLong,  // one comment, tag or text of it is beyond limit bytes of UTF-8
        UnknownEncoding, // encoding is declared on line but unknown to the system
        InvalidBytes,    // not valid in the declared encoding; line 0: no single line is
        NotWellFormed,   // the parser's fault, in parse
    };
    Kind kind = Kind::None;
    int line = 0; // where the fault is, 0 when it is the whole file's
    size_t limit = 0;
    unsigned long systemError = 0;
    wxString encoding; // declared, or for a parse fault the one the parser read
    // Another encoding that the whole file is valid in, where the file is not
    // valid in the one it is read in (an invalid line, or a parse fault on a
    // line that is not valid UTF-8), or the one its byte order mark names
    // where the declaration contradicts it; empty if none fits. With kind
    // None: the file loaded, but it declares encoding (on line) while its
    // bytes are readsAs (a UTF-8 file declared latin1), so its text is garbled.
    wxString readsAs;
    bool byteOrderMark = false; // readsAs is what the byte order mark says
    // For a parse fault: the line of the fault holds bytes that are not
    // valid UTF-8, the encoding the parser read.
    bool invalidUtf8 = false;
    XmlParseError parse; // for NotWellFormed
};

// Loads a rule file as the window does: a plain file of at most
// g_ruleFileLimit bytes, prepared for the parser (a file that declares an
// encoding the parser does not decode itself, such as GBK, Big5 or
// Shift_JIS, is converted to UTF-8 with the system's converter, so that it
// reads as written; the limits apply to what the parser gets) and parsed.
// Logs nothing: what went wrong is returned, with kind None on success.
RuleLoadFault LoadRuleFile(const wxString& path, wxXmlDocument& doc);
// The same for a file's bytes already read.
RuleLoadFault LoadRuleBytes(std::string bytes, wxXmlDocument& doc);
