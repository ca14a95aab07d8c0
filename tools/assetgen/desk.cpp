// The wooden desk (one panel, laid fifteen times side by side, so it wraps left to right) and the drawer of
// the key module.
#include "draw.h"
#include "pictures.h"
#include "text.h"

#include <algorithm>
#include <cmath>
#include <string>

namespace art {

namespace {

constexpr int DeskW = 1920, DeskH = 1080;

// Walnut grain running left to right; the noise repeats every `period` pixels in x.
Colour WoodAt(double x, double y, double period, uint32_t seed, Colour light, Colour dark)
{
    auto noise = [&](double cell, uint32_t s) {
        return PeriodicNoise(x, y, cell, static_cast<int>(std::lround(period / cell)), seed + s);
    };
    double warp = noise(240, 1) * 2.0 + noise(60, 2) * 0.6 + noise(15, 3) * 0.15;
    double ring = y / 6.5 + warp * 2.2;
    double grain = 0.5 + 0.5 * std::sin(ring * 2 * M_PI);
    grain = std::pow(grain, 2.2);
    double fibre = noise(15, 4) * 0.5 + PeriodicNoise(x, y * 6, 5, static_cast<int>(period / 5), seed + 5) * 0.5;
    double t = std::clamp(0.3 + grain * 0.3 + (fibre - 0.5) * 0.3 + (noise(240, 6) - 0.5) * 0.35, 0.0, 1.0);
    return Mix(light, dark, t);
}

void PutPixel(unsigned char* data, int stride, int x, int y, Colour c)
{
    auto byte = [](double v) { return static_cast<uint32_t>(std::clamp(std::lround(v * 255), 0l, 255l)); };
    *reinterpret_cast<uint32_t*>(data + y * stride + x * 4) =
        (0xFFu << 24) | (byte(c.r) << 16) | (byte(c.g) << 8) | byte(c.b);
}

// A mark drawn twice, a panel apart, so it wraps across the seam like the grain does.
template <typename F> void Wrapped(cairo_t* cr, double x, F draw)
{
    for (double shift : {0.0, -static_cast<double>(DeskW), static_cast<double>(DeskW)}) {
        cairo_save(cr);
        cairo_translate(cr, x + shift, 0);
        draw(cr);
        cairo_restore(cr);
    }
}

bool DrawDeskBody(const std::string& path)
{
    Canvas canvas(DeskW, DeskH);
    cairo_surface_t* s = canvas.surface();
    cairo_t* cr = canvas.cr();
    cairo_surface_flush(s);
    unsigned char* data = cairo_image_surface_get_data(s);
    int stride = cairo_image_surface_get_stride(s);
    const int plankH = 180, top = 36, bottom = DeskH - 34;
    Rng rng(1984);
    double tone[8], joint[8];
    for (int i = 0; i < 8; ++i) {
        tone[i] = rng.Range(0.9, 1.08);
        joint[i] = rng.Range(0, DeskW);
    }
    Colour light = Hex(0x6b4429), dark = Hex(0x2e1a0e);
    for (int y = 0; y < DeskH; ++y) {
        int plank = std::max(0, (y - top)) / plankH;
        for (int x = 0; x < DeskW; ++x) {
            Colour c = WoodAt(x, y + plank * 57, DeskW, 7 + plank, light, dark);
            c = Shade(c, tone[plank % 8]);
            PutPixel(data, stride, x, y, c);
        }
    }
    cairo_surface_mark_dirty(s);

    // Seams between the planks, and one butt joint per plank.
    for (int p = 0; p * plankH + top < bottom; ++p) {
        double y = top + p * plankH;
        if (p > 0) {
            cairo_rectangle(cr, 0, y - 1, DeskW, 2);
            SetColour(cr, {0.05, 0.02, 0.0, 0.75});
            cairo_fill(cr);
            cairo_rectangle(cr, 0, y + 1, DeskW, 1);
            SetColour(cr, {1, 0.85, 0.6, 0.08});
            cairo_fill(cr);
        }
        double y1 = std::min<double>(y + plankH, bottom);
        Wrapped(cr, joint[p % 8], [&](cairo_t* c) {
            cairo_rectangle(c, -1, y, 2, y1 - y);
            SetColour(c, {0.05, 0.02, 0.0, 0.6});
            cairo_fill(c);
        });
    }
    // Varnish sheen across the surface and wear where forearms rest.
    cairo_pattern_t* sheen = cairo_pattern_create_linear(0, top, 0, bottom);
    cairo_pattern_add_color_stop_rgba(sheen, 0, 0, 0, 0, 0.25);
    cairo_pattern_add_color_stop_rgba(sheen, 0.35, 1, 0.9, 0.75, 0.04);
    cairo_pattern_add_color_stop_rgba(sheen, 0.7, 0, 0, 0, 0.0);
    cairo_pattern_add_color_stop_rgba(sheen, 1, 0, 0, 0, 0.18);
    cairo_rectangle(cr, 0, top, DeskW, bottom - top);
    cairo_set_source(cr, sheen);
    cairo_fill(cr);
    cairo_pattern_destroy(sheen);
    // Scratches, cup rings and a cigarette burn: the desk has seen a few shifts.
    Rng wear(42);
    for (int i = 0; i < 140; ++i) {
        double x = wear.Range(0, DeskW), y = wear.Range(top + 10, bottom - 10);
        double len = wear.Range(20, 140), angle = wear.Range(-0.35, 0.35);
        double a = wear.Range(0.04, 0.12);
        Wrapped(cr, x, [&](cairo_t* c) {
            cairo_move_to(c, 0, y);
            cairo_line_to(c, std::cos(angle) * len, y + std::sin(angle) * len);
            SetColour(c, {1, 0.9, 0.75, a});
            cairo_set_line_width(c, 1);
            cairo_stroke(c);
        });
    }
    for (int i = 0; i < 5; ++i) {
        double x = wear.Range(0, DeskW), y = wear.Range(top + 120, bottom - 120), r = wear.Range(38, 50);
        Wrapped(cr, x, [&](cairo_t* c) {
            cairo_new_sub_path(c);
            cairo_arc(c, 0, y, r, wear.Range(0, 1), 2 * M_PI - wear.Range(0.3, 1.2));
            SetColour(c, {0.12, 0.06, 0.02, 0.22});
            cairo_set_line_width(c, 4);
            cairo_stroke(c);
            cairo_new_sub_path(c);
            cairo_arc(c, 0, y, r - 3, 0, 2 * M_PI);
            SetColour(c, {0.12, 0.06, 0.02, 0.06});
            cairo_set_line_width(c, 2);
            cairo_stroke(c);
        });
    }
    {
        double x = 1530, y = 760;
        Wrapped(cr, x, [&](cairo_t* c) {
            cairo_save(c);
            cairo_scale(c, 1.6, 1);
            cairo_pattern_t* burn = cairo_pattern_create_radial(0, y, 0, 0, y, 9);
            cairo_pattern_add_color_stop_rgba(burn, 0, 0.02, 0.01, 0, 0.7);
            cairo_pattern_add_color_stop_rgba(burn, 1, 0.05, 0.02, 0, 0);
            cairo_set_source(c, burn);
            Circle(c, 0, y, 9);
            cairo_fill(c);
            cairo_pattern_destroy(burn);
            cairo_restore(c);
        });
    }
    // The back edge, where the desk meets the wall of consoles, and the steel trim along the front.
    cairo_pattern_t* back = cairo_pattern_create_linear(0, 0, 0, top + 30);
    cairo_pattern_add_color_stop_rgba(back, 0, 0.07, 0.07, 0.08, 1);
    cairo_pattern_add_color_stop_rgba(back, top / (top + 30.0), 0.13, 0.13, 0.14, 1);
    cairo_pattern_add_color_stop_rgba(back, top / (top + 30.0) + 0.001, 0, 0, 0, 0.55);
    cairo_pattern_add_color_stop_rgba(back, 1, 0, 0, 0, 0);
    cairo_rectangle(cr, 0, 0, DeskW, top + 30);
    cairo_set_source(cr, back);
    cairo_fill(cr);
    cairo_pattern_destroy(back);
    cairo_rectangle(cr, 0, bottom, DeskW, DeskH - bottom);
    FillVertical(cr, bottom, DeskH, Hex(0xa7acaf), Hex(0x4d5154));
    cairo_rectangle(cr, 0, bottom, DeskW, 2);
    SetColour(cr, {1, 1, 1, 0.45});
    cairo_fill(cr);
    cairo_rectangle(cr, 0, bottom - 3, DeskW, 3);
    SetColour(cr, {0, 0, 0, 0.5});
    cairo_fill(cr);
    Rng trim(3);
    cairo_save(cr);
    cairo_rectangle(cr, 0, bottom + 2, DeskW, DeskH - bottom - 2);
    cairo_clip(cr);
    for (int y = bottom + 2; y < DeskH; ++y) {
        cairo_rectangle(cr, 0, y, DeskW, 1);
        bool l = trim.Uniform() < 0.5;
        cairo_set_source_rgba(cr, l, l, l, trim.Range(0, 0.06));
        cairo_fill(cr);
    }
    cairo_restore(cr);
    return canvas.Save(path);
}

// The drawer pulled out towards the player, seen from above: a wooden box lined with green baize, its front
// and brass pull at the bottom. The game centres it 60 units below its interior, whose 580 x 700 the
// objects keep to, and puts the pull 450 below the interior's centre.
bool DrawDrawer(const std::string& path)
{
    const int s = 960;
    Canvas canvas(s, s);
    cairo_t* cr = canvas.cr();
    const double ix = 190, iy = 70, iw = 580, ih = 700; // interior in picture pixels
    const double wall = 34;
    // Shadow on the desk.
    SoftShadow(cr, ix - wall + 10, iy - wall + 14, iw + 2 * wall, ih + wall + 130, 8, 14, 0.55);
    // Box sides.
    cairo_rectangle(cr, ix - wall, iy - wall, iw + 2 * wall, ih + wall + 20);
    cairo_save(cr);
    cairo_clip_preserve(cr);
    cairo_surface_t* s2 = canvas.surface();
    (void)s2;
    FillVertical(cr, iy - wall, iy + ih, Hex(0x7a5233), Hex(0x5b3a22));
    Rng rng(9);
    for (int i = 0; i < 60; ++i) {
        double y = rng.Range(iy - wall, iy + ih);
        cairo_rectangle(cr, ix - wall, y, iw + 2 * wall, rng.Range(1, 3));
        SetColour(cr, {0.15, 0.08, 0.03, rng.Range(0.05, 0.2)});
        cairo_fill(cr);
    }
    cairo_restore(cr);
    // Top edges of the walls catch the light.
    cairo_rectangle(cr, ix - wall, iy - wall, iw + 2 * wall, 4);
    SetColour(cr, {1, 0.85, 0.6, 0.25});
    cairo_fill(cr);
    // Baize floor with the shadow of the walls.
    cairo_rectangle(cr, ix, iy, iw, ih);
    FillVertical(cr, iy, iy + ih, Hex(0x1c3526), Hex(0x24452f));
    Rng felt(10);
    cairo_save(cr);
    cairo_rectangle(cr, ix, iy, iw, ih);
    cairo_clip(cr);
    Grime(cr, ix, iy, iw, ih, felt, 2500, 1.6, 0.12);
    for (int i = 0; i < 3; ++i) {
        cairo_rectangle(cr, ix + i * 4, iy + i * 4, iw - i * 8, ih - i * 8);
        SetColour(cr, {0, 0, 0, 0.25});
        cairo_set_line_width(cr, 8);
        cairo_stroke(cr);
    }
    // Dust and an old coffee spill in a corner.
    FillCircle(cr, ix + iw * 0.8, iy + ih * 0.15, 46, {0.05, 0.03, 0.0, 0.15});
    cairo_restore(cr);
    cairo_rectangle(cr, ix, iy, iw, ih);
    SetColour(cr, {0, 0, 0, 0.7});
    cairo_set_line_width(cr, 2);
    cairo_stroke(cr);
    // Front panel, wider than the box, facing the player.
    const double fx = 120, fy = 792, fw = 720, fh = 150;
    SoftShadow(cr, fx + 6, fy + 10, fw, fh, 6, 10, 0.5);
    RoundedRect(cr, fx, fy, fw, fh, 6);
    FillVertical(cr, fy, fy + fh, Hex(0x6e4529), Hex(0x3e2414));
    cairo_save(cr);
    RoundedRect(cr, fx, fy, fw, fh, 6);
    cairo_clip(cr);
    Rng grain(11);
    for (int i = 0; i < 90; ++i) {
        double y = grain.Range(fy, fy + fh);
        cairo_rectangle(cr, fx, y, fw, grain.Range(1, 2.5));
        SetColour(cr, {0.12, 0.06, 0.02, grain.Range(0.08, 0.25)});
        cairo_fill(cr);
    }
    cairo_restore(cr);
    BevelRect(cr, fx, fy, fw, fh, 6, 4, 0.35, 0.5);
    // Label holder and card.
    FillRoundedRect(cr, 480 - 70, fy + 14, 140, 36, 3, Hex(0x9a8a5a));
    FillRoundedRect(cr, 480 - 62, fy + 19, 124, 26, 2, Hex(0xe9e0c8));
    if (UseFont(cr, "Nimbus Mono PS:style=Bold", 15))
        DrawLine(cr, "KEYS - RX 2", 480, fy + 37, Align::Centre, Hex(0x2a2a7a));
    // Brass pull, 250 x 75 where the game's hit box is.
    const double hy = 870;
    SoftShadow(cr, 480 - 125 + 4, hy - 22 + 8, 250, 44, 20, 6, 0.5);
    RoundedRect(cr, 480 - 125, hy - 22, 250, 44, 20);
    cairo_pattern_t* brass = cairo_pattern_create_linear(0, hy - 22, 0, hy + 22);
    cairo_pattern_add_color_stop_rgb(brass, 0, 0.98, 0.86, 0.5);
    cairo_pattern_add_color_stop_rgb(brass, 0.45, 0.78, 0.6, 0.24);
    cairo_pattern_add_color_stop_rgb(brass, 1, 0.4, 0.28, 0.08);
    cairo_set_source(cr, brass);
    cairo_fill(cr);
    cairo_pattern_destroy(brass);
    RoundedRect(cr, 480 - 125, hy - 22, 250, 44, 20);
    SetColour(cr, {0.2, 0.12, 0, 0.8});
    cairo_set_line_width(cr, 2);
    cairo_stroke(cr);
    FillRoundedRect(cr, 480 - 95, hy - 6, 190, 12, 6, {0.2, 0.12, 0.02, 0.6}); // finger recess
    Screw(cr, 480 - 108, hy, 6, 0.5, Hex(0xc9a55a));
    Screw(cr, 480 + 108, hy, 6, 2.1, Hex(0xc9a55a));
    return canvas.Save(path);
}

} // namespace

bool MakeDesk(const std::string& dir)
{
    bool ok = DrawDeskBody(AssetFile(dir, Asset::DeskBody));
    ok = DrawDrawer(AssetFile(dir, Asset::DeskDrawer)) && ok;
    return ok;
}

} // namespace art
