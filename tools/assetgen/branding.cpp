// The splash pictures and the window icon: the maker's logo (white on transparent), the credit of the audio
// library the game plays its sound with (white on black; it keeps the file name the splash screen asks for),
// and the icon.
#include "draw.h"
#include "pictures.h"
#include "text.h"

#include <cmath>
#include <string>

namespace art {

namespace {

// A hexagon tiled with six triangles, two of them left open: a mosaic tile, the maker's mark.
void TesseraMark(cairo_t* cr, double cx, double cy, double r, Colour c)
{
    for (int i = 0; i < 6; ++i) {
        double a0 = -M_PI / 2 + i * M_PI / 3, a1 = a0 + M_PI / 3;
        double g = r * 0.06; // gap between tiles
        double mid = (a0 + a1) / 2;
        double ox = std::cos(mid) * g, oy = std::sin(mid) * g;
        cairo_move_to(cr, cx + ox, cy + oy);
        cairo_line_to(cr, cx + ox + std::cos(a0) * r, cy + oy + std::sin(a0) * r);
        cairo_line_to(cr, cx + ox + std::cos(a1) * r, cy + oy + std::sin(a1) * r);
        cairo_close_path(cr);
        if (i == 1 || i == 4) {
            SetColour(cr, c);
            cairo_set_line_width(cr, r * 0.05);
            cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
            cairo_stroke(cr);
        } else {
            SetColour(cr, c);
            cairo_fill(cr);
        }
    }
}

bool DrawMakerLogo(const std::string& path)
{
    const int w = 1024, h = 512;
    Canvas canvas(w, h);
    cairo_t* cr = canvas.cr();
    Colour white{1, 1, 1, 1};
    TesseraMark(cr, w / 2.0, 170, 110, white);
    if (!UseFont(cr, "URW Gothic:style=Demi", 118))
        return false;
    DrawSpaced(cr, "TESSARO", w / 2.0, 400, 22, Align::Centre, white);
    UseFont(cr, "URW Gothic:style=Book", 30);
    DrawSpaced(cr, "INTERACTIVE", w / 2.0, 456, 14, Align::Centre, {1, 1, 1, 0.8});
    return canvas.Save(path);
}

bool DrawAudioCredit(const std::string& path)
{
    const int w = 1024, h = 512;
    Canvas canvas(w, h);
    cairo_t* cr = canvas.cr();
    // White on a clear ground: the splash draws it with a white tint added, which would turn a black ground
    // white too. The splash's own background is black.
    Colour white{1, 1, 1, 1};
    // A sound wave swelling from the middle.
    cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
    for (int i = 0; i < 41; ++i) {
        double x = w / 2.0 + (i - 20) * 16;
        double env = std::exp(-std::pow((i - 20) / 9.0, 2));
        double amp = 10 + 70 * env * (0.6 + 0.4 * std::fabs(std::sin(i * 1.7)));
        cairo_move_to(cr, x, 150 - amp);
        cairo_line_to(cr, x, 150 + amp);
    }
    SetColour(cr, white);
    cairo_set_line_width(cr, 7);
    cairo_stroke(cr);
    if (!UseFont(cr, "URW Gothic:style=Book", 34))
        return false;
    DrawSpaced(cr, "SOUND BY", w / 2.0, 300, 12, Align::Centre, {1, 1, 1, 0.75});
    UseFont(cr, "URW Gothic:style=Demi", 96);
    DrawLine(cr, "OpenAL Soft", w / 2.0, 400, Align::Centre, white);
    return canvas.Save(path);
}

bool DrawIcon(const std::string& path)
{
    const int s = 128;
    Canvas canvas(s, s);
    cairo_t* cr = canvas.cr();
    RoundedRect(cr, 4, 4, s - 8, s - 8, 22);
    FillVertical(cr, 4, s - 4, Hex(0x4b5852), Hex(0x232a27));
    BevelRect(cr, 4, 4, s - 8, s - 8, 22, 4, 0.4, 0.5);
    double c = s / 2.0;
    Circle(cr, c, c, 44);
    FillDome(cr, c, c, 44, Hex(0xf0a52a));
    Circle(cr, c, c, 44);
    SetColour(cr, Hex(0x1a1208));
    cairo_set_line_width(cr, 4);
    cairo_stroke(cr);
    for (int i = 0; i < 3; ++i) {
        double a = -M_PI / 2 + i * 2 * M_PI / 3;
        cairo_move_to(cr, c + std::cos(a - 0.5) * 11, c + std::sin(a - 0.5) * 11);
        cairo_arc(cr, c, c, 36, a - 0.5, a + 0.5);
        cairo_arc_negative(cr, c, c, 11, a + 0.5, a - 0.5);
        cairo_close_path(cr);
    }
    SetColour(cr, Hex(0x1a1208));
    cairo_fill(cr);
    FillCircle(cr, c, c, 7, Hex(0x1a1208));
    return canvas.Save(path);
}

} // namespace

bool MakeBranding(const std::string& dir)
{
    bool ok = DrawMakerLogo(AssetFile(dir, Asset::MakerLogo));
    ok = DrawAudioCredit(AssetFile(dir, Asset::AudioLogo)) && ok;
    ok = DrawIcon(AssetFile(dir, Asset::WindowIcon)) && ok;
    return ok;
}

} // namespace art
