#include "draw.h"

#include <algorithm>
#include <cmath>
#include <filesystem>
#include <stb_image_write.h>
#include <vector>

namespace art {

Colour Mix(Colour a, Colour b, double t)
{
    return {a.r + (b.r - a.r) * t, a.g + (b.g - a.g) * t, a.b + (b.b - a.b) * t, a.a + (b.a - a.a) * t};
}

Colour Shade(Colour c, double factor)
{
    if (factor >= 1.0) {
        double t = std::min(1.0, factor - 1.0);
        return {c.r + (1 - c.r) * t, c.g + (1 - c.g) * t, c.b + (1 - c.b) * t, c.a};
    }
    return {c.r * factor, c.g * factor, c.b * factor, c.a};
}

Colour WithAlpha(Colour c, double a)
{
    return {c.r, c.g, c.b, a};
}

Colour Hex(uint32_t rgb, double a)
{
    return {((rgb >> 16) & 0xFF) / 255.0, ((rgb >> 8) & 0xFF) / 255.0, (rgb & 0xFF) / 255.0, a};
}

uint64_t Rng::Next()
{
    uint64_t z = (state_ += 0x9E3779B97F4A7C15ull);
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
    return z ^ (z >> 31);
}

double Rng::Uniform()
{
    return (Next() >> 11) * (1.0 / 9007199254740992.0);
}

int Rng::Int(int lo, int hi)
{
    return lo + static_cast<int>(Next() % static_cast<uint64_t>(hi - lo + 1));
}

Canvas::Canvas(int width, int height)
    : width_(width), height_(height), surface_(cairo_image_surface_create(CAIRO_FORMAT_ARGB32, width, height)),
      cr_(cairo_create(surface_))
{
}

Canvas::~Canvas()
{
    cairo_destroy(cr_);
    cairo_surface_destroy(surface_);
}

bool Canvas::Save(const std::string& path) const
{
    std::error_code error;
    std::filesystem::create_directories(std::filesystem::path(path).parent_path(), error);
    cairo_surface_flush(surface_);
    return cairo_surface_write_to_png(surface_, path.c_str()) == CAIRO_STATUS_SUCCESS;
}

bool Canvas::SaveJpeg(const std::string& path, int quality) const
{
    std::error_code error;
    std::filesystem::create_directories(std::filesystem::path(path).parent_path(), error);
    cairo_surface_flush(surface_);
    const unsigned char* data = cairo_image_surface_get_data(surface_);
    const int stride = cairo_image_surface_get_stride(surface_);
    std::vector<unsigned char> rgb(static_cast<size_t>(width_) * height_ * 3);
    for (int y = 0; y < height_; ++y)
        for (int x = 0; x < width_; ++x) {
            uint32_t p = *reinterpret_cast<const uint32_t*>(data + y * stride + x * 4);
            unsigned char* o = &rgb[(static_cast<size_t>(y) * width_ + x) * 3];
            o[0] = (p >> 16) & 255;
            o[1] = (p >> 8) & 255;
            o[2] = p & 255;
        }
    return stbi_write_jpg(path.c_str(), width_, height_, 3, rgb.data(), quality) != 0;
}

void SetColour(cairo_t* cr, Colour c)
{
    cairo_set_source_rgba(cr, c.r, c.g, c.b, c.a);
}

void RoundedRect(cairo_t* cr, double x, double y, double w, double h, double r)
{
    r = std::max(0.0, std::min(r, std::min(w, h) / 2));
    cairo_new_sub_path(cr);
    cairo_arc(cr, x + w - r, y + r, r, -M_PI / 2, 0);
    cairo_arc(cr, x + w - r, y + h - r, r, 0, M_PI / 2);
    cairo_arc(cr, x + r, y + h - r, r, M_PI / 2, M_PI);
    cairo_arc(cr, x + r, y + r, r, M_PI, 3 * M_PI / 2);
    cairo_close_path(cr);
}

void FillRoundedRect(cairo_t* cr, double x, double y, double w, double h, double r, Colour c)
{
    RoundedRect(cr, x, y, w, h, r);
    SetColour(cr, c);
    cairo_fill(cr);
}

void Circle(cairo_t* cr, double cx, double cy, double r)
{
    cairo_new_sub_path(cr);
    cairo_arc(cr, cx, cy, r, 0, 2 * M_PI);
    cairo_close_path(cr);
}

void FillCircle(cairo_t* cr, double cx, double cy, double r, Colour c)
{
    Circle(cr, cx, cy, r);
    SetColour(cr, c);
    cairo_fill(cr);
}

void FillVertical(cairo_t* cr, double y0, double y1, Colour top, Colour bottom)
{
    cairo_pattern_t* p = cairo_pattern_create_linear(0, y0, 0, y1);
    cairo_pattern_add_color_stop_rgba(p, 0, top.r, top.g, top.b, top.a);
    cairo_pattern_add_color_stop_rgba(p, 1, bottom.r, bottom.g, bottom.b, bottom.a);
    cairo_set_source(cr, p);
    cairo_fill_preserve(cr);
    cairo_pattern_destroy(p);
    cairo_new_path(cr);
}

void FillDome(cairo_t* cr, double cx, double cy, double r, Colour base)
{
    Colour hi = Shade(base, 1.35), lo = Shade(base, 0.55);
    cairo_pattern_t* p = cairo_pattern_create_radial(cx - r * 0.35, cy - r * 0.4, r * 0.05, cx, cy, r * 1.05);
    cairo_pattern_add_color_stop_rgba(p, 0, hi.r, hi.g, hi.b, base.a);
    cairo_pattern_add_color_stop_rgba(p, 0.55, base.r, base.g, base.b, base.a);
    cairo_pattern_add_color_stop_rgba(p, 1, lo.r, lo.g, lo.b, base.a);
    cairo_set_source(cr, p);
    cairo_fill(cr);
    cairo_pattern_destroy(p);
}

void BrushStreaks(cairo_t* cr, double x, double y, double w, double h, Rng& rng, double strength, double density)
{
    cairo_save(cr);
    cairo_set_line_width(cr, 1.0);
    int lines = static_cast<int>(h * 2.5 * density);
    for (int i = 0; i < lines; ++i) {
        double ly = y + rng.Uniform() * h;
        double lx = x + rng.Range(-0.2, 1.0) * w;
        double len = rng.Range(0.15, 0.9) * w;
        bool light = rng.Uniform() < 0.5;
        double a = rng.Range(0.3, 1.0) * strength;
        cairo_set_source_rgba(cr, light ? 1 : 0, light ? 1 : 0, light ? 1 : 0, a);
        cairo_set_line_width(cr, rng.Range(0.5, 1.4));
        cairo_move_to(cr, lx, ly);
        cairo_line_to(cr, lx + len, ly);
        cairo_stroke(cr);
    }
    cairo_restore(cr);
}

void Grime(cairo_t* cr, double x, double y, double w, double h, Rng& rng, int count, double maxRadius, double alpha)
{
    cairo_save(cr);
    for (int i = 0; i < count; ++i) {
        double cx = x + rng.Uniform() * w, cy = y + rng.Uniform() * h;
        double r = rng.Range(0.2, 1.0) * maxRadius;
        bool light = rng.Uniform() < 0.25;
        double a = rng.Range(0.2, 1.0) * alpha;
        cairo_set_source_rgba(cr, light ? 1 : 0.05, light ? 1 : 0.04, light ? 1 : 0.02, a);
        Circle(cr, cx, cy, r);
        cairo_fill(cr);
    }
    cairo_restore(cr);
}

void Screw(cairo_t* cr, double cx, double cy, double r, double angle, Colour metal)
{
    cairo_save(cr);
    FillCircle(cr, cx + r * 0.12, cy + r * 0.15, r * 1.12, {0, 0, 0, 0.35});
    Circle(cr, cx, cy, r);
    FillDome(cr, cx, cy, r, metal);
    Circle(cr, cx, cy, r);
    cairo_set_source_rgba(cr, 0, 0, 0, 0.45);
    cairo_set_line_width(cr, std::max(0.5, r * 0.12));
    cairo_stroke(cr);
    cairo_translate(cr, cx, cy);
    cairo_rotate(cr, angle);
    cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
    cairo_set_line_width(cr, std::max(0.6, r * 0.28));
    cairo_set_source_rgba(cr, 0, 0, 0, 0.7);
    cairo_move_to(cr, -r * 0.62, 0);
    cairo_line_to(cr, r * 0.62, 0);
    cairo_stroke(cr);
    cairo_set_source_rgba(cr, 1, 1, 1, 0.25);
    cairo_set_line_width(cr, std::max(0.4, r * 0.1));
    cairo_move_to(cr, -r * 0.55, r * 0.2);
    cairo_line_to(cr, r * 0.55, r * 0.2);
    cairo_stroke(cr);
    cairo_restore(cr);
}

void BevelRect(cairo_t* cr, double x, double y, double w, double h, double r, double width, double light, double shadow)
{
    cairo_save(cr);
    double inset = width / 2;
    cairo_pattern_t* p = cairo_pattern_create_linear(x, y, x + w * 0.35, y + h);
    cairo_pattern_add_color_stop_rgba(p, 0, 1, 1, 1, light);
    cairo_pattern_add_color_stop_rgba(p, 0.5, 1, 1, 1, 0);
    cairo_pattern_add_color_stop_rgba(p, 0.5, 0, 0, 0, 0);
    cairo_pattern_add_color_stop_rgba(p, 1, 0, 0, 0, shadow);
    RoundedRect(cr, x + inset, y + inset, w - width, h - width, std::max(0.0, r - inset));
    cairo_set_source(cr, p);
    cairo_set_line_width(cr, width);
    cairo_stroke(cr);
    cairo_pattern_destroy(p);
    cairo_restore(cr);
}

void SoftShadow(cairo_t* cr, double x, double y, double w, double h, double r, double spread, double alpha)
{
    cairo_save(cr);
    int steps = std::max(2, static_cast<int>(spread));
    for (int i = steps; i >= 1; --i) {
        double grow = spread * i / steps;
        RoundedRect(cr, x - grow, y - grow, w + 2 * grow, h + 2 * grow, r + grow);
        cairo_set_source_rgba(cr, 0, 0, 0, alpha / steps);
        cairo_fill(cr);
    }
    cairo_restore(cr);
}

static void BoxBlurPass(std::vector<double>& channel, int w, int h, int radius, bool horizontal)
{
    std::vector<double> out(channel.size());
    int n = horizontal ? w : h, lines = horizontal ? h : w;
    for (int line = 0; line < lines; ++line) {
        auto at = [&](int i) -> double& { return horizontal ? channel[line * w + i] : channel[i * w + line]; };
        double sum = 0;
        for (int i = -radius; i <= radius; ++i)
            sum += at(std::clamp(i, 0, n - 1));
        for (int i = 0; i < n; ++i) {
            double& o = horizontal ? out[line * w + i] : out[i * w + line];
            o = sum / (2 * radius + 1);
            sum += at(std::clamp(i + radius + 1, 0, n - 1)) - at(std::clamp(i - radius, 0, n - 1));
        }
    }
    channel.swap(out);
}

void BlurSurface(cairo_surface_t* surface, double radius)
{
    cairo_surface_flush(surface);
    int w = cairo_image_surface_get_width(surface), h = cairo_image_surface_get_height(surface);
    int stride = cairo_image_surface_get_stride(surface);
    unsigned char* data = cairo_image_surface_get_data(surface);
    int r = std::max(1, static_cast<int>(std::lround(radius / 1.7)));
    for (int c = 0; c < 4; ++c) {
        std::vector<double> channel(static_cast<size_t>(w) * h);
        for (int y = 0; y < h; ++y)
            for (int x = 0; x < w; ++x)
                channel[y * w + x] = data[y * stride + x * 4 + c];
        for (int pass = 0; pass < 3; ++pass) {
            BoxBlurPass(channel, w, h, r, true);
            BoxBlurPass(channel, w, h, r, false);
        }
        for (int y = 0; y < h; ++y)
            for (int x = 0; x < w; ++x)
                data[y * stride + x * 4 + c] =
                    static_cast<unsigned char>(std::clamp(std::lround(channel[y * w + x]), 0l, 255l));
    }
    cairo_surface_mark_dirty(surface);
}

static double LatticeValue(int ix, int iy, uint32_t seed)
{
    uint32_t h = static_cast<uint32_t>(ix) * 374761393u + static_cast<uint32_t>(iy) * 668265263u + seed * 2246822519u;
    h = (h ^ (h >> 13)) * 1274126177u;
    h ^= h >> 16;
    return (h & 0xFFFFFF) / static_cast<double>(0xFFFFFF);
}

double PeriodicNoise(double x, double y, double cell, int periodCells, uint32_t seed)
{
    double fx = x / cell, fy = y / cell;
    int ix = static_cast<int>(std::floor(fx)), iy = static_cast<int>(std::floor(fy));
    double tx = fx - ix, ty = fy - iy;
    auto wrap = [&](int i) { return ((i % periodCells) + periodCells) % periodCells; };
    auto smooth = [](double t) { return t * t * (3 - 2 * t); };
    double a = LatticeValue(wrap(ix), iy, seed), b = LatticeValue(wrap(ix + 1), iy, seed);
    double c = LatticeValue(wrap(ix), iy + 1, seed), d = LatticeValue(wrap(ix + 1), iy + 1, seed);
    double sx = smooth(tx), sy = smooth(ty);
    return (a + (b - a) * sx) + ((c + (d - c) * sx) - (a + (b - a) * sx)) * sy;
}

} // namespace art
