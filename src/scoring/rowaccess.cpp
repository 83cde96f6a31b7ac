#include "scoring/rowaccess.h"

#include "scoring/answergrid.h"
#include "scoring/answertext.h"
#include "scoring/checklist.h"

#include <wx/propgrid/advprops.h>
#include <wx/propgrid/propgrid.h>

#include <algorithm>
#include <memory>
#include <optional>
#include <vector>

AccessibleRow DescribeRow(const wxPGProperty* row)
{
    AccessibleRow said;
    said.name = row->GetLabel();
    if (row->IsCategory())
        said.role = AccessibleRole::Heading;
    else if (IsCheckboxRow(row))
    {
        said.role = AccessibleRole::CheckBox;
        said.checked = row->GetValue().GetBool();
    }
    else
    {
        said.role = row->IsKindOf(wxCLASSINFO(wxEnumProperty)) ? AccessibleRole::Choice
                                                               : AccessibleRole::NumberField;
        said.value = row->GetDisplayedString();
    }
    return said;
}

namespace
{
class GridRowList : public AccessibleRowList
{
public:
    explicit GridRowList(wxPropertyGrid* grid) : m_grid(grid), m_folded(std::make_shared<bool>())
    {
        // A folded or unfolded category takes its rows off the screen or
        // puts them back. The grid may outlive the list: the handler holds
        // only the flag.
        const auto refold = [folded = m_folded](wxPropertyGridEvent& event)
        {
            *folded = true;
            event.Skip();
        };
        grid->Bind(wxEVT_PG_ITEM_COLLAPSED, refold);
        grid->Bind(wxEVT_PG_ITEM_EXPANDED, refold);
    }

    size_t RowCount() const override { return Rows().size(); }

    AccessibleRow Row(size_t index) const override
    {
        const wxPGProperty* row = At(index);
        return row ? DescribeRow(row) : AccessibleRow();
    }

    int CurrentRow() const override
    {
        const std::vector<wxPGProperty*>& rows = Rows();
        const auto selected = std::find(rows.begin(), rows.end(), m_grid->GetSelection());
        return selected == rows.end() ? -1 : int(selected - rows.begin());
    }

    wxRect RowRect(size_t index) const override
    {
        const wxPGProperty* row = At(index);
        if (!row)
            return wxRect();
        const wxRect rect = m_grid->GetPropertyRect(row, row);
        return wxRect(m_grid->CalcScrolledPosition(rect.GetPosition()), rect.GetSize());
    }

    bool ActivateRow(size_t index) override
    {
        wxPGProperty* row = At(index);
        if (!row || !IsCheckboxRow(row))
            return false;
        TickCheckboxRow(m_grid, row);
        return true;
    }

    bool SetRowValue(size_t index, const wxString& text) override
    {
        wxPGProperty* row = At(index);
        if (!row || !IsNumberRow(row))
            return false;
        wxVariant value = row->GetValue();
        // As a change the user made: an open editor shows it too.
        if (ReadTypedAnswer(row, text, value))
            m_grid->ChangePropertyValue(row, value);
        return ReadAnswerText(text).Counts();
    }

    void SelectRow(size_t index) override
    {
        if (wxPGProperty* row = At(index))
        {
            m_grid->SelectProperty(row, false);
            m_grid->EnsureVisible(row);
        }
    }

    void Forget() override { m_rows.reset(); }

private:
    // The rows as the grid shows them (those inside a folded category are
    // not on screen), listed once: a screen reader walking the list asks
    // for every row by its place, and walking the grid for each made that
    // quadratic in the list's length.
    const std::vector<wxPGProperty*>& Rows() const
    {
        if (*m_folded)
            m_rows.reset();
        *m_folded = false;
        if (!m_rows)
        {
            m_rows.emplace();
            for (auto it = m_grid->GetIterator(wxPG_ITERATE_VISIBLE); !it.AtEnd(); ++it)
                m_rows->push_back(*it);
        }
        return *m_rows;
    }

    wxPGProperty* At(size_t index) const
    {
        const std::vector<wxPGProperty*>& rows = Rows();
        return index < rows.size() ? rows[index] : nullptr;
    }

    wxPropertyGrid* m_grid;
    std::shared_ptr<bool> m_folded;
    mutable std::optional<std::vector<wxPGProperty*>> m_rows;
};

int IndexOf(wxPropertyGrid* grid, const wxPGProperty* row)
{
    int index = 0;
    for (auto it = grid->GetIterator(wxPG_ITERATE_VISIBLE); !it.AtEnd(); ++it, ++index)
        if (*it == row)
            return index;
    return -1;
}
} // namespace

std::unique_ptr<AccessibleRowList> ChecklistRowList(wxPropertyGrid* grid)
{
    return std::make_unique<GridRowList>(grid);
}

void ExposeChecklist(wxPropertyGrid* grid)
{
    ExposeRows(grid, ChecklistRowList(grid));
    const auto announce = [grid](void (*announce)(wxWindow*, size_t), const wxPGProperty* row)
    {
        const int index = IndexOf(grid, row);
        if (index >= 0)
            announce(grid, size_t(index));
    };
    grid->Bind(wxEVT_PG_SELECTED,
               [grid, announce](wxPropertyGridEvent& event)
               {
                   if (grid->HasFocus() || grid->IsEditorFocused())
                       announce(AnnounceRowFocus, event.GetProperty());
                   event.Skip();
               });
    grid->Bind(wxEVT_PG_CHANGED,
               [announce](wxPropertyGridEvent& event)
               {
                   announce(AnnounceRowChange, event.GetProperty());
                   event.Skip();
               });
    // The editor over a number row is known by the question.
    grid->Bind(wxEVT_CHILD_FOCUS,
               [grid](wxChildFocusEvent& event)
               {
                   wxWindow* editor = grid->GetEditorControl();
                   if (editor && grid->GetSelection() && event.GetWindow() == editor)
                       NameWindow(editor, grid->GetSelection()->GetLabel());
                   event.Skip();
               });
    // Tabbing into the list lands on its selected row.
    grid->Bind(wxEVT_SET_FOCUS,
               [grid, announce](wxFocusEvent& event)
               {
                   announce(AnnounceRowFocus, grid->GetSelection());
                   event.Skip();
               });
}
