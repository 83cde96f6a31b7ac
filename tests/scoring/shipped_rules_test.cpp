#include "scoring/rulefile.h"

#include <gtest/gtest.h>
#include <wx/filename.h>
#include <wx/xml/xml.h>

#include <set>

// The four checklists that ship with the program, as the run folder holds them.
TEST(ShippedRules, LoadCompletelyWithUniqueIds)
{
    for (int friendType : {0, 1})
        for (int mode : {0, 1})
        {
            const wxString name = RulesFileName(friendType, mode);
            SCOPED_TRACE(name.utf8_string());
            wxXmlDocument doc;
            ASSERT_TRUE(doc.Load(wxFileName(name, wxPATH_WIN).GetFullPath(), "UTF-8", 0));

            size_t elements = 0;
            for (const wxXmlNode* child = doc.GetRoot()->GetChildren(); child;
                 child = child->GetNext())
                elements += child->GetType() == wxXML_ELEMENT_NODE;

            const RuleArray rules = ReadRules(doc.GetRoot());
            EXPECT_EQ(rules.size(), elements); // every rule read, none skipped
            EXPECT_GE(rules.size(), 20u);
            EXPECT_LE(rules.size(), 40u);

            std::set<wxString> ids;
            size_t numberRules = 0;
            for (const Rule* rule : rules)
            {
                EXPECT_FALSE(rule->id.empty());
                EXPECT_TRUE(ids.insert(rule->id).second) << rule->id.utf8_string();
                EXPECT_FALSE(rule->content.empty());
                numberRules += rule->Kind() == RuleKind::Int;
            }
            EXPECT_GT(numberRules, 0u);
            EXPECT_LT(numberRules, rules.size());
        }
}
