// The phone book that lies on the desk beside the radar: a typed staff list on a card, 951 x 394 pixels, drawn
// at half size. It lists who is on call in which months, among lines that are on call never, so that the
// player has to read today's month to find the number. Every line comes from the phone's own table.
#include "draw.h"
#include "modules/module_tables.h"
#include "pictures.h"
#include "text.h"

#include <string>

namespace art {

namespace {

constexpr int BookW = 951, BookH = 394;
const char* const Typewriter = "Nimbus Mono PS:style=Bold";
const Colour Card = Hex(0xf2ead3), Ink = Hex(0x1d1c22), RuleBlue = Hex(0x7f9cc4, 0.55), MarginRed = Hex(0xc2473a, 0.7);

// Typed text: each letter a hair off the line and a little unevenly inked, as a typewriter leaves it.
void Typed(cairo_t* cr, const std::string& text, double x, double y, Rng& rng)
{
    double pen = x;
    for (char c : text) {
        const std::string letter(1, c);
        DrawLine(cr, letter, pen, y + rng.Range(-0.8, 0.8), Align::Left, WithAlpha(Ink, rng.Range(0.82, 1.0)));
        pen += TextWidth(cr, letter);
    }
}

bool DrawPhoneBook(const std::string& path)
{
    using namespace phone_table;
    Canvas canvas(BookW, BookH);
    cairo_t* cr = canvas.cr();
    Rng rng(951);
    RoundedRect(cr, 2, 2, BookW - 4, BookH - 4, 10);
    FillVertical(cr, 0, BookH, Shade(Card, 1.03), Shade(Card, 0.95));
    cairo_save(cr);
    RoundedRect(cr, 2, 2, BookW - 4, BookH - 4, 10);
    cairo_clip(cr);
    Grime(cr, 0, 0, BookW, BookH, rng, 900, 1.4, 0.05);
    cairo_restore(cr);
    RoundedRect(cr, 2, 2, BookW - 4, BookH - 4, 10);
    SetColour(cr, {0.35, 0.3, 0.2, 0.6});
    cairo_set_line_width(cr, 3);
    cairo_stroke(cr);

    // The card's printed head and rules.
    const double head = 62, rowH = 36, left = 34, right = BookW - 30;
    FillRoundedRect(cr, 12, 12, BookW - 24, head - 16, 6, Hex(0x1f5a38));
    UseFont(cr, "Nimbus Sans:style=Bold", 30);
    DrawSpaced(cr, "STAFF TELEPHONE LIST", left, 46, 2, Align::Left, Card);
    UseFont(cr, "Nimbus Sans:style=Bold", 22);
    DrawLine(cr, "BRIMVALE N.P.S.", right - 4, 44, Align::Right, Shade(Card, 0.85));
    cairo_set_line_width(cr, 1.5);
    SetColour(cr, RuleBlue);
    for (size_t i = 0; i <= PhoneBook.size(); ++i) {
        const double y = head + 6 + static_cast<double>(i) * rowH;
        cairo_move_to(cr, 12, y);
        cairo_line_to(cr, BookW - 12, y);
    }
    cairo_stroke(cr);
    const double nameX = left, dutyX = 370, numberX = 810;
    SetColour(cr, MarginRed);
    cairo_set_line_width(cr, 2);
    for (double x : {dutyX - 16, numberX - 20}) {
        cairo_move_to(cr, x, head + 6);
        cairo_line_to(cr, x, BookH - 12);
    }
    cairo_stroke(cr);

    // The typed lines: name, what they do, the four digits.
    UseFont(cr, Typewriter, 30);
    for (size_t i = 0; i < PhoneBook.size(); ++i) {
        const Listing& line = PhoneBook[i];
        const double baseline = head + 6 + (static_cast<double>(i) + 1) * rowH - 9;
        Typed(cr, std::string(line.name), nameX, baseline, rng);
        Typed(cr, std::string(line.duty), dutyX, baseline, rng);
        Typed(cr, std::string(line.number), numberX, baseline, rng);
    }
    return canvas.Save(path);
}

} // namespace

bool MakePhoneBook(const std::string& dir)
{
    return DrawPhoneBook(AssetFile(dir, Asset::PhoneBookList));
}

} // namespace art
