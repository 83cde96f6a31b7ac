#include "app/frame.h"
#include "scoring/rowaccess.h"
#include "support/framefixture.h"
#include "support/workdir.h"

#include <gtest/gtest.h>
#include <wx/propgrid/propgrid.h>
#include <wx/statusbr.h>
#include <wx/textctrl.h>

// The checklist as every platform's screen-reader side reads and answers
// it. What reaches the desktop from here is tested on the real program
// (tests/app/accessibility_test.py).
namespace
{
const std::string g_rules = R"(<?xml version="1.0" encoding="UTF-8"?>
<rules>
  <rule><id>cooks</id><pg_type>bool</pg_type><content>会做饭吗</content>
        <lower_price>150</lower_price></rule>
  <rule><id>books</id><pg_type>int</pg_type><content>每月读几本书</content>
        <lower_price>25</lower_price></rule>
</rules>
)";

class RowAccessTest : public FrameFixture
{
protected:
    RowAccessTest() : work({{"rules/rules_gf_normal-zh_CN.xml", g_rules}}) {}
    void SetUp() override
    {
        OpenFrame();
        rows = ChecklistRowList(grid);
    }

    ScopedWorkDir work;
    std::unique_ptr<AccessibleRowList> rows;
};
} // namespace

TEST_F(RowAccessTest, RowsSayWhatTheGridShowsAndAnswerAsTheKeyboardDoes)
{
    ASSERT_EQ(rows->RowCount(), 3u);
    EXPECT_EQ(rows->Row(0).role, AccessibleRole::Heading);
    const AccessibleRow box = rows->Row(1);
    EXPECT_EQ(box.role, AccessibleRole::CheckBox);
    EXPECT_EQ(box.name, wxString::FromUTF8("会做饭吗"));
    EXPECT_FALSE(box.checked);
    EXPECT_EQ(rows->Row(2).role, AccessibleRole::NumberField);
    EXPECT_EQ(rows->Row(2).value, "0");

    EXPECT_TRUE(rows->ActivateRow(1));
    EXPECT_TRUE(rows->Row(1).checked);
    EXPECT_TRUE(grid->GetPropertyValueAsBool("cooks"));
    EXPECT_FALSE(rows->ActivateRow(2)) << "a number row has nothing to tick";
    EXPECT_FALSE(rows->SetRowValue(1, "3")) << "a checkbox takes no text";

    // Full-width digits and point, as an input method types them.
    EXPECT_TRUE(rows->SetRowValue(2, wxString::FromUTF8("２．５")));
    EXPECT_EQ(rows->Row(2).value, "3");
    EXPECT_FALSE(frame->GetStatusBar()->GetStatusText(0).empty()) << "the rounding is told";
    EXPECT_FALSE(rows->SetRowValue(2, "abc"));
    EXPECT_EQ(rows->Row(2).value, "3");
}

// With the row's editor open, the editor's text is what the next commit
// (Tab, Calculate) counts: it must be the value set, not what was typed.
TEST_F(RowAccessTest, AValueSetWhileTheEditorIsOpenIsTheOneCounted)
{
    wxPGProperty* books = grid->GetPropertyByName("books");
    grid->SelectProperty(books, true);
    auto* editor = dynamic_cast<wxTextCtrl*>(grid->GetEditorControl());
    ASSERT_TRUE(editor);
    editor->ChangeValue("7");
    EXPECT_TRUE(rows->SetRowValue(2, "4"));
    EXPECT_EQ(rows->CurrentRow(), 2);
    grid->CommitChangesFromEditor();
    EXPECT_EQ(grid->GetPropertyValueAsLong("books"), 4);
}

// The rows are listed once and listed again when the user folds a heading
// or the list is rebuilt: a stale list would name rows no longer shown, or
// rows already deleted.
TEST_F(RowAccessTest, RowsFollowFoldingAndRebuilding)
{
    ASSERT_EQ(rows->RowCount(), 3u);
    wxPGProperty* heading = *grid->GetIterator(wxPG_ITERATE_CATEGORIES);
    grid->Collapse(heading);
    // As the grid tells of a fold the user makes (of one made in code it
    // tells nothing, and the program makes none).
    wxPropertyGridEvent folded(wxEVT_PG_ITEM_COLLAPSED, grid->GetId());
    folded.SetProperty(heading);
    folded.SetEventObject(grid);
    grid->GetEventHandler()->ProcessEvent(folded);
    EXPECT_EQ(rows->RowCount(), 1u);
    EXPECT_EQ(rows->Row(1).name, wxString()) << "no row beyond the folded heading";

    work.Write("rules/rules_gf_normal-zh_CN.xml",
               "<rules><rule><id>swims</id><pg_type>bool</pg_type><content>会游泳吗</content>"
               "<lower_price>50</lower_price></rule></rules>");
    frame->BuildChecklist(0, 0);
    rows->Forget(); // as the rebuild's announcement does for the desktop's list
    ASSERT_EQ(rows->RowCount(), 2u);
    EXPECT_EQ(rows->Row(1).name, wxString::FromUTF8("会游泳吗"));
    EXPECT_EQ(rows->CurrentRow(), -1);
}
