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

// World units (y up) of the 1920 x 1080 design space onto a picture, the way a camera shows them.
struct View {
    cairo_t* cr;
    double camX, camY = 0, k = 2.0 / 3.0;
    double originX = 640, originY = 360; // where the camera's point lands on the picture
    double X(double x) const { return (x - camX) * k + originX; }
    double Y(double y) const { return originY - (y - camY) * k; }
    double S(double s) const { return s * k; }
    void Frame(const Sheet& s, int frame, double x, double y, double w, double h, Colour tint, double alpha = 1,
               double rotationRadians = 0) const
    {
        // The game turns counter-clockwise for a positive angle (y up); the screen turns clockwise.
        DrawFrame(cr, s, frame, X(x), Y(y), S(w), S(h), tint, alpha, -rotationRadians);
    }
    void Rect(double x, double y, double w, double h, Colour tint, double alpha = 1) const
    {
        DrawFrame(cr, Sheet{}, 0, X(x), Y(y), S(w), S(h), tint, alpha);
    }
    void Nine(const Sheet& s, double x, double y, double w, double h, double outset) const
    {
        // The border is in world units: scale the picture's cut by the view.
        cairo_save(cr);
        cairo_translate(cr, X(x), Y(y));
        cairo_scale(cr, k, k);
        DrawNineSlicePreview(cr, s, 0, 0, w, h, outset);
        cairo_restore(cr);
    }
    void Text(const Sheet& font, double factor, const std::string& t, double x, double y, double size, Colour tint,
              const Sheet* glow = nullptr, bool centred = false) const
    {
        DrawSheetText(cr, font, factor, t, X(x), Y(y), S(size), tint, glow, centred);
    }
};

bool WritePreviews(const std::string& assetsDir, const std::string& outDir);

} // namespace art
