#include "app/frame.h"
#include "support/framefixture.h"
#include "support/window.h"
#include "support/workdir.h"
#include "support/wxtest.h"

#include <gtest/gtest.h>
#include <wx/button.h>
#include <wx/combo.h>
#include <wx/ffile.h>
#include <wx/html/htmlwin.h>
#include <wx/propgrid/editors.h>
#include <wx/propgrid/propgrid.h>
#include <wx/statusbr.h>
#include <wx/textctrl.h>

namespace
{
const std::string g_girlfriendNormal = R"(<?xml version="1.0" encoding="UTF-8"?>
<rules>
  <!-- header comment -->
  <rule><id>cooks</id><pg_type>bool</pg_type><content>会做饭吗</content>
        <lower_price>150</lower_price></rule>
  <rule><id>smokes</id><pg_type>bool</pg_type><content>抽烟吗</content>
        <lower_price>-1400</lower_price></rule>
  <rule><id>sports</id><pg_type>int</pg_type><content>每周运动几次</content>
        <lower_limit>1</lower_limit><upper_limit>3</upper_limit>
        <upper_price>40</upper_price><lower_price>-30</lower_price></rule>
  <rule><id>books</id><pg_type>int</pg_type><content>每月读几本书</content>
        <lower_price>25</lower_price></rule>
</rules>
)";

const std::string g_boyfriendNormal = R"(<?xml version="1.0" encoding="UTF-8"?>
<rules><rule><id>tall</id><pg_type>bool</pg_type><content>高吗</content>
<lower_price>300</lower_price></rule></rules>
)";

// The field of the number row being edited.
wxTextCtrl* Editor(wxPropertyGrid* grid)
{
    return dynamic_cast<wxTextCtrl*>(grid->GetEditorControl());
}

// Enter in a number row's field, as the field reports it.
void ConfirmEditor(wxPropertyGrid* grid)
{
    wxCommandEvent event(wxEVT_TEXT_ENTER, Editor(grid)->GetId());
    event.SetEventObject(Editor(grid));
    Editor(grid)->GetEventHandler()->ProcessEvent(event);
}

class ChecklistTest : public FrameFixture
{
protected:
    explicit ChecklistTest(std::map<wxString, std::string> files =
                               {{"rules/rules_gf_normal-zh_CN.xml", g_girlfriendNormal},
                                {"rules/rules_bf_normal-zh_CN.xml", g_boyfriendNormal}})
        : work(files)
    {
    }

    void SetUp() override { OpenFrame(); }

    // The rows under the category, as "label=value".
    std::vector<wxString> Rows()
    {
        std::vector<wxString> rows;
        for (wxPropertyGridIterator it = grid->GetIterator(wxPG_ITERATE_PROPERTIES); !it.AtEnd();
             ++it)
            rows.push_back((*it)->GetLabel() + "=" + (*it)->GetValueAsString());
        return rows;
    }
    wxString Category()
    {
        wxPropertyGridIterator it = grid->GetIterator(wxPG_ITERATE_CATEGORIES);
        return it.AtEnd() ? wxString() : (*it)->GetLabel();
    }
    wxString Shown() { return html->ToText(); }
    wxString Status() { return frame->GetStatusBar()->GetStatusText(0); }
    wxString RowText(const wxString& name)
    {
        return grid->GetPropertyByName(name)->GetValueAsString();
    }
    // Opens a number row from the keyboard and types into it as a user does.
    void TypeAnswer(const wxString& row, const wxString& text)
    {
        grid->SetFocus();
        grid->SelectProperty(row);
        TypeText(grid, text);
        ASSERT_TRUE(Editor(grid));
        ConfirmEditor(grid);
    }
    static wxString Total(const wxString& value)
    {
        return wxString::FromUTF8("计算结果(人民币)\uFF1A") + value + wxString::FromUTF8("\uFF0C");
    }

    ScopedWorkDir work;
};

