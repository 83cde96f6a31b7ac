#pragma once

#include <wx/bitmap.h>
#include <wx/bmpbndl.h>
#include <wx/string.h>

// Loads an image file of the data folder (a path as DataPath takes it;
// format detected from its content) as a bitmap; an empty bitmap when it
// cannot be read, which the library has logged.
wxBitmap LoadBitmap(const wxString& path);

// The image of path together with its double-size companion (the same name
// with "_2x" before the extension, as the library names bundle files), so
// that screens at 200 % draw it sharp. Each is loaded as LoadBitmap does;
// the bundle is empty when the image itself cannot be read, and holds that
// image alone when only its companion is missing.
wxBitmapBundle LoadBitmapBundle(const wxString& path);
