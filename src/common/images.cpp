#include "common/images.h"

#include "common/paths.h"

#include <wx/image.h>

wxBitmap LoadBitmap(const wxString& path)
{
    wxImage image;
    if (!image.LoadFile(DataPath(path), wxBITMAP_TYPE_ANY, -1))
        return wxNullBitmap;
    return wxBitmap(image, -1);
}

wxBitmapBundle LoadBitmapBundle(const wxString& path)
{
    const wxBitmap normal = LoadBitmap(path);
    // Without its image at 100 % a bundle would take the double size for its own.
    if (!normal.IsOk())
        return wxBitmapBundle();
    return wxBitmapBundle::FromBitmaps(
        normal, LoadBitmap(path.BeforeLast('.') + "_2x." + path.AfterLast('.')));
}
