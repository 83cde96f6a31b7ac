#pragma once

#include "scoring/rule.h"

#include <wx/arrstr.h>

class wxXmlNode;

// "rules\rules_$TYPE$_$MODE$-zh_CN.xml", with a backslash as folder separator.
extern const wxString g_rulesFileTemplate;

// The rule file of a friend type (0 girlfriend, 1 boyfriend) and a mode
// (0 normal, 1 crazy). Another index leaves its placeholder in the name, so
// no file is found. The folder separator is still the backslash.
wxString RulesFileName(int friendType, int mode);
// The same as a path of the running platform, in the data folder (DataPath).
wxString RulesFilePath(int friendType, int mode);

// Reads the rules below the root element "rules", in file order, as new
// objects. Reading stops at the first child that is
// neither a rule element nor a comment or processing instruction. Rules of
// an unknown kind are left out. A root with another name gives no rules.
RuleArray ReadRules(const wxXmlNode* root);

// A distinct grid row name for each rule: its id where that is non-empty and
// not taken by an earlier rule, else the id with a "#n" suffix.
wxArrayString RowNames(const RuleArray& rules);
