// Manual page 7: the Wavulon 3000. The machine as it stands on the desk with its buttons numbered 1 to 3
// from the left, then each wave picture of its screen beside the order of buttons it asks for, straight
// from the machine's own pattern table.
#include "manual_page.h"
#include "modules/module_tables.h"

#include <string>

namespace art {

namespace {

// A button number in a disc, as the machine's buttons are numbered on the page.
void ButtonDisc(cairo_t* cr, int number, double x, double y, double r)
{
    FillCircle(cr, x, y, r, PageAccent);
    UseFont(cr, PageSansBold, r * 1.25);
    DrawLine(cr, std::to_string(number), x, y + r * 0.45, Align::Centre, PagePaper);
}

bool WavulonPage(const std::string& assets, const std::string& out)
{
    using namespace wavulon_table;
    Page page(assets, 7);
    cairo_t* cr = page.cr();
    double y = page.Title("7", "Wavulon 3000");
    page.Text("Ordered to REGULATE THE RADON WAVES? Look at the Wavulon's screen, find its wave below and press "
              "the three round buttons in that order.",
              60, y + 10, PageW - 120);

    // The machine on the desk, solved, with its buttons numbered as the orders below count them.
    const Sheet& base = page.Load(Asset::PanelModuleBase, 4, 4);
    const Sheet& bezel = page.Load(Asset::PanelScreen1, 4, 4);
    const Sheet& button = page.Load(Asset::Button2Sheet, 3, 1);
    const Sheet& bulb = page.Load(Asset::LightBulb);
    const Sheet& firstWave = page.Load(WavePictures[0]);
    View v = page.Diagram(230, 440, 0, 50, 0.55);
    v.Nine(base, 0, 50, 450, 400, 0);
    v.Rect(0, 100, 300, 250, SolidBlack);
    v.Frame(firstWave, 0, 0, 100, 300, 250, NoColour);
    v.Nine(bezel, 0, 100, 300, 250, 5);
    for (int i = 0; i < ButtonCount; ++i) {
        v.Frame(button, 0, -75 + 75 * i, -80, 60, 60, NoColour);
        ButtonDisc(cr, i + 1, v.X(-75 + 75 * i), v.Y(-80) + 48, 15);
    }
    for (int i = 0; i < ButtonCount; ++i)
        v.Frame(bulb, 0, 190, 30 * i, 120, 120, LampGreenTint);
    page.Text("Buttons 1, 2, 3 from the LEFT.", 50, 612, 360, 21, PageInk, PageSansBold);

    page.Text("Each press lights one lamp RED.", 445, 330, 300, 22);
    page.Text("All three GREEN: the waves are regulated.", 445, 410, 300, 22);
    page.Text("Wrong order: the lamps go dark and the wave CHANGES. Look again and start over.", 445, 490, 300, 22,
              PageWarn, PageSansBold);

    // One row per wave: the picture as the screen shows it, then its buttons in order.
    const double rowTop = 636, rowH = 104;
    for (int p = 0; p < PatternCount; ++p) {
        const double top = rowTop + p * (rowH + 8), mid = top + rowH / 2;
        RoundedRect(cr, 60, top, PageW - 120, rowH, 10);
        SetColour(cr, WithAlpha(PageAccent, 0.08));
        cairo_fill(cr);
        const Sheet& wave = page.Load(WavePictures[static_cast<size_t>(p)]);
        const double w = 120, h = 100;
        FillRoundedRect(cr, 80 - 5, mid - h / 2 - 5, w + 10, h + 10, 6, Hex(0x2b2b2e));
        DrawFrame(cr, wave, 0, 80 + w / 2, mid, w, h, NoColour);
        UseFont(cr, PageSansBold, 20);
        std::string look(WaveLooks[static_cast<size_t>(p)]);
        DrawLine(cr, look, 280, mid + 7, Align::Centre, PageInk);
        page.Arrow(335, mid, 375, mid, PageInk, 3);
        for (int i = 0; i < ButtonCount; ++i) {
            const double x = 430 + i * 105;
            ButtonDisc(cr, Patterns[static_cast<size_t>(p * ButtonCount + i)] + 1, x, mid, 32);
            if (i + 1 < ButtonCount)
                page.Arrow(x + 38, mid, x + 68, mid, PageInk, 3);
        }
    }
    page.Footer();
    return page.Save(out + "/07_Wavulon.png");
}

const bool registered = RegisterManualPage(WavulonPage);

} // namespace

} // namespace art
