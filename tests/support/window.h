#pragma once

#include <wx/string.h>

class wxBitmap;
class wxHtmlWindow;
class wxPropertyGrid;
class wxWindow;

// Drives a window as a user does, by the events a click or a choice sends;
// controls are found by their window names.
void ClickButton(wxWindow* top, const wxString& name);
void ChooseEntry(wxWindow* top, const wxString& name, int index);

// Shows a top-level window and waits until it (or the given child, for a
// window that its children cover) has been drawn once: only then has the
// display mapped it and GTK given it its final size.
bool ShowAndWaitForPaint(wxWindow* window, wxWindow* drawn = nullptr);

// The main window's checklist grid and result view, found by their names.
wxPropertyGrid* ChecklistGrid(wxWindow* frame);
wxHtmlWindow* ResultView(wxWindow* frame);

// Whether a bitmap that a window draws holds exactly the pixels of the image
// file drawn for the window's scale: the file itself at 100 %, its "_1_5x"
// and "_2x" companions at 150 % and 200 %. Also checks that the scale is the
// one GDK_SCALE asks for (the Windows runs at 144 and 192 DPI set it too), so
// that a run meant for 200 % cannot pass at 100 %.
void ExpectDrawnForScale(const wxWindow* window, const wxBitmap& drawn, const wxString& file);

// Whether the windows are on a Wayland display (GTK's Wayland back end);
// never on Windows.
bool OnWayland();