// Types into a number row's editor without confirming it.
void TypeInto(wxPropertyGrid* grid, const wxString& row, const wxString& text)
{
    grid->SelectProperty(row, true);
    auto* editor = dynamic_cast<wxTextCtrl*>(grid->GetEditorControl());
    ASSERT_NE(editor, nullptr);
    editor->SetValue(text);
}

void PressKey(wxWindow* window, wxEventType type, int key)
{
    wxKeyEvent event(type);
    event.m_keyCode = key;
    event.SetEventObject(window);
    window->GetEventHandler()->ProcessEvent(event);
}

class LongQuestionTest : public ChecklistTest
{
protected:
    LongQuestionTest()
        : ChecklistTest({{"rules/rules_gf_normal-zh_CN.xml",
                          "<rules><rule><id>a</id><pg_type>bool</pg_type><content>" +
                              std::string(300, 'x') + "</content></rule></rules>"}})
    {
    }
};

class MissingRulesTest : public ChecklistTest
{
protected:
    MissingRulesTest()
        : ChecklistTest({{"rules/rules_gf_normal-zh_CN.xml",
                          "<Rules><rule><id>a</id><pg_type>bool</pg_type></rule></Rules>"}})
    {
    }
};

class SharedIdsTest : public ChecklistTest
{
protected:
    SharedIdsTest()
        : ChecklistTest({{"rules/rules_gf_normal-zh_CN.xml",
                          "<rules><rule><id>a</id><pg_type>bool</pg_type><lower_price>10"
                          "</lower_price></rule><rule><id>a</id><pg_type>bool</pg_type>"
                          "<lower_price>100</lower_price></rule><rule><pg_type>int</pg_type>"
                          "<lower_price>-1</lower_price></rule><rule><pg_type>int</pg_type>"
                          "<lower_price>-1000</lower_price></rule></rules>"}})
    {
    }
};

// Enough rows to need scrolling, alternately yes/no and whole-number ones.
std::string LongRuleFile(int count)
{
    std::string xml = "<rules>";
    for (int i = 0; i < count; ++i)
        xml += "<rule><id>r" + std::to_string(i) + "</id><pg_type>" + (i % 2 ? "int" : "bool") +
               "</pg_type><content>q" + std::to_string(i) + "</content></rule>";
    return xml + "</rules>";
}

// A checklist saved by a Chinese Windows editor, in GBK.
std::string GbkRuleFile()
{
    wxFFile file(TESTS_SOURCE_DIR "/scoring/corpus/gbk_declared.xml", "rb");
    std::string bytes(size_t(file.Length()), '\0');
    file.Read(bytes.data(), bytes.size());
    return bytes;
}

class GbkChecklistTest : public ChecklistTest
{
protected:
    GbkChecklistTest() : ChecklistTest({{"rules/rules_gf_normal-zh_CN.xml", GbkRuleFile()}}) {}
};

class LongChecklistTest : public ChecklistTest
{
protected:
    LongChecklistTest() : ChecklistTest({{"rules/rules_gf_normal-zh_CN.xml", LongRuleFile(300)}}) {}
};
} // namespace

TEST_F(ChecklistTest, OpensOnTheFirstChecklistWithItsResult)
{
    EXPECT_EQ(Category(), "List contents");
    const std::vector<wxString> expected = {
        wxString::FromUTF8("会做饭吗=False"), wxString::FromUTF8("抽烟吗=False"),
        wxString::FromUTF8("每周运动几次=0"), wxString::FromUTF8("每月读几本书=0")};
    EXPECT_EQ(Rows(), expected);
    EXPECT_TRUE(grid->GetPropertyByName("cooks")->GetAttribute(wxPG_BOOL_USE_CHECKBOX).GetBool());
    // The initial answer 0 lies below the sports band: (1 - 0) * -30.
    EXPECT_TRUE(Shown().Contains(Total("970"))) << Shown();
}

