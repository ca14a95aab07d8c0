// One picture of all the pictures: each scaled into a labelled cell on a mid-grey ground, so black-on-alpha
// sheets, white logos and coloured parts all show.
#define STB_IMAGE_IMPLEMENTATION
#include "draw.h"
#include "pictures.h"
#include "text.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <filesystem>
#include <stb_image.h>
#include <string>
#include <vector>

namespace art {

// A PNG or JPEG as a cairo surface (premultiplied ARGB), or null.
cairo_surface_t* LoadPictureSurface(const std::string& path)
{
    int w, h, n;
    unsigned char* pixels = stbi_load(path.c_str(), &w, &h, &n, 4);
    if (!pixels)
        return nullptr;
    cairo_surface_t* s = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, w, h);
    unsigned char* data = cairo_image_surface_get_data(s);
    int stride = cairo_image_surface_get_stride(s);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            const unsigned char* p = pixels + (y * w + x) * 4;
            uint32_t a = p[3];
            uint32_t r = p[0] * a / 255, g = p[1] * a / 255, b = p[2] * a / 255;
            *reinterpret_cast<uint32_t*>(data + y * stride + x * 4) = (a << 24) | (r << 16) | (g << 8) | b;
        }
    stbi_image_free(pixels);
    cairo_surface_mark_dirty(s);
    return s;
}

bool WriteContactSheet(const std::string& dir, const std::string& outPath, const std::string& filter)
{
    std::vector<std::string> files;
    std::error_code error;
    for (auto& entry : std::filesystem::recursive_directory_iterator(dir, error)) {
        if (!entry.is_regular_file())
            continue;
        std::string ext = entry.path().extension().string();
        if (ext != ".png" && ext != ".jpg")
            continue;
        std::string rel = std::filesystem::relative(entry.path(), dir).string();
        if (filter.empty() || rel.find(filter) != std::string::npos)
            files.push_back(rel);
    }
    std::sort(files.begin(), files.end());
    if (files.empty()) {
        std::fprintf(stderr, "assetgen: no pictures under %s\n", dir.c_str());
        return false;
    }
    const int cell = files.size() <= 4 ? 640 : files.size() <= 12 ? 420 : 300, label = 22;
    int columns = std::max(1, std::min<int>(files.size(), files.size() <= 4 ? 2 : 6));
    int rows = (files.size() + columns - 1) / columns;
    Canvas sheet(columns * cell, rows * (cell + label));
    cairo_t* cr = sheet.cr();
    SetColour(cr, Hex(0x7a7a7a));
    cairo_paint(cr);
    UseFont(cr, "DejaVu Sans:style=Bold", 12);
    for (size_t i = 0; i < files.size(); ++i) {
        double x0 = (i % columns) * cell, y0 = (i / columns) * (cell + label);
        cairo_surface_t* s = LoadPictureSurface(dir + "/" + files[i]);
        char caption[256];
        if (s) {
            int w = cairo_image_surface_get_width(s), h = cairo_image_surface_get_height(s);
            double k = std::min(1.0, std::min((cell - 12.0) / w, (cell - 12.0) / h));
            if (w < 64 && h < 64)
                k = std::min((cell - 12.0) / w, (cell - 12.0) / h) * 0.5; // tiny panels: magnify
            cairo_save(cr);
            cairo_translate(cr, x0 + (cell - w * k) / 2, y0 + label + (cell - h * k) / 2);
            cairo_scale(cr, k, k);
            cairo_set_source_surface(cr, s, 0, 0);
            cairo_pattern_set_filter(cairo_get_source(cr), k > 1 ? CAIRO_FILTER_NEAREST : CAIRO_FILTER_GOOD);
            cairo_paint(cr);
            cairo_restore(cr);
            std::snprintf(caption, sizeof caption, "%s  %dx%d", files[i].c_str(), w, h);
            cairo_surface_destroy(s);
        } else {
            std::snprintf(caption, sizeof caption, "%s  (unreadable)", files[i].c_str());
        }
        cairo_save(cr);
        cairo_rectangle(cr, x0, y0, cell, label);
        cairo_clip(cr);
        DrawLine(cr, caption, x0 + 4, y0 + 16, Align::Left, {1, 1, 1, 1});
        cairo_restore(cr);
    }
    return sheet.Save(outPath);
}

} // namespace art
