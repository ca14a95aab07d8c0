// The printable operator's manual: the pages of the game's book, in the book's order, as vector PDF (the
// text stays text, searchable and sharp at any size), for a second player to read while the one at the desk
// plays with the manual hidden. One file for A4 and one for US Letter, each page scaled to fit its sheet
// inside a margin that home printers can reach.
#include "manual_page.h"
#include "pictures.h"

#include <algorithm>
#include <cairo-pdf.h>
#include <cstdio>
#include <filesystem>
#include <map>
#include <string>

namespace art {

namespace {

struct BookPage {
    int number;
    cairo_surface_t* drawing;
};

// By file name, as the game orders the pages it finds under Pages/.
std::map<std::string, BookPage>& Book()
{
    static std::map<std::string, BookPage> pages;
    return pages;
}

struct PaperSize {
    const char* fileName;
    double width, height; // points
};
constexpr PaperSize PaperSizes[] = {
    {"Brimvale-Manual.pdf", 595.276, 841.890},    // A4, 210 x 297 mm
    {"Brimvale-Manual-Letter.pdf", 612.0, 792.0}, // US Letter, 8.5 x 11 in
};
constexpr double PrintMargin = 18.0; // a quarter inch

bool WriteBook(const std::string& path, const PaperSize& paper)
{
    cairo_surface_t* pdf = cairo_pdf_surface_create(path.c_str(), paper.width, paper.height);
    cairo_pdf_surface_set_metadata(pdf, CAIRO_PDF_METADATA_TITLE, "Brimvale N.P.S. - Control Desk Operator's Manual");
    cairo_pdf_surface_set_metadata(pdf, CAIRO_PDF_METADATA_AUTHOR, "Brimvale Nuclear Power Station");
    cairo_pdf_surface_set_metadata(pdf, CAIRO_PDF_METADATA_CREATOR, "brimvale-assetgen");
    cairo_t* cr = cairo_create(pdf);
    const double scale = std::min((paper.width - 2 * PrintMargin) / PageW, (paper.height - 2 * PrintMargin) / PageH);
    for (const auto& [name, page] : Book()) {
        // The viewer's page field shows the manual's own numbers, so "page 6" finds page 6.
        const std::string label = page.number > 0 ? std::to_string(page.number) : page.number == 0 ? "Cover" : "";
        cairo_pdf_surface_set_page_label(pdf, label.c_str());
        cairo_save(cr);
        cairo_translate(cr, (paper.width - PageW * scale) / 2, (paper.height - PageH * scale) / 2);
        cairo_scale(cr, scale, scale);
        cairo_rectangle(cr, 0, 0, PageW, PageH);
        cairo_clip(cr);
        cairo_set_source_surface(cr, page.drawing, 0, 0);
        cairo_paint(cr);
        cairo_restore(cr);
        cairo_show_page(cr);
    }
    cairo_destroy(cr);
    cairo_surface_finish(pdf);
    const cairo_status_t status = cairo_surface_status(pdf);
    cairo_surface_destroy(pdf);
    if (status != CAIRO_STATUS_SUCCESS) {
        std::fprintf(stderr, "assetgen: writing %s failed: %s\n", path.c_str(), cairo_status_to_string(status));
        return false;
    }
    return true;
}

} // namespace

void AddToBook(const std::string& fileName, int number, cairo_surface_t* drawing)
{
    BookPage& page = Book()[fileName];
    if (page.drawing != nullptr) {
        cairo_surface_destroy(page.drawing);
    }
    page = {number, cairo_surface_reference(drawing)};
}

bool WriteManualBooks(const std::string& dir)
{
    if (Book().empty()) {
        std::fprintf(stderr, "assetgen: no manual pages were drawn, so there is no book to print\n");
        return false;
    }
    std::error_code error;
    std::filesystem::create_directories(dir, error);
    bool ok = true;
    for (const PaperSize& paper : PaperSizes) {
        ok = WriteBook(dir + "/" + paper.fileName, paper) && ok;
    }
    return ok;
}

void ReleaseBook()
{
    for (auto& [name, page] : Book()) {
        cairo_surface_destroy(page.drawing);
    }
    Book().clear();
}

} // namespace art
