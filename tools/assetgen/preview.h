// Mock-ups that draw the pictures the way the game does (added tint, frames of sheets, nine-slice cuts),
// to judge them in place before the game itself can show them.
#pragma once

#include "draw.h"

#include <cairo.h>
#include <string>

namespace art {

// A loaded picture cut into a grid of frames.
struct Sheet {
    cairo_surface_t* surface = nullptr;
    int columns = 1, rows = 1;
};

Sheet LoadSheet(const std::string& path, int columns = 1, int rows = 1);
void FreeSheet(Sheet& sheet);

// Draws a frame centred at (x, y) (y down) at w x h (negative flips), rotated by `rotation` radians
// clockwise on screen; the tint's rgb is added to the picture's colour and its alpha times `alpha` is used.
void DrawFrame(cairo_t* cr, const Sheet& sheet, int frame, double x, double y, double w, double h, Colour tint,
               double alpha = 1.0, double rotation = 0.0);

// The game's nine-slice cut: border half-size from the picture's height, pieces at their frames.
void DrawNineSlicePreview(cairo_t* cr, const Sheet& sheet, double x, double y, double w, double h, double outset);

// Text through a font sheet with the game's advance rule.
void DrawSheetText(cairo_t* cr, const Sheet& font, double factor, const std::string& text, double x, double y,
                   double size, Colour tint, const Sheet* glow = nullptr, bool centred = false);

bool WritePreviews(const std::string& assetsDir, const std::string& outDir);

} // namespace art
