#include "preview.h"

#include "pictures.h"

#include <algorithm>
#include <cmath>

namespace art {

cairo_surface_t* LoadPictureSurface(const std::string& path);

Sheet LoadSheet(const std::string& path, int columns, int rows)
{
    Sheet s;
    s.surface = LoadPictureSurface(path);
    s.columns = columns;
    s.rows = rows;
    return s;
}

void FreeSheet(Sheet& sheet)
{
    if (sheet.surface)
        cairo_surface_destroy(sheet.surface);
    sheet.surface = nullptr;
}

void DrawFrame(cairo_t* cr, const Sheet& sheet, int frame, double x, double y, double w, double h, Colour tint,
               double alpha, double rotation)
{
    if (!sheet.surface) {
        cairo_save(cr);
        cairo_translate(cr, x, y);
        cairo_rotate(cr, rotation);
        cairo_rectangle(cr, -std::fabs(w) / 2, -std::fabs(h) / 2, std::fabs(w), std::fabs(h));
        cairo_set_source_rgba(cr, tint.r, tint.g, tint.b, alpha);
        cairo_fill(cr);
        cairo_restore(cr);
        return;
    }
    int sw = cairo_image_surface_get_width(sheet.surface) / sheet.columns;
    int sh = cairo_image_surface_get_height(sheet.surface) / sheet.rows;
    int fx = (frame % sheet.columns) * sw, fy = (frame / sheet.columns) * sh;
    // Tinted copy of the frame.
    cairo_surface_t* piece = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, sw, sh);
    unsigned char* dst = cairo_image_surface_get_data(piece);
    const unsigned char* src = cairo_image_surface_get_data(sheet.surface);
    int ds = cairo_image_surface_get_stride(piece), ss = cairo_image_surface_get_stride(sheet.surface);
    alpha = std::clamp(alpha, 0.0, 1.0);
    for (int j = 0; j < sh; ++j)
        for (int i = 0; i < sw; ++i) {
            uint32_t p = *reinterpret_cast<const uint32_t*>(src + (fy + j) * ss + (fx + i) * 4);
            double a = (p >> 24) / 255.0;
            double r = 0, g = 0, b = 0;
            if (a > 0) {
                r = ((p >> 16) & 255) / 255.0 / a;
                g = ((p >> 8) & 255) / 255.0 / a;
                b = (p & 255) / 255.0 / a;
            }
            r = std::min(1.0, r + tint.r);
            g = std::min(1.0, g + tint.g);
            b = std::min(1.0, b + tint.b);
            a *= alpha;
            uint32_t A = std::lround(a * 255), R = std::lround(r * a * 255), G = std::lround(g * a * 255),
                     B = std::lround(b * a * 255);
            *reinterpret_cast<uint32_t*>(dst + j * ds + i * 4) = (A << 24) | (R << 16) | (G << 8) | B;
        }
    cairo_surface_mark_dirty(piece);
    cairo_save(cr);
    cairo_translate(cr, x, y);
    cairo_rotate(cr, rotation);
    cairo_scale(cr, w / sw, h / sh);
    cairo_translate(cr, -sw / 2.0, -sh / 2.0);
    cairo_set_source_surface(cr, piece, 0, 0);
    cairo_pattern_set_extend(cairo_get_source(cr), CAIRO_EXTEND_PAD);
    // GOOD box-filters a shrinking picture; bilinear skips source pixels and loses the thin strokes of small text.
    cairo_pattern_set_filter(cairo_get_source(cr), CAIRO_FILTER_GOOD);
    cairo_rectangle(cr, 0, 0, sw, sh);
    cairo_fill(cr);
    cairo_restore(cr);
    cairo_surface_destroy(piece);
}

void DrawNineSlicePreview(cairo_t* cr, const Sheet& sheet, double x, double y, double w, double h, double outset)
{
    if (!sheet.surface)
        return;
    double c = cairo_image_surface_get_height(sheet.surface) / 8.0 * 3.75;
    double o = outset * 3.75;
    // Screen y grows downward here; the game's y grows upward, so top and bottom swap signs.
    double xl = x - w / 2 + c - o, xr = x + w / 2 - c + o, yt = y - h / 2 + c - o, yb = y + h / 2 - c + o;
    double xm = (xl + xr) / 2, ym = (yt + yb) / 2;
    double W = w - 4 * c + 2 * o + 1.875, H = h - 4 * c + 2 * o + 1.875;
    Colour none{0, 0, 0, 0};
    DrawFrame(cr, sheet, 1, xm, yt, W, 2 * c, none);
    DrawFrame(cr, sheet, 13, xm, yb, W, 2 * c, none);
    DrawFrame(cr, sheet, 11, xr, ym, 2 * c, H, none);
    DrawFrame(cr, sheet, 7, xl, ym, 2 * c, H, none);
    DrawFrame(cr, sheet, 0, xl, yt, 2 * c, 2 * c, none);
    DrawFrame(cr, sheet, 12, xl, yb, 2 * c, 2 * c, none);
    DrawFrame(cr, sheet, 2, xr, yt, 2 * c, 2 * c, none);
    DrawFrame(cr, sheet, 14, xr, yb, 2 * c, 2 * c, none);
    DrawFrame(cr, sheet, 5, x, y, W, H, none);
}

void DrawSheetText(cairo_t* cr, const Sheet& font, double factor, const std::string& text, double x, double y,
                   double size, Colour tint, const Sheet* glow, bool centred)
{
    double advance = size - size / factor;
    size_t firstLine = text.find('\n');
    size_t L = firstLine == std::string::npos ? text.size() : firstLine;
    double startX = centred ? x - advance * (L - 1) / 2.0 : x;
    double px = startX, py = y;
    for (unsigned char c : text) {
        if (c == '\n') {
            py += size;
            px = startX;
            continue;
        }
        if (glow && c != ' ' && c != '.' && c != ':')
            DrawFrame(cr, *glow, 0, px, py, size * 1.5, size * 1.5, tint, 0.6);
        if (c >= 32 && c < 128)
            DrawFrame(cr, font, c - 32, px, py, size, size, tint);
        px += advance;
    }
}

} // namespace art
