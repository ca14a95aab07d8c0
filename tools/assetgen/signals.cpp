// Signs and hints: the days-since-meltdown sign, the alarm band, the two mouse hints and the manual's arrow.
#include "draw.h"
#include "pictures.h"
#include "text.h"

#include <cmath>
#include <string>

namespace art {

namespace {

// Enamel sign, drawn at 240 units. The game prints in black over it: the day count centred 40 units above
// the middle (50-unit digits) and "Days" / "Since Last" / "Meltdown" at 25, 50 and 75 below (25-unit letters).
bool DrawIncidentSign(const std::string& path)
{
    const int s = 256;
    const double k = s / 240.0;
    auto Y = [&](double v) { return (120 - v) * k; };
    Canvas canvas(s, s);
    cairo_t* cr = canvas.cr();
    Rng rng(31);
    // Chains it hangs from (running off the top of the view).
    for (double x : {40.0, 216.0}) {
        for (int i = 0; i < 3; ++i) {
            cairo_save(cr);
            cairo_translate(cr, x, 2 + i * 7);
            cairo_scale(cr, i % 2 ? 2.2 : 3.5, 4);
            Circle(cr, 0, 0, 1);
            cairo_restore(cr);
            SetColour(cr, Hex(0x8a8e92));
            cairo_set_line_width(cr, 1.6);
            cairo_stroke(cr);
        }
    }
    SoftShadow(cr, 10, 18, s - 16, s - 24, 10, 6, 0.5);
    RoundedRect(cr, 6, 14, s - 12, s - 20, 10);
    SetColour(cr, Hex(0x1f6a3a));
    cairo_fill(cr);
    RoundedRect(cr, 13, 21, s - 26, s - 34, 6);
    FillVertical(cr, 21, s - 13, Hex(0xf4f0e2), Hex(0xdcd6c2));
    // Header band.
    cairo_rectangle(cr, 13, 21, s - 26, 30);
    SetColour(cr, Hex(0x1f6a3a));
    cairo_fill(cr);
    if (UseFont(cr, "DejaVu Sans:style=Bold", 15))
        DrawSpaced(cr, "SAFETY RECORD", s / 2.0, 42, 1.5, Align::Centre, Hex(0xf4f0e2));
    // Slot for the day count.
    double boxW = 118, boxH = 62, by = Y(40);
    RoundedRect(cr, s / 2.0 - boxW / 2, by - boxH / 2, boxW, boxH, 5);
    SetColour(cr, Hex(0x7a766a));
    cairo_set_line_width(cr, 3);
    cairo_stroke(cr);
    RoundedRect(cr, s / 2.0 - boxW / 2 + 3, by - boxH / 2 + 3, boxW - 6, boxH - 6, 3);
    SetColour(cr, Hex(0xfbf9f2));
    cairo_fill(cr);
    cairo_rectangle(cr, s / 2.0 - boxW / 2 + 3, by - 0.5, boxW - 6, 1);
    SetColour(cr, {0, 0, 0, 0.12});
    cairo_fill(cr);
    // Underlines for the three label lines.
    SetColour(cr, {0.12, 0.42, 0.23, 0.5});
    cairo_set_line_width(cr, 1.5);
    cairo_move_to(cr, 40, Y(-88));
    cairo_line_to(cr, s - 40, Y(-88));
    cairo_stroke(cr);
    // Rivets and rust.
    for (double x : {22.0, s - 22.0})
        for (double y : {60.0, s - 22.0})
            Screw(cr, x, y, 4, 0.8, Hex(0xb0b4b8));
    cairo_save(cr);
    RoundedRect(cr, 6, 14, s - 12, s - 20, 10);
    cairo_clip(cr);
    for (int i = 0; i < 14; ++i) {
        double x = rng.Uniform() < 0.5 ? rng.Range(6, 30) : rng.Range(s - 30, s - 6);
        double y = rng.Range(14, s - 6);
        FillCircle(cr, x, y, rng.Range(1, 3.5), {0.45, 0.22, 0.05, rng.Range(0.2, 0.5)});
    }
    cairo_restore(cr);
    return canvas.Save(path);
}

// The band pulsing across the top of the screen during the alarm: red light strongest at the edge.
bool DrawAlarm(const std::string& path)
{
    const int w = 1024, h = 64;
    Canvas canvas(w, h);
    cairo_t* cr = canvas.cr();
    cairo_rectangle(cr, 0, 0, w, h);
    cairo_pattern_t* p = cairo_pattern_create_linear(0, 0, 0, h);
    cairo_pattern_add_color_stop_rgba(p, 0, 0.9, 0.05, 0.02, 0.95);
    cairo_pattern_add_color_stop_rgba(p, 0.25, 0.85, 0.05, 0.02, 0.7);
    cairo_pattern_add_color_stop_rgba(p, 0.6, 0.75, 0.03, 0.0, 0.3);
    cairo_pattern_add_color_stop_rgba(p, 1, 0.6, 0.0, 0.0, 0.0);
    cairo_set_source(cr, p);
    cairo_fill(cr);
    cairo_pattern_destroy(p);
    // Faint hazard stripes in the strongest part.
    cairo_save(cr);
    cairo_rectangle(cr, 0, 0, w, 18);
    cairo_clip(cr);
    for (double x = -20; x < w + 20; x += 32) {
        cairo_move_to(cr, x, 18);
        cairo_line_to(cr, x + 16, 18);
        cairo_line_to(cr, x + 34, 0);
        cairo_line_to(cr, x + 18, 0);
        cairo_close_path(cr);
    }
    SetColour(cr, {0.25, 0, 0, 0.35});
    cairo_fill(cr);
    cairo_restore(cr);
    cairo_rectangle(cr, 0, 0, w, 3);
    SetColour(cr, {1, 0.5, 0.4, 0.8});
    cairo_fill(cr);
    return canvas.Save(path);
}

// A light grey mouse seen from above, with the left button lit amber.
void Mouse(cairo_t* cr, double cx, double cy, double scale)
{
    cairo_save(cr);
    cairo_translate(cr, cx, cy);
    cairo_scale(cr, scale, scale);
    auto body = [&] {
        cairo_new_path(cr);
        cairo_move_to(cr, 0, -50);
        cairo_curve_to(cr, 30, -50, 34, -20, 34, 10);
        cairo_curve_to(cr, 34, 40, 20, 52, 0, 52);
        cairo_curve_to(cr, -20, 52, -34, 40, -34, 10);
        cairo_curve_to(cr, -34, -20, -30, -50, 0, -50);
        cairo_close_path(cr);
    };
    cairo_save(cr);
    cairo_translate(cr, 4, 6);
    body();
    cairo_restore(cr);
    SetColour(cr, {0, 0, 0, 0.4});
    cairo_fill(cr);
    body();
    FillVertical(cr, -50, 52, Hex(0xf0eee8), Hex(0xb8b4aa));
    // Left button.
    cairo_new_path(cr);
    cairo_move_to(cr, -1.5, -48);
    cairo_curve_to(cr, -26, -47, -32, -24, -33, -6);
    cairo_line_to(cr, -1.5, -6);
    cairo_close_path(cr);
    SetColour(cr, Hex(0xf0a020));
    cairo_fill(cr);
    cairo_move_to(cr, 0, -50);
    cairo_line_to(cr, 0, -6);
    cairo_move_to(cr, -34, -6);
    cairo_line_to(cr, 34, -6);
    SetColour(cr, {0.2, 0.2, 0.2, 0.8});
    cairo_set_line_width(cr, 2.5);
    cairo_stroke(cr);
    body();
    SetColour(cr, Hex(0x1a1a1a));
    cairo_set_line_width(cr, 4);
    cairo_stroke(cr);
    cairo_restore(cr);
}

bool DrawMouseClick(const std::string& path)
{
    const int s = 128;
    Canvas canvas(s, s);
    cairo_t* cr = canvas.cr();
    Mouse(cr, 70, 72, 1.0);
    // Click marks at the left button.
    cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
    SetColour(cr, Hex(0xffc040));
    cairo_set_line_width(cr, 5);
    const double marks[3][4] = {{30, 30, 18, 18}, {44, 22, 40, 6}, {22, 46, 6, 42}};
    for (auto& m : marks) {
        cairo_move_to(cr, m[0], m[1]);
        cairo_line_to(cr, m[2], m[3]);
    }
    cairo_stroke_preserve(cr);
    cairo_new_path(cr);
    return canvas.Save(path);
}

bool DrawMouseDrag(const std::string& path)
{
    const int s = 256;
    Canvas canvas(s, s);
    cairo_t* cr = canvas.cr();
    Mouse(cr, s / 2.0, s / 2.0 + 10, 1.3);
    for (int side : {-1, 1}) {
        double x0 = s / 2.0 + side * 62, x1 = s / 2.0 + side * 118, y = s / 2.0 + 10;
        auto arrow = [&] {
            cairo_new_path(cr);
            cairo_move_to(cr, x0, y - 9);
            cairo_line_to(cr, x1 - side * 26, y - 9);
            cairo_line_to(cr, x1 - side * 26, y - 24);
            cairo_line_to(cr, x1, y);
            cairo_line_to(cr, x1 - side * 26, y + 24);
            cairo_line_to(cr, x1 - side * 26, y + 9);
            cairo_line_to(cr, x0, y + 9);
            cairo_close_path(cr);
        };
        arrow();
        SetColour(cr, Hex(0x1a1a1a));
        cairo_set_line_width(cr, 7);
        cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
        cairo_stroke(cr);
        arrow();
        SetColour(cr, Hex(0xf0a020));
        cairo_fill(cr);
    }
    return canvas.Save(path);
}

// Round amber page-turn button pointing right; the game mirrors it for the previous page.
bool DrawManualArrow(const std::string& path)
{
    const int s = 128;
    const double c = s / 2.0;
    Canvas canvas(s, s);
    cairo_t* cr = canvas.cr();
    FillCircle(cr, c + 3, c + 5, 54, {0, 0, 0, 0.45});
    Circle(cr, c, c, 54);
    FillDome(cr, c, c, 54, Hex(0xe39a26));
    Circle(cr, c, c, 54);
    SetColour(cr, Hex(0x2a1a08));
    cairo_set_line_width(cr, 4);
    cairo_stroke(cr);
    cairo_move_to(cr, c - 22, c - 12);
    cairo_line_to(cr, c + 2, c - 12);
    cairo_line_to(cr, c + 2, c - 28);
    cairo_line_to(cr, c + 32, c);
    cairo_line_to(cr, c + 2, c + 28);
    cairo_line_to(cr, c + 2, c + 12);
    cairo_line_to(cr, c - 22, c + 12);
    cairo_close_path(cr);
    SetColour(cr, Hex(0x24160a));
    cairo_fill(cr);
    return canvas.Save(path);
}

} // namespace

bool MakeSignals(const std::string& dir)
{
    bool ok = DrawIncidentSign(AssetFile(dir, Asset::IncidentSign));
    ok = DrawAlarm(AssetFile(dir, Asset::AlarmBand)) && ok;
    ok = DrawMouseClick(AssetFile(dir, Asset::MouseLeft)) && ok;
    ok = DrawMouseDrag(AssetFile(dir, Asset::MouseHorizontal)) && ok;
    ok = DrawManualArrow(AssetFile(dir, Asset::ManualNextPage)) && ok;
    return ok;
}

} // namespace art
