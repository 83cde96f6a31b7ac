#pragma once

#include <wx/bitmap.h>
#include <wx/string.h>

// Loads an image file (format detected from its content) as a bitmap; an
// empty bitmap when it cannot be read, which the library has logged.
wxBitmap LoadBitmap(const wxString& path);
