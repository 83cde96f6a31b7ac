// Draws the program's images: the window icon, the two toolbar images and the
// About box pictures. Usage: drawimages OUTPUT_FOLDER
// or, for the desktop's icon theme, one icon size as PNG:
//        drawimages --icon SIZE OUTPUT_FILE
//
// Shapes are described as inside/outside tests and rendered with 4x4
// supersampling, so the images need no drawing library and no display.

#include <wx/filename.h>
#include <wx/image.h>
#include <wx/init.h>
#include <wx/wfstream.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <functional>
#include <vector>

namespace
{
struct Rgba
{
    double r, g, b, a;
};

// A premultiplied-free RGBA canvas with "paint over" compositing. Shapes are
// given in units of the image at 100 %; a canvas of scale 1.5 or 2 has that
// many times the pixels in each direction and draws the same shapes with
// finer detail.
class Canvas
{
public:
    Canvas(int w, int h, Rgba fill, double scale = 1)
        : m_w(int(std::lround(w * scale))), m_h(int(std::lround(h * scale))), m_scale(scale),
          m_px(size_t(m_w) * m_h, fill)
    {
    }

    int Width() const { return m_w; }
    int Height() const { return m_h; }

    // Paints colour where inside(x, y) holds, x and y in units of scale 1.
    void Fill(const std::function<bool(double, double)>& inside, Rgba colour)
    {
        const int n = 4;
        for (int y = 0; y < m_h; ++y)
            for (int x = 0; x < m_w; ++x)
            {
                int hits = 0;
                for (int sy = 0; sy < n; ++sy)
                    for (int sx = 0; sx < n; ++sx)
                        hits +=
                            inside((x + (sx + 0.5) / n) / m_scale, (y + (sy + 0.5) / n) / m_scale);
                if (hits)
                    Blend(m_px[size_t(y) * m_w + x], colour, colour.a * hits / (n * n));
            }
    }

    // Vertical gradient over the whole canvas.
    void Gradient(Rgba top, Rgba bottom)
    {
        for (int y = 0; y < m_h; ++y)
        {
            const double t = m_h > 1 ? double(y) / (m_h - 1) : 0;
            const Rgba c{top.r + (bottom.r - top.r) * t, top.g + (bottom.g - top.g) * t,
                         top.b + (bottom.b - top.b) * t, 1};
            for (int x = 0; x < m_w; ++x)
                m_px[size_t(y) * m_w + x] = c;
        }
    }

    const Rgba& At(int x, int y) const { return m_px[size_t(y) * m_w + x]; }

    wxImage ToImage(bool alpha) const
    {
        wxImage image(m_w, m_h);
        if (alpha)
            image.InitAlpha();
        for (int y = 0; y < m_h; ++y)
            for (int x = 0; x < m_w; ++x)
            {
                const Rgba& p = At(x, y);
                image.SetRGB(x, y, Byte(p.r), Byte(p.g), Byte(p.b));
                if (alpha)
                    image.SetAlpha(x, y, Byte(p.a));
            }
        return image;
    }

    static unsigned char Byte(double v)
    {
        return (unsigned char)std::lround(std::clamp(v, 0.0, 1.0) * 255);
    }

private:
    static void Blend(Rgba& dst, const Rgba& src, double a)
    {
        const double out = a + dst.a * (1 - a);
        if (out <= 0)
            return;
        dst.r = (src.r * a + dst.r * dst.a * (1 - a)) / out;
        dst.g = (src.g * a + dst.g * dst.a * (1 - a)) / out;
        dst.b = (src.b * a + dst.b * dst.a * (1 - a)) / out;
        dst.a = out;
    }

