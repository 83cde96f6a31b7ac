#pragma once

#include <wx/propgrid/props.h>

class wxPropertyGrid;

// A whole-number row of the checklist. Any run of digits is a valid answer:
// one beyond the range that counts is shown as the largest answer that
// counts, so the row always shows what Calculate prices. An empty field
// means 0.
class AnswerNumberProperty : public wxUIntProperty
{
public:
    using wxUIntProperty::wxUIntProperty;
    bool StringToValue(wxVariant& variant, const wxString& text, int argFlags = 0) const override;

protected:
    // Digits only, as the library's, but an emptied field is 0 rather than
    // an error box.
    wxValidator* DoGetValidator() const override;
};

// Keyboard and layout of the checklist grid: a click gives it the keyboard,
// Space ticks a checkbox row or opens a number row, Tab out of a number row
// keeps the number, and the label column follows the questions when the
// grid is resized.
void PrepareAnswerGrid(wxPropertyGrid* grid);

// Sizes the label column to the longest question, leaving the answers a
// third of the grid at least; questions that still do not fit show as
// tooltips.
void FitLabelColumn(wxPropertyGrid* grid);
