// The Wavulon 3000's three waves, as its screen shows them: green phosphor traces with a soft bloom on a black
// tube with a faint graticule. The game draws them 300 x 250 units through the terminal shader, which keeps
// the picture's own colours, so the green is in the picture. Three shapes a hurried eye tells apart: two
// slow round humps, three hard-edged steps, four sharp teeth.
#include "draw.h"
#include "modules/module_tables.h"
#include "pictures.h"

#include <cmath>
#include <functional>
#include <string>

namespace art {

namespace {

constexpr int PictureWidth = 600, PictureHeight = 500;
constexpr double PlotMargin = 48;
constexpr double Amplitude = 150;
const Colour TraceColour{0.35, 1.0, 0.45, 1}, BloomColour{0.1, 0.9, 0.25, 1}, GridColour{0.0, 0.28, 0.08, 1};

// One wave as y (-1..1) over phase t (0..1 across the screen).
using WaveShape = std::function<double(double)>;

// The wave as a path over the screen's width, sampled finely enough that its corners stay sharp.
void TracePath(cairo_t* cr, const WaveShape& shape)
{
    const double x0 = PlotMargin, x1 = PictureWidth - PlotMargin, mid = PictureHeight / 2.0;
    const int samples = 1200;
    for (int i = 0; i <= samples; ++i) {
        double t = static_cast<double>(i) / samples;
        double x = x0 + (x1 - x0) * t;
        double y = mid - Amplitude * shape(t);
        if (i == 0)
            cairo_move_to(cr, x, y);
        else
            cairo_line_to(cr, x, y);
    }
}

void Graticule(cairo_t* cr)
{
    SetColour(cr, GridColour);
    cairo_set_line_width(cr, 2);
    for (int i = 1; i < 10; ++i) {
        double x = PictureWidth * i / 10.0;
        cairo_move_to(cr, x, 0);
        cairo_line_to(cr, x, PictureHeight);
    }
    for (int i = 1; i < 8; ++i) {
        double y = PictureHeight * i / 8.0;
        cairo_move_to(cr, 0, y);
        cairo_line_to(cr, PictureWidth, y);
    }
    cairo_stroke(cr);
    // The centre axes a little brighter, with ticks, as on a scope.
    SetColour(cr, Shade(GridColour, 1.6));
    cairo_set_line_width(cr, 2.5);
    cairo_move_to(cr, 0, PictureHeight / 2.0);
    cairo_line_to(cr, PictureWidth, PictureHeight / 2.0);
    cairo_move_to(cr, PictureWidth / 2.0, 0);
    cairo_line_to(cr, PictureWidth / 2.0, PictureHeight);
    cairo_stroke(cr);
}

bool DrawWave(const std::string& path, const WaveShape& shape)
{
    Canvas canvas(PictureWidth, PictureHeight);
    cairo_t* cr = canvas.cr();
    SetColour(cr, {0, 0, 0, 1});
    cairo_paint(cr);
    Graticule(cr);

    // Bloom: a wide, blurred stroke under the trace.
    Canvas bloom(PictureWidth, PictureHeight);
    cairo_t* b = bloom.cr();
    cairo_set_line_join(b, CAIRO_LINE_JOIN_ROUND);
    TracePath(b, shape);
    SetColour(b, WithAlpha(BloomColour, 0.55));
    cairo_set_line_width(b, 30);
    cairo_stroke(b);
    BlurSurface(bloom.surface(), 10);
    cairo_set_source_surface(cr, bloom.surface(), 0, 0);
    cairo_paint(cr);

    cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
    cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
    TracePath(cr, shape);
    SetColour(cr, TraceColour);
    cairo_set_line_width(cr, 11);
    cairo_stroke_preserve(cr);
    SetColour(cr, Mix(TraceColour, {1, 1, 1, 1}, 0.6));
    cairo_set_line_width(cr, 4);
    cairo_stroke(cr);
    return canvas.Save(path);
}

double Sine(double t)
{
    return std::sin(t * 2 * M_PI * 2);
}

double Square(double t)
{
    return std::fmod(t * 3, 1.0) < 0.5 ? 0.85 : -0.85;
}

double Saw(double t)
{
    return 0.9 * (2 * std::fmod(t * 4, 1.0) - 1);
}

} // namespace

bool MakeWavePictures(const std::string& dir)
{
    const WaveShape shapes[wavulon_table::PatternCount] = {Sine, Square, Saw};
    bool ok = true;
    for (int i = 0; i < wavulon_table::PatternCount; ++i) {
        ok = DrawWave(AssetFile(dir, wavulon_table::WavePictures[static_cast<size_t>(i)]), shapes[i]) && ok;
    }
    return ok;
}

} // namespace art
