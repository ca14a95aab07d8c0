// The drawn symbols of the decryption code book: one per printable character, distinct ones at a..i.
#pragma once

#include <cairo.h>

namespace art {

// Strokes the symbol of character c (32..127) centred at (cx, cy) in a box of the given size, with the
// current source colour. The space is empty.
void DrawSymbol(cairo_t* cr, int c, double cx, double cy, double size);

} // namespace art
