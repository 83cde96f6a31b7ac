#pragma once

#include "scoring/rule.h"

#include <wx/arrstr.h>

#include <string>

class wxXmlDocument;
class wxXmlNode;

// "rules\rules_$TYPE$_$MODE$-zh_CN.xml", with a backslash as folder separator.
extern const wxString g_rulesFileTemplate;

// The rule file of a friend type (0 girlfriend, 1 boyfriend) and a mode
// (0 normal, 1 crazy). Another index leaves its placeholder in the name, so
// no file is found. The folder separator is still the backslash.
wxString RulesFileName(int friendType, int mode);
// The same as a path of the running platform, in the data folder (DataPath).
wxString RulesFilePath(int friendType, int mode);

// The leading decimal number of text ("  12abc" is 12; no digits is 0),
// after any white space a UTF-8 locale knows, clamped to the range of int.
int ReadNumber(const wxString& text);

// The largest rule file read (the shipped ones are about 10 KB), and the
// longest stretch of it without markup other than text: one comment, tag or
// text node. The library's loader takes minutes on a few MB of one such
// stretch, so files beyond either limit are refused as unreadable.
extern const size_t g_ruleFileLimit;
extern const size_t g_ruleStretchLimit;

// Reads a plain file of at most g_ruleFileLimit bytes. A FIFO, a device or
// a larger file is refused, and the refusal logged as an error; a missing
// file is the library's to report.
bool ReadRuleFile(const wxString& path, std::string& bytes);

// What keeps the bytes of a rule file from the parser.
struct RuleTextFault
{
    enum class Kind
    {
        None,
        TooLarge,        // beyond a limit, as read or once converted
        UnknownEncoding, // declared, but unknown to the system's converter
        InvalidBytes,    // not valid in the declared encoding
    };
    Kind kind = Kind::None;
    wxString encoding; // the declared encoding, for the encoding faults
    int line = 0;      // of the declaration, or the first with invalid bytes
};

// Makes the bytes of a rule file into the text the parser reads. A file that
// declares an encoding the parser does not decode itself (GBK, Big5,
// Shift_JIS...) is converted to UTF-8 with the system's converter, so that it
// reads as written; the limits apply to what the parser gets. After a fault
// the bytes are as they were.
RuleTextFault PrepareRuleText(std::string& bytes);

// Parses prepared text as the window does.
bool ParseRuleText(const std::string& text, wxXmlDocument& doc);

// Loads a rule file as the window does: read, prepared and parsed. A fault
// is logged as an error naming the file; what the library reports on a
// broken file is its own.
bool LoadRuleDocument(const wxString& path, wxXmlDocument& doc);
// The same for a file's bytes already read; name is the file for the log.
bool LoadRuleBytes(std::string bytes, const wxString& name, wxXmlDocument& doc);

// Reads the rules below the root element "rules", in file order, as new
// objects that the caller owns. Reading stops at the first child that is
// neither a rule element nor a comment or processing instruction. Rules of
// an unknown kind are left out. A root with another name gives no rules.
RuleArray ReadRules(const wxXmlNode* root);

// A distinct grid row name for each rule: its id where that is non-empty and
// not taken by an earlier rule, else the id with a "#n" suffix.
wxArrayString RowNames(const RuleArray& rules);
