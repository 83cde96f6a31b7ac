#include "scoring/answergrid.h"

#include "scoring/checklist.h"

#include <wx/propgrid/propgrid.h>
#include <wx/valtext.h>

#include <algorithm>
#include <climits>
#include <utility>
#include <vector>

bool AnswerNumberProperty::StringToValue(wxVariant& variant, const wxString& text,
                                         int argFlags) const
{
    const wxString trimmed = wxString(text).Trim(true).Trim(false);
    if (!std::all_of(trimmed.begin(), trimmed.end(), [](wxUniChar c) { return wxIsdigit(c); }))
        return wxUIntProperty::StringToValue(variant, text, argFlags);
    // Answers count saturated to int, so a number beyond it (too many digits
    // for any integer type too) shows as the largest: the row stays honest.
    unsigned long long number = 0;
    if (!trimmed.empty() && (!trimmed.ToULongLong(&number) || number > INT_MAX))
        number = INT_MAX;
    const wxVariant value{long(number)};
    if (variant.GetType() == value.GetType() && variant == value)
        return false;
    variant = value;
    return true;
}

wxValidator* AnswerNumberProperty::DoGetValidator() const
{
    // The library's pattern: one validator for all rows, freed with its own.
    // Its closing macro names its argument three times, so the validator is
    // made beforehand: a new-expression there would make two more that leak.
    WX_PG_DOGETVALIDATOR_ENTRY()
    wxValidator* validator = new wxTextValidator(wxFILTER_DIGITS);
    WX_PG_DOGETVALIDATOR_EXIT(validator)
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

void OnKeyDown(wxPropertyGrid* grid, wxKeyEvent& event)
{
    wxPGProperty* row = grid->GetSelection();
    if (event.GetKeyCode() != WXK_SPACE || event.HasAnyModifiers() || !row || row->IsCategory())
    {
        event.Skip();
        return;
    }
    if (IsCheckboxRow(row))
        grid->ChangePropertyValue(row, !row->GetValue().GetBool());
    else
        grid->SelectProperty(row, true);
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

void OnSize(wxPropertyGrid* grid, wxSizeEvent& event)
{
    // After the grid has laid out its columns for the new width.
    grid->CallAfter([grid] { FitLabelColumn(grid); });
    event.Skip();
}
} // namespace

void PrepareAnswerGrid(wxPropertyGrid* grid)
{
    grid->Bind(wxEVT_CHAR_HOOK, [grid](wxKeyEvent& event) { OnCharHook(grid, event); });
    grid->Bind(wxEVT_KEY_DOWN, [grid](wxKeyEvent& event) { OnKeyDown(grid, event); });
    grid->Bind(wxEVT_LEFT_DOWN, [grid](wxMouseEvent& event) { OnLeftDown(grid, event); });
    grid->Bind(wxEVT_SIZE, [grid](wxSizeEvent& event) { OnSize(grid, event); });
}

void FitLabelColumn(wxPropertyGrid* grid)
{
    const int width = grid->GetClientSize().GetWidth();
    // The margin, and the gaps the grid leaves before and after a label.
    const int room = grid->GetMarginWidth() + 3 * wxPG_XBEFORETEXT;
    grid->SetSplitterPosition(std::min(room + WidestLabel(grid), width * 2 / 3));
}