TEST_F(ChecklistTest, CalculatePricesTheAnswersAndResetClearsThem)
{
    grid->SetPropertyValue("cooks", true);
    grid->SetPropertyValue("sports", 5L);
    grid->SetPropertyValue("books", 2L);
    EXPECT_TRUE(Shown().Contains(Total("970"))); // nothing recalculates by itself
    ClickButton(frame, "ID_BUTTON_CALC");
    EXPECT_TRUE(Shown().Contains(Total("1280"))) << Shown(); // 1000+150+80+50
    ClickButton(frame, "ID_BUTTON_CALC");
    EXPECT_TRUE(Shown().Contains(Total("1280")));

    grid->SetPropertyValue("smokes", true);
    ClickButton(frame, "ID_BUTTON_CALC");
    EXPECT_TRUE(Shown().Contains(Total("-120"))) << Shown(); // negative totals keep their sign

    ClickButton(frame, "ID_BUTTON_RESET");
    EXPECT_FALSE(grid->GetPropertyValueAsBool("cooks"));
    EXPECT_EQ(grid->GetPropertyValueAsLong("sports"), 0);
    EXPECT_TRUE(Shown().Contains(Total("970")));
}

TEST_F(ChecklistTest, ChoosingAnotherChecklistReadsItsFile)
{
    grid->SetPropertyValue("cooks", true);
    ChooseEntry(frame, "ID_CHOICE_FRIEND_TYPE", 1);
    EXPECT_EQ(Rows(), std::vector<wxString>{wxString::FromUTF8("高吗=False")});
    EXPECT_TRUE(Shown().Contains(Total("1000")));

    ChooseEntry(frame, "ID_CHOICE_FRIEND_TYPE", 0);
    EXPECT_TRUE(grid->GetPropertyValueAsBool("cooks"));

    // No crazy file here: the category alone and the base value.
    ChooseEntry(frame, "ID_CHOICE_MODE", 1);
    EXPECT_TRUE(Rows().empty());
    EXPECT_EQ(Category(), "List contents");
    EXPECT_TRUE(Shown().Contains(Total("1000")));
    EXPECT_TRUE(wxtest::LogContains("rules_gf_crazy-zh_CN.xml"));
    wxtest::ClearLog();
}

TEST_F(ChecklistTest, HugeAnswersSaturate)
{
    grid->SetPropertyValue("books", wxVariant(wxULongLong(~0ULL)));
    ClickButton(frame, "ID_BUTTON_CALC");
    EXPECT_TRUE(Shown().Contains(Total("2147483647"))) << Shown();
}

TEST_F(ChecklistTest, CalculateCountsTheNumberTheRowShows)
{
    frame->Show();
    TypeInto(grid, "books", "3");
    ClickButton(frame, "ID_BUTTON_CALC");
    EXPECT_EQ(grid->GetPropertyByName("books")->GetValueAsString(), "3");
    EXPECT_TRUE(Shown().Contains(Total("1045"))) << Shown(); // 1000-30+75

    // Tab out of the cell keeps the number; one too long for any integer
    // counts, and shows, as the largest answer.
    TypeInto(grid, "books", "99999999999999999999");
    PressKey(grid->GetEditorControl(), wxEVT_CHAR_HOOK, WXK_TAB);
    EXPECT_EQ(grid->GetPropertyByName("books")->GetValueAsString(), "2147483647");
    ClickButton(frame, "ID_BUTTON_CALC");
    EXPECT_TRUE(Shown().Contains(Total("2147483647"))) << Shown();

    TypeInto(grid, "books", "");
    ClickButton(frame, "ID_BUTTON_CALC");
    EXPECT_EQ(grid->GetPropertyByName("books")->GetValueAsString(), "0");
    EXPECT_TRUE(Shown().Contains(Total("970"))) << Shown();
}

