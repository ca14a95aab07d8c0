// Pictures that belong to single modules: the telephone and the reactor's temperature gauge with its needle.
#include "draw.h"
#include "pictures.h"
#include "text.h"

#include <cmath>
#include <string>

namespace art {

namespace {

// The telephone, drawn at 480 units: the game lays its keys on the right half (key 2 at (130, 125) from the
// centre, 55 apart, key 0 at (75, -40)) and its line lamp at (5, -115).
bool DrawPhone(const std::string& path)
{
    const int s = 512;
    const double k = s / 480.0;
    auto X = [&](double u) { return (u + 240) * k; };
    auto Y = [&](double v) { return (240 - v) * k; };
    Canvas canvas(s, s);
    cairo_t* cr = canvas.cr();
    Colour body = Hex(0xcbb98f), dark = Hex(0x8e7d58);
    // Body.
    SoftShadow(cr, X(-222) + 8, Y(205) + 12, 444 * k, 400 * k, 40, 12, 0.5);
    RoundedRect(cr, X(-222), Y(205), 444 * k, 400 * k, 44);
    FillVertical(cr, Y(205), Y(-195), Shade(body, 1.08), Shade(body, 0.78));
    BevelRect(cr, X(-222), Y(205), 444 * k, 400 * k, 44, 5, 0.45, 0.45);
    RoundedRect(cr, X(-222), Y(205), 444 * k, 400 * k, 44);
    SetColour(cr, {0.2, 0.15, 0.05, 0.8});
    cairo_set_line_width(cr, 2);
    cairo_stroke(cr);
    // Cradle and handset on the left.
    RoundedRect(cr, X(-205), Y(190), 170 * k, 360 * k, 30);
    SetColour(cr, Shade(body, 0.7));
    cairo_fill(cr);
    SoftShadow(cr, X(-190) + 6, Y(180) + 8, 140 * k, 340 * k, 34, 8, 0.45);
    cairo_save(cr);
    // Handset: two cups joined by a grip.
    cairo_new_path(cr);
    RoundedRect(cr, X(-190), Y(180), 140 * k, 95 * k, 36);
    RoundedRect(cr, X(-190), Y(-65), 140 * k, 95 * k, 36);
    RoundedRect(cr, X(-155), Y(110), 70 * k, 200 * k, 24);
    cairo_set_fill_rule(cr, CAIRO_FILL_RULE_WINDING);
    FillVertical(cr, Y(180), Y(-160), Hex(0xd8c8a0), Hex(0x9c8a62));
    cairo_restore(cr);
    for (double cy : {132.0, -112.0}) {
        FillCircle(cr, X(-120), Y(cy), 30 * k, Shade(body, 0.82));
        for (int r = 0; r < 3; ++r)
            for (int a = 0; a < 6 + r * 4; ++a) {
                double ang = a * 2 * M_PI / (6 + r * 4);
                FillCircle(cr, X(-120) + std::cos(ang) * r * 8 * k, Y(cy) + std::sin(ang) * r * 8 * k, 2.2,
                           {0.2, 0.15, 0.05, 0.6});
            }
    }
    // Coiled cord going off the bottom.
    cairo_set_line_width(cr, 3);
    SetColour(cr, Shade(dark, 0.8));
    for (int i = 0; i < 9; ++i) {
        double y = Y(-160) + i * 6;
        cairo_new_sub_path(cr);
        cairo_arc(cr, X(-205) - 4 + i * 2, y, 7, 0, 2 * M_PI);
    }
    cairo_stroke(cr);
    // Keypad recess: keys 45..60 units apart, three columns from x = 20 to 130, four rows from 125 to -40.
    RoundedRect(cr, X(-22), Y(163), 194 * k, 242 * k, 14);
    FillVertical(cr, Y(163), Y(-79), Hex(0x2c2a26), Hex(0x45423c));
    RoundedRect(cr, X(-22), Y(163), 194 * k, 242 * k, 14);
    SetColour(cr, {0, 0, 0, 0.7});
    cairo_set_line_width(cr, 2);
    cairo_stroke(cr);
    // Line lamp bezel and labels.
    Circle(cr, X(5), Y(-115), 27 * k);
    FillDome(cr, X(5), Y(-115), 27 * k, Hex(0xb8bcc0));
    FillCircle(cr, X(5), Y(-115), 21 * k, Hex(0x111111));
    if (UseFont(cr, "DejaVu Sans:style=Bold", 13)) {
        DrawLine(cr, "LINE", X(5), Y(-158), Align::Centre, Hex(0x3a3020));
        DrawLine(cr, "BRIMVALE N.P.S.", X(110), Y(-110), Align::Centre, Hex(0x3a3020));
    }
    // Number card.
    FillRoundedRect(cr, X(50), Y(-128), 120 * k, 34 * k, 3, Hex(0xeeeadc));
    RoundedRect(cr, X(50), Y(-128), 120 * k, 34 * k, 3);
    SetColour(cr, {0.3, 0.25, 0.1, 0.6});
    cairo_set_line_width(cr, 1.2);
    cairo_stroke(cr);
    if (UseFont(cr, "Nimbus Mono PS:style=Bold", 14))
        DrawLine(cr, "EXT 2200", X(110), Y(-150), Align::Centre, Hex(0xa02018));
    return canvas.Save(path);
}

// The needle turns by the core temperature in degrees, clockwise for a hotter core; the dial reads -80..80
// with the safe band -45..45 in green. The heat-injector button sits over the lower half.
bool DrawGauge(const std::string& path)
{
    const int s = 512;
    const double c = s / 2.0;
    Canvas canvas(s, s);
    cairo_t* cr = canvas.cr();
    // Chrome bezel.
    FillCircle(cr, c + 4, c + 8, 252, {0, 0, 0, 0.45});
    Circle(cr, c, c, 252);
    cairo_pattern_t* chrome = cairo_pattern_create_linear(0, 0, s, s);
    cairo_pattern_add_color_stop_rgb(chrome, 0, 0.95, 0.96, 0.97);
    cairo_pattern_add_color_stop_rgb(chrome, 0.45, 0.55, 0.57, 0.6);
    cairo_pattern_add_color_stop_rgb(chrome, 0.55, 0.75, 0.77, 0.8);
    cairo_pattern_add_color_stop_rgb(chrome, 1, 0.25, 0.26, 0.28);
    cairo_set_source(cr, chrome);
    cairo_fill(cr);
    cairo_pattern_destroy(chrome);
    FillCircle(cr, c, c, 236, Hex(0x1a1a1a));
    // Aged face.
    Circle(cr, c, c, 230);
    cairo_pattern_t* face = cairo_pattern_create_radial(c, c - 40, 20, c, c, 230);
    cairo_pattern_add_color_stop_rgb(face, 0, 0.93, 0.9, 0.8);
    cairo_pattern_add_color_stop_rgb(face, 1, 0.76, 0.72, 0.6);
    cairo_set_source(cr, face);
    cairo_fill(cr);
    cairo_pattern_destroy(face);
    // Coloured bands: cold, safe, hot. Angle measured clockwise from straight up.
    auto arc = [&](double a0, double a1, double r, double width, Colour col) {
        cairo_new_path(cr);
        cairo_arc(cr, c, c, r, (a0 - 90) * M_PI / 180, (a1 - 90) * M_PI / 180);
        SetColour(cr, col);
        cairo_set_line_width(cr, width);
        cairo_stroke(cr);
    };
    const double r = 196;
    arc(-80, -45, r, 26, Hex(0x2f68b8));
    arc(-45, 45, r, 26, Hex(0x2f9a46));
    arc(45, 80, r, 26, Hex(0xc0281c));
    // Ticks every 5, long ones every 20.
    for (int d = -80; d <= 80; d += 5) {
        double a = (d - 90) * M_PI / 180;
        bool major = d % 20 == 0;
        double r0 = major ? r - 30 : r - 20, r1 = r + 13;
        cairo_move_to(cr, c + std::cos(a) * r0, c + std::sin(a) * r0);
        cairo_line_to(cr, c + std::cos(a) * r1, c + std::sin(a) * r1);
        SetColour(cr, Hex(0x161616));
        cairo_set_line_width(cr, major ? 4 : 2);
        cairo_stroke(cr);
    }
    if (UseFont(cr, "DejaVu Sans:style=Bold", 24)) {
        const int labels[] = {-80, -40, 0, 40, 80};
        for (int d : labels) {
            double a = (d - 90) * M_PI / 180, lr = r - 52;
            std::string t = d > 0 ? "+" + std::to_string(d) : std::to_string(d);
            DrawLine(cr, t, c + std::cos(a) * lr, c + std::sin(a) * lr + 9, Align::Centre, Hex(0x1a1a1a));
        }
    }
    if (UseFont(cr, "DejaVu Sans:style=Bold", 20)) {
        DrawLine(cr, "COLD", c - 150, c + 20, Align::Centre, Hex(0x2f68b8));
        DrawLine(cr, "HOT", c + 150, c + 20, Align::Centre, Hex(0xc0281c));
        DrawLine(cr, "SAFE", c, c - r + 96, Align::Centre, Hex(0x237a36));
    }
    if (UseFont(cr, "DejaVu Sans:style=Condensed Bold", 17)) {
        DrawSpaced(cr, "CORE TEMPERATURE", c, c + 56, 1.5, Align::Centre, Hex(0x2a2a2a));
        DrawSpaced(cr, "HOLD TO HEAT", c, c + 212, 1.5, Align::Centre, Hex(0x5a1a10));
    }
    // Glass reflection.
    cairo_save(cr);
    Circle(cr, c, c, 230);
    cairo_clip(cr);
    cairo_pattern_t* glare = cairo_pattern_create_linear(c - 200, c - 200, c + 60, c + 60);
    cairo_pattern_add_color_stop_rgba(glare, 0, 1, 1, 1, 0.28);
    cairo_pattern_add_color_stop_rgba(glare, 0.5, 1, 1, 1, 0.0);
    cairo_set_source(cr, glare);
    cairo_paint(cr);
    cairo_pattern_destroy(glare);
    cairo_restore(cr);
    return canvas.Save(path);
}

bool DrawNeedle(const std::string& path)
{
    const int s = 512;
    const double c = s / 2.0;
    Canvas canvas(s, s);
    cairo_t* cr = canvas.cr();
    auto needle = [&](double dx, double dy) {
        cairo_new_path(cr);
        cairo_move_to(cr, c + dx, c - 205 + dy);
        cairo_line_to(cr, c + 7 + dx, c + dy);
        cairo_line_to(cr, c + 11 + dx, c + 46 + dy);
        cairo_line_to(cr, c - 11 + dx, c + 46 + dy);
        cairo_line_to(cr, c - 7 + dx, c + dy);
        cairo_close_path(cr);
    };
    needle(5, 7);
    SetColour(cr, {0, 0, 0, 0.3});
    cairo_fill(cr);
    needle(0, 0);
    cairo_pattern_t* p = cairo_pattern_create_linear(c - 8, 0, c + 8, 0);
    cairo_pattern_add_color_stop_rgb(p, 0, 0.6, 0.08, 0.04);
    cairo_pattern_add_color_stop_rgb(p, 0.5, 0.95, 0.25, 0.1);
    cairo_pattern_add_color_stop_rgb(p, 1, 0.55, 0.06, 0.03);
    cairo_set_source(cr, p);
    cairo_fill_preserve(cr);
    cairo_pattern_destroy(p);
    SetColour(cr, {0.2, 0, 0, 0.8});
    cairo_set_line_width(cr, 1.5);
    cairo_stroke(cr);
    FillCircle(cr, c + 3, c + 5, 24, {0, 0, 0, 0.35});
    Circle(cr, c, c, 22);
    FillDome(cr, c, c, 22, Hex(0x2a2a2a));
    Circle(cr, c, c, 8);
    FillDome(cr, c, c, 8, Hex(0xc8ccd0));
    return canvas.Save(path);
}

} // namespace

bool MakeModuleParts(const std::string& dir)
{
    bool ok = DrawPhone(AssetFile(dir, Asset::Phone));
    ok = DrawGauge(AssetFile(dir, Asset::TemperatureGauge)) && ok;
    ok = DrawNeedle(AssetFile(dir, Asset::TemperatureNeedle)) && ok;
    return ok;
}

} // namespace art
