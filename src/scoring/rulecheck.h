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

// The problems of a file that loaded as written (LoadRuleFile's fault of
// kind None, without readsAs): its document's, and the DOCTYPE and entity
// references it was read without, in line order.
std::vector<RuleProblem> CheckLoadedRuleFile(const RuleLoadFault& fault, const wxXmlNode* root);

// Why no row answers to a name that the checklist lacks, where the file is
// to blame: it is not read, or the rule with that id is left out or comes
// after reading stops. False when no rule of the file has that id.
bool WhyNoRow(const wxXmlNode* root, const wxString& row, RuleProblem& why);

// The window's notice that reading of the rules stopped before their end
// (at text or an element that is no rule), naming the line and the rules
// left unread; empty when all were read.
wxString ReadingStopNotice(const wxXmlNode* root);
