// Manual page 9: the reactor key. The open drawer with its clutter pushed aside and the key showing, the key
// itself, the way along the desk from the drawer to the keyhole by the terminal, and when to turn it.
#include "manual_page.h"

#include <string>

namespace art {

namespace {

constexpr int KeyFrame = 15; // the last frame of the desk objects' sheet

bool KeyModulePage(const std::string& assets, const std::string& out)
{
    Page page(assets, 9);
    cairo_t* cr = page.cr();
    double y = page.Title("9", "Reactor key");
    page.Text("Told the REACTOR CORE MUST BE UNLOCKED? Its key lies in the drawer KEYS - RX 2 at the top edge of "
              "the desk, right of the terminal, under the clutter.",
              60, y + 10, PageW - 120, 23);

    // The drawer pulled open, two things pushed aside and the key showing.
    const Sheet& drawer = page.Load(Asset::DeskDrawer);
    const Sheet& objects = page.Load(Asset::DeskObjects, 4, 4);
    const double dx = 1500, dy = 200; // the open drawer's centre on the desk
    View v = page.Diagram(215, 452, dx, dy - 60, 0.28);
    v.Frame(drawer, 0, dx, dy - 60, 960, 960, SolidBlack);
    const struct {
        int frame;
        double x, y;
    } clutter[] = {{0, -120, 170}, {5, 110, 190}, {3, 130, -40}, {7, -110, -190}, {2, -130, 40}, {8, 120, -200}};
    for (const auto& item : clutter)
        v.Frame(objects, item.frame, dx + item.x, dy + item.y, 240, 240, SolidBlack);
    v.Frame(objects, KeyFrame, dx, dy, 240, 240, SolidBlack);
    // Where the last object lay before it was dragged off the key.
    const double ghostX = v.X(dx + 20), ghostY = v.Y(dy + 10);
    const double dash[] = {6, 5};
    cairo_set_dash(cr, dash, 2, 0);
    cairo_arc(cr, ghostX, ghostY, v.S(85), 0, 2 * M_PI);
    SetColour(cr, PagePaper);
    cairo_set_line_width(cr, 3);
    cairo_stroke(cr);
    cairo_set_dash(cr, nullptr, 0, 0);
    page.Arrow(ghostX + 20, ghostY - 20, v.X(dx + 110) - 5, v.Y(dy + 190) + 30, PageWarn, 4);
    page.Label("1", v.X(dx - 200), v.Y(dy - 450) + 8, 26, PageWarn, Align::Centre, PageSansBold);
    page.Label("2", v.X(dx + 110) + 42, v.Y(dy + 190) + 42, 26, PageWarn, Align::Centre, PageSansBold);

    // The steps, beside the drawer.
    const double sx = 420, sw = PageW - sx - 55;
    double sy = 318;
    const struct {
        const char* head;
        const char* text;
    } steps[] = {
        {"1  OPEN THE DRAWER", "Click its brass handle. Click it again to shut it."},
        {"2  MOVE THINGS ASIDE", "Drag the clutter about until the key shows."},
    };
    for (const auto& step : steps) {
        UseFont(cr, PageSansBold, 21);
        DrawLine(cr, step.head, sx, sy, Align::Left, PageWarn);
        sy = page.Text(step.text, sx, sy + 27, sw, 20) + 14;
    }
    // The key itself, large, so it is known when a corner of it shows.
    FillRoundedRect(cr, sx, sy, sw, 96, 10, WithAlpha(PageAccent, 0.08));
    DrawFrame(cr, objects, KeyFrame, sx + 70, sy + 48, 150, 150, SolidBlack);
    UseFont(cr, PageSansBold, 20);
    DrawLine(cr, "THE REACTOR KEY", sx + 150, sy + 40, Align::Left, PageAccent);
    page.Text("Brass, red tag.", sx + 150, sy + 70, sw - 160, 19);

    // From the drawer to the keyhole: a strip of the desk with the terminal in the middle.
    const Sheet& plate = page.Load(Asset::PanelMetalPlate, 4, 4);
    const Sheet& keyhole = page.Load(Asset::KeyholeSheet, 2, 1);
    const Sheet& desk = page.Load(Asset::DeskBody);
    const double top = 606, height = 130;
    cairo_save(cr);
    RoundedRect(cr, 60, top, PageW - 120, height, 8);
    cairo_clip(cr);
    View strip = page.Diagram(PageW / 2, top + height / 2, 550, 10, 0.14);
    strip.Frame(desk, 0, 0, 0, 1920, 1080, SolidBlack);
    strip.Frame(desk, 0, 1920, 0, 1920, 1080, SolidBlack);
    strip.Frame(desk, 0, -1920, 0, 1920, 1080, SolidBlack);
    strip.Rect(0, 0, 700, 525, {0.1, 0.1, 0.11, 1});
    strip.Frame(drawer, 0, 1500, 840, 960, 960, SolidBlack);
    strip.Nine(plate, -500, -250, 200, 100, 0);
    strip.Frame(keyhole, 0, -450, -250, 120, 120, NoColour);
    cairo_restore(cr);
    RoundedRect(cr, 60, top, PageW - 120, height, 8);
    SetColour(cr, PageInk);
    cairo_set_line_width(cr, 2);
    cairo_stroke(cr);
    page.Label("TERMINAL", strip.X(0), strip.Y(0) + 7, 17, {0.3, 1, 0.4, 1}, Align::Centre, PageSansBold);
    cairo_set_dash(cr, dash, 2, 0);
    cairo_move_to(cr, strip.X(1500), strip.Y(420));
    cairo_curve_to(cr, strip.X(1100), strip.Y(-330), strip.X(300), strip.Y(-420), strip.X(-380), strip.Y(-270));
    SetColour(cr, PageWarn);
    cairo_set_line_width(cr, 4);
    cairo_stroke(cr);
    cairo_set_dash(cr, nullptr, 0, 0);
    page.Arrow(strip.X(-300), strip.Y(-300), strip.X(-405), strip.Y(-262), PageWarn, 4);
    page.Label("3", strip.X(1250), strip.Y(-180), 26, PageWarn, Align::Centre, PageSansBold);
    page.Label("KEYHOLE", strip.X(-900), strip.Y(-250) + 6, 17, PagePaper, Align::Centre, PageSansBold);
    page.Label("DRAWER", strip.X(2000) + 6, strip.Y(420) + 6, 17, PagePaper, Align::Left, PageSansBold);

    UseFont(cr, PageSansBold, 21);
    DrawLine(cr, "3  CARRY THE KEY TO THE KEYHOLE", 60, top + height + 32, Align::Left, PageWarn);
    y = page.Text("It is on the metal plate left of the terminal. Too far for one go? Drop the key at the screen's "
                  "edge, drag the desk along, pick it up again. Close to the keyhole it clicks in.",
                  60, top + height + 60, PageW - 120, 20);
    page.RuleBox("4  TURN IT WHEN THE TERMINAL ASKS",
                 "Click the keyhole: the key turns. A key put in early waits in the lock.", y - 6, PageWarn);
    page.Footer();
    return page.Save(out + "/09_KeyModule.png");
}

const bool registered = RegisterManualPage(KeyModulePage);

} // namespace

} // namespace art