TEST_F(ChecklistTest, SpaceTicksACheckboxRowAndOpensANumberRow)
{
    frame->Show();
    grid->SelectProperty("cooks");
    wxPGProperty* cooks = grid->GetPropertyByName("cooks");
    // The checkbox over the selected row draws its own state: it must agree
    // with the value at once, not when another row is selected.
    const auto drawnAsValue = [&]
    {
        wxVariant drawn = cooks->GetValue();
        return !cooks->GetEditorClass()->GetValueFromControl(drawn, cooks,
                                                             grid->GetEditorControl());
    };
    PressKey(grid, wxEVT_KEY_DOWN, WXK_SPACE);
    EXPECT_TRUE(grid->GetPropertyValueAsBool("cooks"));
    EXPECT_TRUE(drawnAsValue());
    PressKey(grid, wxEVT_KEY_DOWN, WXK_SPACE);
    EXPECT_FALSE(grid->GetPropertyValueAsBool("cooks"));
    EXPECT_TRUE(drawnAsValue());

    grid->SelectProperty("sports");
    PressKey(grid, wxEVT_KEY_DOWN, WXK_SPACE);
    EXPECT_TRUE(grid->IsEditorFocused());
}

TEST_F(ChecklistTest, TypedNumbersCountAsTheyReadAndTheRowShowsIt)
{
    frame->Show();
    TypeAnswer("books", "1.5");
    EXPECT_EQ(RowText("books"), "2");
    EXPECT_EQ(Editor(grid)->GetValue(), "2");
    EXPECT_TRUE(Status().Contains("2")) << Status();
    ClickButton(frame, "ID_BUTTON_CALC");
    EXPECT_TRUE(Shown().Contains(Total("1020"))) << Shown(); // 1000-30+50

    TypeAnswer("books", wxString::FromUTF8("１２"));
    EXPECT_EQ(RowText("books"), "12");
    EXPECT_EQ(Status(), "");

    TypeAnswer("books", "-5");
    EXPECT_EQ(RowText("books"), "0");
    EXPECT_EQ(Editor(grid)->GetValue(), "0");
    EXPECT_TRUE(Status().Contains("negative")) << Status();
    ClickButton(frame, "ID_BUTTON_CALC");
    EXPECT_TRUE(Shown().Contains(Total("970"))) << Shown();
}

TEST_F(ChecklistTest, PastedTextNeverOpensABox)
{
    ModalDialogCounter dialogs;
    frame->Show();
    TypeAnswer("books", "4");
    grid->SelectProperty("books", true);
    Editor(grid)->SelectAll();
    PasteText(Editor(grid), "about three");
    ConfirmEditor(grid);
    EXPECT_EQ(RowText("books"), "4");
    EXPECT_EQ(Editor(grid)->GetValue(), "4");
    EXPECT_TRUE(Status().Contains("no number")) << Status();

    grid->SelectProperty("books", true);
    Editor(grid)->SelectAll();
    PasteText(Editor(grid), wxString::FromUTF8("每周大约3次"));
    ClickButton(frame, "ID_BUTTON_CALC");
    EXPECT_EQ(RowText("books"), "3");
    EXPECT_TRUE(Shown().Contains(Total("1045"))) << Shown();

    grid->SelectProperty("books", true);
    Editor(grid)->SelectAll();
    PasteText(Editor(grid), wxString::FromUTF8("约 1.2 万"));
    ConfirmEditor(grid);
    EXPECT_EQ(RowText("books"), "3");
    EXPECT_TRUE(Status().Contains(wxString::FromUTF8("万"))) << Status();
    EXPECT_EQ(dialogs.Count(), 0);
}

