// The indicator lamp. The game tints the bulb by adding a colour (green, red, white) to it, so the lens is
// nearly black and its glow is black with alpha: unlit it reads as a dark lens in a soft shadow, lit it
// turns the tint's colour, glow included. The base is the chrome bezel a lamp may sit in.
#include "draw.h"
#include "pictures.h"

#include <cmath>
#include <string>

namespace art {

namespace {

bool DrawBulb(const std::string& path)
{
    const int s = 128;
    // 34 units across at the game's 120-unit lamp: a row of lamps 42.5 apart stands clear of each other and of
    // the screws in the corners of the plant boot's plate.
    const double c = s / 2.0, lens = 18.0;
    Canvas canvas(s, s);
    cairo_t* cr = canvas.cr();
    // Glow, fading out well inside the picture.
    cairo_pattern_t* glow = cairo_pattern_create_radial(c, c, lens * 0.8, c, c, s * 0.36);
    cairo_pattern_add_color_stop_rgba(glow, 0, 0, 0, 0, 0.42);
    cairo_pattern_add_color_stop_rgba(glow, 0.25, 0, 0, 0, 0.2);
    cairo_pattern_add_color_stop_rgba(glow, 0.6, 0, 0, 0, 0.05);
    cairo_pattern_add_color_stop_rgba(glow, 1, 0, 0, 0, 0);
    cairo_set_source(cr, glow);
    cairo_paint(cr);
    cairo_pattern_destroy(glow);
    // Lens: dark glass, a little lighter in the middle so a lit lamp has depth.
    cairo_pattern_t* glass = cairo_pattern_create_radial(c - 4, c - 5, 1, c, c, lens);
    cairo_pattern_add_color_stop_rgba(glass, 0, 0.2, 0.2, 0.19, 1);
    cairo_pattern_add_color_stop_rgba(glass, 0.7, 0.09, 0.09, 0.085, 1);
    cairo_pattern_add_color_stop_rgba(glass, 1, 0.03, 0.03, 0.03, 1);
    Circle(cr, c, c, lens);
    cairo_set_source(cr, glass);
    cairo_fill(cr);
    cairo_pattern_destroy(glass);
    // Fresnel rings moulded in the glass.
    for (int i = 1; i <= 3; ++i) {
        Circle(cr, c, c, lens * i / 4.0);
        SetColour(cr, {0, 0, 0, 0.18});
        cairo_set_line_width(cr, 1);
        cairo_stroke(cr);
    }
    Circle(cr, c, c, lens);
    SetColour(cr, {0, 0, 0, 0.9});
    cairo_set_line_width(cr, 1.6);
    cairo_stroke(cr);
    // Reflection of the ceiling lights.
    cairo_save(cr);
    cairo_translate(cr, c - lens * 0.35, c - lens * 0.45);
    cairo_rotate(cr, -0.6);
    cairo_scale(cr, lens * 0.38, lens * 0.2);
    Circle(cr, 0, 0, 1);
    cairo_restore(cr);
    SetColour(cr, {1, 1, 1, 0.55});
    cairo_fill(cr);
    FillCircle(cr, c + lens * 0.42, c + lens * 0.4, 1.6, {1, 1, 1, 0.3});
    return canvas.Save(path);
}

bool DrawBase(const std::string& path)
{
    const int s = 128;
    const double c = s / 2.0, outer = 31, inner = 22.5;
    Canvas canvas(s, s);
    cairo_t* cr = canvas.cr();
    FillCircle(cr, c + 2, c + 3, outer + 1, {0, 0, 0, 0.35});
    Circle(cr, c, c, outer);
    Circle(cr, c, c, inner);
    cairo_set_fill_rule(cr, CAIRO_FILL_RULE_EVEN_ODD);
    cairo_pattern_t* p = cairo_pattern_create_linear(c - outer, c - outer, c + outer, c + outer);
    cairo_pattern_add_color_stop_rgb(p, 0, 0.95, 0.96, 0.97);
    cairo_pattern_add_color_stop_rgb(p, 0.5, 0.55, 0.57, 0.6);
    cairo_pattern_add_color_stop_rgb(p, 1, 0.25, 0.26, 0.28);
    cairo_set_source(cr, p);
    cairo_fill(cr);
    cairo_pattern_destroy(p);
    cairo_set_fill_rule(cr, CAIRO_FILL_RULE_WINDING);
    // Knurled grip of the bezel.
    for (int i = 0; i < 48; ++i) {
        double a = i * 2 * M_PI / 48;
        cairo_move_to(cr, c + std::cos(a) * (outer - 4), c + std::sin(a) * (outer - 4));
        cairo_line_to(cr, c + std::cos(a) * outer, c + std::sin(a) * outer);
    }
    SetColour(cr, {0, 0, 0, 0.3});
    cairo_set_line_width(cr, 1.2);
    cairo_stroke(cr);
    Circle(cr, c, c, outer);
    Circle(cr, c, c, inner);
    SetColour(cr, {0, 0, 0, 0.75});
    cairo_set_line_width(cr, 1.2);
    cairo_stroke(cr);
    return canvas.Save(path);
}

} // namespace

bool MakeLamps(const std::string& dir)
{
    bool ok = DrawBulb(AssetFile(dir, Asset::LightBulb));
    ok = DrawBase(AssetFile(dir, Asset::LightBase)) && ok;
    return ok;
}

} // namespace art
