// Manual page 10: the telephone. Today's month off the terminal's header, the phone book's on-call lines
// (from the phone's own table, the digits left for the book on the desk to tell), and the pad to dial on.
#include "manual_page.h"
#include "modules/module_tables.h"

#include <string>

namespace art {

namespace {

const Colour ScreenGreen{0, 1, 0, 1};

// A step's number in a disc, its heading beside it; returns the baseline under the heading.
double StepHead(Page& page, int number, const std::string& head, double x, double y)
{
    cairo_t* cr = page.cr();
    FillCircle(cr, x + 18, y - 8, 18, PageWarn);
    UseFont(cr, PageSansBold, 22);
    DrawLine(cr, std::to_string(number), x + 18, y, Align::Centre, PagePaper);
    DrawLine(cr, head, x + 46, y, Align::Left, PageWarn);
    return y + 28;
}

// The phone book as it lies on the desk, its numbers left out: the desk's copy has them.
void BookSketch(Page& page, double x, double y, double w)
{
    using namespace phone_table;
    cairo_t* cr = page.cr();
    const double rowH = 19, h = 34 + rowH * PhoneBook.size() + 8;
    FillRoundedRect(cr, x, y, w, h, 6, Hex(0xf2ead3));
    RoundedRect(cr, x, y, w, h, 6);
    SetColour(cr, {0.35, 0.3, 0.2, 0.7});
    cairo_set_line_width(cr, 2);
    cairo_stroke(cr);
    FillRoundedRect(cr, x + 5, y + 5, w - 10, 24, 4, Hex(0x1f5a38));
    page.Label("STAFF TELEPHONE LIST", x + 14, y + 23, 15, Hex(0xf2ead3), Align::Left, PageSansBold);
    for (size_t i = 0; i < PhoneBook.size(); ++i) {
        const Listing& line = PhoneBook[i];
        const double baseline = y + 34 + rowH * (static_cast<double>(i) + 1) - 4;
        const bool onCall = line.firstMonth >= 0;
        if (onCall) {
            cairo_rectangle(cr, x + 4, baseline - rowH + 5, w - 8, rowH);
            SetColour(cr, WithAlpha(PageAccent, 0.12));
            cairo_fill(cr);
        }
        page.Label(std::string(line.name), x + 12, baseline, 15, PageInk, Align::Left);
        page.Label(std::string(line.duty), x + w * 0.42, baseline, 15, PageInk, Align::Left);
        page.Label("####", x + w - 12, baseline, 15, {0.55, 0.5, 0.45, 1}, Align::Right);
    }
}

bool PhonePage(const std::string& assets, const std::string& out)
{
    Page page(assets, 10);
    cairo_t* cr = page.cr();
    double y = page.Title("10", "Telephone");
    page.Text("Ordered to CALL ANOTHER PLANT EMPLOYEE? Ring whoever is on call this month. The phone stands on "
              "the desk left of the terminal.",
              60, y + 10, PageW - 120, 23);

    // 1: the month, off the terminal's top line.
    const Sheet& font = page.Load(Asset::FontIBM3270Sheet, 16, 6);
    const Sheet& glow = page.Load(Asset::TerminalGlow);
    const double ty = 300;
    FillRoundedRect(cr, 52, ty - 8, 286, 86, 10, Hex(0x2b2b2e));
    cairo_rectangle(cr, 60, ty, 270, 70);
    SetColour(cr, SolidBlack);
    cairo_fill(cr);
    DrawSheetText(cr, font, 2.4, "Today is Tuesday\nMarch 3rd", 74, ty + 20, 19, ScreenGreen, &glow);
    cairo_rectangle(cr, 72, ty + 58, 58, 3);
    SetColour(cr, PageWarn);
    cairo_fill(cr);
    double sy = StepHead(page, 1, "READ THE MONTH", 370, ty + 18);
    page.Text("The terminal's top line gives today's date. Here: MARCH.", 416, sy, PageW - 416 - 55, 20);

    // 2: the book.
    sy = StepHead(page, 2, "FIND WHO IS ON CALL", 60, 412);
    sy = page.Text("The STAFF TELEPHONE LIST lies on the desk right of the key drawer, under the radar. Take the "
                   "line \"On call\" whose months hold today's: March is in \"Jan - Mar\".",
                   106, sy, PageW - 106 - 55, 20);
    const double by = sy + 4;
    BookSketch(page, 60, by, 460);
    page.Text("Its four digits are on the list on the desk, not in this book.", 545, by + 60, PageW - 545 - 55, 20,
              PageInk, PageSansBold);

    // 3: the pad, on the phone as it stands on the desk.
    const Sheet& phone = page.Load(Asset::Phone);
    const Sheet& key = page.Load(Asset::PhoneButtonSheet, 3, 1);
    const Sheet& digits = page.Load(Asset::FontOxygenMonoSheet, 16, 6);
    const Sheet& bulb = page.Load(Asset::LightBulb);
    View v = page.Diagram(175, 862, 0, 0, 0.44);
    v.Frame(phone, 0, 0, 0, 480, 480, NoColour);
    const double pitch = 55;
    for (int d = 0; d < 10; ++d) {
        const double kx = d == 9 ? 130 - pitch : 130 - (2 - d % 3) * pitch;
        const double ky = d == 9 ? 125 - 3 * pitch : 125 - (d / 3) * pitch;
        v.Frame(key, 0, kx, ky, 60, 60, NoColour);
        v.Text(digits, 1.0, std::to_string(d), kx, ky, 30, {1, 1, 1, 1});
    }
    v.Frame(bulb, 0, 5, -115, 120, 120, LampRedTint);
    page.Label("PAD", v.X(250) + 8, v.Y(130) + 7, 19, PageWarn, Align::Left, PageSansBold);
    page.Arrow(v.X(250), v.Y(130), v.X(170), v.Y(100), PageWarn, 3);
    page.Label("LAMP", v.X(-250) - 8, v.Y(-115) + 7, 19, PageWarn, Align::Right, PageSansBold);
    page.Arrow(v.X(-250), v.Y(-115), v.X(-50), v.Y(-115), PageWarn, 3);
    const double rx = 350, rw = PageW - rx - 55;
    sy = StepHead(page, 3, "DIAL THE FOUR DIGITS", rx, 762);
    sy = page.Text("Press them one after the other on the pad.", rx + 46, sy, rw - 46, 20);
    const struct {
        const char* head;
        const char* text;
        Colour colour;
    } lamps[] = {
        {"GREEN", "call made.", Hex(0x2f8a48)},
        {"RED", "wrong number; the pad is cleared, dial all four again.", PageWarn},
    };
    sy += 6;
    for (const auto& lamp : lamps) {
        UseFont(cr, PageSansBold, 20);
        DrawLine(cr, lamp.head, rx + 46, sy, Align::Left, lamp.colour);
        sy = page.Text(lamp.text, rx + 126, sy, rw - 126, 20) + 4;
    }
    page.Text("No date on the terminal? Ring the switchboard.", rx + 46, sy + 4, rw - 46, 19, {0.3, 0.3, 0.3, 1});
    page.Footer();
    return page.Save(out + "/10_Phone.png");
}

const bool registered = RegisterManualPage(PhonePage);

} // namespace

} // namespace art
