// The seven nine-slice panels. The game cuts each picture into a 4 x 4 grid and takes the corners from frames
// 0, 2, 12, 14, the edges from 1, 7, 11, 13 and the middle from 5. It also draws a grid cell at 3.75 world units
// per pixel, so the picture's height fixes the border: 64 pixels give corners of 60 units.
//
// Each panel is drawn once as an ordinary 3 x 3 picture and its cells are copied to those frames. The unused
// frames get copies of the piece that lies beside each neighbour in the finished panel, so linear filtering at
// a frame's rim blends in what really lies next to it. The left and right edges are stacked in the last column
// (frames 7 and 11) and are stretched along it, so half a texel of one shows at the end of the other; a ring
// of a bezel therefore sits at the same place across both edge cells (symmetric about the cell's middle), and
// only its shading differs where they meet.
#include "draw.h"
#include "pictures.h"
#include "text.h"

#include <cmath>
#include <functional>
#include <string>

namespace art {

namespace {

using MasterPainter = std::function<void(cairo_t* cr, double n)>; // paints a 3n x 3n panel

bool SaveNineSlice(const std::string& path, int n, const MasterPainter& paint)
{
    Canvas master(3 * n, 3 * n);
    paint(master.cr(), n);
    cairo_surface_flush(master.surface());

    Canvas sheet(4 * n, 4 * n);
    cairo_t* cr = sheet.cr();
    // frame -> master cell (column, row).
    const int sources[16][2] = {
        {0, 0}, {1, 0}, {2, 0}, {0, 1}, // 0 TL, 1 T, 2 TR, 3 above the left edge: left edge
        {0, 1}, {1, 1}, {2, 1}, {0, 1}, // 4 beside the middle: left edge, 5 middle, 6 right edge, 7 left edge
        {0, 1}, {1, 1}, {2, 1}, {2, 1}, // 8 above BL: left edge, 9 middle, 10 above BR: right edge, 11 right edge
        {0, 2}, {1, 2}, {2, 2}, {2, 1}, // 12 BL, 13 B, 14 BR, 15 below the right edge: right edge
    };
    for (int frame = 0; frame < 16; ++frame) {
        int sc = sources[frame][0], sr = sources[frame][1];
        int fx = (frame % 4) * n, fy = (frame / 4) * n;
        cairo_save(cr);
        cairo_rectangle(cr, fx, fy, n, n);
        cairo_clip(cr);
        cairo_set_source_surface(cr, master.surface(), fx - sc * n, fy - sr * n);
        cairo_set_operator(cr, CAIRO_OPERATOR_SOURCE);
        cairo_paint(cr);
        cairo_restore(cr);
    }
    return sheet.Save(path);
}

// A ring of width 2(n/2 - a) at inset a, whose vertical sides sit in the middle of their cells.
void RingPath(cairo_t* cr, double n, double a, double outerRadius, double innerRadius)
{
    double s = 3 * n;
    RoundedRect(cr, a, a, s - 2 * a, s - 2 * a, outerRadius);
    RoundedRect(cr, n - a, n - a, n + 2 * a, n + 2 * a, innerRadius);
    cairo_set_fill_rule(cr, CAIRO_FILL_RULE_EVEN_ODD);
}

// The terminal's and the small screens' bezel: dark bakelite around a transparent window. The game frames a
// screen with an outset of 5 px (18.75 units); the ring runs from 1 px outside the screen to 7 px over it.
void PaintCrtBezel(cairo_t* cr, double n)
{
    double s = 3 * n, a = 4;
    // Soft shadow outside and inside the ring (the glass sits below it).
    for (int i = 3; i >= 1; --i) {
        RingPath(cr, n, a - i * 0.7, 6 + i, 4);
        SetColour(cr, {0, 0, 0, 0.16});
        cairo_fill(cr);
        RingPath(cr, n, a, 6, 4 - i * 0.5);
        cairo_set_fill_rule(cr, CAIRO_FILL_RULE_WINDING);
        cairo_new_path(cr);
        RoundedRect(cr, n - a - i * 0.0, n - a, n + 2 * a, n + 2 * a, 4);
        RoundedRect(cr, n - a + i * 0.8, n - a + i * 0.8, n + 2 * a - i * 1.6, n + 2 * a - i * 1.6, 4);
        cairo_set_fill_rule(cr, CAIRO_FILL_RULE_EVEN_ODD);
        SetColour(cr, {0, 0, 0, 0.14});
        cairo_fill(cr);
    }
    cairo_set_fill_rule(cr, CAIRO_FILL_RULE_EVEN_ODD);
    RingPath(cr, n, a, 6, 4);
    FillVertical(cr, a, s - a, Hex(0x37373b), Hex(0x1d1d20));
    // A rounded lip: a light ridge along the middle of the ring, dark rims on both sides.
    RoundedRect(cr, n / 2, n / 2, s - n, s - n, 5);
    cairo_set_fill_rule(cr, CAIRO_FILL_RULE_WINDING);
    SetColour(cr, {1, 1, 1, 0.13});
    cairo_set_line_width(cr, 2.2);
    cairo_stroke(cr);
    RoundedRect(cr, n / 2 - 1.2, n / 2 - 1.2, s - n + 2.4, s - n + 2.4, 5);
    SetColour(cr, {1, 1, 1, 0.05});
    cairo_set_line_width(cr, 1);
    cairo_stroke(cr);
    RoundedRect(cr, a + 0.5, a + 0.5, s - 2 * a - 1, s - 2 * a - 1, 6);
    RoundedRect(cr, n - a - 0.5, n - a - 0.5, n + 2 * a + 1, n + 2 * a + 1, 4);
    SetColour(cr, {0, 0, 0, 0.85});
    cairo_set_line_width(cr, 1);
    cairo_stroke(cr);
    // The curved glass catches a little light in its upper-left corner.
    SetColour(cr, {0.75, 1, 0.8, 0.10});
    cairo_arc(cr, n - a + 5, n - a + 5, 3.5, M_PI, 1.5 * M_PI);
    cairo_stroke(cr);
}

// Brushed steel bezel with a screw in each corner: the countdown box and the radar screen. Outset 5 puts its
// ring from 1 px outside to 3 px over the screen (the countdown's digits come close to its sides).
void PaintSteelBezel(cairo_t* cr, double n)
{
    double s = 3 * n, a = 6;
    Rng rng(11);
    Colour steel = Hex(0x9a9fa4);
    RingPath(cr, n, a - 1, 4, 2);
    SetColour(cr, {0, 0, 0, 0.3});
    cairo_fill(cr);
    cairo_save(cr);
    RingPath(cr, n, a, 3, 1.5);
    cairo_clip_preserve(cr);
    FillVertical(cr, 0, s, Shade(steel, 1.25), Shade(steel, 0.75));
    BrushStreaks(cr, 0, 0, s, s, rng, 0.05, 0.6);
    cairo_restore(cr);
    cairo_set_fill_rule(cr, CAIRO_FILL_RULE_WINDING);
    // Ridge in the middle of the ring, dark rims on both sides.
    RoundedRect(cr, n / 2, n / 2, s - n, s - n, 3);
    SetColour(cr, {1, 1, 1, 0.35});
    cairo_set_line_width(cr, 1);
    cairo_stroke(cr);
    RoundedRect(cr, a + 0.4, a + 0.4, s - 2 * a - 0.8, s - 2 * a - 0.8, 3);
    RoundedRect(cr, n - a - 0.4, n - a - 0.4, n + 2 * a + 0.8, n + 2 * a + 0.8, 1.5);
    SetColour(cr, {0.03, 0.03, 0.04, 0.9});
    cairo_set_line_width(cr, 0.8);
    cairo_stroke(cr);
    // Corner brackets with their screws.
    const double k = a + 1.5;
    const double corners[4][2] = {{k, k}, {s - k, k}, {k, s - k}, {s - k, s - k}};
    for (auto& c : corners) {
        FillCircle(cr, c[0] + 0.4, c[1] + 0.6, 3.6, {0, 0, 0, 0.35});
        Circle(cr, c[0], c[1], 3.3);
        FillDome(cr, c[0], c[1], 3.3, Shade(steel, 1.1));
        Screw(cr, c[0], c[1], 1.8, c[0] * 0.1 + c[1] * 0.07, Hex(0xc4c8cc));
    }
}

// A light brushed-steel plate with screws: black lettering must read on it.
void PaintMetalPlate(cairo_t* cr, double n)
{
    double s = 3 * n;
    Rng rng(21);
    Colour steel = Hex(0xb4b8bb);
    SoftShadow(cr, 1, 2, s - 2, s - 2, 3, 1.0, 0.0);
    cairo_save(cr);
    RoundedRect(cr, 0.5, 0.5, s - 1, s - 1, 3);
    cairo_clip_preserve(cr);
    FillVertical(cr, 0, s, Shade(steel, 1.12), Shade(steel, 0.9));
    // Streaks run the whole width, so the stretched middle and edges keep them straight.
    for (int y = 1; y < s - 1; ++y) {
        double a = rng.Range(0.0, 0.07);
        bool light = rng.Uniform() < 0.5;
        cairo_rectangle(cr, 0, y, s, 1);
        cairo_set_source_rgba(cr, light, light, light, a);
        cairo_fill(cr);
    }
    cairo_restore(cr);
    BevelRect(cr, 0.5, 0.5, s - 1, s - 1, 3, 1.5, 0.75, 0.45);
    RoundedRect(cr, 0.5, 0.5, s - 1, s - 1, 3);
    SetColour(cr, {0.12, 0.12, 0.13, 0.95});
    cairo_set_line_width(cr, 1);
    cairo_stroke(cr);
    double k = 5.0;
    Colour screw = Hex(0xd0d3d6);
    Screw(cr, k, k, 2.2, 0.4, screw);
    Screw(cr, s - k, k, 2.2, 1.9, screw);
    Screw(cr, k, s - k, 2.2, 2.7, screw);
    Screw(cr, s - k, s - k, 2.2, 1.1, screw);
}

// A cream bakelite key seen from the front: its lower side shows while it is up (caption raised 10 units)
// and mostly disappears when the pointer presses it down (caption raised 3).
void PaintKey(cairo_t* cr, double n, bool pressed)
{
    double s = 3 * n;
    Colour face = pressed ? Hex(0xf4dc9c) : Hex(0xe6dcc4);
    Colour side = pressed ? Hex(0xb89a58) : Hex(0xa8977a);
    double top = pressed ? 2.6 : 0.6; // where the face begins
    double lip = pressed ? 3.2 : 5.6; // visible side under the face
    // Recess the key sits in.
    RoundedRect(cr, 0.5, 0.5, s - 1, s - 1, 5);
    SetColour(cr, Hex(0x1e1a16));
    cairo_fill(cr);
    // Side of the key.
    RoundedRect(cr, 1.2, top, s - 2.4, s - 1.2 - top, 4.5);
    SetColour(cr, side);
    cairo_fill(cr);
    RoundedRect(cr, 1.2, top, s - 2.4, s - 1.2 - top, 4.5);
    SetColour(cr, {0, 0, 0, 0.5});
    cairo_set_line_width(cr, 0.8);
    cairo_stroke(cr);
    // Face.
    double fh = s - 1.2 - top - lip;
    RoundedRect(cr, 1.6, top + 0.4, s - 3.2, fh, 4);
    cairo_save(cr);
    cairo_clip_preserve(cr);
    FillVertical(cr, top, top + fh, Shade(face, 1.08), Shade(face, 0.93));
    if (pressed) {
        // Lit from behind: an amber glow in the middle of the face.
        cairo_pattern_t* p = cairo_pattern_create_linear(0, top, 0, top + fh);
        cairo_pattern_add_color_stop_rgba(p, 0, 1, 0.8, 0.3, 0.0);
        cairo_pattern_add_color_stop_rgba(p, 0.5, 1, 0.78, 0.3, 0.18);
        cairo_pattern_add_color_stop_rgba(p, 1, 1, 0.8, 0.3, 0.0);
        cairo_set_source(cr, p);
        cairo_paint(cr);
        cairo_pattern_destroy(p);
    }
    cairo_restore(cr);
    BevelRect(cr, 1.6, top + 0.4, s - 3.2, fh, 4, 1.2, 0.7, 0.25);
    RoundedRect(cr, 1.6, top + 0.4, s - 3.2, fh, 4);
    SetColour(cr, {0.2, 0.16, 0.1, 0.55});
    cairo_set_line_width(cr, 0.7);
    cairo_stroke(cr);
}

// Housing of a module: hammer-tone green-grey painted steel with a groove around its face and four bolts.
void PaintModuleBase(cairo_t* cr, double n)
{
    double s = 3 * n;
    Colour paint = Hex(0x4b5852);
    cairo_save(cr);
    RoundedRect(cr, 0.5, 0.5, s - 1, s - 1, 4);
    cairo_clip_preserve(cr);
    FillVertical(cr, 0, s, Shade(paint, 1.1), Shade(paint, 0.86));
    cairo_restore(cr);
    BevelRect(cr, 0.5, 0.5, s - 1, s - 1, 4, 1.8, 0.4, 0.55);
    RoundedRect(cr, 0.5, 0.5, s - 1, s - 1, 4);
    SetColour(cr, {0.03, 0.04, 0.03, 0.95});
    cairo_set_line_width(cr, 1);
    cairo_stroke(cr);
    // Groove: a dark line with a light one below-right of it.
    RoundedRect(cr, 9.5, 9.5, s - 19, s - 19, 2);
    SetColour(cr, {0, 0, 0, 0.45});
    cairo_set_line_width(cr, 1);
    cairo_stroke(cr);
    RoundedRect(cr, 10.5, 10.5, s - 21, s - 21, 2);
    SetColour(cr, {1, 1, 1, 0.12});
    cairo_stroke(cr);
    // Worn paint at the corners, where hands rest.
    Rng rng(5);
    cairo_save(cr);
    RoundedRect(cr, 0.5, 0.5, s - 1, s - 1, 4);
    cairo_clip(cr);
    for (int corner = 0; corner < 4; ++corner) {
        double cx = corner % 2 ? s - 4 : 4, cy = corner / 2 ? s - 4 : 4;
        Grime(cr, cx - 4, cy - 4, 8, 8, rng, 5, 0.9, 0.25);
    }
    cairo_restore(cr);
    Colour bolt = Hex(0x8a9290);
    double k = 5.0;
    Screw(cr, k, k, 2.3, 0.8, bolt);
    Screw(cr, s - k, k, 2.3, 2.2, bolt);
    Screw(cr, k, s - k, 2.3, 1.4, bolt);
    Screw(cr, s - k, s - k, 2.3, 0.2, bolt);
}

// A slot cut into a housing: the slider's track. 16 pixels high, so that the slot drawn with no width and an
// outset of 4 is exactly 30 units wide.
void PaintDeskHole(cairo_t* cr, double n)
{
    double s = 3 * n;
    RoundedRect(cr, 0.3, 0.3, s - 0.6, s - 0.6, 3);
    SetColour(cr, Hex(0x050505));
    cairo_fill(cr);
    // Lower lip catches the light, the upper edge is in shadow.
    RoundedRect(cr, 0.5, 0.5, s - 1, s - 1, 3);
    cairo_pattern_t* p = cairo_pattern_create_linear(0, 0, s * 0.4, s);
    cairo_pattern_add_color_stop_rgba(p, 0, 0, 0, 0, 0.9);
    cairo_pattern_add_color_stop_rgba(p, 0.55, 0.1, 0.1, 0.1, 0.8);
    cairo_pattern_add_color_stop_rgba(p, 1, 0.55, 0.58, 0.56, 0.9);
    cairo_set_source(cr, p);
    cairo_set_line_width(cr, 1);
    cairo_stroke(cr);
    cairo_pattern_destroy(p);
}

} // namespace

bool MakePanels(const std::string& dir)
{
    bool ok = true;
    ok = SaveNineSlice(AssetFile(dir, Asset::PanelScreen1), 16, PaintCrtBezel) && ok;
    ok = SaveNineSlice(AssetFile(dir, Asset::PanelScreen2), 16, PaintSteelBezel) && ok;
    ok = SaveNineSlice(AssetFile(dir, Asset::PanelMetalPlate), 16, PaintMetalPlate) && ok;
    ok = SaveNineSlice(AssetFile(dir, Asset::PanelUIButton), 16,
                       [](cairo_t* cr, double n) { PaintKey(cr, n, false); }) &&
         ok;
    ok = SaveNineSlice(AssetFile(dir, Asset::PanelUIButtonHovered), 16,
                       [](cairo_t* cr, double n) { PaintKey(cr, n, true); }) &&
         ok;
    ok = SaveNineSlice(AssetFile(dir, Asset::PanelModuleBase), 16, PaintModuleBase) && ok;
    ok = SaveNineSlice(AssetFile(dir, Asset::PanelDeskHole), 4, PaintDeskHole) && ok;
    return ok;
}

} // namespace art
