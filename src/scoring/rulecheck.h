#pragma once

#include <wx/string.h>

#include <vector>

struct RuleLoadFault;
class wxXmlNode;

// One thing in a rule file that the program would read differently from how
// it is written, or not at all. Line 0 stands for the file as a whole. A
// warning is something the program reads as written but other readers of
// the rule format would not.
struct RuleProblem
{
    int line;
    wxString message;
    bool warning = false;
};

// Why a rule file was not read (LoadRuleFile's fault, not None), or why it
// reads garbled (kind None with readsAs set), as a problem of the file. The
// message does not name the file.
RuleProblem LoadProblem(const RuleLoadFault& fault);

// The window's report of a fault, logged as an error naming the file, in the
// same words as LoadProblem.
void LogRuleLoadFault(const wxString& path, const RuleLoadFault& fault);

// The problems of a loaded rule file, in document order.
std::vector<RuleProblem> CheckRuleDocument(const wxXmlNode* root);

// Why no row answers to a name that the checklist lacks, where the file is
// to blame: it is not read, or the rule with that id is left out or comes
// after reading stops. False when no rule of the file has that id.
bool WhyNoRow(const wxXmlNode* root, const wxString& row, RuleProblem& why);
