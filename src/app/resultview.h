#pragma once

class wxHtmlWindow;
class wxWindow;

// The result page, for copying: Ctrl+A selects the page, Ctrl+C copies the
// selection, and a right click or the menu key offers Copy and Select All.
// F6 anywhere in the window moves the keyboard to the page and back to the
// list: the page is out of the Tab order, as it shows no sign of having the
// keyboard.
void MakeResultCopyable(wxWindow* window, wxHtmlWindow* view, wxWindow* list);