TEST_F(ChecklistTest, EnterF2OrADigitOpensANumberRow)
{
    frame->Show();
    for (int key : {WXK_RETURN, WXK_F2})
    {
        grid->SetFocus();
        grid->SelectProperty("sports");
        PressKey(grid, wxEVT_KEY_DOWN, key);
        EXPECT_TRUE(grid->IsEditorFocused()) << key;
    }
    grid->SetFocus();
    grid->SelectProperty("sports");
    TypeText(grid, "75");
    ASSERT_TRUE(grid->IsEditorFocused());
    EXPECT_EQ(Editor(grid)->GetValue(), "75");
}

TEST_F(ChecklistTest, AnswersOfEachListSurviveSwitchingAndResetClearsThem)
{
    grid->SetPropertyValue("cooks", true);
    grid->SetPropertyValue("books", 2L);
    ChooseEntry(frame, "ID_CHOICE_FRIEND_TYPE", 1);
    grid->SetPropertyValue("tall", true);
    ChooseEntry(frame, "ID_CHOICE_MODE", 1);
    ChooseEntry(frame, "ID_CHOICE_MODE", 0);
    EXPECT_TRUE(grid->GetPropertyValueAsBool("tall"));

    // Read afresh: a row the file no longer has loses its answer for good.
    work.Write("rules/rules_gf_normal-zh_CN.xml", "<rules><rule><id>cooks</id><pg_type>bool"
                                                  "</pg_type><lower_price>150</lower_price></rule>"
                                                  "</rules>");
    ChooseEntry(frame, "ID_CHOICE_FRIEND_TYPE", 0);
    EXPECT_TRUE(grid->GetPropertyValueAsBool("cooks"));
    EXPECT_TRUE(Shown().Contains(Total("1150"))) << Shown();
    work.Write("rules/rules_gf_normal-zh_CN.xml", g_girlfriendNormal);
    ChooseEntry(frame, "ID_CHOICE_FRIEND_TYPE", 1);
    ChooseEntry(frame, "ID_CHOICE_FRIEND_TYPE", 0);
    EXPECT_TRUE(grid->GetPropertyValueAsBool("cooks"));
    EXPECT_EQ(RowText("books"), "0");

    ClickButton(frame, "ID_BUTTON_RESET");
    EXPECT_FALSE(grid->GetPropertyValueAsBool("cooks"));
    ChooseEntry(frame, "ID_CHOICE_FRIEND_TYPE", 1);
    EXPECT_TRUE(grid->GetPropertyValueAsBool("tall"));
    ChooseEntry(frame, "ID_CHOICE_FRIEND_TYPE", 0);
    EXPECT_FALSE(grid->GetPropertyValueAsBool("cooks"));
    EXPECT_TRUE(Shown().Contains(Total("970"))) << Shown();
}

TEST_F(ChecklistTest, ListComesBetweenTheChoicesAndTheButtonsWhenTabbing)
{
    const wxWindowList& order = grid->GetParent()->GetChildren();
    const auto at = [&](wxWindow* window) { return order.IndexOf(window); };
    EXPECT_GT(at(grid), at(wxWindow::FindWindowByName("ID_CHOICE_MODE", frame)));
    EXPECT_LT(at(grid), at(wxWindow::FindWindowByName("ID_BUTTON_CALC", frame)));
}

TEST_F(ChecklistTest, LabelColumnShowsEveryQuestion)
{
    frame->Show();
    ClickButton(frame, "ID_BUTTON_RESET");
    for (wxPropertyGridIterator it = grid->GetIterator(wxPG_ITERATE_PROPERTIES); !it.AtEnd(); ++it)
        EXPECT_GT(grid->GetSplitterPosition(), grid->GetTextExtent((*it)->GetLabel()).x);
}

TEST_F(LongQuestionTest, QuestionTooLongForTheWindowLeavesTheAnswersRoomAndShowsAsTooltip)
{
    frame->Show();
    ClickButton(frame, "ID_BUTTON_RESET");
    EXPECT_EQ(grid->GetSplitterPosition(), grid->GetClientSize().x * 2 / 3);
    EXPECT_TRUE(grid->HasFlag(wxPG_TOOLTIPS));
}

