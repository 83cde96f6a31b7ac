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

// Whether a row of the checklist is a checkbox, which Space ticks, or a
// number row, which Enter, F2 and a typed digit open. The row's kind is told
// here only, by the class the checklist's row factory gave it.
bool IsCheckboxRow(const wxPGProperty* row);
bool IsNumberRow(const wxPGProperty* row);
// Whether a row is a list of options, which Enter, F2 and Space open.
bool IsChoiceRow(const wxPGProperty* row);

// Keyboard and layout of the checklist grid: a click gives it the keyboard,
// Space ticks a checkbox row (drawn at once) or opens a number row or a
// choice row's list, Enter, F2 or a digit opens a number row (the digit
// starting the answer), Enter and F2 open a choice row's list, characters
// typed on a choice row pick the first option that starts with them, Tab
// out of a number row keeps the number, failed checks never open a box, and
// the label column follows the questions when the grid is resized.
void PrepareAnswerGrid(wxPropertyGrid* grid);

// Sizes the label column to the longest question, leaving the answers a
// third of the grid at least; questions that still do not fit show as
// tooltips.
void FitLabelColumn(wxPropertyGrid* grid);
