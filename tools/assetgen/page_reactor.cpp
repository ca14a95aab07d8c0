// Manual page 5: the reactor temperature gauge. The machine as it stands on the desk, with the needle in the
// safe band and the band's edges marked on the dial, then how the heat button and the lamps work, every
// figure straight from the machine's own table.
#include "manual_page.h"
#include "modules/module_tables.h"

#include <cmath>
#include <string>

namespace art {

namespace {

std::string Whole(float value)
{
    return std::to_string(static_cast<int>(std::lround(value)));
}

// As the dial prints it: "+45" right of the middle.
std::string Signed(float value)
{
    std::string text = Whole(value);
    if (value > 0)
        text.insert(text.begin(), '+');
    return text;
}

// A dashed ray from the gauge's pivot at a needle angle (degrees, clockwise from straight up), with its label.
void BandEdge(Page& page, double cx, double cy, double length, float degrees, const std::string& label)
{
    cairo_t* cr = page.cr();
    const double a = degrees * M_PI / 180.0;
    const double dx = std::sin(a), dy = -std::cos(a);
    const double dash[] = {8, 6};
    cairo_set_dash(cr, dash, 2, 0);
    cairo_move_to(cr, cx + dx * 30, cy + dy * 30);
    cairo_line_to(cr, cx + dx * length, cy + dy * length);
    SetColour(cr, PageAccent);
    cairo_set_line_width(cr, 3);
    cairo_stroke(cr);
    cairo_set_dash(cr, nullptr, 0, 0);
    // On a scrap of paper, so that it reads over the dial's own print.
    const double lx = cx + dx * (length + 22), ly = cy + dy * (length + 22);
    FillRoundedRect(cr, lx - 24, ly - 14, 48, 28, 6, PagePaper);
    page.Label(label, lx, ly + 8, 22, PageAccent, Align::Centre, PageSansBold);
}

bool ReactorPage(const std::string& assets, const std::string& out)
{
    using namespace reactor_table;
    Page page(assets, 5);
    double y = page.Title("5", "Reactor temperature");
    page.Text("Told the REACTOR CORE IS UNDERHEATING? The core is too cold and keeps cooling. Heat it with the "
              "round button until the needle has stayed in the green SAFE band long enough.",
              60, y + 10, PageW - 120, 23);

    // The machine on the desk, its needle inside the band and six lamps counted.
    const Sheet& base = page.Load(Asset::PanelModuleBase, 4, 4);
    const Sheet& gauge = page.Load(Asset::TemperatureGauge);
    const Sheet& needle = page.Load(Asset::TemperatureNeedle);
    const Sheet& button = page.Load(Asset::Button2Sheet, 3, 1);
    const Sheet& bulb = page.Load(Asset::LightBulb);
    const double mx = 1700, my = -100, gaugeSize = 375, shownTemperature = 20;
    View v = page.Diagram(245, 470, mx, my + 50, 0.6);
    v.Nine(base, mx, my + 50, 450, 450, 0);
    v.Frame(gauge, 0, mx, my, gaugeSize, gaugeSize, SolidBlack);
    v.Frame(needle, 0, mx, my - 2, gaugeSize, gaugeSize, SolidBlack, 1, -shownTemperature * M_PI / 180.0);
    v.Frame(button, 0, mx, my - 100, 100, 100, NoColour);
    for (int i = 0; i < LampCount; ++i)
        v.Frame(bulb, 0, mx - gaugeSize / 2 + i * gaugeSize / (LampCount - 1), my + gaugeSize / 1.7, 120, 120,
                i < 6 ? LampGreenTint : LampOffTint);
    BandEdge(page, v.X(mx), v.Y(my - 2), v.S(125), SafeLow, Whole(SafeLow));
    BandEdge(page, v.X(mx), v.Y(my - 2), v.S(125), SafeHigh, Signed(SafeHigh));
    page.Label("LAMPS", v.X(mx), v.Y(my + 275) - 8, 18, PageAccent, Align::Centre, PageSansBold);
    page.Arrow(v.X(mx + 225) + 14, v.Y(my - 100), v.X(mx) + 36, v.Y(my - 100), PageWarn, 4);
    page.Label("HEAT", v.X(mx + 225) + 20, v.Y(my - 100) + 8, 22, PageWarn, Align::Left, PageSansBold);

    // What the needle says, beside the machine.
    const double tx = 480, tw = PageW - tx - 55;
    page.Arrow(tx + 70, 352, tx, 352, Hex(0x2f68b8), 4);
    page.Label("COLD", tx + 84, 360, 22, Hex(0x2f68b8), Align::Left, PageSansBold);
    page.Arrow(tx + 170, 396, tx + 240, 396, Hex(0xc0281c), 4);
    page.Label("HOT", tx + 156, 404, 22, Hex(0xc0281c), Align::Right, PageSansBold);
    const double below = page.Text("Needle LEFT: cold. Needle RIGHT: hot. Keep it between the marks " + Whole(SafeLow) +
                                       " and " + Signed(SafeHigh) + ", in the green band.",
                                   tx, 434, tw, 21);
    page.Text("Lamps: " + std::to_string(LampCount) + " lamps fill up as the " + Whole(RequiredStableSeconds) +
                  " seconds are counted.",
              tx, below + 18, tw, 21);

    y = page.RuleBox("HOLD TO HEAT, RELEASE TO COOL",
                     "Hold the round button: the needle swings right. Let go: it falls back left. Hold it in "
                     "short bursts to keep the needle in the band.",
                     630);
    page.RuleBox("THE LAMPS COUNT " + Whole(RequiredStableSeconds) + " SECONDS IN THE BAND",
                 "Time in the band adds up over several tries; outside it the lamps go out " + Whole(PenaltyFactor) +
                     " times as fast. Then let go: the core settles by itself.",
                 y - 4, PageWarn);
    page.Footer();
    return page.Save(out + "/05_ReactorTemperature.png");
}

const bool registered = RegisterManualPage(ReactorPage);

} // namespace

} // namespace art
