#include "common/accessibletools.h"

#include "common/accessible.h"

#include <wx/aui/auibar.h>

#include <vector>

namespace
{
class ToolRowList : public AccessibleRowList
{
public:
    explicit ToolRowList(wxAuiToolBar* toolBar) : m_toolBar(toolBar) {}

    size_t RowCount() const override { return Tools().size(); }

    AccessibleRow Row(size_t index) const override
    {
        AccessibleRow said;
        said.role = AccessibleRole::Button;
        if (const wxAuiToolBarItem* tool = At(index))
            said.name = tool->GetLabel().empty() ? tool->GetShortHelp() : tool->GetLabel();
        return said;
    }

    int CurrentRow() const override { return -1; }

    wxRect RowRect(size_t index) const override
    {
        const wxAuiToolBarItem* tool = At(index);
        return tool ? m_toolBar->GetToolRect(tool->GetId()) : wxRect();
    }

    bool ActivateRow(size_t index) override
    {
        const wxAuiToolBarItem* tool = At(index);
        if (!tool || !m_toolBar->GetToolEnabled(tool->GetId()))
            return false;
        wxCommandEvent press(wxEVT_MENU, tool->GetId());
        press.SetEventObject(m_toolBar);
        m_toolBar->ProcessWindowEvent(press);
        return true;
    }

    bool SetRowValue(size_t, const wxString&) override { return false; }

    void SelectRow(size_t) override {}

private:
    // The tools a user can press: separators, spacers and labels are not.
    std::vector<const wxAuiToolBarItem*> Tools() const
    {
        std::vector<const wxAuiToolBarItem*> tools;
        for (size_t i = 0; i < m_toolBar->GetToolCount(); ++i)
        {
            const wxAuiToolBarItem* tool = m_toolBar->FindToolByIndex(int(i));
            if (tool->GetKind() == wxITEM_NORMAL || tool->GetKind() == wxITEM_CHECK ||
                tool->GetKind() == wxITEM_RADIO)
                tools.push_back(tool);
        }
        return tools;
    }

    const wxAuiToolBarItem* At(size_t index) const
    {
        const auto tools = Tools();
        return index < tools.size() ? tools[index] : nullptr;
    }

    wxAuiToolBar* m_toolBar;
};
} // namespace

void ExposeTools(wxAuiToolBar* toolBar)
{
    ExposeRows(toolBar, std::make_unique<ToolRowList>(toolBar), AccessibleListRole::ToolBar);
}
