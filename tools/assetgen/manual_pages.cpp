// The operator's manual: pages under Pages/, shown two side by side in the order of their file names. The
// game draws a page 800 x 1032 units with nearest-pixel sampling, which is 534 x 688 screen pixels in a
// 1280 x 720 window, so the pages are made at that size and laid out in the 800 x 1032 units.
//
// Names: digits sort before capitals, so "00_..." to "04_..." come before "ManualBlankPage.jpg", which then
// lands as the right-hand page of the last spread. The diagrams are drawn from the desk's own pictures, which
// the generator has written by the time it gets here.
#include "manual_page.h"
#include "pictures.h"

#include <algorithm>
#include <cmath>
#include <deque>
#include <filesystem>
#include <string>
#include <vector>

namespace art {

namespace {

bool Cover(const std::string& assets, const std::string& out)
{
    Page page(assets, 0);
    cairo_t* cr = page.cr();
    // Title band, in view while the book lies closed at the bottom of the screen.
    cairo_rectangle(cr, 0, 0, PageW, 236);
    FillVertical(cr, 0, 236, Hex(0x23603d), Hex(0x174229));
    UseFont(cr, PageSansBold, 26);
    DrawSpaced(cr, "BRIMVALE NUCLEAR POWER STATION", PageW / 2, 58, 3, Align::Centre, Hex(0xe9e2c8));
    UseFont(cr, PageSansBold, 64);
    DrawLine(cr, "OPERATOR'S", PageW / 2, 134, Align::Centre, PagePaper);
    DrawLine(cr, "MANUAL", PageW / 2, 204, Align::Centre, PagePaper);
    const Sheet& icon = page.Load(Asset::WindowIcon);
    DrawFrame(cr, icon, 0, PageW / 2, 318, 130, 130, NoColour);
    UseFont(cr, PageSans, 25);
    DrawLine(cr, "Control desk, Reactor Unit 2", PageW / 2, 416, Align::Centre, PageInk);
    // What a shift looks like.
    double y = 480;
    UseFont(cr, PageSansBold, 28);
    DrawLine(cr, "YOUR SHIFT", 80, y, Align::Left, PageAccent);
    const char* steps[] = {
        "Boot the plant: set the eight switches (page 2).",
        "Log in: four switches answer four questions about today's date (page 3).",
        "A five-minute countdown starts. Do what the terminal orders; every machine has its page here.",
        "All done? Add a day on the safety sign before you clock out (page 4).",
    };
    for (int i = 0; i < 4; ++i) {
        FillCircle(cr, 100, y + 22, 18, PageAccent);
        UseFont(cr, PageSansBold, 23);
        DrawLine(cr, std::to_string(i + 1), 100, y + 30, Align::Centre, PagePaper);
        y = page.Text(steps[i], 135, y + 30, PageW - 215, 24) + 2;
    }
    y += 16;
    FillRoundedRect(cr, 80, y, PageW - 160, 90, 8, WithAlpha(PageWarn, 0.1));
    RoundedRect(cr, 80, y, PageW - 160, 90, 8);
    SetColour(cr, PageWarn);
    cairo_set_line_width(cr, 3);
    cairo_stroke(cr);
    UseFont(cr, PageSansBold, 25);
    DrawLine(cr, "If the countdown reaches zero,", PageW / 2, y + 38, Align::Centre, PageWarn);
    DrawLine(cr, "the reactor melts down.", PageW / 2, y + 70, Align::Centre, PageWarn);
    page.Footer();
    return page.Save(out + "/00_Cover.png");
}

bool HowTo(const std::string& assets, const std::string& out)
{
    Page page(assets, 1);
    cairo_t* cr = page.cr();
    page.Title("1", "Using the desk");
    const double tx = 290, tw = PageW - tx - 60;
    // Dragging the desk.
    const Sheet& drag = page.Load(Asset::MouseHorizontal);
    DrawFrame(cr, drag, 0, 165, 262, 150, 150, NoColour);
    page.Text("Look along the desk: hold the LEFT mouse button on the bare wood and drag left or right.", tx, 238, tw);
    // Opening the manual: a screen with the book's strip at its bottom edge.
    {
        double sx = 75, sy = 350, sw = 180, sh = 104;
        FillRoundedRect(cr, sx - 6, sy - 6, sw + 12, sh + 12, 8, Hex(0x2b2b2e));
        cairo_rectangle(cr, sx, sy, sw, sh);
        SetColour(cr, Hex(0x5a3a22));
        cairo_fill(cr);
        cairo_rectangle(cr, sx + 18, sy + sh - 20, sw - 36, 20);
        SetColour(cr, PagePaper);
        cairo_fill(cr);
        cairo_rectangle(cr, sx + 18, sy + sh - 20, sw / 2 - 18, 7);
        SetColour(cr, PageAccent);
        cairo_fill(cr);
        const Sheet& click = page.Load(Asset::MouseLeft);
        DrawFrame(cr, click, 0, sx + sw / 2 + 10, sy + sh - 36, 64, 64, NoColour);
    }
    page.Text("Open this manual: click the book at the bottom of the screen. Click beside the pages to put it "
              "away.",
              tx, 372, tw);
    // Turning pages.
    const Sheet& arrow = page.Load(Asset::ManualNextPage);
    DrawFrame(cr, arrow, 0, 125, 532, -76, 76, NoColour);
    DrawFrame(cr, arrow, 0, 210, 532, 76, 76, NoColour);
    page.Text("Turn the pages with the round arrows at the outer edges of the book.", tx, 522, tw);
    // The terminal.
    {
        double bx = 70, by = 600, bw = 190, bh = 120;
        FillRoundedRect(cr, bx - 8, by - 8, bw + 16, bh + 16, 10, Hex(0x2b2b2e));
        cairo_rectangle(cr, bx, by, bw, bh);
        SetColour(cr, SolidBlack);
        cairo_fill(cr);
        const Sheet& font = page.Load(Asset::FontIBM3270Sheet, 16, 6);
        const Sheet& glow = page.Load(Asset::TerminalGlow);
        DrawSheetText(cr, font, 2.4, "Today is Monday\nMay 3rd\n\n/> Reactor core\nmust be unlocked", bx + 14, by + 18,
                      19, {0, 1, 0, 1}, &glow);
    }
    page.Text("The green terminal in the middle of the desk gives your orders; they begin with \"/>\". Its top "
              "line gives today's date.",
              tx, 628, tw);
    page.RuleBox("TIPS",
                 "Work switches and buttons with the left mouse button. Lamps: GREEN = right, RED = wrong, try "
                 "again. Escape pauses the shift and its countdown.",
                 790);
    page.Footer();
    return page.Save(out + "/01_HowTo.png");
}

// The boot pattern the plant boot module checks (switch 1 to 8).
const bool BootPattern[8] = {true, false, true, true, false, false, true, false};

bool PlantBootPage(const std::string& assets, const std::string& out)
{
    Page page(assets, 2);
    cairo_t* cr = page.cr();
    double y = page.Title("2", "Plant boot");
    page.Text("The first task of every shift. The terminal asks you to start the plant boot sequence: set the "
              "eight switches of the steel panel exactly as shown.",
              60, y + 10, PageW - 120);
    // The panel as it stands on the desk, in the boot position, with each switch numbered.
    const Sheet& plate = page.Load(Asset::PanelMetalPlate, 4, 4);
    const Sheet& sw = page.Load(Asset::SwitchSheet, 2, 1);
    const Sheet& bulb = page.Load(Asset::LightBulb);
    View v = page.Diagram(PageW / 2, 452, 1040, 125, 1.0);
    v.Rect(1040, 111.25, 380, 245, {0.4, 0.4, 0.4, 1});
    v.Nine(plate, 1040, 111.25, 380, 245, 5);
    for (int r = 0; r < 2; ++r)
        for (int c = 0; c < 4; ++c)
            v.Frame(sw, BootPattern[r * 4 + c] ? 1 : 0, 935 + 65 * c, 50 + 87.5 * r, 100, 100, NoColour);
    for (int i = 0; i < 9; ++i)
        v.Frame(bulb, 0, 870 + 42.5 * i, 50 + 245 / 1.5, 120, 120, i < 4 ? LampWhiteTint : LampOffTint);
    for (int r = 0; r < 2; ++r)
        for (int c = 0; c < 4; ++c) {
            double px = v.X(935 + 65 * c) - 30, py = v.Y(50 + 87.5 * r) - 28;
            FillCircle(cr, px, py, 12, PageAccent);
            UseFont(cr, PageSansBold, 17);
            DrawLine(cr, std::to_string(r * 4 + c + 1), px, py + 6, Align::Centre, PagePaper);
        }
    // The pattern as a table laid out like the panel: upper row 5-8, lower row 1-4.
    auto row = [&](double ry, int first) {
        for (int c = 0; c < 4; ++c) {
            int index = first + c;
            double cx = 145 + c * 170;
            bool on = BootPattern[index];
            FillRoundedRect(cr, cx - 74, ry, 148, 66, 8, on ? Hex(0x2f8a48) : Hex(0x55524c));
            UseFont(cr, PageSansBold, 18);
            DrawLine(cr, "SWITCH " + std::to_string(index + 1), cx, ry + 23, Align::Centre, PagePaper);
            UseFont(cr, PageSansBold, 32);
            DrawLine(cr, on ? "ON" : "OFF", cx, ry + 57, Align::Centre, PagePaper);
        }
    };
    UseFont(cr, PageSansBold, 19);
    DrawLine(cr, "UPPER ROW", 72, 632, Align::Left, PageAccent);
    row(640, 4);
    UseFont(cr, PageSansBold, 19);
    DrawLine(cr, "LOWER ROW", 72, 732, Align::Left, PageAccent);
    row(740, 0);
    page.Text("ON = lever UP, green window lit.   OFF = lever DOWN.", 60, 838, PageW - 120, 23, PageInk, PageSansBold);
    page.RuleBox("THEN",
                 "The lamps light up one by one and turn green: done. They go dark? Recheck the "
                 "switches.",
                 856);
    page.Footer();
    return page.Save(out + "/02_PlantBoot.png");
}

bool AdminAuthenticationPage(const std::string& assets, const std::string& out)
{
    Page page(assets, 3);
    cairo_t* cr = page.cr();
    double y = page.Title("3", "Admin authentication");
    page.Text("Next, log in. The code depends on TODAY'S DATE on the terminal's top line, e.g. \"Today is "
              "Thursday August 14th\".",
              60, y + 10, PageW - 120);
    // The panel, labelled, with the legend beside it.
    const Sheet& base = page.Load(Asset::PanelModuleBase, 4, 4);
    const Sheet& sw = page.Load(Asset::SwitchSheet, 2, 1);
    const Sheet& button = page.Load(Asset::Button2Sheet, 3, 1);
    const Sheet& bulb = page.Load(Asset::LightBulb);
    View v = page.Diagram(250, 360, 475, 420, 0.7);
    v.Rect(475, 400, 450, 175, {0.4, 0.4, 0.4, 1});
    v.Nine(base, 475, 400, 450, 175, 5);
    const bool example[4] = {false, false, true, true};
    for (int i = 0; i < 4; ++i) {
        v.Frame(sw, example[i] ? 1 : 0, 300 + 75 * i, 400, 100, 100, NoColour);
        v.Frame(bulb, 0, 300 + 75 * i, 466.67, 120, 120, example[i] ? LampWhiteTint : LampOffTint);
        UseFont(cr, PageSansBold, 20);
        DrawLine(cr, std::to_string(i + 1), v.X(300 + 75 * i), 478, Align::Centre, PageAccent);
    }
    v.Frame(button, 0, 637.5, 400, 60, 60, NoColour);
    page.Label("ENTER", v.X(637.5), 478, 18, PageAccent);
    DrawFrame(cr, sw, 1, 492, 305, 70, 70, NoColour);
    DrawFrame(cr, sw, 0, 492, 385, 70, 70, NoColour);
    UseFont(cr, PageSansBold, 24);
    DrawLine(cr, "UP = YES", 532, 313, Align::Left, Hex(0x2f8a48));
    DrawLine(cr, "DOWN = NO", 532, 393, Align::Left, PageInk);
    page.Text("Above: Thursday August 14th.", 460, 478, PageW - 520, 20, {0.35, 0.35, 0.35, 1});
    struct Question {
        const char* ask;
        const char* yes;
    } questions[4] = {
        {"Is the MONTH January to June?", "yes for Jan, Feb, Mar, Apr, May, Jun"},
        {"Is it MONDAY, TUESDAY or WEDNESDAY?", "no for Thursday to Sunday"},
        {"Is the DAY an even number?", "2nd, 4th, 6th ... 30th"},
        {"Is the DAY before the 15th?", "yes for the 1st to the 14th"},
    };
    for (int i = 0; i < 4; ++i) {
        double top = 508 + i * 86;
        RoundedRect(cr, 60, top, PageW - 120, 78, 10);
        SetColour(cr, WithAlpha(PageAccent, 0.08));
        cairo_fill(cr);
        FillCircle(cr, 100, top + 39, 24, PageAccent);
        UseFont(cr, PageSansBold, 28);
        DrawLine(cr, std::to_string(i + 1), 100, top + 49, Align::Centre, PagePaper);
        UseFont(cr, PageSansBold, 25);
        DrawLine(cr, questions[i].ask, 140, top + 35, Align::Left, PageInk);
        UseFont(cr, PageSans, 20);
        DrawLine(cr, questions[i].yes, 140, top + 64, Align::Left, {0.3, 0.3, 0.3, 1});
    }
    page.RuleBox("THEN PRESS THE ROUND BUTTON",
                 "All lamps GREEN: logged in, the shift begins. RED: a switch is wrong - fix it, press again.", 862);
    page.Footer();
    return page.Save(out + "/03_AdminAuthentication.png");
}

bool OnsiteIncidentPage(const std::string& assets, const std::string& out)
{
    Page page(assets, 4);
    cairo_t* cr = page.cr();
    double y = page.Title("4", "Safety sign");
    y = page.Text("The last task of a good shift. When every order is done, the terminal says: \"add another day "
                  "without incident to the counter\".",
                  60, y + 10, PageW - 120, 25);
    // The sign and its button as they hang on the wall, near the top of the desk.
    const Sheet& sign = page.Load(Asset::IncidentSign);
    const Sheet& font = page.Load(Asset::FontOxygenMonoSheet, 16, 6);
    View v = page.Diagram(PageW / 2 + 40, 470, -500, 430, 1.2);
    v.Frame(sign, 0, -500, 430, 240, 240, SolidBlack);
    v.Rect(-650, 430, 50, 50, {1, 1, 1, 1});
    v.Text(font, 2.0, "7", -500, 470, 50, SolidBlack, nullptr, true);
    v.Text(font, 2.0, "Days", -500, 405, 25, SolidBlack, nullptr, true);
    v.Text(font, 2.0, "Since Last", -500, 380, 25, SolidBlack, nullptr, true);
    v.Text(font, 2.0, "Meltdown", -500, 355, 25, SolidBlack, nullptr, true);
    RoundedRect(cr, v.X(-650) - 44, v.Y(430) - 44, 88, 88, 10);
    SetColour(cr, PageWarn);
    cairo_set_line_width(cr, 4);
    cairo_stroke(cr);
    page.Label("PRESS", v.X(-650), v.Y(430) + 76, 24, PageWarn);
    page.Arrow(v.X(-650) - 60, v.Y(430) - 90, v.X(-650) - 30, v.Y(430) - 50, PageWarn, 4);
    y = page.RuleBox("ADD A DAY",
                     "Press the small white button to the left of the \"Days Since Last Meltdown\" sign, once. The "
                     "count goes up by one and the shift is over. Well done, operator.",
                     640);
    page.RuleBox("NOT BEFORE",
                 "The button does nothing until the terminal asks for it. If the countdown runs out "
                 "first, it is too late.",
                 y, PageWarn);
    page.Footer();
    return page.Save(out + "/04_OnsiteIncident.png");
}

// The blank page: fills the last spread when the count of pages is odd, and stands at the end otherwise.
bool BlankPage(const std::string& assets, const std::string& /*out: the page has a fixed name*/)
{
    Page page(assets, -1); // unnumbered: it may end up on either side of any spread
    cairo_t* cr = page.cr();
    UseFont(cr, PageSans, 20);
    DrawLine(cr, "This page is intentionally left blank.", PageW / 2, PageH / 2, Align::Centre, {0.45, 0.45, 0.42, 1});
    page.Footer();
    return page.Save(AssetFile(assets, Asset::ManualBlankPage)); // a JPEG, as the game expects by name
}

std::vector<PageMaker>& PageRegistry()
{
    static std::vector<PageMaker> pages;
    return pages;
}

} // namespace

bool RegisterManualPage(PageMaker make)
{
    PageRegistry().push_back(make);
    return true;
}

const std::vector<PageMaker>& RegisteredManualPages()
{
    return PageRegistry();
}

bool MakeManualPages(const std::string& dir)
{
    const std::string out = dir + "/Pages";
    bool ok = Cover(dir, out);
    ok = HowTo(dir, out) && ok;
    ok = PlantBootPage(dir, out) && ok;
    ok = AdminAuthenticationPage(dir, out) && ok;
    ok = OnsiteIncidentPage(dir, out) && ok;
    ok = BlankPage(dir, out) && ok;
    for (PageMaker make : RegisteredManualPages()) {
        ok = make(dir, out) && ok;
    }
    return ok;
}

} // namespace art
