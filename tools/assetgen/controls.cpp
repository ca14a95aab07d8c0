// The controls the player works: push buttons, phone keys, toggle switches, keyhole, check box, waste bin,
// pencil cursor, dial and slider handle. Sheets hold their states side by side (normal, hovered, held).
#include "draw.h"
#include "pictures.h"
#include "text.h"

#include <cmath>
#include <functional>
#include <string>

namespace art {

namespace {

using FramePainter = std::function<void(cairo_t* cr, double size, int state)>;

bool SaveStrip(const std::string& path, int size, int frames, const FramePainter& paint)
{
    Canvas canvas(size * frames, size);
    cairo_t* cr = canvas.cr();
    for (int i = 0; i < frames; ++i) {
        cairo_save(cr);
        cairo_rectangle(cr, i * size, 0, size, size);
        cairo_clip(cr);
        cairo_translate(cr, i * size, 0);
        paint(cr, size, i);
        cairo_restore(cr);
    }
    return canvas.Save(path);
}

// Round amber push button in a black bezel (admin authentication, heat injector, decryption, Wavulon).
void PaintRoundButton(cairo_t* cr, double s, int state)
{
    double c = s / 2;
    FillCircle(cr, c + 2, c + 4, s * 0.47, {0, 0, 0, 0.35});
    // Bezel ring.
    Circle(cr, c, c, s * 0.46);
    FillDome(cr, c, c, s * 0.46, Hex(0x2a2a2a));
    Circle(cr, c, c, s * 0.46);
    SetColour(cr, {0, 0, 0, 0.9});
    cairo_set_line_width(cr, 2);
    cairo_stroke(cr);
    Circle(cr, c, c, s * 0.37);
    SetColour(cr, Hex(0x0c0c0c));
    cairo_fill(cr);
    // Cap: up, lit from behind while hovered, pushed in while held.
    double r = state == 2 ? s * 0.315 : s * 0.34;
    double dy = state == 2 ? s * 0.02 : -s * 0.01;
    Colour cap = state == 1 ? Hex(0xf2a531) : state == 2 ? Hex(0xb4660f) : Hex(0xd7861c);
    if (state != 2)
        FillCircle(cr, c, c + s * 0.03, r, Shade(cap, 0.45)); // side of the cap
    Circle(cr, c, c + dy, r);
    FillDome(cr, c, c + dy, r, cap);
    if (state == 1) {
        cairo_pattern_t* glow = cairo_pattern_create_radial(c, c + dy, 0, c, c + dy, r);
        cairo_pattern_add_color_stop_rgba(glow, 0, 1, 0.95, 0.6, 0.45);
        cairo_pattern_add_color_stop_rgba(glow, 1, 1, 0.8, 0.3, 0);
        Circle(cr, c, c + dy, r);
        cairo_set_source(cr, glow);
        cairo_fill(cr);
        cairo_pattern_destroy(glow);
    }
    if (state == 2) {
        // Shadow of the bezel on the sunken cap.
        cairo_pattern_t* p = cairo_pattern_create_radial(c, c + dy, r * 0.6, c, c + dy, r);
        cairo_pattern_add_color_stop_rgba(p, 0, 0, 0, 0, 0);
        cairo_pattern_add_color_stop_rgba(p, 1, 0, 0, 0, 0.45);
        Circle(cr, c, c + dy, r);
        cairo_set_source(cr, p);
        cairo_fill(cr);
        cairo_pattern_destroy(p);
    }
    // Specular highlight.
    cairo_save(cr);
    cairo_translate(cr, c - r * 0.3, c + dy - r * 0.42);
    cairo_scale(cr, r * 0.45, r * 0.25);
    Circle(cr, 0, 0, 1);
    cairo_restore(cr);
    SetColour(cr, {1, 1, 1, state == 2 ? 0.18 : 0.4});
    cairo_fill(cr);
    Circle(cr, c, c + dy, r);
    SetColour(cr, {0.2, 0.08, 0, 0.7});
    cairo_set_line_width(cr, 1.5);
    cairo_stroke(cr);
}

// Tall red guarded firing button: the visible part is half the picture's width, like its hit area.
void PaintFireButton(cairo_t* cr, double s, int state)
{
    double w = s * 0.5, h = s * 0.94, x = (s - w) / 2, y = (s - h) / 2;
    SoftShadow(cr, x + 2, y + 4, w, h, 8, 4, 0.35);
    RoundedRect(cr, x, y, w, h, 8);
    FillVertical(cr, y, y + h, Hex(0x3a3a3c), Hex(0x18181a));
    BevelRect(cr, x, y, w, h, 8, 2, 0.35, 0.5);
    // Yellow-black hazard band at the foot.
    cairo_save(cr);
    RoundedRect(cr, x + 4, y + h - 16, w - 8, 11, 2);
    cairo_clip(cr);
    SetColour(cr, Hex(0xe6b422));
    cairo_paint(cr);
    SetColour(cr, Hex(0x111111));
    for (double t = x - 20; t < x + w + 20; t += 9) {
        cairo_move_to(cr, t, y + h - 4);
        cairo_line_to(cr, t + 4.5, y + h - 4);
        cairo_line_to(cr, t + 12, y + h - 17);
        cairo_line_to(cr, t + 7.5, y + h - 17);
        cairo_close_path(cr);
    }
    cairo_fill(cr);
    cairo_restore(cr);
    // Cap.
    double inset = state == 2 ? 8 : 6;
    double cx = x + inset, cy = y + inset + (state == 2 ? 2 : 0), cw = w - 2 * inset, ch = h - 24 - inset * 2;
    RoundedRect(cr, cx - 2, cy - 2, cw + 4, ch + 4, 6);
    SetColour(cr, Hex(0x070707));
    cairo_fill(cr);
    Colour red = state == 1 ? Hex(0xf0362a) : state == 2 ? Hex(0x8e1710) : Hex(0xc8241a);
    RoundedRect(cr, cx, cy, cw, ch, 5);
    cairo_pattern_t* p = cairo_pattern_create_linear(cx, 0, cx + cw, 0);
    Colour hi = Shade(red, 1.3), lo = Shade(red, 0.6);
    cairo_pattern_add_color_stop_rgb(p, 0, lo.r, lo.g, lo.b);
    cairo_pattern_add_color_stop_rgb(p, 0.35, hi.r, hi.g, hi.b);
    cairo_pattern_add_color_stop_rgb(p, 1, lo.r, lo.g, lo.b);
    cairo_set_source(cr, p);
    cairo_fill(cr);
    cairo_pattern_destroy(p);
    if (state == 1) {
        RoundedRect(cr, cx, cy, cw, ch, 5);
        SetColour(cr, {1, 0.6, 0.5, 0.18});
        cairo_fill(cr);
    }
    // "FIRE" running up the cap.
    if (UseFont(cr, "DejaVu Sans:style=Bold", cw * 0.42)) {
        cairo_save(cr);
        cairo_translate(cr, cx + cw / 2 + cw * 0.15, cy + ch / 2);
        cairo_rotate(cr, -M_PI / 2);
        DrawSpaced(cr, "FIRE", 0, 0, 2, Align::Centre, {1, 0.92, 0.85, state == 2 ? 0.55 : 0.85});
        cairo_restore(cr);
    }
}

// Dark bakelite phone key; the game prints the white digit over its middle.
void PaintPhoneKey(cairo_t* cr, double s, int state)
{
    double w = s * 0.86, h = s * 0.72, x = (s - w) / 2, y = (s - h) / 2;
    double press = state == 2 ? s * 0.03 : 0;
    SoftShadow(cr, x + 1, y + 3, w, h, 12, 3, state == 2 ? 0.15 : 0.35);
    Colour body = state == 1 ? Hex(0x4a4a4e) : state == 2 ? Hex(0x1c1c1e) : Hex(0x333336);
    if (state != 2) {
        RoundedRect(cr, x, y + s * 0.04, w, h, 12);
        SetColour(cr, Hex(0x111112));
        cairo_fill(cr);
    }
    RoundedRect(cr, x, y + press, w, h, 12);
    FillVertical(cr, y, y + h, Shade(body, 1.35), Shade(body, 0.8));
    BevelRect(cr, x, y + press, w, h, 12, 2.5, state == 2 ? 0.1 : 0.3, 0.4);
    // Shallow dish of the key face.
    cairo_pattern_t* dish = cairo_pattern_create_radial(s / 2, y + press + h * 0.45, 0, s / 2, y + h * 0.45, w * 0.5);
    cairo_pattern_add_color_stop_rgba(dish, 0, 0, 0, 0, 0.22);
    cairo_pattern_add_color_stop_rgba(dish, 1, 0, 0, 0, 0);
    RoundedRect(cr, x + 6, y + press + 6, w - 12, h - 12, 9);
    cairo_set_source(cr, dish);
    cairo_fill(cr);
    cairo_pattern_destroy(dish);
    RoundedRect(cr, x, y + press, w, h, 12);
    SetColour(cr, {0, 0, 0, 0.85});
    cairo_set_line_width(cr, 1.5);
    cairo_stroke(cr);
}

// Bat-handle toggle switch on a bakelite plate; lever up and a green telltale mean ON.
void PaintToggle(cairo_t* cr, double s, int on)
{
    // Four fifths of the frame high: two rows of switches drawn twice their 50-unit hit box and 87.5 apart
    // leave a gap between their plates.
    double w = s * 0.5, h = s * 0.8, x = (s - w) / 2, y = (s - h) / 2, c = s / 2;
    SoftShadow(cr, x + 1, y + 3, w, h, 6, 3, 0.35);
    RoundedRect(cr, x, y, w, h, 6);
    FillVertical(cr, y, y + h, Hex(0x3b3936), Hex(0x201f1d));
    BevelRect(cr, x, y, w, h, 6, 2, 0.3, 0.5);
    RoundedRect(cr, x, y, w, h, 6);
    SetColour(cr, {0, 0, 0, 0.9});
    cairo_set_line_width(cr, 1.2);
    cairo_stroke(cr);
    // Telltale window near the top, lit green when on.
    double ty = y + h * 0.12;
    FillRoundedRect(cr, c - w * 0.28, ty - 5, w * 0.56, 10, 3, Hex(0x080808));
    if (on) {
        FillRoundedRect(cr, c - w * 0.24, ty - 3.5, w * 0.48, 7, 2.5, Hex(0x3dff5a));
        FillRoundedRect(cr, c - w * 0.2, ty - 2.5, w * 0.25, 2, 1, {1, 1, 1, 0.6});
    } else {
        FillRoundedRect(cr, c - w * 0.24, ty - 3.5, w * 0.48, 7, 2.5, Hex(0x1b2a1d));
    }
    // Engraved marks: a bar at the top (on) and a ring at the bottom (off).
    SetColour(cr, {0.85, 0.82, 0.75, 0.7});
    cairo_set_line_width(cr, 2);
    cairo_move_to(cr, c, y + h * 0.2);
    cairo_line_to(cr, c, y + h * 0.27);
    cairo_stroke(cr);
    Circle(cr, c, y + h * 0.86, 3.2);
    cairo_stroke(cr);
    // Hex nut and lever.
    FillCircle(cr, c, c, w * 0.25, Hex(0x101010));
    cairo_save(cr);
    cairo_translate(cr, c, c);
    for (int i = 0; i < 6; ++i) {
        double a = i * M_PI / 3 + M_PI / 6;
        if (i == 0)
            cairo_move_to(cr, std::cos(a) * w * 0.21, std::sin(a) * w * 0.21);
        else
            cairo_line_to(cr, std::cos(a) * w * 0.21, std::sin(a) * w * 0.21);
    }
    cairo_close_path(cr);
    cairo_restore(cr);
    FillVertical(cr, c - w * 0.21, c + w * 0.21, Hex(0xe2e4e6), Hex(0x74787c));
    double dir = on ? -1 : 1;
    double len = h * 0.4;
    // Shadow of the lever on the plate.
    cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
    SetColour(cr, {0, 0, 0, 0.45});
    cairo_set_line_width(cr, w * 0.22);
    cairo_move_to(cr, c + 3, c + 4);
    cairo_line_to(cr, c + 3, c + 4 + dir * len);
    cairo_stroke(cr);
    cairo_pattern_t* p = cairo_pattern_create_linear(c - w * 0.12, 0, c + w * 0.12, 0);
    cairo_pattern_add_color_stop_rgb(p, 0, 0.55, 0.57, 0.6);
    cairo_pattern_add_color_stop_rgb(p, 0.35, 0.97, 0.97, 0.98);
    cairo_pattern_add_color_stop_rgb(p, 1, 0.42, 0.44, 0.47);
    cairo_set_source(cr, p);
    cairo_move_to(cr, c, c);
    cairo_line_to(cr, c, c + dir * len);
    cairo_set_line_width(cr, w * 0.18);
    cairo_stroke(cr);
    cairo_pattern_destroy(p);
    Circle(cr, c, c + dir * len, w * 0.14);
    FillDome(cr, c, c + dir * len, w * 0.14, Hex(0xd8dadc));
    cairo_set_line_cap(cr, CAIRO_LINE_CAP_BUTT);
}

// Lock cylinder on the console; the second frame has the reactor key in it. The game turns it a quarter.
void PaintKeyhole(cairo_t* cr, double s, int inserted)
{
    double c = s / 2, r = s * 0.36;
    FillCircle(cr, c + 2, c + 4, r * 1.08, {0, 0, 0, 0.35});
    Circle(cr, c, c, r);
    FillDome(cr, c, c, r, Hex(0xaeb2b6));
    Circle(cr, c, c, r);
    SetColour(cr, {0, 0, 0, 0.8});
    cairo_set_line_width(cr, 1.5);
    cairo_stroke(cr);
    Circle(cr, c, c, r * 0.72);
    FillDome(cr, c, c, r * 0.72, Hex(0xb8913a)); // brass plug
    Circle(cr, c, c, r * 0.72);
    SetColour(cr, {0.2, 0.12, 0, 0.8});
    cairo_set_line_width(cr, 1.2);
    cairo_stroke(cr);
    // Index mark on the housing at the top.
    FillRoundedRect(cr, c - 2, c - r * 0.98, 4, r * 0.18, 1, Hex(0x202020));
    // Keyway.
    cairo_move_to(cr, c - 3, c - r * 0.5);
    cairo_line_to(cr, c + 3, c - r * 0.5);
    cairo_line_to(cr, c + 3, c + r * 0.1);
    cairo_line_to(cr, c + 6, c + r * 0.25);
    cairo_line_to(cr, c + 3, c + r * 0.5);
    cairo_line_to(cr, c - 3, c + r * 0.5);
    cairo_close_path(cr);
    SetColour(cr, Hex(0x0a0805));
    cairo_fill(cr);
    if (inserted) {
        // Key bow standing out of the keyway, along the slot.
        double bw = s * 0.2, bh = s * 0.62;
        SoftShadow(cr, c - bw / 2 + 3, c - bh / 2 + 5, bw, bh, bw / 2, 4, 0.4);
        RoundedRect(cr, c - bw / 2, c - bh / 2, bw, bh, bw / 2);
        cairo_pattern_t* p = cairo_pattern_create_linear(c - bw / 2, 0, c + bw / 2, 0);
        cairo_pattern_add_color_stop_rgb(p, 0, 0.55, 0.42, 0.12);
        cairo_pattern_add_color_stop_rgb(p, 0.4, 0.98, 0.85, 0.45);
        cairo_pattern_add_color_stop_rgb(p, 1, 0.5, 0.37, 0.1);
        cairo_set_source(cr, p);
        cairo_fill(cr);
        cairo_pattern_destroy(p);
        RoundedRect(cr, c - bw / 2, c - bh / 2, bw, bh, bw / 2);
        SetColour(cr, {0.25, 0.15, 0, 0.9});
        cairo_set_line_width(cr, 1.5);
        cairo_stroke(cr);
        FillCircle(cr, c, c - bh * 0.32, bw * 0.2, Hex(0x2a1c08)); // hole for the key ring
        // Red tag plastic on the key.
        FillRoundedRect(cr, c - bw * 0.32, c - bh * 0.05, bw * 0.64, bh * 0.3, 3, Hex(0xb3261e));
    }
}

// Check box of the settings: a dark window in a light bezel, with a green tick when set.
void PaintCheckbox(cairo_t* cr, double s, int checked)
{
    double m = s * 0.1, w = s - 2 * m;
    SoftShadow(cr, m + 2, m + 4, w, w, 12, 4, 0.35);
    RoundedRect(cr, m, m, w, w, 12);
    FillVertical(cr, m, m + w, Hex(0xe8e2d2), Hex(0xa9a291));
    BevelRect(cr, m, m, w, w, 12, 3, 0.6, 0.45);
    RoundedRect(cr, m, m, w, w, 12);
    SetColour(cr, {0, 0, 0, 0.85});
    cairo_set_line_width(cr, 2);
    cairo_stroke(cr);
    double i = s * 0.22, iw = s - 2 * i;
    RoundedRect(cr, i, i, iw, iw, 6);
    FillVertical(cr, i, i + iw, Hex(0x0b0d0b), Hex(0x1d221d));
    if (checked) {
        cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
        cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
        for (int pass = 0; pass < 2; ++pass) {
            cairo_move_to(cr, s * 0.32, s * 0.52);
            cairo_line_to(cr, s * 0.45, s * 0.66);
            cairo_line_to(cr, s * 0.7, s * 0.34);
            if (pass == 0) {
                SetColour(cr, {0.2, 1, 0.3, 0.3});
                cairo_set_line_width(cr, s * 0.16);
            } else {
                SetColour(cr, Hex(0x45ff62));
                cairo_set_line_width(cr, s * 0.08);
            }
            cairo_stroke(cr);
        }
    }
}

void CrumpledPaper(cairo_t* cr, double cx, double cy, double r, Rng& rng, Colour paper)
{
    cairo_new_path(cr);
    int n = 11;
    for (int i = 0; i < n; ++i) {
        double a = 2 * M_PI * i / n, rr = r * rng.Range(0.75, 1.05);
        double px = cx + std::cos(a) * rr, py = cy + std::sin(a) * rr * 0.85;
        if (i == 0)
            cairo_move_to(cr, px, py);
        else
            cairo_line_to(cr, px, py);
    }
    cairo_close_path(cr);
    FillVertical(cr, cy - r, cy + r, Shade(paper, 1.1), Shade(paper, 0.75));
    SetColour(cr, {0.3, 0.25, 0, 0.5});
    cairo_set_line_width(cr, 1.2);
    for (int i = 0; i < 5; ++i) {
        double a = rng.Range(0, 2 * M_PI);
        cairo_move_to(cr, cx + std::cos(a) * r * 0.2, cy + std::sin(a) * r * 0.2);
        cairo_line_to(cr, cx + std::cos(a) * r * 0.8, cy + std::sin(a) * r * 0.7);
    }
    cairo_stroke(cr);
}

// Steel waste-paper bin seen from above the desk; after the first note goes in, crumpled notes show.
void PaintBin(cairo_t* cr, double s, int used)
{
    double cx = s / 2, top = s * 0.3, rx = s * 0.36, ry = s * 0.13, bottom = s * 0.9, brx = s * 0.3;
    // Shadow on the desk.
    cairo_save(cr);
    cairo_translate(cr, cx + 10, bottom + 2);
    cairo_scale(cr, brx * 1.2, s * 0.06);
    Circle(cr, 0, 0, 1);
    cairo_restore(cr);
    SetColour(cr, {0, 0, 0, 0.4});
    cairo_fill(cr);
    // Body: a tapered cylinder.
    cairo_move_to(cr, cx - rx, top);
    cairo_line_to(cr, cx - brx, bottom);
    cairo_curve_to(cr, cx - brx, bottom + s * 0.07, cx + brx, bottom + s * 0.07, cx + brx, bottom);
    cairo_line_to(cr, cx + rx, top);
    cairo_close_path(cr);
    cairo_pattern_t* p = cairo_pattern_create_linear(cx - rx, 0, cx + rx, 0);
    cairo_pattern_add_color_stop_rgb(p, 0, 0.2, 0.23, 0.22);
    cairo_pattern_add_color_stop_rgb(p, 0.3, 0.55, 0.6, 0.58);
    cairo_pattern_add_color_stop_rgb(p, 0.55, 0.38, 0.42, 0.4);
    cairo_pattern_add_color_stop_rgb(p, 1, 0.14, 0.16, 0.15);
    cairo_set_source(cr, p);
    cairo_fill(cr);
    cairo_pattern_destroy(p);
    // Ribs.
    SetColour(cr, {0, 0, 0, 0.25});
    cairo_set_line_width(cr, 2);
    for (int i = 1; i < 4; ++i) {
        double t = i / 4.0, y = top + (bottom - top) * t, r = rx + (brx - rx) * t;
        cairo_save(cr);
        cairo_translate(cr, cx, y);
        cairo_scale(cr, r, ry * (1 - 0.3 * t));
        cairo_arc(cr, 0, 0, 1, 0.05 * M_PI, 0.95 * M_PI);
        cairo_restore(cr);
        cairo_stroke(cr);
    }
    // Opening.
    cairo_save(cr);
    cairo_translate(cr, cx, top);
    cairo_scale(cr, rx, ry);
    Circle(cr, 0, 0, 1);
    cairo_restore(cr);
    FillVertical(cr, top - ry, top + ry, Hex(0x0d0f0e), Hex(0x262a28));
    if (used) {
        Rng rng(77);
        cairo_save(cr);
        cairo_translate(cr, cx, top);
        cairo_scale(cr, rx * 0.95, ry * 1.6);
        Circle(cr, 0, 0.1, 1);
        cairo_restore(cr);
        cairo_clip(cr);
        CrumpledPaper(cr, cx - rx * 0.35, top + ry * 0.05, s * 0.12, rng, Hex(0xf2d54a));
        CrumpledPaper(cr, cx + rx * 0.3, top - ry * 0.1, s * 0.11, rng, Hex(0xe9c93c));
        CrumpledPaper(cr, cx + rx * 0.02, top - ry * 0.55, s * 0.1, rng, Hex(0xf5dd5c));
        cairo_reset_clip(cr);
    }
    // Rolled rim.
    cairo_save(cr);
    cairo_translate(cr, cx, top);
    cairo_scale(cr, rx, ry);
    Circle(cr, 0, 0, 1);
    cairo_restore(cr);
    SetColour(cr, Hex(0xb6bcb9));
    cairo_set_line_width(cr, 5);
    cairo_stroke(cr);
    cairo_save(cr);
    cairo_translate(cr, cx, top + 1.5);
    cairo_scale(cr, rx, ry);
    cairo_arc(cr, 0, 0, 1, 0.05 * M_PI, 0.95 * M_PI);
    cairo_restore(cr);
    SetColour(cr, {0, 0, 0, 0.4});
    cairo_set_line_width(cr, 2);
    cairo_stroke(cr);
}

// Pencil with its tip in the top-left corner: the game draws it upside down beside the mouse, which puts
// the tip on the pointer and the pencil leaning up to the right.
void PaintPencil(cairo_t* cr, double s)
{
    cairo_save(cr);
    cairo_translate(cr, s * 0.04, s * 0.04);
    cairo_rotate(cr, M_PI / 4);
    double len = s * 1.25, w = s * 0.19;
    // Along +x from the tip.
    SetColour(cr, {0, 0, 0, 0.35});
    cairo_rectangle(cr, s * 0.3, -w / 2 + 3, len - s * 0.35, w);
    cairo_fill(cr);
    // Wood cone and graphite.
    cairo_move_to(cr, 0, 0);
    cairo_line_to(cr, s * 0.3, -w / 2);
    cairo_line_to(cr, s * 0.3, w / 2);
    cairo_close_path(cr);
    SetColour(cr, Hex(0xe8c9a0));
    cairo_fill(cr);
    cairo_move_to(cr, 0, 0);
    cairo_line_to(cr, s * 0.1, -w * 0.17);
    cairo_line_to(cr, s * 0.1, w * 0.17);
    cairo_close_path(cr);
    SetColour(cr, Hex(0x2a2a2a));
    cairo_fill(cr);
    // Yellow body with facets.
    double body = len - s * 0.62;
    cairo_rectangle(cr, s * 0.3, -w / 2, body, w);
    cairo_pattern_t* p = cairo_pattern_create_linear(0, -w / 2, 0, w / 2);
    cairo_pattern_add_color_stop_rgb(p, 0, 0.72, 0.52, 0.05);
    cairo_pattern_add_color_stop_rgb(p, 0.4, 0.98, 0.8, 0.2);
    cairo_pattern_add_color_stop_rgb(p, 1, 0.8, 0.58, 0.08);
    cairo_set_source(cr, p);
    cairo_fill(cr);
    cairo_pattern_destroy(p);
    // Ferrule and eraser.
    double fx = s * 0.3 + body;
    cairo_rectangle(cr, fx, -w / 2, s * 0.14, w);
    FillVertical(cr, -w / 2, w / 2, Hex(0xd5d8da), Hex(0x7e8386));
    cairo_rectangle(cr, fx + s * 0.14, -w / 2, s * 0.16, w);
    SetColour(cr, Hex(0xe57d8a));
    cairo_fill(cr);
    cairo_restore(cr);
}

// Knurled black dial with a chrome skirt and a white index line; the game turns it by its angle.
void PaintSpinner(cairo_t* cr, double s)
{
    double c = s / 2, r = s * 0.44;
    FillCircle(cr, c + 3, c + 5, r, {0, 0, 0, 0.4});
    Circle(cr, c, c, r);
    FillDome(cr, c, c, r, Hex(0x9ea3a8));
    Circle(cr, c, c, r);
    SetColour(cr, {0, 0, 0, 0.8});
    cairo_set_line_width(cr, 1.5);
    cairo_stroke(cr);
    // Knurls.
    double kr = r * 0.8;
    for (int i = 0; i < 36; ++i) {
        double a = i * 2 * M_PI / 36;
        cairo_move_to(cr, c + std::cos(a) * kr, c + std::sin(a) * kr);
        cairo_line_to(cr, c + std::cos(a + 0.06) * (kr + r * 0.08), c + std::sin(a + 0.06) * (kr + r * 0.08));
    }
    Circle(cr, c, c, kr);
    SetColour(cr, Hex(0x141414));
    cairo_fill(cr);
    Circle(cr, c, c, kr);
    FillDome(cr, c, c, kr, Hex(0x2c2c2e));
    for (int i = 0; i < 36; ++i) {
        double a = i * 2 * M_PI / 36;
        cairo_move_to(cr, c + std::cos(a) * kr * 0.9, c + std::sin(a) * kr * 0.9);
        cairo_line_to(cr, c + std::cos(a) * kr, c + std::sin(a) * kr);
    }
    SetColour(cr, {1, 1, 1, 0.12});
    cairo_set_line_width(cr, 1.5);
    cairo_stroke(cr);
    Circle(cr, c, c, kr * 0.55);
    FillDome(cr, c, c, kr * 0.55, Hex(0x3a3a3d));
    // Index.
    cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
    SetColour(cr, Hex(0xf2efe6));
    cairo_set_line_width(cr, s * 0.05);
    cairo_move_to(cr, c, c - kr * 0.25);
    cairo_line_to(cr, c, c - kr * 0.88);
    cairo_stroke(cr);
    cairo_set_line_cap(cr, CAIRO_LINE_CAP_BUTT);
}

// Fader cap riding in the slider's slot.
void PaintHandle(cairo_t* cr, double s)
{
    double w = s * 0.66, h = s * 0.3, x = (s - w) / 2, y = (s - h) / 2;
    SoftShadow(cr, x + 3, y + 6, w, h, 6, 5, 0.45);
    RoundedRect(cr, x, y, w, h, 6);
    FillVertical(cr, y, y + h, Hex(0x56585b), Hex(0x1b1c1d));
    // Ridges across the grip.
    for (int i = 0; i < 5; ++i) {
        double ly = y + h * (0.2 + i * 0.15);
        cairo_rectangle(cr, x + 6, ly, w - 12, 2);
        SetColour(cr, {0, 0, 0, 0.35});
        cairo_fill(cr);
        cairo_rectangle(cr, x + 6, ly + 2, w - 12, 1);
        SetColour(cr, {1, 1, 1, 0.12});
        cairo_fill(cr);
    }
    // Amber index line across the middle.
    FillRoundedRect(cr, x + 3, s / 2 - 2.5, w - 6, 5, 2, Hex(0xf0a52a));
    BevelRect(cr, x, y, w, h, 6, 2, 0.4, 0.5);
    RoundedRect(cr, x, y, w, h, 6);
    SetColour(cr, {0, 0, 0, 0.9});
    cairo_set_line_width(cr, 1.5);
    cairo_stroke(cr);
}

} // namespace

bool MakeControls(const std::string& dir)
{
    bool ok = true;
    ok = SaveStrip(AssetFile(dir, Asset::Button1Sheet), 128, 3, PaintFireButton) && ok;
    ok = SaveStrip(AssetFile(dir, Asset::Button2Sheet), 128, 3, PaintRoundButton) && ok;
    ok = SaveStrip(AssetFile(dir, Asset::PhoneButtonSheet), 128, 3, PaintPhoneKey) && ok;
    ok = SaveStrip(AssetFile(dir, Asset::SwitchSheet), 128, 2, PaintToggle) && ok;
    ok = SaveStrip(AssetFile(dir, Asset::KeyholeSheet), 128, 2, PaintKeyhole) && ok;
    ok = SaveStrip(AssetFile(dir, Asset::CheckboxSheet), 128, 2, PaintCheckbox) && ok;
    ok = SaveStrip(AssetFile(dir, Asset::TrashcanSheet), 256, 2, PaintBin) && ok;
    ok =
        SaveStrip(AssetFile(dir, Asset::PencilCursor), 64, 1, [](cairo_t* cr, double s, int) { PaintPencil(cr, s); }) &&
        ok;
    ok = SaveStrip(AssetFile(dir, Asset::Spinner), 128, 1, [](cairo_t* cr, double s, int) { PaintSpinner(cr, s); }) &&
         ok;
    ok = SaveStrip(AssetFile(dir, Asset::Handle), 128, 1, [](cairo_t* cr, double s, int) { PaintHandle(cr, s); }) && ok;
    return ok;
}

} // namespace art