TEST_F(MissingRulesTest, WrongRootGivesTheCategoryAloneAndTheBaseValue)
{
    EXPECT_TRUE(Rows().empty());
    EXPECT_EQ(Category(), "List contents");
    EXPECT_TRUE(Shown().Contains(Total("1000")));
}

TEST_F(SharedIdsTest, EveryRuleCountsItsOwnRow)
{
    ASSERT_EQ(Rows().size(), 4u);
    std::vector<wxPGProperty*> rows;
    for (wxPropertyGridIterator it = grid->GetIterator(wxPG_ITERATE_PROPERTIES); !it.AtEnd(); ++it)
        rows.push_back(*it);
    grid->SetPropertyValue(rows[1], true);
    grid->SetPropertyValue(rows[2], 3L);
    ClickButton(frame, "ID_BUTTON_CALC");
    EXPECT_TRUE(Shown().Contains(Total("1097"))) << Shown(); // 1000 + 100 - 3
    grid->SetPropertyValue(rows[0], true);
    grid->SetPropertyValue(rows[3], 1L);
    ClickButton(frame, "ID_BUTTON_CALC");
    EXPECT_TRUE(Shown().Contains(Total("107"))) << Shown();
}

TEST_F(GbkChecklistTest, ShowsTheChineseQuestionsAsWritten)
{
    const std::vector<wxString> expected = {
        wxString::FromUTF8("会做饭吗？=False"),
        wxString::FromUTF8("每周运动几次？（跑步、游泳、打球都算）=0"),
        wxString::FromUTF8("有幾個兄弟姊妹？「們」=0")};
    EXPECT_EQ(Rows(), expected);
    EXPECT_TRUE(Shown().Contains(Total("970"))) << Shown();
}

// The grid is built frozen; once thawed it must still know every row.
TEST_F(LongChecklistTest, RebuiltGridReachesItsLastRowWithCheckboxes)
{
    ClickButton(frame, "ID_BUTTON_RESET");
    ASSERT_EQ(Rows().size(), 300u);
    EXPECT_GE(grid->GetVirtualSize().GetHeight(), 301 * grid->GetRowHeight());
    EXPECT_TRUE(grid->GetPropertyByName("r298")->GetAttribute(wxPG_BOOL_USE_CHECKBOX).GetBool());
    EXPECT_EQ(grid->GetPropertyByName("r299")->GetValueAsString(), "0");
}

TEST_F(LongChecklistTest, RebuiltListStartsAtItsTop)
{
    frame->Show();
    grid->Scroll(0, 100);
    ASSERT_GT(grid->GetViewStart().y, 0);
    ClickButton(frame, "ID_BUTTON_RESET");
    EXPECT_EQ(grid->GetViewStart().y, 0);
    grid->Scroll(0, 100);
    ChooseEntry(frame, "ID_CHOICE_FRIEND_TYPE", 1);
    EXPECT_EQ(grid->GetViewStart().y, 0);
}

namespace
{
const std::string g_choiceList = R"(<rules>
  <rule><id>income</id><pg_type>choice</pg_type><content>每月收入大约多少？</content>
    <option><text>五千元以下</text><price>-20</price></option>
    <option><text>五千到一万元</text><price>40</price></option>
    <option><text>一万到两万元</text><price>120</price></option>
    <option><text>两万元以上</text><price>200</price></option></rule>
  <rule><id>pets</id><pg_type>int</pg_type><content>养几只宠物？</content>
    <lower_price>10</lower_price></rule>
  <rule><id>empty</id><pg_type>choice</pg_type><content>没有选项</content></rule>
</rules>
)";

class ChoiceRowTest : public ChecklistTest
{
protected:
    ChoiceRowTest()
        : ChecklistTest({{"rules/rules_gf_normal-zh_CN.xml", g_choiceList},
                         {"rules/rules_bf_normal-zh_CN.xml", g_boyfriendNormal}})
    {
    }

