#include "scoring/answergrid.h"

#include "common/platform_gui.h"
#include "scoring/answertext.h"

#include <wx/combo.h>
#include <wx/intl.h>
#include <wx/propgrid/editors.h>
#include <wx/propgrid/propgrid.h>
#include <wx/statusbr.h>
#include <wx/textctrl.h>
#include <wx/time.h>

#include <algorithm>
#include <memory>
#include <utility>
#include <vector>

namespace
{
// Why a typed text counts as other than it reads, or not at all; empty when
// it counts as written.
wxString AnswerNotice(const AnswerText& answer)
{
    switch (answer.reading)
    {
    case AnswerText::Reading::Negative:
        return _("Answers start at 0: a negative number counts as 0.");
    case AnswerText::Reading::NoNumber:
        return _("The text typed holds no number: the answer stays as it was.");
    case AnswerText::Reading::SeveralNumbers:
        return _("The text typed holds more than one number: the answer stays as it was.");
    case AnswerText::Reading::Multiplied:
        return wxString::Format(_("'%s' changes the size of the number: type it in the question's "
                                  "unit. The answer stays as it was."),
                                answer.multiplier);
    case AnswerText::Reading::Number:
        break;
    }
    if (answer.capped)
        return wxString::Format(_("The number typed is above the largest answer: it counts as %d."),
                                answer.number);
    return answer.rounded
               ? wxString::Format(_("Answers are whole numbers: the number typed counts as %d."),
                                  answer.number)
               : wxString();
}

// The editor of a number row. Once its text is taken, it shows what the row
// counts: an unfocused editor would otherwise go on showing "1.5" for a row
// that counts 2. What it says why goes to the status bar, never a box.
class AnswerTextEditor : public wxPGTextCtrlEditor
{
public:
    wxString GetName() const override { return "AnswerText"; }

    bool GetValueFromControl(wxVariant& variant, wxPGProperty* row,
                             wxWindow* control) const override
    {
        const wxString typed = static_cast<wxTextCtrl*>(control)->GetValue();
        // The row's own text, taken again as focus moves: nothing to say.
        if (typed == row->GetDisplayedString())
            return false;
        const bool changed = ReadTypedAnswer(row, typed, variant);
        SetControlStringValue(row, control,
                              changed ? row->ValueToString(variant) : row->GetDisplayedString());
        return changed;
    }
};
} // namespace

bool ReadTypedAnswer(const wxPGProperty* row, const wxString& typed, wxVariant& variant)
{
    // With the flags the grid's text editor reads with.
    const bool changed =
        row->StringToValue(variant, typed, wxPG_EDITABLE_VALUE | wxPG_PROPERTY_SPECIFIC);
    wxPropertyGrid* grid = row->GetGrid();
    if (wxStatusBar* statusBar = grid ? grid->GetStatusBar() : nullptr)
        statusBar->SetStatusText(AnswerNotice(ReadAnswerText(typed)), 0);
    return changed;
}

void TickCheckboxRow(wxPropertyGrid* grid, wxPGProperty* row)
{
    grid->ChangePropertyValue(row, !row->GetValue().GetBool());
    // The checkbox over the selected row draws a state of its own, which a
    // value set from outside leaves as it was.
    if (grid->GetSelection() == row)
        grid->RefreshEditor();
}

bool AnswerNumberProperty::StringToValue(wxVariant& variant, const wxString& text, int) const
{
    const AnswerText answer = ReadAnswerText(text);
    if (!answer.Counts())
        return false;
    const wxVariant value{long(answer.number)};
    if (variant.GetType() == value.GetType() && variant == value)
        return false;
    variant = value;
    return true;
}

wxValidator* AnswerNumberProperty::DoGetValidator() const
{
    return nullptr;
}

const wxPGEditor* AnswerNumberProperty::DoGetEditorClass() const
{
    // The grid owns its editors; each is registered once.
    static const wxPGEditor* editor = wxPropertyGrid::RegisterEditorClass(new AnswerTextEditor);
    return editor;
}

bool IsCheckboxRow(const wxPGProperty* row)
{
    // Only the checklist's row factory makes rows, and only yes/no rules get checkboxes.
    return row->IsKindOf(wxCLASSINFO(wxBoolProperty));
}

bool IsChoiceRow(const wxPGProperty* row)
{
    return row && row->IsKindOf(wxCLASSINFO(wxEnumProperty));
}

bool IsNumberRow(const wxPGProperty* row)
{
    return dynamic_cast<const AnswerNumberProperty*>(row) != nullptr;
}

