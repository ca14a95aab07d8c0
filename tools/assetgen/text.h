// Fonts found through fontconfig, loaded with FreeType and drawn with cairo.
#pragma once

#include "draw.h"

#include <cairo.h>
#include <string>
#include <vector>

namespace art {

// A font by fontconfig pattern, e.g. "DejaVu Serif:style=Bold". Faces are loaded once and kept.
// Returns null (and prints why) when no installed file matches the family.
cairo_font_face_t* FontFace(const std::string& pattern);
// The file behind a pattern, for the few callers that need FreeType's own metrics.
std::string FontFile(const std::string& pattern);
void ReleaseFonts();

// Chooses a font and size for the following text calls; false when the font is missing.
bool UseFont(cairo_t* cr, const std::string& pattern, double size);

double TextWidth(cairo_t* cr, const std::string& text);
// Whether the current font has a glyph of its own for the character (and would not draw its empty box).
bool HasGlyph(cairo_t* cr, unsigned long codepoint);
enum class Align { Left, Centre, Right };
// One line of text with its baseline at y.
void DrawLine(cairo_t* cr, const std::string& text, double x, double y, Align align, Colour colour);
// Same, with the letters spread by `tracking` px.
void DrawSpaced(cairo_t* cr, const std::string& text, double x, double y, double tracking, Align align, Colour colour);

// Words wrapped into lines no wider than width.
std::vector<std::string> WrapText(cairo_t* cr, const std::string& text, double width);
// A paragraph wrapped into a column from baseline y; returns the baseline after the last line.
// Justified lines spread their words to the full width (the last line stays ragged).
double DrawParagraph(cairo_t* cr, const std::string& text, double x, double y, double width, double lineHeight,
                     Colour colour, bool justify = false, Align align = Align::Left);

} // namespace art
