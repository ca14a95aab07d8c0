// The sticky-note pad: a note (240 x 300 units; the top 60 are the gummed strip the player tears it off by,
// the lower 240 the canvas the player draws on) and the block of sheets under the pad's top note.
#include "draw.h"
#include "pictures.h"

#include <cmath>
#include <string>

namespace art {

namespace {

const Colour NotePaper = Hex(0xf3d85a);

bool DrawNoteBody(const std::string& path)
{
    const int w = 240, h = 300;
    Canvas canvas(w, h);
    cairo_t* cr = canvas.cr();
    cairo_rectangle(cr, 0, 0, w, h);
    FillVertical(cr, 0, h, Shade(NotePaper, 1.05), Shade(NotePaper, 0.93));
    // Gummed strip: a touch darker, with the tear line under it.
    cairo_rectangle(cr, 0, 0, w, 60);
    SetColour(cr, {0.55, 0.4, 0.0, 0.12});
    cairo_fill(cr);
    SetColour(cr, {0.45, 0.32, 0.0, 0.5});
    cairo_set_line_width(cr, 1.5);
    for (double x = 6; x < w; x += 10) {
        cairo_move_to(cr, x, 60);
        cairo_line_to(cr, x + 5, 60);
    }
    cairo_stroke(cr);
    // Grip marks telling where to pull.
    for (int i = 0; i < 3; ++i) {
        cairo_move_to(cr, w / 2.0 - 24, 22 + i * 8);
        cairo_line_to(cr, w / 2.0 + 24, 22 + i * 8);
    }
    SetColour(cr, {0.45, 0.32, 0.0, 0.35});
    cairo_set_line_width(cr, 2);
    cairo_stroke(cr);
    // Curl shadow at the lower edge and a thin rim.
    cairo_pattern_t* curl = cairo_pattern_create_linear(0, h - 30, 0, h);
    cairo_pattern_add_color_stop_rgba(curl, 0, 0, 0, 0, 0);
    cairo_pattern_add_color_stop_rgba(curl, 1, 0.3, 0.2, 0, 0.18);
    cairo_rectangle(cr, 0, h - 30, w, 30);
    cairo_set_source(cr, curl);
    cairo_fill(cr);
    cairo_pattern_destroy(curl);
    cairo_rectangle(cr, 0.5, 0.5, w - 1, h - 1);
    SetColour(cr, {0.5, 0.38, 0.0, 0.45});
    cairo_set_line_width(cr, 1);
    cairo_stroke(cr);
    return canvas.Save(path);
}

bool DrawNoteBase(const std::string& path)
{
    const int w = 240, h = 60;
    Canvas canvas(w, h);
    cairo_t* cr = canvas.cr();
    // Edges of the sheets below, then the cardboard back and its shadow.
    for (int i = 0; i < 11; ++i) {
        cairo_rectangle(cr, 0, i * 4, w, 4);
        SetColour(cr, Shade(NotePaper, i % 2 ? 0.86 : 0.95));
        cairo_fill(cr);
    }
    cairo_rectangle(cr, 0, 44, w, 8);
    SetColour(cr, Hex(0x8a7a5a));
    cairo_fill(cr);
    cairo_pattern_t* shadow = cairo_pattern_create_linear(0, 52, 0, h);
    cairo_pattern_add_color_stop_rgba(shadow, 0, 0, 0, 0, 0.5);
    cairo_pattern_add_color_stop_rgba(shadow, 1, 0, 0, 0, 0);
    cairo_rectangle(cr, 0, 52, w, 8);
    cairo_set_source(cr, shadow);
    cairo_fill(cr);
    cairo_pattern_destroy(shadow);
    cairo_rectangle(cr, 0, 0, w, 3);
    SetColour(cr, {0, 0, 0, 0.2});
    cairo_fill(cr);
    return canvas.Save(path);
}

} // namespace

bool MakeStickyNotes(const std::string& dir)
{
    bool ok = DrawNoteBody(AssetFile(dir, Asset::StickyNoteBody));
    ok = DrawNoteBase(AssetFile(dir, Asset::StickyNoteBase)) && ok;
    return ok;
}

} // namespace art
