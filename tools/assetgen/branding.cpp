// The splash pictures and the window icon: the maker's logo (white on transparent), the credit of the audio
// library the game plays its sound with (white on black; it keeps the file name the splash screen asks for),
// and the icons: the window's own and the desktop's, at the sizes a desktop's icon theme keeps.
#include "draw.h"
#include "pictures.h"
#include "text.h"

#include <algorithm>
#include <cmath>
#include <string>
#include <utility>

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

// The reactor's mark as the control desk's terminal shows it: a green trefoil on the black phosphor screen
// of a painted steel case, with the order prompt under it. The same drawing at every size, with less detail
// the smaller it gets, so that a task bar's 16 pixels still read as a green mark on a dark screen.
void DrawTrefoil(cairo_t* cr, double cx, double cy, double r, Colour c)
{
    for (int i = 0; i < 3; ++i) {
        double a = -M_PI / 2 + i * 2 * M_PI / 3;
        cairo_move_to(cr, cx + std::cos(a - 0.52) * r * 0.3, cy + std::sin(a - 0.52) * r * 0.3);
        cairo_arc(cr, cx, cy, r, a - 0.52, a + 0.52);
        cairo_arc_negative(cr, cx, cy, r * 0.3, a + 0.52, a - 0.52);
        cairo_close_path(cr);
    }
    Circle(cr, cx, cy, r * 0.2);
    SetColour(cr, c);
    cairo_fill(cr);
}

bool DrawIcon(const std::string& path, int s)
{
    Canvas canvas(s, s);
    cairo_t* cr = canvas.cr();
    const Colour phosphor{0, 1, 0, 1};
    const bool tiny = s < 24, small = s < 64;
    // The case: the desk's green-grey paint, its rim lit from the top-left.
    double m = tiny ? 0 : s * 0.03;
    double caseR = s * 0.17;
    RoundedRect(cr, m, m, s - 2 * m, s - 2 * m, caseR);
    FillVertical(cr, m, s - m, Hex(0x5d6b64), Hex(0x232a27));
    if (!tiny)
        BevelRect(cr, m, m, s - 2 * m, s - 2 * m, caseR, std::max(1.0, s * 0.025), 0.4, 0.5);
    // The screen, sunk into the case, with a faint green sheen behind the glyphs.
    double inset = tiny ? 2 : s * 0.13;
    double sx = inset, sy = inset, sw = s - 2 * inset, sh = s - inset - (small ? inset : s * 0.2);
    double screenR = s * 0.08;
    RoundedRect(cr, sx, sy, sw, sh, screenR);
    SetColour(cr, Hex(0x020702));
    cairo_fill_preserve(cr);
    cairo_pattern_t* sheen =
        cairo_pattern_create_radial(sx + sw / 2, sy + sh / 2, 0, sx + sw / 2, sy + sh / 2, sw * 0.7);
    cairo_pattern_add_color_stop_rgba(sheen, 0, 0, 0.45, 0.1, 0.35);
    cairo_pattern_add_color_stop_rgba(sheen, 1, 0, 0.1, 0, 0);
    cairo_set_source(cr, sheen);
    cairo_fill(cr);
    cairo_pattern_destroy(sheen);
    // The trefoil, with its glow at the sizes where a glow shows.
    double cx = sx + sw / 2, cy = sy + (small ? sh / 2 : sh * 0.42);
    double r = (small ? std::min(sw, sh) * 0.46 : sh * 0.36);
    if (!small) {
        Canvas glow(s, s);
        DrawTrefoil(glow.cr(), cx, cy, r, WithAlpha(phosphor, 0.9));
        BlurSurface(glow.surface(), s * 0.03);
        cairo_save(cr);
        RoundedRect(cr, sx, sy, sw, sh, screenR);
        cairo_clip(cr);
        cairo_set_source_surface(cr, glow.surface(), 0, 0);
        cairo_paint(cr);
        cairo_restore(cr);
    }
    DrawTrefoil(cr, cx, cy, r, phosphor);
    if (!small) {
        // The order prompt and its cursor, in the terminal's font.
        if (!UseFont(cr, "IBM 3270", sh * 0.2))
            return false;
        DrawLine(cr, "/>", sx + sw * 0.1, sy + sh * 0.93, Align::Left, phosphor);
        double promptW = TextWidth(cr, "/> ");
        cairo_rectangle(cr, sx + sw * 0.1 + promptW, sy + sh * 0.93 - sh * 0.03, sh * 0.11, sh * 0.03);
        SetColour(cr, phosphor);
        cairo_fill(cr);
        // Scan lines over the glass.
        cairo_save(cr);
        RoundedRect(cr, sx, sy, sw, sh, screenR);
        cairo_clip(cr);
        double pitch = std::max(2.0, s / 64.0);
        for (double y = sy; y < sy + sh; y += pitch)
            cairo_rectangle(cr, sx, y, sw, pitch / 2);
        SetColour(cr, {0, 0, 0, 0.22});
        cairo_fill(cr);
        cairo_restore(cr);
        // The case below the screen: an amber alarm lamp and two screws.
        double by = (sy + sh + s - m) / 2;
        FillCircle(cr, s * 0.74, by, s * 0.05, Hex(0x1a1208));
        Circle(cr, s * 0.74, by, s * 0.038);
        FillDome(cr, s * 0.74, by, s * 0.038, Hex(0xf0a52a));
        if (s >= 64) {
            Screw(cr, s * 0.22, by, s * 0.03, 0.6, Hex(0xb4b8bb));
            Screw(cr, s * 0.5, by, s * 0.03, 2.2, Hex(0xb4b8bb));
        }
    }
    // The glass's edge: dark on top where the case overhangs it.
    RoundedRect(cr, sx, sy, sw, sh, screenR);
    SetColour(cr, {0, 0, 0, 0.8});
    cairo_set_line_width(cr, tiny ? 1 : std::max(1.0, s * 0.02));
    cairo_stroke(cr);
    return canvas.Save(path);
}

} // namespace

bool MakeBranding(const std::string& dir)
{
    bool ok = DrawMakerLogo(AssetFile(dir, Asset::MakerLogo));
    ok = DrawAudioCredit(AssetFile(dir, Asset::AudioLogo)) && ok;
    ok = DrawIcon(AssetFile(dir, Asset::WindowIcon), 128) && ok;
    const std::pair<Asset, int> icons[] = {{Asset::Icon16, 16},  {Asset::Icon24, 24}, {Asset::Icon32, 32},
                                           {Asset::Icon48, 48},  {Asset::Icon64, 64}, {Asset::Icon128, 128},
                                           {Asset::Icon256, 256}};
    for (const auto& [asset, size] : icons)
        ok = DrawIcon(AssetFile(dir, asset), size) && ok;
    return ok;
}

} // namespace art
