// The five bitmap fonts (16 x 6 cells, characters 32..127) and the glow behind terminal text.
// Glyphs are black on transparent: the game adds its tint to them, so black takes the tint's colour.
#include "draw.h"
#include "pictures.h"
#include "symbols.h"
#include "text.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <string>

namespace art {

namespace {

constexpr int SheetCell = 64;
constexpr int SheetColumns = 16, SheetRows = 6;
constexpr double CellMargin = 2.0; // transparent rim in every cell, so linear filtering never picks up a neighbour

enum class Special { None, TerminalCursor, SegmentGhost };

struct FontSheetStyle {
    const char* file;
    const char* pattern;
    double advanceFactor; // the game's text layout: advance = w - w / factor
    bool monospaced;
    Special special;
};

struct Box {
    double x0, y0, x1, y1; // ink relative to the pen at the baseline, y down
};

Box InkOf(cairo_t* cr, const std::string& s)
{
    cairo_text_extents_t e;
    cairo_text_extents(cr, s.c_str(), &e);
    return {e.x_bearing, e.y_bearing, e.x_bearing + e.width, e.y_bearing + e.height};
}

// The cell centre of character c.
void CellCentre(int c, double& cx, double& cy)
{
    int frame = c - 32;
    cx = (frame % SheetColumns) * SheetCell + SheetCell / 2.0;
    cy = (frame / SheetColumns) * SheetCell + SheetCell / 2.0;
}

bool DrawFontSheet(const std::string& dir, const FontSheetStyle& font)
{
    Canvas canvas(SheetColumns * SheetCell, SheetRows * SheetCell);
    cairo_t* cr = canvas.cr();
    double advance = SheetCell * (1.0 - 1.0 / font.advanceFactor);

    if (!UseFont(cr, font.pattern, 100))
        return false;
    // Size: a monospaced face keeps its own letter spacing at the game's advance; a proportional one gets
    // capitals about as wide as the advance. Either way the capitals and descenders must fit the cell.
    Box capitals = InkOf(cr, "H");
    Box descender = InkOf(cr, "gjpqy");
    double size;
    if (font.monospaced) {
        cairo_text_extents_t zero;
        cairo_text_extents(cr, "0", &zero);
        size = 100 * advance / zero.x_advance;
    } else {
        Box wide = InkOf(cr, "N");
        size = 100 * advance * 1.02 / (wide.x1 - wide.x0);
    }
    double band = (descender.y1 - capitals.y0) / 100.0; // cap top to descender bottom, per unit of size
    size = std::min(size, (SheetCell * 0.84) / band);
    UseFont(cr, font.pattern, size);
    capitals = InkOf(cr, "H");
    descender = InkOf(cr, "gjpqy");
    double capHeight = -capitals.y0, descent = descender.y1;

    for (int c = 33; c < 127; ++c) {
        double cx, cy;
        CellCentre(c, cx, cy);
        std::string s(1, static_cast<char>(c));
        cairo_save(cr);
        if (font.special == Special::TerminalCursor && (c == '}' || c == '~')) {
            // The terminal blinks its cursor by drawing "}" (shown) and "~" (hidden): a block and nothing.
            if (c == '}') {
                double h = capHeight + descent * 0.5;
                cairo_rectangle(cr, cx - advance * 0.42, cy - h / 2, advance * 0.84, h);
                SetColour(cr, {0, 0, 0, 1});
                cairo_fill(cr);
            }
            cairo_restore(cr);
            continue;
        }
        if (!HasGlyph(cr, static_cast<unsigned long>(c))) {
            cairo_restore(cr); // the face has no such letter: an empty cell reads better than its box
            continue;
        }
        Box ink = InkOf(cr, s);
        double baseline = cy + (capHeight - descent) / 2;
        double penX;
        if (font.monospaced) {
            cairo_text_extents_t e;
            cairo_text_extents(cr, s.c_str(), &e);
            penX = cx - e.x_advance / 2;
        } else {
            penX = cx - (ink.x0 + ink.x1) / 2;
        }
        // A glyph that would leave its cell is shrunk about the cell centre.
        double left = penX + ink.x0, right = penX + ink.x1, top = baseline + ink.y0, bottom = baseline + ink.y1;
        double half = SheetCell / 2.0 - CellMargin;
        double reach = std::max({cx - left, right - cx, cy - top, bottom - cy});
        if (reach > half) {
            double k = half / reach;
            cairo_translate(cr, cx, cy);
            cairo_scale(cr, k, k);
            cairo_translate(cr, -cx, -cy);
        }
        if (font.special == Special::SegmentGhost && c >= '0' && c <= '9') {
            // Unlit segments, as on a real display: faint, and they take the tint like the lit ones.
            cairo_text_extents_t e, eight;
            cairo_text_extents(cr, s.c_str(), &e);
            cairo_text_extents(cr, "8", &eight);
            cairo_move_to(cr, cx - eight.x_advance / 2, baseline);
            SetColour(cr, {0, 0, 0, 0.13});
            cairo_show_text(cr, "8");
        }
        cairo_move_to(cr, penX, baseline);
        SetColour(cr, {0, 0, 0, 1});
        cairo_show_text(cr, s.c_str());
        cairo_restore(cr);
    }
    // Character 127 has no glyph in any face: a checkered block, so a stray byte is visible.
    double cx, cy;
    CellCentre(127, cx, cy);
    for (int i = 0; i < 4; ++i)
        for (int j = 0; j < 4; ++j)
            if ((i + j) % 2 == 0) {
                cairo_rectangle(cr, cx - 12 + i * 6, cy - 12 + j * 6, 6, 6);
            }
    SetColour(cr, {0, 0, 0, 0.6});
    cairo_fill(cr);
    return canvas.Save(dir + "/" + font.file);
}

bool DrawSymbolSheet(const std::string& dir)
{
    Canvas canvas(SheetColumns * SheetCell, SheetRows * SheetCell);
    cairo_t* cr = canvas.cr();
    SetColour(cr, {0, 0, 0, 1});
    for (int c = 33; c < 128; ++c) {
        double cx, cy;
        CellCentre(c, cx, cy);
        DrawSymbol(cr, c, cx, cy, SheetCell * 0.74);
    }
    return canvas.Save(AssetFile(dir, Asset::FontSymbolsSheet));
}

// Soft round glow; drawn at 1.5 times a glyph behind every glowing glyph, so neighbours overlap into a band.
bool DrawGlow(const std::string& dir)
{
    const int size = 64;
    Canvas canvas(size, size);
    cairo_surface_t* s = canvas.surface();
    cairo_surface_flush(s);
    unsigned char* data = cairo_image_surface_get_data(s);
    int stride = cairo_image_surface_get_stride(s);
    for (int y = 0; y < size; ++y)
        for (int x = 0; x < size; ++x) {
            double dx = (x + 0.5 - size / 2.0) / (size / 2.0), dy = (y + 0.5 - size / 2.0) / (size / 2.0);
            double d2 = dx * dx + dy * dy;
            double a = d2 >= 1 ? 0 : std::exp(-d2 * 3.2) * (1 - d2) * 0.42;
            uint32_t alpha = static_cast<uint32_t>(std::lround(a * 255));
            *reinterpret_cast<uint32_t*>(data + y * stride + x * 4) = alpha << 24; // black, premultiplied
        }
    cairo_surface_mark_dirty(s);
    return canvas.Save(AssetFile(dir, Asset::TerminalGlow));
}

} // namespace

bool MakeFontSheets(const std::string& dir)
{
    const FontSheetStyle fonts[] = {
        {AssetInfo(Asset::FontIBM3270Sheet).path, "IBM 3270:style=Regular", 2.4, true, Special::TerminalCursor},
        {AssetInfo(Asset::FontOxygenMonoSheet).path, "Oxygen Mono:style=Regular", 2.0, true, Special::None},
        {AssetInfo(Asset::FontLumenfallSheet).path, "URW Gothic:style=Demi", 3.4, false, Special::None},
        {AssetInfo(Asset::FontTickingTimebombSheet).path, "DSEG7 Classic:style=Bold", 2.0, true, Special::SegmentGhost},
    };
    bool ok = true;
    for (const FontSheetStyle& f : fonts)
        ok = DrawFontSheet(dir, f) && ok;
    ok = DrawSymbolSheet(dir) && ok;
    ok = DrawGlow(dir) && ok;
    return ok;
}

} // namespace art
