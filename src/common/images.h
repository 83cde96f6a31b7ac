#pragma once

#include <wx/bitmap.h>
#include <wx/bmpbndl.h>
#include <wx/string.h>

// The program's icon file, in the data folder: the window's icon and the
// About box's picture.
extern const wxString g_iconFile;

// Loads an image file of the data folder (a path as DataPath takes it;
// format detected from its content) as a bitmap; an empty bitmap when it
// cannot be read, which the library has logged.
wxBitmap LoadBitmap(const wxString& path);

// The image of path together with its companions at 1.5 and double size
// (the same name with "_1_5x" or "_2x" before the extension, as the library
// names bundle files), so that screens at 150 % and 200 % draw it sharp.
// Each is loaded as LoadBitmap does; the bundle is empty when the image
// itself cannot be read, and leaves out a companion that is missing.
wxBitmapBundle LoadBitmapBundle(const wxString& path);

// The images of an icon file that are size pixels high, and 1.5 and twice
// that, as one bundle whose size at 100 % is size. Empty when the file
// cannot be read or has no image of that size.
wxBitmapBundle LoadIconBundle(const wxString& path, int size);
