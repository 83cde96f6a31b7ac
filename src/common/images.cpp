#include "common/images.h"

#include "common/paths.h"

#include <wx/image.h>

wxBitmap LoadBitmap(const wxString& path)
{
    wxImage image;
    if (!image.LoadFile(NativePath(path), wxBITMAP_TYPE_ANY, -1))
        return wxNullBitmap;
    return wxBitmap(image, -1);
}