namespace
{
// Leaves the editor through the keyboard: the grid would move on and drop
// what was typed.
void OnCharHook(wxPropertyGrid* grid, wxKeyEvent& event)
{
    if (event.GetKeyCode() == WXK_TAB && grid->IsEditorFocused())
        grid->CommitChangesFromEditor();
    event.Skip();
}

// Enter and F2 open a number row, as in the library's other grids.
bool OpensNumberRow(const wxKeyEvent& event)
{
    const int key = event.GetKeyCode();
    return !event.HasAnyModifiers() &&
           (key == WXK_RETURN || key == WXK_NUMPAD_ENTER || key == WXK_F2);
}

// Opens a choice row's list, where Up and Down move and Enter picks.
void OpenList(wxPropertyGrid* grid, wxPGProperty* row)
{
    grid->SelectProperty(row, true);
    if (auto* list = dynamic_cast<wxComboCtrl*>(grid->GetEditorControl()))
        list->Popup();
}

// The keys the grid has an action for (its default triggers), and Tab,
// which it takes before looking for one.
bool GridActsOn(const wxKeyEvent& event)
{
    switch (event.GetKeyCode())
    {
    case WXK_TAB:
        return true;
    case WXK_DOWN:
        return !event.HasAnyModifiers() || event.GetModifiers() == wxMOD_ALT;
    case WXK_UP:
    case WXK_LEFT:
    case WXK_RIGHT:
    case WXK_ESCAPE:
    case WXK_F4:
        return !event.HasAnyModifiers();
    default:
        return false;
    }
}

// The keypad's arrows (Num Lock off, or an arrow key sent without its
// extended flag on Windows) move as the arrow keys do; the grid's triggers
// name only the main ones.
int WithoutKeypad(int key)
{
    switch (key)
    {
    case WXK_NUMPAD_DOWN:
        return WXK_DOWN;
    case WXK_NUMPAD_UP:
        return WXK_UP;
    case WXK_NUMPAD_LEFT:
        return WXK_LEFT;
    case WXK_NUMPAD_RIGHT:
        return WXK_RIGHT;
    default:
        return key;
    }
}

void OnKeyDown(wxPropertyGrid* grid, wxKeyEvent& event)
{
    event.m_keyCode = WithoutKeypad(event.GetKeyCode());
    wxPGProperty* row = grid->GetSelection();
    if (IsNumberRow(row) && OpensNumberRow(event))
    {
        grid->SelectProperty(row, true);
        return;
    }
    if (IsChoiceRow(row) && !grid->IsEditorFocused() &&
        (OpensNumberRow(event) || (event.GetKeyCode() == WXK_SPACE && !event.HasAnyModifiers())))
    {
        OpenList(grid, row);
        return;
    }
    if (event.GetKeyCode() != WXK_SPACE || event.HasAnyModifiers() || !row || row->IsCategory())
    {
        // The grid decides what a key it has no action for does from a
        // variable it never sets (wx 3.2). In the Windows build such a key
        // moved the selection to the next row and, taken as handled, never
        // arrived as the character typed: a digit opened no number row.
        // Shown to the grid as a lone Ctrl, such a key passes it untouched.
        if (!GridActsOn(event))
            event.m_keyCode = WXK_CONTROL;
        event.Skip();
        return;
    }
    if (IsCheckboxRow(row))
        TickCheckboxRow(grid, row);
    else
        grid->SelectProperty(row, true);
}

// What was typed lately on a choice row: it picks the first option that
// starts with it. A pause of a second starts afresh.
struct TypeAhead
{
    wxString typed;
    wxMilliClock_t last = 0;
};

// The option number (from 1) whose text starts with prefix, ignoring case, or 0.
long OptionStartingWith(wxPGProperty* row, const wxString& prefix)
{
    const wxPGChoices& choices = row->GetChoices();
    for (unsigned i = 0; i < choices.GetCount(); ++i)
        if (choices.GetLabel(i).Lower().StartsWith(prefix.Lower()))
            return choices.GetValue(i);
    return 0;
}

bool PickByTyping(wxPropertyGrid* grid, TypeAhead& state, const wxUniChar typed)
{
    wxPGProperty* row = grid->GetSelection();
    if (!IsChoiceRow(row) || grid->IsEditorFocused() || typed == WXK_NONE || typed < ' ')
        return false;
    const wxMilliClock_t now = wxGetLocalTimeMillis();
    state.typed = now - state.last < 1000 ? state.typed + typed : wxString(typed);
    state.last = now;
    long option = OptionStartingWith(row, state.typed);
    // Text that no option starts with starts afresh from its last character.
    if (!option)
        option = OptionStartingWith(row, state.typed = wxString(typed));
    if (option)
        grid->ChangePropertyValue(row, option);
    return true;
}

// A digit typed on a number row opens it with the digit as the start of the
// answer; a character typed on a choice row picks an option. A Chinese input
// method delivers its text as characters alone.
void OnChar(wxPropertyGrid* grid, TypeAhead& typeAhead, wxKeyEvent& event)
{
    wxPGProperty* row = grid->GetSelection();
    const wxUniChar typed = event.GetUnicodeKey();
    if (!event.HasModifiers() && PickByTyping(grid, typeAhead, typed))
        return;
    if (!IsNumberRow(row) || event.HasModifiers() || !BeginsNumber(typed))
    {
        event.Skip();
        return;
    }
    grid->SelectProperty(row, true);
    if (auto* editor = dynamic_cast<wxTextCtrl*>(grid->GetEditorControl()))
    {
        editor->SetValue(wxString(typed));
        editor->SetInsertionPointEnd();
    }
}

// The grid takes the keyboard only when its editor is clicked; a click on a
// question left it with the choices, where arrow keys reload the list.
void OnLeftDown(wxPropertyGrid* grid, wxMouseEvent& event)
{
    wxWindow* focus = wxWindow::FindFocus();
    if (!focus || (focus != grid && !grid->IsDescendant(focus)))
        grid->SetFocus();
    event.Skip();
}

// Measuring text is slow: measuring every question took longer than building
// the list. The widest question is among those with the most characters,
// wide script counted twice, so only a few of those are measured.
int WidestLabel(wxPropertyGrid* grid)
{
    std::vector<std::pair<size_t, const wxPGProperty*>> rows;
    for (wxPropertyGridIterator it = grid->GetIterator(wxPG_ITERATE_PROPERTIES); !it.AtEnd(); ++it)
    {
        size_t weight = 0;
        for (wxUniChar c : (*it)->GetLabel())
            weight += c.GetValue() >= 0x1100 ? 2 : 1;
        rows.emplace_back(weight, *it);
    }
    const auto measured = rows.begin() + std::min<size_t>(rows.size(), 8);
    std::partial_sort(rows.begin(), measured, rows.end(),
                      [](const auto& a, const auto& b) { return a.first > b.first; });
    // In bold, as the label of an answered row is drawn.
    const wxFont& bold = grid->GetCaptionFont();
    int widest = 0;
    for (auto row = rows.begin(); row != measured; ++row)
    {
        int labelWidth = 0, labelHeight = 0;
        grid->GetTextExtent(row->second->GetLabel(), &labelWidth, &labelHeight, nullptr, nullptr,
                            &bold);
        widest = std::max(widest, labelWidth);
    }
    return widest;
}

// A box clicked with the mouse leaves the keyboard in the box's own control,
// which takes no arrow keys and swallows the buttons' access keys (Down and
// Alt+C did nothing, and Space flipped the box again): the list takes the
// keyboard back, where Down moves on and Space ticks.
void KeepKeyboardInList(wxPropertyGrid* grid, wxPropertyGridEvent& event)
{
    if (event.GetProperty() && IsCheckboxRow(event.GetProperty()))
        grid->CallAfter(
            [grid]
            {
                if (grid->IsEditorFocused())
                    grid->SetFocus();
            });
    event.Skip();
}

void OnSize(wxPropertyGrid* grid, wxSizeEvent& event)
{
    // After the grid has laid out its columns for the new width.
    grid->CallAfter([grid] { FitLabelColumn(grid); });
    event.Skip();
}
} // namespace

