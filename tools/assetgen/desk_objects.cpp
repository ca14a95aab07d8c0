// Clutter of the key module's drawer, seen from above: 4 x 4 frames of 256 pixels, drawn at 240 units. Frames
// 0..9 are the objects the game scatters (each big enough to hide the key, whose hit box is 120 x 60), 10..14
// are spares, 15 is the reactor key. The game adds 0.25 to an object's colour while it is hovered, so no
// object is pale enough to wash out.
#include "draw.h"
#include "pictures.h"
#include "text.h"

#include <cmath>
#include <functional>
#include <string>

namespace art {

namespace {

constexpr int ObjectCell = 256;

void Shadowed(cairo_t* cr, const std::function<void()>& path, double dx = 6, double dy = 9)
{
    cairo_save(cr);
    cairo_translate(cr, dx, dy);
    path();
    cairo_restore(cr);
    SetColour(cr, {0, 0, 0, 0.35});
    cairo_fill(cr);
}

void Mug(cairo_t* cr)
{
    double c = 128;
    Shadowed(cr, [&] { Circle(cr, c - 8, c, 74); });
    // Handle.
    RoundedRect(cr, c + 50, c - 22, 62, 44, 18);
    SetColour(cr, Hex(0x8e2a22));
    cairo_fill(cr);
    RoundedRect(cr, c + 62, c - 10, 34, 20, 9);
    SetColour(cr, Hex(0x1c3526));
    cairo_set_operator(cr, CAIRO_OPERATOR_CLEAR);
    cairo_fill(cr);
    cairo_set_operator(cr, CAIRO_OPERATOR_OVER);
    Circle(cr, c - 8, c, 72);
    FillDome(cr, c - 8, c, 72, Hex(0xa8342a));
    FillCircle(cr, c - 8, c, 60, Hex(0xd9d0bd));
    FillCircle(cr, c - 8, c, 56, Hex(0x3b2212));
    FillCircle(cr, c - 18, c - 10, 40, Hex(0x4a2c18));
    FillCircle(cr, c - 26, c - 22, 8, {1, 1, 1, 0.25});
}

void Stapler(cairo_t* cr)
{
    cairo_save(cr);
    cairo_translate(cr, 128, 128);
    cairo_rotate(cr, -0.35);
    Shadowed(cr, [&] { RoundedRect(cr, -105, -40, 210, 80, 30); });
    RoundedRect(cr, -105, -40, 210, 80, 30);
    FillVertical(cr, -40, 40, Hex(0x2f2f32), Hex(0x151517));
    RoundedRect(cr, -92, -30, 175, 60, 24);
    FillVertical(cr, -30, 30, Hex(0x5f6a7a), Hex(0x2f3947));
    RoundedRect(cr, -92, -30, 175, 60, 24);
    SetColour(cr, {0, 0, 0, 0.6});
    cairo_set_line_width(cr, 2);
    cairo_stroke(cr);
    FillRoundedRect(cr, -80, -20, 120, 10, 5, {1, 1, 1, 0.25});
    FillCircle(cr, 78, 0, 9, Hex(0x9aa0a8));
    cairo_restore(cr);
}

void Cassette(cairo_t* cr)
{
    cairo_save(cr);
    cairo_translate(cr, 128, 128);
    cairo_rotate(cr, 0.2);
    Shadowed(cr, [&] { RoundedRect(cr, -102, -64, 204, 128, 8); });
    RoundedRect(cr, -102, -64, 204, 128, 8);
    FillVertical(cr, -64, 64, Hex(0x3a3a3e), Hex(0x1f1f22));
    FillRoundedRect(cr, -88, -54, 176, 72, 4, Hex(0xd6b14a));
    FillRoundedRect(cr, -88, -54, 176, 16, 2, Hex(0xb8402a));
    if (UseFont(cr, "DejaVu Sans:style=Bold", 13))
        DrawLine(cr, "SHIFT MIX '84", 0, -42, Align::Centre, Hex(0xf4ead0));
    FillRoundedRect(cr, -60, -22, 120, 34, 14, Hex(0x151515));
    for (int side : {-1, 1}) {
        FillCircle(cr, side * 38, -5, 15, Hex(0xe9e6df));
        FillCircle(cr, side * 38, -5, 8, Hex(0x222222));
        for (int t = 0; t < 6; ++t) {
            double a = t * M_PI / 3;
            FillCircle(cr, side * 38 + std::cos(a) * 6, -5 + std::sin(a) * 6, 1.8, Hex(0xe9e6df));
        }
    }
    cairo_move_to(cr, -70, 64);
    cairo_line_to(cr, -58, 34);
    cairo_line_to(cr, 58, 34);
    cairo_line_to(cr, 70, 64);
    SetColour(cr, Hex(0x2b2b2e));
    cairo_fill(cr);
    cairo_restore(cr);
}

void Floppy(cairo_t* cr)
{
    cairo_save(cr);
    cairo_translate(cr, 128, 128);
    cairo_rotate(cr, -0.15);
    Shadowed(cr, [&] { cairo_rectangle(cr, -88, -88, 176, 176); });
    cairo_rectangle(cr, -88, -88, 176, 176);
    SetColour(cr, Hex(0x1d1d20));
    cairo_fill(cr);
    FillCircle(cr, 0, 0, 26, Hex(0x5b4a2e));
    FillCircle(cr, 0, 0, 14, Hex(0x1d1d20));
    FillRoundedRect(cr, -9, 34, 18, 50, 9, Hex(0x5b4a2e));
    FillRoundedRect(cr, -78, -80, 156, 58, 2, Hex(0xe8e2d0));
    SetColour(cr, Hex(0x4060a0));
    cairo_set_line_width(cr, 1.5);
    for (int i = 0; i < 3; ++i) {
        cairo_move_to(cr, -72, -60 + i * 14);
        cairo_line_to(cr, 72, -60 + i * 14);
    }
    cairo_stroke(cr);
    if (UseFont(cr, "URW Bookman:style=Light Italic", 15))
        DrawLine(cr, "rods backup", -66, -50, Align::Left, Hex(0x22225a));
    cairo_restore(cr);
}

void Calculator(cairo_t* cr)
{
    cairo_save(cr);
    cairo_translate(cr, 128, 128);
    cairo_rotate(cr, 0.12);
    Shadowed(cr, [&] { RoundedRect(cr, -72, -98, 144, 196, 10); });
    RoundedRect(cr, -72, -98, 144, 196, 10);
    FillVertical(cr, -98, 98, Hex(0x4d4a44), Hex(0x2a2825));
    FillRoundedRect(cr, -58, -86, 116, 40, 4, Hex(0x1b1f18));
    FillRoundedRect(cr, -52, -80, 104, 28, 2, Hex(0x6d7a5a));
    if (UseFont(cr, "DSEG7 Classic:style=Regular", 18))
        DrawLine(cr, "3.14159", 48, -58, Align::Right, Hex(0x1a2012));
    for (int r = 0; r < 5; ++r)
        for (int c = 0; c < 4; ++c) {
            Colour key = c == 3 ? Hex(0xc0601e) : r == 0 ? Hex(0x6a6a70) : Hex(0x24242a);
            FillRoundedRect(cr, -56 + c * 29, -34 + r * 25, 24, 19, 4, key);
            FillRoundedRect(cr, -54 + c * 29, -33 + r * 25, 20, 5, 2, {1, 1, 1, 0.15});
        }
    cairo_restore(cr);
}

void MemoPad(cairo_t* cr)
{
    cairo_save(cr);
    cairo_translate(cr, 128, 128);
    cairo_rotate(cr, -0.22);
    Shadowed(cr, [&] { cairo_rectangle(cr, -80, -100, 160, 200); });
    cairo_rectangle(cr, -80, -100, 160, 200);
    SetColour(cr, Hex(0xc9c1a8));
    cairo_fill(cr);
    cairo_rectangle(cr, -80, -100, 160, 22);
    SetColour(cr, Hex(0x7a2420));
    cairo_fill(cr);
    SetColour(cr, Hex(0x6a8ab0));
    cairo_set_line_width(cr, 1.2);
    for (int i = 0; i < 9; ++i) {
        cairo_move_to(cr, -72, -60 + i * 18);
        cairo_line_to(cr, 72, -60 + i * 18);
    }
    cairo_stroke(cr);
    if (UseFont(cr, "URW Bookman:style=Light Italic", 16)) {
        DrawLine(cr, "call maint. re:", -68, -64, Align::Left, Hex(0x202050));
        DrawLine(cr, "pump 3 noise!!", -68, -46, Align::Left, Hex(0x202050));
        DrawLine(cr, "lunch 12:30", -68, -10, Align::Left, Hex(0x202050));
    }
    cairo_restore(cr);
}

void Donut(cairo_t* cr)
{
    double c = 128;
    // Napkin.
    cairo_save(cr);
    cairo_translate(cr, c, c);
    cairo_rotate(cr, 0.5);
    cairo_rectangle(cr, -92, -92, 184, 184);
    SetColour(cr, Hex(0xb8b0a0));
    cairo_fill(cr);
    cairo_restore(cr);
    Shadowed(
        cr, [&] { Circle(cr, c, c, 72); }, 4, 6);
    Circle(cr, c, c, 72);
    FillDome(cr, c, c, 72, Hex(0xb87a3a));
    cairo_new_path(cr);
    for (int i = 0; i < 24; ++i) {
        double a = i * 2 * M_PI / 24, r = 58 + (i % 2 ? 6 : -2);
        if (i == 0)
            cairo_move_to(cr, c + std::cos(a) * r, c + std::sin(a) * r);
        else
            cairo_line_to(cr, c + std::cos(a) * r, c + std::sin(a) * r);
    }
    cairo_close_path(cr);
    SetColour(cr, Hex(0xc0487a));
    cairo_fill(cr);
    Rng rng(4);
    const Colour sprinkles[] = {Hex(0xf0e04a), Hex(0x4ac0f0), Hex(0xf0f0f0), Hex(0x60d060)};
    for (int i = 0; i < 40; ++i) {
        double a = rng.Range(0, 2 * M_PI), r = rng.Range(30, 56), t = rng.Range(0, M_PI);
        double x = c + std::cos(a) * r, y = c + std::sin(a) * r;
        cairo_move_to(cr, x - std::cos(t) * 4, y - std::sin(t) * 4);
        cairo_line_to(cr, x + std::cos(t) * 4, y + std::sin(t) * 4);
        SetColour(cr, sprinkles[i % 4]);
        cairo_set_line_width(cr, 2.5);
        cairo_stroke(cr);
    }
    FillCircle(cr, c, c, 22, Hex(0xb8b0a0));
    Circle(cr, c, c, 22);
    SetColour(cr, {0, 0, 0, 0.3});
    cairo_set_line_width(cr, 3);
    cairo_stroke(cr);
}

void TapeDispenser(cairo_t* cr)
{
    cairo_save(cr);
    cairo_translate(cr, 128, 128);
    cairo_rotate(cr, 0.3);
    Shadowed(cr, [&] { RoundedRect(cr, -96, -56, 192, 112, 40); });
    RoundedRect(cr, -96, -56, 192, 112, 40);
    FillVertical(cr, -56, 56, Hex(0x3c5d8a), Hex(0x1e3150));
    FillCircle(cr, -20, 0, 46, Hex(0xb9a77a));
    FillCircle(cr, -20, 0, 30, Hex(0x8a7a50));
    FillCircle(cr, -20, 0, 18, Hex(0x1e3150));
    cairo_move_to(cr, 60, -30);
    cairo_line_to(cr, 104, -8);
    cairo_line_to(cr, 104, 8);
    cairo_line_to(cr, 60, 30);
    cairo_close_path(cr);
    SetColour(cr, Hex(0x8a9098));
    cairo_fill(cr);
    cairo_restore(cr);
}

void FilmBadge(cairo_t* cr)
{
    cairo_save(cr);
    cairo_translate(cr, 128, 128);
    cairo_rotate(cr, -0.3);
    // Lanyard.
    cairo_move_to(cr, 0, -80);
    cairo_curve_to(cr, -60, -140, 90, -150, 40, -90);
    SetColour(cr, Hex(0x2a4ea0));
    cairo_set_line_width(cr, 8);
    cairo_stroke(cr);
    Shadowed(cr, [&] { RoundedRect(cr, -68, -86, 136, 172, 10); });
    RoundedRect(cr, -68, -86, 136, 172, 10);
    FillVertical(cr, -86, 86, Hex(0x6e737a), Hex(0x454a50));
    FillRoundedRect(cr, -56, -74, 112, 70, 4, Hex(0xd8c860));
    // Radiation trefoil.
    cairo_save(cr);
    cairo_translate(cr, 0, -39);
    for (int i = 0; i < 3; ++i) {
        double a = -M_PI / 2 + i * 2 * M_PI / 3;
        cairo_move_to(cr, 0, 0);
        cairo_arc(cr, 0, 0, 28, a - 0.52, a + 0.52);
        cairo_close_path(cr);
    }
    SetColour(cr, Hex(0x1a1a1a));
    cairo_fill(cr);
    FillCircle(cr, 0, 0, 8, Hex(0xd8c860));
    FillCircle(cr, 0, 0, 5, Hex(0x1a1a1a));
    cairo_restore(cr);
    if (UseFont(cr, "DejaVu Sans:style=Bold", 14)) {
        DrawLine(cr, "DOSIMETER", 0, 18, Align::Centre, Hex(0xe8e8e8));
        DrawLine(cr, "OP. 0451", 0, 40, Align::Centre, Hex(0xc8c8c8));
    }
    FillRoundedRect(cr, -40, 54, 80, 20, 3, Hex(0x2a2a2a));
    cairo_restore(cr);
}

void PaperBall(cairo_t* cr)
{
    Rng rng(12);
    double c = 128;
    Shadowed(cr, [&] { Circle(cr, c, c, 74); });
    cairo_new_path(cr);
    for (int i = 0; i < 16; ++i) {
        double a = i * 2 * M_PI / 16, r = rng.Range(62, 80);
        if (i == 0)
            cairo_move_to(cr, c + std::cos(a) * r, c + std::sin(a) * r);
        else
            cairo_line_to(cr, c + std::cos(a) * r, c + std::sin(a) * r);
    }
    cairo_close_path(cr);
    FillVertical(cr, c - 80, c + 80, Hex(0xcfcabd), Hex(0x8f8a7d));
    SetColour(cr, {0.25, 0.22, 0.15, 0.45});
    cairo_set_line_width(cr, 2);
    for (int i = 0; i < 14; ++i) {
        double a = rng.Range(0, 2 * M_PI), r0 = rng.Range(5, 30), r1 = rng.Range(40, 70);
        cairo_move_to(cr, c + std::cos(a) * r0, c + std::sin(a) * r0);
        cairo_line_to(cr, c + std::cos(a + 0.3) * r1, c + std::sin(a + 0.3) * r1);
    }
    cairo_stroke(cr);
    SetColour(cr, {0.2, 0.25, 0.5, 0.5});
    for (int i = 0; i < 5; ++i) {
        double y = c - 30 + i * 14;
        cairo_move_to(cr, c - 40, y);
        cairo_line_to(cr, c + 30, y + 6);
    }
    cairo_stroke(cr);
}

void RubberStamp(cairo_t* cr)
{
    double c = 128;
    Shadowed(cr, [&] { RoundedRect(cr, c - 90, c - 52, 180, 104, 8); });
    RoundedRect(cr, c - 90, c - 52, 180, 104, 8);
    FillVertical(cr, c - 52, c + 52, Hex(0x5a3a1e), Hex(0x38220f));
    Circle(cr, c, c, 40);
    FillDome(cr, c, c, 40, Hex(0x8c2a1c));
}

void PaperClips(cairo_t* cr)
{
    Rng rng(13);
    // A small tin of clips.
    double c = 128;
    Shadowed(cr, [&] { Circle(cr, c, c, 76); });
    Circle(cr, c, c, 76);
    FillDome(cr, c, c, 76, Hex(0x7d8488));
    FillCircle(cr, c, c, 66, Hex(0x3a3f42));
    for (int i = 0; i < 22; ++i) {
        double x = c + rng.Range(-45, 45), y = c + rng.Range(-45, 45), a = rng.Range(0, M_PI);
        cairo_save(cr);
        cairo_translate(cr, x, y);
        cairo_rotate(cr, a);
        RoundedRect(cr, -14, -5, 28, 10, 5);
        RoundedRect(cr, -9, -2.5, 20, 5, 2.5);
        cairo_restore(cr);
        SetColour(cr, i % 3 ? Hex(0xc8ccd0) : Hex(0xd0503a));
        cairo_set_line_width(cr, 1.6);
        cairo_stroke(cr);
    }
}

void Sandwich(cairo_t* cr)
{
    double c = 128;
    cairo_save(cr);
    cairo_translate(cr, c, c);
    cairo_rotate(cr, 0.4);
    Shadowed(cr, [&] {
        cairo_move_to(cr, -90, -80);
        cairo_line_to(cr, 90, -80);
        cairo_line_to(cr, -90, 80);
        cairo_close_path(cr);
    });
    cairo_move_to(cr, -90, -80);
    cairo_line_to(cr, 90, -80);
    cairo_line_to(cr, -90, 80);
    cairo_close_path(cr);
    SetColour(cr, Hex(0x9a6a38));
    cairo_fill(cr);
    cairo_move_to(cr, -80, -70);
    cairo_line_to(cr, 64, -70);
    cairo_line_to(cr, -80, 58);
    cairo_close_path(cr);
    SetColour(cr, Hex(0xcfb07a));
    cairo_fill(cr);
    cairo_move_to(cr, -88, -82);
    cairo_line_to(cr, 92, -82);
    SetColour(cr, Hex(0x6aa040));
    cairo_set_line_width(cr, 6);
    cairo_stroke(cr);
    cairo_restore(cr);
}

void PenCup(cairo_t* cr)
{
    double c = 128;
    Shadowed(cr, [&] { Circle(cr, c, c, 64); });
    // Pens leaning out of the cup.
    const Colour pens[] = {Hex(0x2040a0), Hex(0xb02020), Hex(0x202020), Hex(0xd0a020)};
    for (int i = 0; i < 4; ++i) {
        double a = -2.2 + i * 0.55;
        cairo_move_to(cr, c, c);
        cairo_line_to(cr, c + std::cos(a) * 110, c + std::sin(a) * 110);
        SetColour(cr, pens[i]);
        cairo_set_line_width(cr, 9);
        cairo_stroke(cr);
    }
    Circle(cr, c, c, 62);
    FillDome(cr, c, c, 62, Hex(0x4a5a4e));
    FillCircle(cr, c, c, 52, Hex(0x1a1e1b));
    for (int i = 0; i < 4; ++i) {
        double a = -2.2 + i * 0.55;
        FillCircle(cr, c + std::cos(a) * 18, c + std::sin(a) * 18, 6, pens[i]);
    }
}

void PencilStubs(cairo_t* cr)
{
    Rng rng(21);
    for (int i = 0; i < 5; ++i) {
        double x = 128 + rng.Range(-40, 40), y = 128 + rng.Range(-50, 50), a = rng.Range(-0.6, 0.6);
        cairo_save(cr);
        cairo_translate(cr, x, y);
        cairo_rotate(cr, a);
        RoundedRect(cr, -70, -9, 140, 18, 3);
        SetColour(cr, {0, 0, 0, 0.3});
        cairo_save(cr);
        cairo_translate(cr, 4, 6);
        cairo_fill(cr);
        cairo_restore(cr);
        cairo_new_path(cr);
        cairo_rectangle(cr, -60, -9, 110, 18);
        SetColour(cr, i % 2 ? Hex(0xd8a820) : Hex(0x3a7a3a));
        cairo_fill(cr);
        cairo_move_to(cr, 50, -9);
        cairo_line_to(cr, 72, 0);
        cairo_line_to(cr, 50, 9);
        SetColour(cr, Hex(0xd8b888));
        cairo_fill(cr);
        cairo_rectangle(cr, -72, -9, 12, 18);
        SetColour(cr, Hex(0xd87080));
        cairo_fill(cr);
        cairo_restore(cr);
    }
}

// The reactor key: brass, with a red plastic tag; about 130 x 55 units, like its hit box.
void ReactorKey(cairo_t* cr)
{
    cairo_save(cr);
    cairo_translate(cr, 128, 128);
    cairo_rotate(cr, -0.08);
    auto shape = [&] {
        cairo_new_path(cr);
        Circle(cr, -42, 0, 28);
        cairo_rectangle(cr, -20, -9, 92, 18);
        cairo_move_to(cr, 40, 9);
        cairo_line_to(cr, 40, 22);
        cairo_line_to(cr, 50, 22);
        cairo_line_to(cr, 50, 14);
        cairo_line_to(cr, 58, 14);
        cairo_line_to(cr, 58, 24);
        cairo_line_to(cr, 68, 24);
        cairo_line_to(cr, 72, 9);
        cairo_close_path(cr);
    };
    cairo_save(cr);
    cairo_translate(cr, 5, 7);
    shape();
    cairo_restore(cr);
    SetColour(cr, {0, 0, 0, 0.4});
    cairo_fill(cr);
    shape();
    cairo_pattern_t* brass = cairo_pattern_create_linear(0, -28, 0, 28);
    cairo_pattern_add_color_stop_rgb(brass, 0, 0.85, 0.7, 0.3);
    cairo_pattern_add_color_stop_rgb(brass, 0.5, 0.7, 0.52, 0.16);
    cairo_pattern_add_color_stop_rgb(brass, 1, 0.42, 0.3, 0.08);
    cairo_set_source(cr, brass);
    cairo_fill_preserve(cr);
    cairo_pattern_destroy(brass);
    SetColour(cr, {0.2, 0.12, 0, 0.9});
    cairo_set_line_width(cr, 2);
    cairo_stroke(cr);
    FillCircle(cr, -50, 0, 8, {0, 0, 0, 0});
    cairo_set_operator(cr, CAIRO_OPERATOR_CLEAR);
    FillCircle(cr, -52, 0, 7, {0, 0, 0, 1});
    cairo_set_operator(cr, CAIRO_OPERATOR_OVER);
    cairo_move_to(cr, -12, 0);
    cairo_line_to(cr, 66, 0);
    SetColour(cr, {0.3, 0.2, 0.02, 0.7});
    cairo_set_line_width(cr, 2);
    cairo_stroke(cr);
    // Tag.
    cairo_save(cr);
    cairo_translate(cr, -62, 10);
    cairo_rotate(cr, 0.5);
    FillRoundedRect(cr, -30, 4, 36, 48, 5, Hex(0xa82a1e));
    if (UseFont(cr, "DejaVu Sans:style=Bold", 10))
        DrawLine(cr, "RX", -12, 32, Align::Centre, Hex(0xf4e8d8));
    cairo_restore(cr);
    cairo_restore(cr);
}

} // namespace

bool MakeDeskObjects(const std::string& dir)
{
    const std::function<void(cairo_t*)> objects[16] = {
        Mug,       Stapler,   Cassette,    Floppy,     Calculator, MemoPad, Donut,       TapeDispenser,
        FilmBadge, PaperBall, RubberStamp, PaperClips, Sandwich,   PenCup,  PencilStubs, ReactorKey,
    };
    Canvas canvas(4 * ObjectCell, 4 * ObjectCell);
    cairo_t* cr = canvas.cr();
    for (int i = 0; i < 16; ++i) {
        cairo_save(cr);
        cairo_rectangle(cr, (i % 4) * ObjectCell, (i / 4) * ObjectCell, ObjectCell, ObjectCell);
        cairo_clip(cr);
        cairo_translate(cr, (i % 4) * ObjectCell, (i / 4) * ObjectCell);
        objects[i](cr);
        cairo_restore(cr);
    }
    return canvas.Save(AssetFile(dir, Asset::DeskObjects));
}

} // namespace art
