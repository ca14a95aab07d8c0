#include "symbols.h"

#include "draw.h"

#include <cmath>

namespace art {

namespace {

// Unit space: the symbol fits -1..1; the caller scales.
void Polygon(cairo_t* cr, int sides, double r, double rotation)
{
    for (int i = 0; i < sides; ++i) {
        double a = rotation + 2 * M_PI * i / sides;
        if (i == 0)
            cairo_move_to(cr, r * std::sin(a), -r * std::cos(a));
        else
            cairo_line_to(cr, r * std::sin(a), -r * std::cos(a));
    }
    cairo_close_path(cr);
}

void Dot(cairo_t* cr, double x, double y, double r)
{
    cairo_new_sub_path(cr);
    cairo_arc(cr, x, y, r, 0, 2 * M_PI);
    cairo_fill(cr);
}

void Seg(cairo_t* cr, double x0, double y0, double x1, double y1)
{
    cairo_move_to(cr, x0, y0);
    cairo_line_to(cr, x1, y1);
}

// The nine code-book symbols, each unlike the others at a glance.
void CodeSymbol(cairo_t* cr, int which)
{
    switch (which) {
    case 0: // a: ringed sun
        Circle(cr, 0, 0, 0.8);
        cairo_stroke(cr);
        Dot(cr, 0, 0, 0.24);
        break;
    case 1: // b: triangle with a bar under it
        Seg(cr, 0, -0.85, 0.8, 0.45);
        cairo_line_to(cr, -0.8, 0.45);
        cairo_close_path(cr);
        Seg(cr, -0.8, 0.85, 0.8, 0.85);
        cairo_stroke(cr);
        break;
    case 2: // c: trident
        Seg(cr, 0, -0.55, 0, 0.9);
        Seg(cr, -0.4, 0.55, 0.4, 0.55);
        cairo_move_to(cr, -0.75, -0.85);
        cairo_curve_to(cr, -0.75, 0.0, 0.75, 0.0, 0.75, -0.85);
        Seg(cr, 0, -0.9, 0, -0.5);
        cairo_stroke(cr);
        break;
    case 3: // d: hourglass
        cairo_move_to(cr, -0.7, -0.85);
        cairo_line_to(cr, 0.7, -0.85);
        cairo_line_to(cr, -0.7, 0.85);
        cairo_line_to(cr, 0.7, 0.85);
        cairo_close_path(cr);
        cairo_stroke(cr);
        break;
    case 4: // e: spiral
        for (int i = 0; i <= 80; ++i) {
            double t = i / 80.0, a = t * 2.6 * 2 * M_PI, r = 0.08 + 0.78 * t;
            if (i == 0)
                cairo_move_to(cr, r * std::cos(a), r * std::sin(a));
            else
                cairo_line_to(cr, r * std::cos(a), r * std::sin(a));
        }
        cairo_stroke(cr);
        break;
    case 5: // f: diamond with a cross through it
        Polygon(cr, 4, 0.88, 0);
        Seg(cr, -0.45, 0, 0.45, 0);
        Seg(cr, 0, -0.45, 0, 0.45);
        cairo_stroke(cr);
        break;
    case 6: // g: crescent moon
        cairo_new_sub_path(cr);
        cairo_arc(cr, 0, 0, 0.82, 0.55 * M_PI, 1.45 * M_PI);
        cairo_arc_negative(cr, 0.28, 0, 0.62, 1.36 * M_PI, 0.64 * M_PI);
        cairo_close_path(cr);
        cairo_fill_preserve(cr);
        cairo_stroke(cr);
        Dot(cr, 0.55, 0, 0.16);
        break;
    case 7: // h: lightning zigzag
        cairo_move_to(cr, 0.25, -0.9);
        cairo_line_to(cr, -0.45, 0.08);
        cairo_line_to(cr, 0.3, 0.08);
        cairo_line_to(cr, -0.25, 0.9);
        cairo_stroke(cr);
        break;
    case 8: // i: eye
        cairo_move_to(cr, -0.9, 0);
        cairo_curve_to(cr, -0.45, -0.75, 0.45, -0.75, 0.9, 0);
        cairo_curve_to(cr, 0.45, 0.75, -0.45, 0.75, -0.9, 0);
        cairo_close_path(cr);
        cairo_stroke(cr);
        Dot(cr, 0, 0, 0.26);
        break;
    }
}

// Every other character gets a symbol made of a frame and a mark, so no two neighbours repeat.
void FillerSymbol(cairo_t* cr, int c)
{
    int frame = c % 5, mark = (c / 5) % 7;
    switch (frame) {
    case 0:
        Circle(cr, 0, 0, 0.82);
        break;
    case 1:
        cairo_rectangle(cr, -0.72, -0.72, 1.44, 1.44);
        break;
    case 2:
        Polygon(cr, 6, 0.86, 0);
        break;
    case 3:
        Polygon(cr, 3, 0.9, M_PI);
        break;
    default:
        break;
    }
    cairo_stroke(cr);
    switch (mark) {
    case 0:
        Dot(cr, 0, 0, 0.18);
        break;
    case 1:
        Seg(cr, -0.45, 0, 0.45, 0);
        break;
    case 2:
        Seg(cr, -0.35, -0.35, 0.35, 0.35);
        Seg(cr, -0.35, 0.35, 0.35, -0.35);
        break;
    case 3:
        Seg(cr, 0, -0.5, 0, 0.5);
        break;
    case 4:
        Circle(cr, 0, 0, 0.32);
        break;
    case 5:
        Dot(cr, -0.28, 0, 0.12);
        Dot(cr, 0.28, 0, 0.12);
        break;
    default:
        Seg(cr, -0.4, 0.3, 0, -0.3);
        cairo_line_to(cr, 0.4, 0.3);
        break;
    }
    cairo_stroke(cr);
}

} // namespace

void DrawSymbol(cairo_t* cr, int c, double cx, double cy, double size)
{
    if (c <= 32 || c > 127)
        return;
    cairo_save(cr);
    cairo_translate(cr, cx, cy);
    cairo_scale(cr, size / 2, size / 2);
    cairo_set_line_width(cr, 0.17);
    cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
    cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
    if (c >= 'a' && c <= 'i')
        CodeSymbol(cr, c - 'a');
    else
        FillerSymbol(cr, c);
    cairo_new_path(cr);
    cairo_restore(cr);
}

} // namespace art
