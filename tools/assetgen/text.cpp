#include "text.h"

#include <cairo-ft.h>
#include <fontconfig/fontconfig.h>
#include <ft2build.h>
#include FT_FREETYPE_H

#include <cstdio>
#include <map>
#include <sstream>

namespace art {

namespace {

struct LoadedFont {
    FT_Face face = nullptr;
    cairo_font_face_t* cairoFace = nullptr;
};

FT_Library g_library = nullptr;
std::map<std::string, LoadedFont> g_fonts;
std::map<std::string, std::string> g_files;

// Only outline formats that FreeType and cairo draw well; fontconfig also lists Type 1 copies of the URW faces.
bool IsOutlineFile(const std::string& file)
{
    auto ends = [&](const char* ext) {
        std::string e(ext);
        return file.size() > e.size() && file.compare(file.size() - e.size(), e.size(), e) == 0;
    };
    return ends(".ttf") || ends(".otf") || ends(".TTF") || ends(".OTF");
}

} // namespace

std::string FontFile(const std::string& pattern)
{
    auto cached = g_files.find(pattern);
    if (cached != g_files.end())
        return cached->second;

    std::string found;
    FcPattern* pat = FcNameParse(reinterpret_cast<const FcChar8*>(pattern.c_str()));
    FcChar8* wantedFamily = nullptr;
    FcPatternGetString(pat, FC_FAMILY, 0, &wantedFamily);
    std::string family = wantedFamily ? reinterpret_cast<const char*>(wantedFamily) : "";
    FcConfigSubstitute(nullptr, pat, FcMatchPattern);
    FcDefaultSubstitute(pat);
    FcResult result;
    FcFontSet* set = FcFontSort(nullptr, pat, FcFalse, nullptr, &result);
    if (set) {
        for (int i = 0; i < set->nfont && found.empty(); ++i) {
            FcChar8* file = nullptr;
            FcChar8* fam = nullptr;
            if (FcPatternGetString(set->fonts[i], FC_FILE, 0, &file) != FcResultMatch)
                continue;
            FcPatternGetString(set->fonts[i], FC_FAMILY, 0, &fam);
            // A substitute from another family would silently change the look: insist on the family asked for.
            if (!fam || family != reinterpret_cast<const char*>(fam))
                continue;
            if (IsOutlineFile(reinterpret_cast<const char*>(file)))
                found = reinterpret_cast<const char*>(file);
        }
        FcFontSetDestroy(set);
    }
    FcPatternDestroy(pat);
    if (found.empty())
        std::fprintf(stderr, "assetgen: no installed font matches \"%s\"\n", pattern.c_str());
    g_files[pattern] = found;
    return found;
}

cairo_font_face_t* FontFace(const std::string& pattern)
{
    auto it = g_fonts.find(pattern);
    if (it != g_fonts.end())
        return it->second.cairoFace;
    LoadedFont font;
    std::string file = FontFile(pattern);
    if (!file.empty()) {
        if (!g_library)
            FT_Init_FreeType(&g_library);
        if (FT_New_Face(g_library, file.c_str(), 0, &font.face) == 0)
            font.cairoFace = cairo_ft_font_face_create_for_ft_face(font.face, 0);
        else
            std::fprintf(stderr, "assetgen: FreeType cannot open %s\n", file.c_str());
    }
    g_fonts[pattern] = font;
    return font.cairoFace;
}

void ReleaseFonts()
{
    for (auto& [name, font] : g_fonts) {
        if (font.cairoFace)
            cairo_font_face_destroy(font.cairoFace);
        if (font.face)
            FT_Done_Face(font.face);
    }
    g_fonts.clear();
    if (g_library)
        FT_Done_FreeType(g_library);
    g_library = nullptr;
}

bool UseFont(cairo_t* cr, const std::string& pattern, double size)
{
    cairo_font_face_t* face = FontFace(pattern);
    if (!face)
        return false;
    cairo_set_font_face(cr, face);
    cairo_set_font_size(cr, size);
    cairo_font_options_t* options = cairo_font_options_create();
    cairo_font_options_set_hint_style(options, CAIRO_HINT_STYLE_NONE);
    cairo_font_options_set_hint_metrics(options, CAIRO_HINT_METRICS_OFF);
    cairo_font_options_set_antialias(options, CAIRO_ANTIALIAS_GRAY);
    cairo_set_font_options(cr, options);
    cairo_font_options_destroy(options);
    return true;
}

bool HasGlyph(cairo_t* cr, unsigned long codepoint)
{
    cairo_scaled_font_t* scaled = cairo_get_scaled_font(cr);
    FT_Face face = cairo_ft_scaled_font_lock_face(scaled);
    if (!face)
        return false;
    bool has = FT_Get_Char_Index(face, codepoint) != 0;
    cairo_ft_scaled_font_unlock_face(scaled);
    return has;
}

double TextWidth(cairo_t* cr, const std::string& text)
{
    cairo_text_extents_t e;
    cairo_text_extents(cr, text.c_str(), &e);
    return e.x_advance;
}

void DrawLine(cairo_t* cr, const std::string& text, double x, double y, Align align, Colour colour)
{
    double w = TextWidth(cr, text);
    double start = align == Align::Left ? x : align == Align::Centre ? x - w / 2 : x - w;
    SetColour(cr, colour);
    cairo_move_to(cr, start, y);
    cairo_show_text(cr, text.c_str());
    cairo_new_path(cr);
}

void DrawSpaced(cairo_t* cr, const std::string& text, double x, double y, double tracking, Align align, Colour colour)
{
    double total = 0;
    std::vector<double> widths;
    for (size_t i = 0; i < text.size(); ++i) {
        widths.push_back(TextWidth(cr, text.substr(i, 1)));
        total += widths.back() + (i + 1 < text.size() ? tracking : 0);
    }
    double pen = align == Align::Left ? x : align == Align::Centre ? x - total / 2 : x - total;
    SetColour(cr, colour);
    for (size_t i = 0; i < text.size(); ++i) {
        cairo_move_to(cr, pen, y);
        cairo_show_text(cr, text.substr(i, 1).c_str());
        pen += widths[i] + tracking;
    }
    cairo_new_path(cr);
}

std::vector<std::string> WrapText(cairo_t* cr, const std::string& text, double width)
{
    std::vector<std::string> lines;
    std::istringstream paragraphs(text);
    std::string paragraph;
    while (std::getline(paragraphs, paragraph)) {
        std::istringstream words(paragraph);
        std::string word, line;
        bool any = false;
        while (words >> word) {
            any = true;
            std::string candidate = line.empty() ? word : line + " " + word;
            if (!line.empty() && TextWidth(cr, candidate) > width) {
                lines.push_back(line);
                line = word;
            } else {
                line = candidate;
            }
        }
        if (!line.empty() || !any)
            lines.push_back(line);
    }
    return lines;
}

double DrawParagraph(cairo_t* cr, const std::string& text, double x, double y, double width, double lineHeight,
                     Colour colour, bool justify, Align align)
{
    std::vector<std::string> lines = WrapText(cr, text, width);
    for (size_t i = 0; i < lines.size(); ++i) {
        const std::string& line = lines[i];
        bool last = i + 1 == lines.size() || lines[i + 1].empty();
        if (justify && !last && line.find(' ') != std::string::npos) {
            std::istringstream in(line);
            std::vector<std::string> words;
            std::string w;
            double wordsWidth = 0;
            while (in >> w) {
                words.push_back(w);
                wordsWidth += TextWidth(cr, w);
            }
            double gap = (width - wordsWidth) / (words.size() - 1);
            double pen = x;
            SetColour(cr, colour);
            for (const std::string& word : words) {
                cairo_move_to(cr, pen, y);
                cairo_show_text(cr, word.c_str());
                pen += TextWidth(cr, word) + gap;
            }
            cairo_new_path(cr);
        } else {
            double ax = align == Align::Left ? x : align == Align::Centre ? x + width / 2 : x + width;
            DrawLine(cr, line, ax, y, align, colour);
        }
        y += lineHeight;
    }
    return y;
}

} // namespace art
