// What every page of the operator's manual is drawn with: the paper, the running head and footer, text
// columns, rule boxes, labels, arrows and views of the desk. The game draws a page 800 x 1032 units with
// nearest-pixel sampling, which is 534 x 688 screen pixels in a 1280 x 720 window, so the pages are made at
// that size and laid out in the 800 x 1032 units.
//
// A machine's page lives in a file of its own (page_<machine>.cpp) and joins the book with one line:
//     const bool registered = RegisterManualPage(MakeMyMachinePage);
// Its file name under Pages/ decides where it stands in the book.
//
// A page is drawn once, as vector drawing, and then both rasterised into the game's picture and kept for the
// printable book (manual_book.cpp), so the two never differ. The worn paper under it is the game's only: a
// printer gives the second player real paper, and thousands of specks of wear would only swell the file.
#pragma once

#include "draw.h"
#include "engine/asset_table.h"
#include "preview.h"
#include "text.h"

#include <cairo.h>
#include <cmath>
#include <deque>
#include <string>
#include <vector>

namespace art {

constexpr int PagePixelsW = 534, PagePixelsH = 688;
constexpr double PageW = 800, PageH = 1032;
inline const Colour PagePaper = Hex(0xf1ecdf), PageInk = Hex(0x1c1b19), PageAccent = Hex(0x1f5a38),
                    PageWarn = Hex(0xa3261c);
inline const char* PageSans = "Nimbus Sans:style=Regular";
inline const char* PageSansBold = "Nimbus Sans:style=Bold";
inline const char* PageMono = "Nimbus Mono PS:style=Bold";

// Keeps a finished page for the printable book: `fileName` is its name under Pages/ (the book's order),
// `number` the number in its footer (0 or less: none), `drawing` a recording surface of PageW x PageH units.
void AddToBook(const std::string& fileName, int number, cairo_surface_t* drawing);

class Page {
public:
    Page(const std::string& assets, int number) : assets_(assets), number_(number)
    {
        const cairo_rectangle_t extents{0, 0, PageW, PageH};
        paper_ = cairo_recording_surface_create(CAIRO_CONTENT_COLOR_ALPHA, &extents);
        drawing_ = cairo_recording_surface_create(CAIRO_CONTENT_COLOR_ALPHA, &extents);
        cr_ = cairo_create(drawing_);
        Paper();
    }
    ~Page()
    {
        cairo_destroy(cr_);
        cairo_surface_destroy(drawing_);
        cairo_surface_destroy(paper_);
        for (Sheet& s : sheets_)
            FreeSheet(s);
    }
    Page(const Page&) = delete;
    Page& operator=(const Page&) = delete;

    cairo_t* cr() const { return cr_; }
    // A picture the generator has already drawn, named by its row in the asset table.
    const Sheet& Load(Asset asset, int columns = 1, int rows = 1)
    {
        sheets_.push_back(LoadSheet(assets_ + "/" + AssetInfo(asset).path, columns, rows));
        return sheets_.back();
    }
    // Writes the game's picture of the page (PNG, or JPEG when the name ends in ".jpg") and hands the drawing
    // to the book.
    bool Save(const std::string& path)
    {
        cairo_surface_flush(drawing_);
        Canvas picture(PagePixelsW, PagePixelsH);
        cairo_scale(picture.cr(), PagePixelsW / PageW, PagePixelsH / PageH);
        for (cairo_surface_t* layer : {paper_, drawing_}) {
            cairo_set_source_surface(picture.cr(), layer, 0, 0);
            cairo_paint(picture.cr());
        }
        AddToBook(path.substr(path.find_last_of('/') + 1), number_, drawing_);
        const bool jpeg = path.size() > 4 && path.compare(path.size() - 4, 4, ".jpg") == 0;
        return jpeg ? picture.SaveJpeg(path) : picture.Save(path);
    }

    // The running head and a section title; returns the y under it.
    double Title(const std::string& section, const std::string& title)
    {
        UseFont(cr_, PageSansBold, 17);
        DrawSpaced(cr_, "BRIMVALE N.P.S.  -  CONTROL DESK OPERATOR'S MANUAL", 60, 58, 1.2, Align::Left, PageAccent);
        cairo_rectangle(cr_, 60, 68, PageW - 120, 2);
        SetColour(cr_, PageAccent);
        cairo_fill(cr_);
        if (!section.empty()) {
            FillRoundedRect(cr_, 60, 92, 70, 70, 8, PageAccent);
            UseFont(cr_, PageSansBold, 48);
            DrawLine(cr_, section, 95, 144, Align::Centre, PagePaper);
        }
        UseFont(cr_, PageSansBold, 46);
        DrawLine(cr_, title, section.empty() ? 60 : 150, 143, Align::Left, PageInk);
        return 200;
    }

    double Text(const std::string& text, double x, double y, double width, double size = 25, Colour c = PageInk,
                const char* font = nullptr)
    {
        UseFont(cr_, font ? font : PageSans, size);
        return DrawParagraph(cr_, text, x, y, width, size * 1.3, c);
    }

