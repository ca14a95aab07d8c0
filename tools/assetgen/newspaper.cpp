// The end of a shift in print: an inside page of the town's newspaper (drawn full height behind) and the
// front page for a saved day or a meltdown. The front page is drawn 648 units square with nearest-pixel
// sampling, so it is made at 432 pixels: one pixel per screen pixel in a 1280 x 720 window.
#include "draw.h"
#include "pictures.h"
#include "text.h"

#include <algorithm>
#include <cmath>
#include <string>
#include <vector>

namespace art {

namespace {

const Colour NewsprintPaper = Hex(0xece7da), NewsprintInk = Hex(0x171614);
const char* SerifFont = "Nimbus Roman:style=Regular";
const char* SerifBoldFont = "Nimbus Roman:style=Bold";
const char* SerifItalicFont = "Nimbus Roman:style=Italic";
const char* MastheadFont = "C059:style=Bold";
const char* HeadlineFont = "Nimbus Sans Narrow:style=Bold";

void PaperGround(cairo_t* cr, int w, int h, uint64_t seed, Colour paper)
{
    SetColour(cr, paper);
    cairo_paint(cr);
    Rng rng(seed);
    Grime(cr, 0, 0, w, h, rng, w * h / 90, 0.9, 0.05);
}

// The plant from across the river, in grey: cooling towers, the reactor hall and its stack. On the lost day
// a column of smoke and fire stands over it.
void PlantPhoto(cairo_t* cr, double w, double h, bool meltdown)
{
    cairo_rectangle(cr, 0, 0, w, h);
    if (meltdown)
        FillVertical(cr, 0, h, Hex(0x9a9a9a), Hex(0xc8c8c8));
    else
        FillVertical(cr, 0, h, Hex(0xd8d8d8), Hex(0xa8a8a8));
    auto tower = [&](double cx, double base, double tw, double th, Colour col) {
        cairo_new_path(cr);
        cairo_move_to(cr, cx - tw / 2, base);
        cairo_curve_to(cr, cx - tw * 0.28, base - th * 0.55, cx - tw * 0.3, base - th * 0.8, cx - tw * 0.36, base - th);
        cairo_line_to(cr, cx + tw * 0.36, base - th);
        cairo_curve_to(cr, cx + tw * 0.3, base - th * 0.8, cx + tw * 0.28, base - th * 0.55, cx + tw / 2, base);
        cairo_close_path(cr);
        cairo_pattern_t* p = cairo_pattern_create_linear(cx - tw / 2, 0, cx + tw / 2, 0);
        cairo_pattern_add_color_stop_rgb(p, 0, col.r * 0.6, col.g * 0.6, col.b * 0.6);
        cairo_pattern_add_color_stop_rgb(p, 0.35, col.r, col.g, col.b);
        cairo_pattern_add_color_stop_rgb(p, 1, col.r * 0.45, col.g * 0.45, col.b * 0.45);
        cairo_set_source(cr, p);
        cairo_fill(cr);
        cairo_pattern_destroy(p);
    };
    double ground = h * 0.78;
    if (!meltdown) {
        // Lazy steam from the towers.
        for (int i = 0; i < 6; ++i)
            FillCircle(cr, w * 0.22 + i * 9, h * 0.22 - i * 8, 16 + i * 4, {1, 1, 1, 0.55});
        for (int i = 0; i < 6; ++i)
            FillCircle(cr, w * 0.46 + i * 9, h * 0.26 - i * 7, 14 + i * 4, {1, 1, 1, 0.5});
    }
    tower(w * 0.22, ground, w * 0.22, h * 0.55, meltdown ? Hex(0x707070) : Hex(0xbcbcbc));
    tower(w * 0.46, ground, w * 0.2, h * 0.48, meltdown ? Hex(0x666666) : Hex(0xb0b0b0));
    // Reactor hall with its dome and stack.
    cairo_rectangle(cr, w * 0.6, ground - h * 0.25, w * 0.3, h * 0.25);
    SetColour(cr, meltdown ? Hex(0x3a3a3a) : Hex(0x7a7a7a));
    cairo_fill(cr);
    cairo_new_path(cr);
    cairo_arc(cr, w * 0.72, ground - h * 0.25, w * 0.08, M_PI, 2 * M_PI);
    SetColour(cr, meltdown ? Hex(0x454545) : Hex(0x909090));
    cairo_fill(cr);
    cairo_rectangle(cr, w * 0.85, ground - h * 0.62, w * 0.035, h * 0.62);
    SetColour(cr, meltdown ? Hex(0x303030) : Hex(0x6a6a6a));
    cairo_fill(cr);
    for (int i = 0; i < 5; ++i) {
        cairo_rectangle(cr, w * (0.63 + i * 0.05), ground - h * 0.17, w * 0.02, h * 0.05);
        SetColour(cr, meltdown ? Hex(0xdadada) : Hex(0x4a4a4a));
        cairo_fill(cr);
    }
    if (meltdown) {
        // Fire in the hall and smoke billowing over the scene.
        cairo_pattern_t* fire =
            cairo_pattern_create_radial(w * 0.72, ground - h * 0.2, 2, w * 0.72, ground - h * 0.2, w * 0.25);
        cairo_pattern_add_color_stop_rgba(fire, 0, 1, 1, 1, 1);
        cairo_pattern_add_color_stop_rgba(fire, 0.4, 0.85, 0.85, 0.85, 0.7);
        cairo_pattern_add_color_stop_rgba(fire, 1, 0.5, 0.5, 0.5, 0);
        cairo_rectangle(cr, 0, 0, w, h);
        cairo_set_source(cr, fire);
        cairo_fill(cr);
        cairo_pattern_destroy(fire);
        Rng rng(66);
        for (int i = 0; i < 40; ++i) {
            double t = i / 40.0;
            double x = w * 0.72 + std::sin(t * 9) * w * 0.06 * t + rng.Range(-10, 10);
            double y = ground - h * 0.3 - t * h * 0.6;
            double r = 10 + t * 30 + rng.Range(0, 8);
            double g = 0.1 + rng.Range(0, 0.15);
            FillCircle(cr, x, y, r, {g, g, g, 0.85});
        }
        // The mushroom cap.
        for (int i = 0; i < 14; ++i)
            FillCircle(cr, w * 0.72 + (i - 7) * 13, h * 0.1 + std::abs(i - 7) * 2.5, 22, {0.12, 0.12, 0.12, 0.9});
        cairo_pattern_t* core =
            cairo_pattern_create_radial(w * 0.72, ground - h * 0.22, 1, w * 0.72, ground - h * 0.22, w * 0.12);
        cairo_pattern_add_color_stop_rgba(core, 0, 1, 1, 1, 1);
        cairo_pattern_add_color_stop_rgba(core, 1, 1, 1, 1, 0);
        cairo_rectangle(cr, 0, 0, w, h);
        cairo_set_source(cr, core);
        cairo_fill(cr);
        cairo_pattern_destroy(core);
    }
    // River bank and the fence in front.
    cairo_rectangle(cr, 0, ground, w, h - ground);
    SetColour(cr, meltdown ? Hex(0x202020) : Hex(0x585858));
    cairo_fill(cr);
    for (double x = 2; x < w; x += 7) {
        cairo_rectangle(cr, x, ground - 8, 1.5, 12);
        SetColour(cr, meltdown ? Hex(0x111111) : Hex(0x303030));
        cairo_fill(cr);
    }
    cairo_rectangle(cr, 0, ground - 7, w, 1.2);
    cairo_fill(cr);
}

// Prints a grey picture as a newspaper would: a screen of ink dots.
void Halftone(cairo_t* cr, cairo_surface_t* photo, double x0, double y0, double cell)
{
    cairo_surface_flush(photo);
    int w = cairo_image_surface_get_width(photo), h = cairo_image_surface_get_height(photo);
    int stride = cairo_image_surface_get_stride(photo);
    const unsigned char* data = cairo_image_surface_get_data(photo);
    cairo_save(cr);
    cairo_rectangle(cr, x0, y0, w, h);
    cairo_clip(cr);
    SetColour(cr, NewsprintInk);
    for (double cy = cell / 2; cy < h + cell; cy += cell)
        for (double cx = cell / 2 + (static_cast<int>(cy / cell) % 2) * cell / 2; cx < w + cell; cx += cell) {
            int px = std::clamp(static_cast<int>(cx), 0, w - 1), py = std::clamp(static_cast<int>(cy), 0, h - 1);
            double lum = data[py * stride + px * 4 + 1] / 255.0;
            double r = std::sqrt(std::clamp(1 - lum, 0.0, 1.0)) * cell * 0.62;
            if (r > 0.25) {
                cairo_new_sub_path(cr);
                cairo_arc(cr, x0 + cx, y0 + cy, r, 0, 2 * M_PI);
            }
        }
    cairo_fill(cr);
    cairo_restore(cr);
}

void Rule(cairo_t* cr, double x0, double x1, double y, double width)
{
    cairo_rectangle(cr, x0, y, x1 - x0, width);
    SetColour(cr, NewsprintInk);
    cairo_fill(cr);
}

struct FrontPage {
    const char* kicker;
    const char* headline;
    const char* subhead;
    const char* caption;
    const char* lead;
    const char* lead2;
    const char* sideHead;
    const char* side;
    bool meltdown;
};

bool DrawFrontPage(const std::string& path, const FrontPage& page)
{
    const int s = 432;
    Canvas canvas(s, s);
    cairo_t* cr = canvas.cr();
    PaperGround(cr, s, s, page.meltdown ? 2 : 1, NewsprintPaper);
    const double m = 12, right = s - m;
    // Masthead.
    UseFont(cr, MastheadFont, 34);
    DrawLine(cr, "The Brimvale Courier", s / 2.0, 42, Align::Centre, NewsprintInk);
    Rule(cr, m, right, 50, 1.5);
    UseFont(cr, "DejaVu Sans:style=Condensed Bold", 8);
    DrawLine(cr, "VOL. XLII   No. 214", m, 60, Align::Left, NewsprintInk);
    DrawLine(cr, page.kicker, s / 2.0, 60, Align::Centre, NewsprintInk);
    DrawLine(cr, "PRICE 25 CENTS", right, 60, Align::Right, NewsprintInk);
    Rule(cr, m, right, 64, 0.8);
    Rule(cr, m, right, 66, 0.8);
    // Headline across the page.
    UseFont(cr, HeadlineFont, 50);
    double hw = TextWidth(cr, page.headline);
    UseFont(cr, HeadlineFont, std::min(50.0, 50 * (right - m) / hw));
    DrawLine(cr, page.headline, s / 2.0, 110, Align::Centre, NewsprintInk);
    UseFont(cr, SerifItalicFont, 14);
    DrawParagraph(cr, page.subhead, m, 128, right - m, 15, NewsprintInk, false, Align::Centre);
    Rule(cr, m, right, 148, 0.8);
    // Photo with its caption, and the lead story beside and under it.
    const double px = m, py = 154, pw = 262, ph = 150;
    {
        Canvas photo(static_cast<int>(pw), static_cast<int>(ph));
        PlantPhoto(photo.cr(), pw, ph, page.meltdown);
        Halftone(cr, photo.surface(), px, py, 2.6);
    }
    cairo_rectangle(cr, px + 0.5, py + 0.5, pw - 1, ph - 1);
    SetColour(cr, NewsprintInk);
    cairo_set_line_width(cr, 1);
    cairo_stroke(cr);
    UseFont(cr, SerifItalicFont, 9);
    DrawParagraph(cr, page.caption, px, py + ph + 11, pw, 10, NewsprintInk);
    const double colTop = py + ph + 34, colW = (pw - 10) / 2;
    UseFont(cr, SerifFont, 10);
    cairo_save(cr);
    cairo_rectangle(cr, 0, 0, s, s - m);
    cairo_clip(cr);
    DrawParagraph(cr, page.lead, px, colTop, colW, 11, NewsprintInk, true);
    DrawParagraph(cr, page.lead2, px + colW + 10, colTop, colW, 11, NewsprintInk, true);
    cairo_restore(cr);
    cairo_rectangle(cr, px + colW + 4.6, colTop - 9, 0.8, s - m - colTop + 9);
    SetColour(cr, NewsprintInk);
    cairo_fill(cr);
    // Side column.
    const double sx = px + pw + 10, sw = right - sx;
    cairo_rectangle(cr, sx - 5.4, py, 0.8, s - m - py);
    cairo_fill(cr);
    UseFont(cr, SerifBoldFont, 13);
    double y = DrawParagraph(cr, page.sideHead, sx, py + 11, sw, 14, NewsprintInk);
    Rule(cr, sx, right, y - 8, 0.6);
    UseFont(cr, SerifFont, 10);
    cairo_save(cr);
    cairo_rectangle(cr, 0, 0, s, s - m);
    cairo_clip(cr);
    DrawParagraph(cr, page.side, sx, y + 4, sw, 11, NewsprintInk, true);
    cairo_restore(cr);
    Rule(cr, m, right, s - m, 1);
    return canvas.Save(path);
}

// The inside page behind the front page: small ads, listings and a weather box, a little yellowed.
bool DrawBackground(const std::string& path)
{
    const int s = 1024;
    Canvas canvas(s, s);
    cairo_t* cr = canvas.cr();
    PaperGround(cr, s, s, 3, Hex(0xd3c7a8));
    const double m = 28;
    UseFont(cr, MastheadFont, 30);
    DrawLine(cr, "The Brimvale Courier", m, 58, Align::Left, NewsprintInk);
    UseFont(cr, "DejaVu Sans:style=Condensed Bold", 16);
    DrawLine(cr, "CLASSIFIED ADVERTISEMENTS   PAGE 7", s - m, 58, Align::Right, NewsprintInk);
    Rule(cr, m, s - m, 70, 2);
    const char* ads[] = {
        "FOR SALE. Geiger counter, hardly used, clicks only a little. Call 2216 after six.",
        "LOST: grey tabby cat near the east gate of the plant. Answers to Isotope. Reward.",
        "WANTED: night-shift operators for the control desk. Steady hands, good eyesight, calm under sirens. "
        "Apply at the plant gatehouse.",
        "BRIMVALE BOWLING LEAGUE meets Thursday. New members welcome, bring your own shoes.",
        "FOR SALE: 1979 station wagon, runs well, faint green glow at night. Best offer.",
        "PIANO LESSONS for all ages. Mrs. Halloran, River Street 12.",
        "ROOM TO LET above the bakery, quiet, warm in winter. No pets.",
        "THANK YOU to the plant fire brigade from the families of Mill Lane.",
        "GARAGE SALE Saturday: lamps, records, a slightly used lead apron.",
        "TYPEWRITER REPAIRS. All makes. Ribbons in stock. Corner of Main and Fifth.",
        "FOUND: a bunch of keys with a red tag, near the canteen. Ask at the front desk.",
        "CHURCH SUPPER Sunday at six. Pies and hot soup, all welcome.",
    };
    const int columns = 5;
    const double colW = (s - 2 * m - (columns - 1) * 14) / columns;
    Rng rng(8);
    size_t ad = 0;
    for (int c = 0; c < columns; ++c) {
        double x = m + c * (colW + 14), y = 96;
        if (c > 0) {
            cairo_rectangle(cr, x - 7.5, 84, 1, s - 84 - m);
            SetColour(cr, NewsprintInk);
            cairo_fill(cr);
        }
        while (y < s - 80) {
            if (rng.Uniform() < 0.22) {
                // Boxed display ad.
                double bh = rng.Range(90, 150);
                cairo_rectangle(cr, x + 1, y, colW - 2, bh);
                SetColour(cr, NewsprintInk);
                cairo_set_line_width(cr, 2);
                cairo_stroke(cr);
                UseFont(cr, HeadlineFont, 22);
                const char* titles[] = {"RIVERSIDE DINER", "HALF PRICE TYRES", "DANCE TONIGHT", "SAFETY FIRST!",
                                        "MAYOR'S PICNIC"};
                DrawLine(cr, titles[rng.Int(0, 4)], x + colW / 2, y + 30, Align::Centre, NewsprintInk);
                UseFont(cr, SerifItalicFont, 14);
                DrawParagraph(cr, "Open every day, seven till late. Ask for the operator's special.", x + 8, y + 52,
                              colW - 16, 16, NewsprintInk, false, Align::Centre);
                y += bh + 16;
                continue;
            }
            UseFont(cr, SerifFont, 14);
            y = DrawParagraph(cr, ads[ad++ % (sizeof ads / sizeof *ads)], x, y + 12, colW, 15, NewsprintInk, true) + 4;
            Rule(cr, x + colW * 0.3, x + colW * 0.7, y - 8, 0.8);
        }
    }
    // Fold across the middle and a little yellowing at the edges.
    cairo_rectangle(cr, 0, s / 2.0 - 1, s, 2);
    SetColour(cr, {0, 0, 0, 0.08});
    cairo_fill(cr);
    cairo_pattern_t* edge = cairo_pattern_create_radial(s / 2.0, s / 2.0, s * 0.4, s / 2.0, s / 2.0, s * 0.75);
    cairo_pattern_add_color_stop_rgba(edge, 0, 0.6, 0.45, 0.1, 0);
    cairo_pattern_add_color_stop_rgba(edge, 1, 0.6, 0.45, 0.1, 0.25);
    cairo_set_source(cr, edge);
    cairo_paint(cr);
    cairo_pattern_destroy(edge);
    return canvas.Save(path);
}

} // namespace

bool MakeNewspaper(const std::string& dir)
{
    const FrontPage win{
        "SPECIAL EDITION",
        "MELTDOWN AVERTED!",
        "Night operator keeps Brimvale reactor steady through a shift of alarms",
        "The plant at dawn, seen from the river bank, where townsfolk gathered to cheer.",
        "BRIMVALE - For five minutes the sirens sang over the river. At the control desk one operator "
        "worked switch after switch until the last alarm fell silent.",
        "\"Just doing my job,\" the operator said, asking for coffee. Managers added one more day to "
        "the safety sign at the gate.",
        "Town to hold parade on Saturday",
        "The mayor announced a parade along Main Street in honour of the night shift. The bakery promises "
        "free buns shaped like cooling towers. The band will play, weather allowing, and the plant will open "
        "its visitor centre for the afternoon.",
        false};
    const FrontPage lose{
        "EXTRA! EXTRA!",
        "REACTOR MELTDOWN!",
        "Brimvale evacuated as core overheats; control desk fell silent at the worst moment",
        "Smoke stands over the reactor hall as fire crews arrive from three counties.",
        "BRIMVALE - The countdown ran out. The core went beyond saving and smoke rose over the valley. "
        "Families were bused to the next county.",
        "Inquiries have begun. Sources speak of unread manuals, untouched switches and a phone nobody "
        "answered. The safety sign reads zero.",
        "Officials: stay indoors, keep windows shut",
        "Residents are asked to stay indoors until further notice. Do not eat vegetables from the garden. "
        "Do not drink tap water. Do not, under any circumstances, lick the river. Updates will follow on "
        "the radio every hour.",
        true};
    bool ok = DrawFrontPage(AssetFile(dir, Asset::NewspaperWin), win);
    ok = DrawFrontPage(AssetFile(dir, Asset::NewspaperLose), lose) && ok;
    ok = DrawBackground(AssetFile(dir, Asset::NewspaperBackground)) && ok;
    return ok;
}

} // namespace art
