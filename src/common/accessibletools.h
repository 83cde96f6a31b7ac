#pragma once

class wxAuiToolBar;

// The toolbar's tools as buttons named by their labels (by their short help
// where a tool has no label), pressed as a click presses them. The toolbar
// draws its tools itself, and the desktop saw none of them.
void ExposeTools(wxAuiToolBar* toolBar);
