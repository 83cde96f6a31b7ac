#include "common/images.h"

#include "common/paths.h"

#include <wx/image.h>
#include <wx/log.h>

#include <map>
#include <vector>

const wxString g_iconFile = "img\\Quorvel_01.ico";

wxBitmap LoadBitmap(const wxString& path)
{
    wxImage image;
    if (!image.LoadFile(DataPath(path), wxBITMAP_TYPE_ANY, -1))
        return wxNullBitmap;
    return wxBitmap(image, -1);
}

namespace
{
wxString Companion(const wxString& path, const wxString& suffix)
{
    return path.BeforeLast('.') + suffix + "." + path.AfterLast('.');
}

// Without its image at 100 % a bundle would take a larger one for its own.
wxBitmapBundle BundleOf(const std::vector<wxBitmap>& bitmaps, int size)
{
    wxVector<wxBitmap> usable;
    for (const wxBitmap& bitmap : bitmaps)
        if (bitmap.IsOk())
            usable.push_back(bitmap);
    if (usable.empty() || usable.front().GetHeight() != size)
        return wxBitmapBundle();
    return wxBitmapBundle::FromBitmaps(usable);
}
} // namespace

wxBitmapBundle LoadBitmapBundle(const wxString& path)
{
    const wxBitmap normal = LoadBitmap(path);
    if (!normal.IsOk())
        return wxBitmapBundle();
    // Quietly: a missing companion only means a less sharp picture.
    wxLogNull quiet;
    return BundleOf(
        {normal, LoadBitmap(Companion(path, "_1_5x")), LoadBitmap(Companion(path, "_2x"))},
        normal.GetHeight());
}

wxBitmapBundle LoadIconBundle(const wxString& path, int size)
{
    const wxString file = DataPath(path);
    const int count = wxImage::GetImageCount(file, wxBITMAP_TYPE_ICO);
    std::map<int, wxImage> byHeight;
    for (int index = 0; index < count; ++index)
    {
        wxImage image;
        if (image.LoadFile(file, wxBITMAP_TYPE_ICO, index))
            byHeight[image.GetHeight()] = image;
    }
    std::vector<wxBitmap> found;
    for (int wanted : {size, size * 3 / 2, size * 2})
        if (byHeight.count(wanted))
            found.push_back(wxBitmap(byHeight[wanted], -1));
    return BundleOf(found, size);
}
