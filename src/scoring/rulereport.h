#pragma once

#include "scoring/ruleformat.h"

#include <wx/string.h>

class wxXmlNode;

// Where a rule kind says what it finds in its fields, for the checker: each
// problem or warning on the line of the node it concerns.
class RuleReport
{
public:
    virtual void Report(const wxXmlNode* node, const wxString& message, bool warning = false) = 0;
    // How an element's text reads as a number, said of the element (named
    // as the format spells it) when it does not read as written; the same
    // words for every number of a file.
    virtual void CheckNumber(const wxXmlNode* node, const wxString& name) = 0;

    // An element that the format does not know, ignored.
    virtual void ReportUnknown(const wxXmlNode* element) = 0;
    // Each attribute of an element: none is ever read.
    virtual void ReportAttributes(const wxXmlNode* element) = 0;

    // A nonzero number field that no answer can bring into the price.
    void ReportUnused(const RuleFields& fields, RuleField field, const wxString& why);

protected:
    ~RuleReport() = default;
};

// "<name>", as messages name an element.
wxString Tag(const wxString& name);
