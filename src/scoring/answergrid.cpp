#include "scoring/answergrid.h"

#include "scoring/answertext.h"
#include "scoring/checklist.h"

#include <wx/intl.h>
#include <wx/propgrid/editors.h>
#include <wx/propgrid/propgrid.h>
#include <wx/statusbr.h>
#include <wx/textctrl.h>

#include <algorithm>
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
    case AnswerText::Reading::Number:
        break;
    }
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

void OnKeyDown(wxPropertyGrid* grid, wxKeyEvent& event)
{
    wxPGProperty* row = grid->GetSelection();
    if (IsNumberRow(row) && OpensNumberRow(event))
    {
        grid->SelectProperty(row, true);
        return;
    }
    if (event.GetKeyCode() != WXK_SPACE || event.HasAnyModifiers() || !row || row->IsCategory())
    {
        event.Skip();
        return;
    }
    if (IsCheckboxRow(row))
        TickCheckboxRow(grid, row);
    else
        grid->SelectProperty(row, true);
}

// A digit typed on a number row opens it with the digit as the start of the
// answer. A Chinese input method delivers its text as characters alone.
void OnChar(wxPropertyGrid* grid, wxKeyEvent& event)
{
    wxPGProperty* row = grid->GetSelection();
    const wxUniChar typed = event.GetUnicodeKey();
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

void PrepareAnswerGrid(wxPropertyGrid* grid)
{
    // What a row does not take is said on the status bar, not in a box.
    grid->SetValidationFailureBehavior(wxPG_VFB_MARK_CELL | wxPG_VFB_SHOW_MESSAGE_ON_STATUSBAR);
    grid->Bind(wxEVT_CHAR_HOOK, [grid](wxKeyEvent& event) { OnCharHook(grid, event); });
    grid->Bind(wxEVT_KEY_DOWN, [grid](wxKeyEvent& event) { OnKeyDown(grid, event); });
    grid->Bind(wxEVT_CHAR, [grid](wxKeyEvent& event) { OnChar(grid, event); });
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