    int m_w, m_h;
    double m_scale;
    std::vector<Rgba> m_px;
};

const Rgba g_clear{0, 0, 0, 0};
const Rgba g_white{1, 1, 1, 1};
const Rgba g_rose{0.86, 0.13, 0.30, 1};
const Rgba g_roseDark{0.58, 0.05, 0.18, 1};
const Rgba g_gold{0.98, 0.78, 0.22, 1};
const Rgba g_teal{0.08, 0.55, 0.52, 1};
const Rgba g_blue{0.16, 0.40, 0.78, 1};
const Rgba g_ink{0.16, 0.12, 0.22, 1};

// The classic heart curve, scaled to a box of size s with its centre at (cx, cy).
std::function<bool(double, double)> Heart(double cx, double cy, double s)
{
    return [=](double x, double y)
    {
        const double u = (x - cx) / (s * 0.5) * 1.2;
        const double v = -(y - cy) / (s * 0.5) * 1.2 + 0.15;
        const double q = u * u + v * v - 1;
        return q * q * q - u * u * v * v * v <= 0;
    };
}

std::function<bool(double, double)> Disc(double cx, double cy, double r)
{
    return [=](double x, double y) { return (x - cx) * (x - cx) + (y - cy) * (y - cy) <= r * r; };
}

std::function<bool(double, double)> Box(double x0, double y0, double x1, double y1)
{
    return [=](double x, double y) { return x >= x0 && x < x1 && y >= y0 && y < y1; };
}

std::function<bool(double, double)> Polygon(std::vector<std::pair<double, double>> pts)
{
    return [pts](double x, double y)
    {
        bool in = false;
        for (size_t i = 0, j = pts.size() - 1; i < pts.size(); j = i++)
        {
            const auto& a = pts[i];
            const auto& b = pts[j];
            if ((a.second > y) != (b.second > y) &&
                x < (b.first - a.first) * (y - a.second) / (b.second - a.second) + a.first)
                in = !in;
        }
        return in;
    };
}

// A 5x7 capital font, enough for the maker's name and the button caption.
const char* Glyph(char c)
{
    switch (c)
    {
    case 'A':
        return " ### #   ##   #######   ##   ##   #";
    case 'D':
        return "#### #   ##   ##   ##   ##   ##### ";
    case 'E':
        return "######    #    #### #    #    #####";
    case 'K':
        return "#   ##  # # #  ##   # #  #  # #   #";
    case 'L':
        return "#    #    #    #    #    #    #####";
    case 'N':
        return "#   ###  ## # ##  ###   ##   ##   #";
    case 'O':
        return " ### #   ##   ##   ##   ##   # ### ";
    case 'R':
        return "#### #   ##   ##### # #  #  # #   #";
    case 'V':
        return "#   ##   ##   ##   ##   # # #   #  ";
    case 'W':
        return "#   ##   ##   ## # ## # ## # # # # ";
    default:
        return "                                   ";
    }
}

void Text(Canvas& canvas, const char* text, double x, double y, double cell, Rgba colour)
{
    for (; *text; ++text, x += 6 * cell)
    {
        const char* g = Glyph(*text);
        for (int row = 0; row < 7; ++row)
            for (int col = 0; col < 5; ++col)
                if (g[row * 5 + col] == '#')
                    canvas.Fill(Disc(x + (col + 0.5) * cell, y + (row + 0.5) * cell, cell * 0.62),
                                colour);
    }
}

double TextWidth(const char* text, double cell)
{
    return (6 * std::strlen(text) - 1) * cell;
}

Canvas DrawIcon(int s)
{
    Canvas c(s, s, g_clear);
    c.Fill(Heart(s * 0.5, s * 0.52, s * 1.0), g_roseDark);
    c.Fill(Heart(s * 0.5, s * 0.50, s * 0.9), g_rose);
    // A gold coin on the heart: the value the program puts on it.
    c.Fill(Disc(s * 0.5, s * 0.48, s * 0.2), g_gold);
    c.Fill(Box(s * 0.47, s * 0.38, s * 0.53, s * 0.58), g_roseDark);
    return c;
}

Canvas DrawUpdate(double scale)
{
    Canvas c(24, 24, g_clear, scale);
    c.Fill(Disc(12, 12, 11.5), g_teal);
    c.Fill(Box(10, 4.5, 14, 12.5), g_white);
    c.Fill(Polygon({{5.5, 11}, {18.5, 11}, {12, 18.5}}), g_white);
    c.Fill(Box(6, 19, 18, 20.5), g_white);
    return c;
}

Canvas DrawAbout(double scale)
{
    Canvas c(24, 24, g_clear, scale);
    c.Fill(Disc(12, 12, 11.5), g_blue);
    c.Fill(Disc(12, 6.8, 2), g_white);
    c.Fill(Box(10.3, 10, 13.7, 18.5), g_white);
    c.Fill(Box(8.5, 17, 15.5, 19), g_white);
    return c;
}

Canvas DrawLogo(double scale)
{
    Canvas c(320, 64, g_white, scale);
    c.Gradient({1, 0.96, 0.97, 1}, {0.97, 0.86, 0.90, 1});
    c.Fill(Heart(36, 32, 44), g_rose);
    Text(c, "LARKVALE", 70, 18, 4, g_ink);
    c.Fill(Box(70, 52, 70 + TextWidth("LARKVALE", 4), 54), g_rose);
    return c;
}

Canvas DrawDownloadButton(double scale)
{
    Canvas c(176, 40, g_white, scale);
    c.Gradient({0.18, 0.66, 0.62, 1}, {0.05, 0.42, 0.40, 1});
    c.Fill(Box(14, 8, 20, 20), g_white);
    c.Fill(Polygon({{9, 19}, {25, 19}, {17, 29}}), g_white);
    c.Fill(Box(9, 30, 25, 32), g_white);
    Text(c, "DOWNLOAD", 36, 13, 2.2, g_white);
    return c;
}

// Icon headers are little-endian.
void Put16(std::vector<uint8_t>& out, unsigned v)
{
    out.push_back(v & 0xff);
    out.push_back((v >> 8) & 0xff);
}

void Put32(std::vector<uint8_t>& out, uint32_t v)
{
    Put16(out, v & 0xffff);
    Put16(out, v >> 16);
}

// One icon file holding several sizes, each as a 32-bit bitmap with its mask.
bool WriteIco(const wxString& path, const std::vector<Canvas>& sizes)
{
    std::vector<uint8_t> out;

    std::vector<std::vector<uint8_t>> entries;
    for (const Canvas& c : sizes)
    {
        std::vector<uint8_t> e;
        const int w = c.Width(), h = c.Height();
        const int maskStride = ((w + 31) / 32) * 4;
        Put32(e, 40);
        Put32(e, w);
        Put32(e, h * 2);
        Put16(e, 1);
        Put16(e, 32);
        Put32(e, 0);
        Put32(e, w * h * 4 + maskStride * h);
        Put32(e, 0);
        Put32(e, 0);
        Put32(e, 0);
        Put32(e, 0);
        for (int y = h - 1; y >= 0; --y)
            for (int x = 0; x < w; ++x)
            {
                const Rgba& p = c.At(x, y);
                e.push_back(Canvas::Byte(p.b));
                e.push_back(Canvas::Byte(p.g));
                e.push_back(Canvas::Byte(p.r));
                e.push_back(Canvas::Byte(p.a));
            }
        for (int y = h - 1; y >= 0; --y)
        {
            std::vector<uint8_t> row(maskStride, 0);
            for (int x = 0; x < w; ++x)
                if (Canvas::Byte(c.At(x, y).a) < 128)
                    row[x / 8] |= 0x80 >> (x % 8);
            e.insert(e.end(), row.begin(), row.end());
        }
        entries.push_back(std::move(e));
    }

    Put16(out, 0);
    Put16(out, 1);
    Put16(out, unsigned(sizes.size()));
    uint32_t offset = 6 + 16 * uint32_t(sizes.size());
    for (size_t i = 0; i < sizes.size(); ++i)
    {
        out.push_back(uint8_t(sizes[i].Width() & 0xff));
        out.push_back(uint8_t(sizes[i].Height() & 0xff));
        out.push_back(0);
        out.push_back(0);
        Put16(out, 1);
        Put16(out, 32);
        Put32(out, uint32_t(entries[i].size()));
        Put32(out, offset);
        offset += uint32_t(entries[i].size());
    }
    for (const auto& e : entries)
        out.insert(out.end(), e.begin(), e.end());

    wxFileOutputStream file(path);
    return file.IsOk() && file.WriteAll(out.data(), out.size()) && file.Close();
}
} // namespace

