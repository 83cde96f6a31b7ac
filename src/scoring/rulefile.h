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
// The same as a path of the running platform, relative to the working folder.
wxString RulesFilePath(int friendType, int mode);

// The leading decimal number of text ("  12abc" is 12; no digits is 0),
// clamped to the range of int.
int ReadNumber(const wxString& text);

// The largest rule file read (the shipped ones are about 10 KB), and the
// longest stretch of it without markup other than text: one comment, tag or
// text node. The library's loader takes minutes on a few MB of one such
// stretch, so files beyond either limit are refused as unreadable.
extern const size_t g_ruleFileLimit;
extern const size_t g_ruleStretchLimit;

// Loads a rule file as the window does: a plain file within the limits,
// parsed by the library as UTF-8. A refusal is logged as an error; what the
// library reports on a broken file is its own.
bool LoadRuleDocument(const wxString& path, wxXmlDocument& doc);
// The same for a file's bytes already read; name is the file for the log.
bool LoadRuleBytes(const std::string& bytes, const wxString& name, wxXmlDocument& doc);

// Reads the rules below the root element "rules", in file order, as new
// objects that the caller owns. Reading stops at the first child that is
// neither a rule element nor a comment or processing instruction. Rules of
// an unknown kind are left out. A root with another name gives no rules.
RuleArray ReadRules(const wxXmlNode* root);

// A distinct grid row name for each rule: its id where that is non-empty and
// not taken by an earlier rule, else the id with a "#n" suffix.
wxArrayString RowNames(const RuleArray& rules);
