// The seven nine-slice panels. The game cuts each picture into a 4 x 4 grid and takes the corners from frames
// 0, 2, 12, 14, the edges from 1, 7, 11, 13 and the middle from 5. It also draws a grid cell at 3.75 world units
// per pixel, so the picture's height fixes the border: 64 pixels give corners of 60 units.
//
// Each panel is drawn once as an ordinary 3 x 3 picture and its cells are copied to those frames. The unused
// frames get copies of the piece that lies beside each neighbour in the finished panel, so linear filtering at
// a frame's rim blends in what really lies next to it.
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
    // frame -> master cell (column, row); -1 leaves the frame empty (it lies outside the panel's rim).
    const int sources[16][2] = {
        {0, 0}, {1, 0}, {2, 0}, {-1, -1}, // 0 TL, 1 T, 2 TR, 3 outside
        {0, 1}, {1, 1}, {2, 1}, {0, 1},   // 4 beside the middle: left edge, 5 middle, 6 right edge, 7 left edge
        {0, 1}, {1, 1}, {2, 1}, {2, 1},   // 8 above BL: left edge, 9 middle, 10 above BR: right edge, 11 right edge
        {0, 2}, {1, 2}, {2, 2}, {-1, -1}, // 12 BL, 13 B, 14 BR, 15 outside
    };
    for (int frame = 0; frame < 16; ++frame) {
        int sc = sources[frame][0], sr = sources[frame][1];
        if (sc < 0)
            continue;
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

// The terminal's and the small screens' bezel: dark bakelite around a transparent window, 5 px of it outside
// the framed rectangle (the game frames screens with an outset of 5 = 18.75 units) and 3 px over it.
void PaintCrtBezel(cairo_t* cr, double n)
{
    double s = 3 * n;
    Colour body = Hex(0x2b2b2e);
    RoundedRect(cr, 0.5, 0.5, s - 1, s - 1, 6);
    RoundedRect(cr, 8, 8, s - 16, s - 16, 4);
    cairo_set_fill_rule(cr, CAIRO_FILL_RULE_EVEN_ODD);
    SetColour(cr, body);
    cairo_fill_preserve(cr);
    cairo_set_fill_rule(cr, CAIRO_FILL_RULE_WINDING);
    cairo_new_path(cr);
    // The chamfer sloping into the glass: lit on the lower-right inner side, shaded on the upper-left.
    cairo_save(cr);
    RoundedRect(cr, 5, 5, s - 10, s - 10, 5);
    RoundedRect(cr, 8, 8, s - 16, s - 16, 4);
    cairo_set_fill_rule(cr, CAIRO_FILL_RULE_EVEN_ODD);
    cairo_clip(cr);
    cairo_pattern_t* p = cairo_pattern_create_linear(0, 0, s, s);
    cairo_pattern_add_color_stop_rgba(p, 0, 0.06, 0.06, 0.07, 1);
    cairo_pattern_add_color_stop_rgba(p, 0.5, 0.12, 0.12, 0.13, 1);
    cairo_pattern_add_color_stop_rgba(p, 1, 0.30, 0.30, 0.32, 1);
    cairo_set_source(cr, p);
    cairo_paint(cr);
    cairo_pattern_destroy(p);
    cairo_restore(cr);
    BevelRect(cr, 0.5, 0.5, s - 1, s - 1, 6, 1.6, 0.35, 0.5);
    RoundedRect(cr, 0.5, 0.5, s - 1, s - 1, 6);
    SetColour(cr, {0, 0, 0, 0.9});
    cairo_set_line_width(cr, 1);
    cairo_stroke(cr);
    // Shadow the bezel throws on the glass, and the curved glass catching a little light in its corners.
    for (int i = 0; i < 3; ++i) {
        RoundedRect(cr, 8 + i, 8 + i, s - 16 - 2 * i, s - 16 - 2 * i, 4);
        SetColour(cr, {0, 0, 0, 0.32 - i * 0.1});
        cairo_set_line_width(cr, 1);
        cairo_stroke(cr);
    }
    cairo_save(cr);
    cairo_set_line_width(cr, 1);
    SetColour(cr, {0.75, 1, 0.8, 0.10});
    cairo_arc(cr, 13, 13, 3.5, M_PI, 1.5 * M_PI);
    cairo_stroke(cr);
    cairo_restore(cr);
}

// Brushed steel bezel with a screw in each corner: the countdown box and the radar screen.
void PaintSteelBezel(cairo_t* cr, double n)
{
    double s = 3 * n;
    Rng rng(11);
    Colour steel = Hex(0x8d9297);
    cairo_save(cr);
    RoundedRect(cr, 0.5, 0.5, s - 1, s - 1, 3);
    RoundedRect(cr, 7.5, 7.5, s - 15, s - 15, 2);
    cairo_set_fill_rule(cr, CAIRO_FILL_RULE_EVEN_ODD);
    cairo_clip_preserve(cr);
    FillVertical(cr, 0, s, Shade(steel, 1.2), Shade(steel, 0.8));
    BrushStreaks(cr, 0, 0, s, s, rng, 0.05, 0.6);
    cairo_restore(cr);
    BevelRect(cr, 0.5, 0.5, s - 1, s - 1, 3, 1.4, 0.55, 0.45);
    RoundedRect(cr, 0.5, 0.5, s - 1, s - 1, 3);
    SetColour(cr, {0.05, 0.05, 0.06, 0.9});
    cairo_set_line_width(cr, 1);
    cairo_stroke(cr);
    // The inner lip steps down to the glass.
    RoundedRect(cr, 7, 7, s - 14, s - 14, 2.5);
    SetColour(cr, {0.02, 0.02, 0.02, 1});
    cairo_set_line_width(cr, 1.2);
    cairo_stroke(cr);
    RoundedRect(cr, 6, 6, s - 12, s - 12, 3);
    SetColour(cr, {1, 1, 1, 0.18});
    cairo_set_line_width(cr, 0.8);
    cairo_stroke(cr);
    for (int i = 0; i < 3; ++i) {
        RoundedRect(cr, 8 + i, 8 + i, s - 16 - 2 * i, s - 16 - 2 * i, 2);
        SetColour(cr, {0, 0, 0, 0.3 - i * 0.09});
        cairo_set_line_width(cr, 1);
        cairo_stroke(cr);
    }
    double k = 3.6;
    Screw(cr, k, k, 1.9, 0.6, Hex(0xb9bdc2));
    Screw(cr, s - k, k, 1.9, 2.0, Hex(0xb9bdc2));
    Screw(cr, k, s - k, 1.9, 1.2, Hex(0xb9bdc2));
    Screw(cr, s - k, s - k, 1.9, 2.6, Hex(0xb9bdc2));
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
    const std::string a = dir + "/Aesthetics/";
    bool ok = true;
    ok = SaveNineSlice(a + "Screen_1_9Slice.png", 16, PaintCrtBezel) && ok;
    ok = SaveNineSlice(a + "Screen_2_9Slice.png", 16, PaintSteelBezel) && ok;
    ok = SaveNineSlice(a + "Metal_Plate_2_9Slice.png", 16, PaintMetalPlate) && ok;
    ok = SaveNineSlice(a + "UI_Button_9Slice.png", 16, [](cairo_t* cr, double n) { PaintKey(cr, n, false); }) && ok;
    ok = SaveNineSlice(a + "UI_Button_Hovered_9Slice.png", 16, [](cairo_t* cr, double n) { PaintKey(cr, n, true); }) &&
         ok;
    ok = SaveNineSlice(a + "Module_Base_9Slice.png", 16, PaintModuleBase) && ok;
    ok = SaveNineSlice(a + "Desk_Hole_2_9Slice.png", 4, PaintDeskHole) && ok;
    return ok;
}

} // namespace art
