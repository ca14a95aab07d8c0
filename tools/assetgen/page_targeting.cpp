// Manual page 8: the targeting radar. The radar screen as a 5 by 3 grid with its columns and rows numbered,
// the five codes of the code display with their grid points, straight from the machine's own table, and
// how the slider, the dial and the fire button steer and shoot.
#include "manual_page.h"
#include "modules/module_tables.h"

#include <string>

namespace art {

namespace {

std::string PointText(const targeting_table::Code& code)
{
    return "(" + std::to_string(code.column) + ", " + std::to_string(code.row) + ")";
}

// The radar screen seen as a grid: columns 0 (left edge) to 5 (right edge), rows 0 (bottom edge) to 3 (top).
void Grid(Page& page, double left, double top, double width, double height)
{
    using namespace targeting_table;
    cairo_t* cr = page.cr();
    const double cellW = width / GridColumns, cellH = height / GridRows;
    FillRoundedRect(cr, left - 14, top - 14, width + 28, height + 28, 10, Hex(0x2b2b2e));
    cairo_rectangle(cr, left, top, width, height);
    SetColour(cr, SolidBlack);
    cairo_fill(cr);
    SetColour(cr, {0.2, 0.75, 0.3, 0.55});
    cairo_set_line_width(cr, 1.5);
    const double dash[] = {6, 5};
    cairo_set_dash(cr, dash, 2, 0);
    for (int c = 1; c < GridColumns; ++c) {
        cairo_move_to(cr, left + c * cellW, top);
        cairo_line_to(cr, left + c * cellW, top + height);
    }
    for (int r = 1; r < GridRows; ++r) {
        cairo_move_to(cr, left, top + r * cellH);
        cairo_line_to(cr, left + width, top + r * cellH);
    }
    cairo_stroke(cr);
    cairo_set_dash(cr, nullptr, 0, 0);
    for (int c = 0; c <= GridColumns; ++c)
        page.Label(std::to_string(c), left + c * cellW, top + height + 44, 24, PageAccent, Align::Centre, PageSansBold);
    for (int r = 0; r <= GridRows; ++r)
        page.Label(std::to_string(r), left - 36, top + height - r * cellH + 8, 24, PageAccent, Align::Centre,
                   PageSansBold);
    page.Label("COLUMN", left + width / 2, top + height + 72, 17, PageAccent, Align::Centre, PageSansBold);
    cairo_save(cr);
    cairo_translate(cr, left - 62, top + height / 2);
    cairo_rotate(cr, -M_PI / 2);
    page.Label("ROW", 0, 0, 17, PageAccent, Align::Centre, PageSansBold);
    cairo_restore(cr);
    // Each code's point, with its code beside it.
    for (const Code& code : Codes) {
        const double x = left + code.column * cellW, y = top + height - code.row * cellH;
        FillCircle(cr, x, y, 7, {0.3, 1, 0.4, 1});
        const bool onRight = code.column == GridColumns;
        const double lx = onRight ? x - 12 : x + 12;
        const double ly = code.row == 0 ? y - 12 : y + 22;
        page.Label(std::string(code.text), lx, ly, 17, {0.75, 1, 0.8, 1}, onRight ? Align::Right : Align::Left);
    }
}

bool TargetingPage(const std::string& assets, const std::string& out)
{
    using namespace targeting_table;
    Page page(assets, 8);
    cairo_t* cr = page.cr();
    double y = page.Title("8", "Targeting radar");
    page.Text("Ordered to TARGET AND ELIMINATE beta particles? Read the CODE on the small code display by the "
              "terminal. Its point on the radar is below. Put the green marker on that point and FIRE.",
              60, y + 10, PageW - 120, 23);

    Grid(page, 125, 330, 370, 180);

    // The codes and their points, as a table beside the grid.
    const double tx = 555, ty = 318;
    UseFont(cr, PageSansBold, 18);
    DrawLine(cr, "CODE", tx, ty, Align::Left, PageAccent);
    DrawLine(cr, "COL, ROW", PageW - 60, ty, Align::Right, PageAccent);
    for (size_t i = 0; i < Codes.size(); ++i) {
        const double row = ty + 16 + i * 44;
        RoundedRect(cr, tx - 10, row, PageW - 50 - tx, 38, 6);
        SetColour(cr, WithAlpha(PageAccent, i % 2 ? 0.05 : 0.12));
        cairo_fill(cr);
        page.Label(std::string(Codes[i].text), tx, row + 27, 21, PageInk, Align::Left);
        page.Label(PointText(Codes[i]), PageW - 62, row + 27, 18, PageAccent, Align::Right);
    }

    // The machine, with what each control does.
    const Sheet& base = page.Load(Asset::PanelModuleBase, 4, 4);
    const Sheet& hole = page.Load(Asset::PanelDeskHole, 4, 4);
    const Sheet& frame = page.Load(Asset::PanelScreen2, 4, 4);
    const Sheet& dial = page.Load(Asset::Spinner);
    const Sheet& handle = page.Load(Asset::Handle);
    const Sheet& fire = page.Load(Asset::Button1Sheet, 3, 1);
    const Sheet& bulb = page.Load(Asset::LightBulb);
    View v = page.Diagram(215, 735, 0, 50, 0.5);
    v.Nine(base, 0, 50, 550, 400, 0);
    v.Nine(hole, -225, 37.5, 0, 225, 4);
    v.Frame(dial, 0, 0, -50, 120, 120, NoColour);
    v.Frame(handle, 0, -225, 37.5, 120, 120, NoColour);
    v.Frame(fire, 0, 187.5, 0, 120, 120, NoColour);
    v.Rect(0, 125, 262.5, 150, SolidBlack);
    v.Rect(-22.5, 125, 5, 150, {0.25, 0.25, 0.25, 1});
    v.Rect(0, 106.25, 262.5, 5, {0.25, 0.25, 0.25, 1});
    v.Rect(-67.5, 143.75, 15, 15, {0, 1, 0, 1});
    v.Nine(frame, 0, 125, 225, 112.5, 10);
    v.Frame(bulb, 0, 187.5, 75, 120, 120, LampOffTint);
    // Arrows on the controls.
    page.Arrow(v.X(-225) - 40, v.Y(37.5) + 10, v.X(-225) - 40, v.Y(37.5) - 50, PageWarn, 4);
    page.Arrow(v.X(-225) - 40, v.Y(37.5) + 30, v.X(-225) - 40, v.Y(37.5) + 90, PageWarn, 4);
    page.Label("1", v.X(-225) - 64, v.Y(37.5) + 28, 24, PageWarn, Align::Centre, PageSansBold);
    page.Label("2", v.X(0), v.Y(-50) + 58, 24, PageWarn, Align::Centre, PageSansBold);
    page.Label("3", v.X(187.5) + 40, v.Y(0) + 8, 24, PageWarn, Align::Centre, PageSansBold);

    const double sx = 395, sw = PageW - sx - 55;
    double sy = 640;
    const struct {
        const char* head;
        const char* text;
    } steps[] = {
        {"1  SLIDER: left - right", "Handle UP moves the marker LEFT, DOWN moves it RIGHT."},
        {"2  DIAL: up - down", "Turn it ANTICLOCKWISE to raise the marker, CLOCKWISE to lower it."},
        {"3  FIRE", "When the marker sits on the point."},
    };
    for (const auto& step : steps) {
        UseFont(cr, PageSansBold, 21);
        DrawLine(cr, step.head, sx, sy, Align::Left, PageWarn);
        sy = page.Text(step.text, sx, sy + 26, sw, 20) + 6;
    }
    page.RuleBox("LAMP", "RED: a miss, aim again. GREEN: eliminated. Ignore the grey crosshair.", 872);
    page.Footer();
    return page.Save(out + "/08_Targeting.png");
}

const bool registered = RegisterManualPage(TargetingPage);

} // namespace

} // namespace art