namespace
{
// The file's extension chooses its format.
bool Save(const Canvas& canvas, bool alpha, const wxString& file)
{
    wxImage image = canvas.ToImage(alpha);
    image.SetOption(wxIMAGE_OPTION_QUALITY, 92); // read by the JPEG writer only
    return image.SaveFile(file);
}

int DrawAll(const wxString& folder)
{
    const wxString dir = folder + wxFileName::GetPathSeparator();
    // The About box shows the 64-pixel icon, and its 96 and 128 at 150 % and
    // 200 %; Windows picks the others for its lists and title bars.
    std::vector<Canvas> icons;
    for (int size : {16, 24, 32, 48, 64, 96, 128})
        icons.push_back(DrawIcon(size));
    bool ok = WriteIco(dir + "Quorvel_01.ico", icons);
    // Each picture also at 1.5 and double size, named as the library's
    // bitmap bundles name them, for screens at 150 % and 200 %.
    const struct
    {
        double scale;
        const char* suffix;
    } scales[] = {{1, ""}, {1.5, "_1_5x"}, {2, "_2x"}};
    for (const auto& s : scales)
    {
        const wxString x = s.suffix;
        ok = Save(DrawUpdate(s.scale), true, dir + "Update_s24_01" + x + ".png") && ok;
        ok = Save(DrawAbout(s.scale), true, dir + "About_s24_01" + x + ".png") && ok;
        ok = Save(DrawLogo(s.scale), false, dir + "larkvale_logo" + x + ".bmp") && ok;
        ok = Save(DrawDownloadButton(s.scale), false, dir + "larkvale_stat_01" + x + ".jpg") && ok;
    }
    return ok ? 0 : 1;
}

int DrawThemeIcon(const char* size, const wxString& file)
{
    long s = 0;
    if (!wxString(size).ToLong(&s) || s < 1 || s > 1024)
    {
        std::fprintf(stderr, "drawimages: bad icon size %s\n", size);
        return 2;
    }
    return DrawIcon(int(s)).ToImage(true).SaveFile(file, wxBITMAP_TYPE_PNG) ? 0 : 1;
}
} // namespace

int main(int argc, char** argv)
{
    const bool icon = argc == 4 && std::strcmp(argv[1], "--icon") == 0;
    if (argc != 2 && !icon)
    {
        std::fprintf(stderr, "usage: %s OUTPUT_FOLDER\n       %s --icon SIZE OUTPUT_FILE\n",
                     argv[0], argv[0]);
        return 2;
    }
    wxInitializer init;
    wxInitAllImageHandlers();
    return icon ? DrawThemeIcon(argv[2], wxString::FromUTF8(argv[3]))
                : DrawAll(wxString::FromUTF8(argv[1]));
}
