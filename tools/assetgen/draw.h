// Small drawing toolkit over cairo shared by every picture of the generator.
#pragma once

#include <cairo.h>
#include <cstdint>
#include <string>

namespace art {

struct Colour {
    double r, g, b, a = 1.0;
};

Colour Mix(Colour a, Colour b, double t);
Colour Shade(Colour c, double factor); // factor above 1 lightens, below 1 darkens
Colour WithAlpha(Colour c, double a);
Colour Hex(uint32_t rgb, double a = 1.0);

// Deterministic generator, so that every build draws the same pixels.
class Rng {
public:
    explicit Rng(uint64_t seed) : state_(seed * 0x9E3779B97F4A7C15ull + 0x632BE59BD9B4E019ull) {}
    uint64_t Next();
    double Uniform(); // 0..1
    double Range(double lo, double hi) { return lo + (hi - lo) * Uniform(); }
    int Int(int lo, int hi); // inclusive

private:
    uint64_t state_;
};

// A picture being drawn: an ARGB surface and its context.
class Canvas {
public:
    Canvas(int width, int height);
    ~Canvas();
    Canvas(const Canvas&) = delete;
    Canvas& operator=(const Canvas&) = delete;

    cairo_t* cr() const { return cr_; }
    cairo_surface_t* surface() const { return surface_; }
    int width() const { return width_; }
    int height() const { return height_; }

    // Writes the picture as PNG, making the folders on the way; false on failure.
    bool Save(const std::string& path) const;
    // The same as an opaque JPEG (the alpha dropped).
    bool SaveJpeg(const std::string& path, int quality = 92) const;

private:
    int width_, height_;
    cairo_surface_t* surface_;
    cairo_t* cr_;
};

void SetColour(cairo_t* cr, Colour c);
void RoundedRect(cairo_t* cr, double x, double y, double w, double h, double r);
void FillRoundedRect(cairo_t* cr, double x, double y, double w, double h, double r, Colour c);
void Circle(cairo_t* cr, double cx, double cy, double r);
void FillCircle(cairo_t* cr, double cx, double cy, double r, Colour c);

// A vertical gradient fill of the current path (top colour to bottom colour), keeping the path.
void FillVertical(cairo_t* cr, double y0, double y1, Colour top, Colour bottom);
// A radial fill of the current path, lit from the top-left like everything on the desk.
void FillDome(cairo_t* cr, double cx, double cy, double r, Colour base);

// Fine horizontal streaks over the current clip: the look of brushed steel.
void BrushStreaks(cairo_t* cr, double x, double y, double w, double h, Rng& rng, double strength, double density = 1.0);
// Speckles of dirt and wear over the current clip.
void Grime(cairo_t* cr, double x, double y, double w, double h, Rng& rng, int count, double maxRadius, double alpha);

// A screw head with a slot at the given angle.
void Screw(cairo_t* cr, double cx, double cy, double r, double angle, Colour metal);

// Light on the top-left edge of a rounded rectangle and shadow on the bottom-right: a raised rim.
void BevelRect(cairo_t* cr, double x, double y, double w, double h, double r, double width, double light,
               double shadow);

// Soft drop shadow of a rounded rectangle (painted under whatever comes next).
void SoftShadow(cairo_t* cr, double x, double y, double w, double h, double r, double spread, double alpha);

// Blurs the alpha and colour of a surface in place (box blur, three passes): glows and shadows.
void BlurSurface(cairo_surface_t* surface, double radius);

// Tileable value noise in 0..1 with a lattice period (px) in x; y does not wrap.
double PeriodicNoise(double x, double y, double cell, int periodCells, uint32_t seed);

} // namespace art