void AnswerGrid::ScrollWindow(int dx, int dy, const wxRect* rect)
{
    std::vector<wxWindow*> hidden;
    if (!ScrollingMovesHiddenChildren())
        for (wxWindow* child : GetChildren())
            if (!child->IsShown() && !child->IsTopLevel())
                hidden.push_back(child);
    // Shown for the move only: nothing is drawn in between.
    for (wxWindow* child : hidden)
        child->Show();
    wxPropertyGrid::ScrollWindow(dx, dy, rect);
    for (wxWindow* child : hidden)
        child->Hide();
}

void PrepareAnswerGrid(wxPropertyGrid* grid)
{
    // What a row does not take is said on the status bar, not in a box.
    grid->SetValidationFailureBehavior(wxPG_VFB_MARK_CELL | wxPG_VFB_SHOW_MESSAGE_ON_STATUSBAR);
    grid->Bind(wxEVT_CHAR_HOOK, [grid](wxKeyEvent& event) { OnCharHook(grid, event); });
    grid->Bind(wxEVT_KEY_DOWN, [grid](wxKeyEvent& event) { OnKeyDown(grid, event); });
    auto typeAhead = std::make_shared<TypeAhead>();
    grid->Bind(wxEVT_CHAR,
               [grid, typeAhead](wxKeyEvent& event) { OnChar(grid, *typeAhead, event); });
    grid->Bind(wxEVT_LEFT_DOWN, [grid](wxMouseEvent& event) { OnLeftDown(grid, event); });
    grid->Bind(wxEVT_SIZE, [grid](wxSizeEvent& event) { OnSize(grid, event); });
    const auto keepKeyboard = [grid](wxPropertyGridEvent& event)
    { KeepKeyboardInList(grid, event); };
    grid->Bind(wxEVT_PG_SELECTED, keepKeyboard);
    grid->Bind(wxEVT_PG_CHANGED, keepKeyboard);
}

void FitLabelColumn(wxPropertyGrid* grid)
{
    const int width = grid->GetClientSize().GetWidth();
    // The margin, and the gaps the grid leaves before and after a label.
    const int room = grid->GetMarginWidth() + 3 * wxPG_XBEFORETEXT;
    grid->SetSplitterPosition(std::min(room + WidestLabel(grid), width * 2 / 3));
}
