#pragma once

#include <wx/propgrid/props.h>

class wxPropertyGrid;

// A whole-number row of the checklist. A text counts as ReadAnswerText
// reads it (an empty field is 0); text that does not count leaves the value
// as it was. Its editor shows what the row counts once the text is taken,
// and the status bar says why when that differs from what was typed.
class AnswerNumberProperty : public wxUIntProperty
{
public:
    using wxUIntProperty::wxUIntProperty;
    bool StringToValue(wxVariant& variant, const wxString& text, int argFlags = 0) const override;

protected:
    // None: every character may be typed or pasted, as the reading decides.
    wxValidator* DoGetValidator() const override;
    const wxPGEditor* DoGetEditorClass() const override;
};

// Reads text typed for a row into variant, as the row's editor does, and
// says on the status bar why the text counts as other than it reads;
// whether the value changes.
bool ReadTypedAnswer(const wxPGProperty* row, const wxString& typed, wxVariant& variant);

// Ticks or clears a checkbox row as Space does, and shows it at once.
void TickCheckboxRow(wxPropertyGrid* grid, wxPGProperty* row);

// Keyboard and layout of the checklist grid: a click gives it the keyboard,
// Space ticks a checkbox row (drawn at once) or opens a number row, Enter, F2
// or a digit opens a number row (the digit starting the answer), Tab out of
// a number row keeps the number, failed checks never open a box, and the
// label column follows the questions when the grid is resized.
void PrepareAnswerGrid(wxPropertyGrid* grid);

// Sizes the label column to the longest question, leaving the answers a
// third of the grid at least; questions that still do not fit show as
// tooltips.
void FitLabelColumn(wxPropertyGrid* grid);