    wxComboCtrl* List() { return dynamic_cast<wxComboCtrl*>(grid->GetEditorControl()); }
};
} // namespace

TEST_F(ChoiceRowTest, StartsWithNoOptionChosenPricesTheChosenOneAndResetClearsIt)
{
    EXPECT_EQ(RowText("income"), "");
    EXPECT_TRUE(Shown().Contains(Total("1000"))) << Shown();
    grid->SetPropertyValue("income", 3L);
    EXPECT_EQ(RowText("income"), wxString::FromUTF8("一万到两万元"));
    ClickButton(frame, "ID_BUTTON_CALC");
    EXPECT_TRUE(Shown().Contains(Total("1120"))) << Shown();
    ClickButton(frame, "ID_BUTTON_RESET");
    EXPECT_EQ(RowText("income"), "");
    EXPECT_TRUE(Shown().Contains(Total("1000"))) << Shown();
}

TEST_F(ChoiceRowTest, KeepsTheChoiceAcrossListSwitches)
{
    grid->SetPropertyValue("income", 2L);
    ChooseEntry(frame, "ID_CHOICE_FRIEND_TYPE", 1);
    ChooseEntry(frame, "ID_CHOICE_FRIEND_TYPE", 0);
    EXPECT_EQ(RowText("income"), wxString::FromUTF8("五千到一万元"));

    // The same id now asks a number: the kept option number is no answer for it.
    work.Write("rules/rules_gf_normal-zh_CN.xml",
               "<rules><rule><id>income</id><pg_type>int</pg_type><content>Q</content>"
               "<lower_price>1</lower_price></rule></rules>");
    ChooseEntry(frame, "ID_CHOICE_FRIEND_TYPE", 1);
    ChooseEntry(frame, "ID_CHOICE_FRIEND_TYPE", 0);
    EXPECT_EQ(RowText("income"), "0");
}

TEST_F(ChoiceRowTest, KeyboardOpensTheListAndTypingPicksAnOption)
{
    frame->Show();
    for (int key : {WXK_RETURN, WXK_F2, WXK_SPACE})
    {
        grid->SetFocus();
        grid->SelectProperty("income");
        PressKey(grid, wxEVT_KEY_DOWN, key);
        ASSERT_TRUE(List()) << key;
        EXPECT_TRUE(List()->IsPopupShown()) << key;
        List()->Dismiss();
        grid->SelectProperty("pets");
    }
    // A list without options opens empty, and typing picks nothing.
    grid->SetFocus();
    grid->SelectProperty("empty");
    PressKey(grid, wxEVT_KEY_DOWN, WXK_RETURN);
    ASSERT_TRUE(List());
    List()->Dismiss();
    grid->SelectProperty("pets");
    grid->SetFocus();
    grid->SelectProperty("empty");
    TypeText(grid, "a");
    EXPECT_EQ(RowText("empty"), "");

    grid->SetFocus();
    grid->SelectProperty("income");
    TypeText(grid, wxString::FromUTF8("一万"));
    EXPECT_EQ(RowText("income"), wxString::FromUTF8("一万到两万元"));
    TypeText(grid, wxString::FromUTF8("两"));
    EXPECT_EQ(RowText("income"), wxString::FromUTF8("两万元以上"));
}

// Moving to a row out of view scrolls the list while the row left behind
// still holds its editor, hidden: GTK must not be asked to move it as a
// shown window (a critical each time).
TEST_F(LongChecklistTest, MovingToARowOutOfViewScrollsQuietly)
{
    ASSERT_TRUE(ShowAndWaitForPaint(frame, grid));
    for (const char* row : {"r0", "r1", "r120", "r3", "r299"})
    {
        grid->SelectProperty(row);
        EXPECT_TRUE(grid->GetEditorControl()) << row;
    }
    EXPECT_GT(grid->GetViewStart().y, 0);
}