    // A framed rule the player can find again in a hurry.
    double RuleBox(const std::string& heading, const std::string& text, double y, Colour frame = PageAccent)
    {
        UseFont(cr_, PageSans, 25);
        size_t lines = WrapText(cr_, text, PageW - 180).size();
        double h = 56 + lines * 32.5;
        RoundedRect(cr_, 60, y, PageW - 120, h, 10);
        SetColour(cr_, WithAlpha(frame, 0.08));
        cairo_fill_preserve(cr_);
        SetColour(cr_, frame);
        cairo_set_line_width(cr_, 3);
        cairo_stroke(cr_);
        UseFont(cr_, PageSansBold, 25);
        DrawLine(cr_, heading, 90, y + 36, Align::Left, frame);
        Text(text, 90, y + 70, PageW - 180);
        return y + h + 24;
    }

    void Footer()
    {
        cairo_rectangle(cr_, 60, PageH - 48, PageW - 120, 1.5);
        SetColour(cr_, PageAccent);
        cairo_fill(cr_);
        UseFont(cr_, PageSans, 18);
        DrawLine(cr_, "Keep this manual at the desk.", 60, PageH - 22, Align::Left, {0.3, 0.3, 0.3, 1});
        if (number_ > 0) {
            UseFont(cr_, PageSansBold, 22);
            DrawLine(cr_, std::to_string(number_), PageW - 60, PageH - 22, Align::Right, PageInk);
        }
    }

    // A desk view inside the page: world units around (wx, wy) shown at k page units per world unit.
    View Diagram(double px, double py, double wx, double wy, double k) const
    {
        View v{cr_, wx, wy, k};
        v.originX = px;
        v.originY = py;
        return v;
    }

    void Label(const std::string& text, double x, double y, double size = 22, Colour c = PageInk,
               Align align = Align::Centre, const char* font = nullptr)
    {
        UseFont(cr_, font ? font : PageMono, size);
        DrawLine(cr_, text, x, y, align, c);
    }

    void Arrow(double x0, double y0, double x1, double y1, Colour c = PageInk, double width = 3)
    {
        double a = std::atan2(y1 - y0, x1 - x0);
        cairo_move_to(cr_, x0, y0);
        cairo_line_to(cr_, x1 - std::cos(a) * 10, y1 - std::sin(a) * 10);
        SetColour(cr_, c);
        cairo_set_line_width(cr_, width);
        cairo_stroke(cr_);
        cairo_move_to(cr_, x1, y1);
        cairo_line_to(cr_, x1 - std::cos(a - 0.4) * 18, y1 - std::sin(a - 0.4) * 18);
        cairo_line_to(cr_, x1 - std::cos(a + 0.4) * 18, y1 - std::sin(a + 0.4) * 18);
        cairo_close_path(cr_);
        cairo_fill(cr_);
    }

private:
    void Paper()
    {
        cairo_t* cr = cairo_create(paper_);
        SetColour(cr, PagePaper);
        cairo_paint(cr);
        Rng rng(100 + number_);
        Grime(cr, 0, 0, PageW, PageH, rng, 2500, 1.2, 0.035);
        // Slight shade towards the spine and the outer edge, as on a real book.
        cairo_pattern_t* p = cairo_pattern_create_linear(0, 0, PageW, 0);
        bool left = number_ % 2 == 0;
        cairo_pattern_add_color_stop_rgba(p, 0, 0.3, 0.25, 0.1, left ? 0.05 : 0.12);
        cairo_pattern_add_color_stop_rgba(p, 0.1, 0.3, 0.25, 0.1, 0);
        cairo_pattern_add_color_stop_rgba(p, 0.9, 0.3, 0.25, 0.1, 0);
        cairo_pattern_add_color_stop_rgba(p, 1, 0.3, 0.25, 0.1, left ? 0.12 : 0.05);
        cairo_set_source(cr, p);
        cairo_paint(cr);
        cairo_pattern_destroy(p);
        cairo_destroy(cr);
    }

    cairo_surface_t* paper_;
    cairo_surface_t* drawing_;
    cairo_t* cr_;
    std::string assets_;
    int number_;
    std::deque<Sheet> sheets_; // deque: references handed out stay valid
};

inline const Colour NoColour{0, 0, 0, 0}, SolidBlack{0, 0, 0, 1};
inline const Colour LampOffTint{0, 0, 0, 0.75}, LampWhiteTint{1, 1, 1, 0.75}, LampGreenTint{0, 1, 0, 0.75},
    LampRedTint{1, 0, 0, 0.75};

// Draws one page into the Pages folder `out`, from the pictures already under `assets`; false on failure.
using PageMaker = bool (*)(const std::string& assets, const std::string& out);

// Adds a page to the book; returns true so that a page file can register itself at start-up.
bool RegisterManualPage(PageMaker make);
// The registered pages, in the order they registered (their file names decide the book's order).
const std::vector<PageMaker>& RegisteredManualPages();

} // namespace art
