// The mock-up pages written by --previews.
#include "draw.h"
#include "engine/asset_table.h"
#include "preview.h"
#include "text.h"

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

namespace art {

namespace {

bool TextPreview(const std::string& dir, const std::string& out)
{
    Canvas canvas(1280, 720);
    cairo_t* cr = canvas.cr();
    SetColour(cr, Hex(0x202020));
    cairo_paint(cr);
    Sheet glow = LoadSheet(dir + "/" + AssetInfo(Asset::TerminalGlow).path);
    struct F {
        Asset sheet;
        double factor;
    } fonts[] = {{Asset::FontIBM3270Sheet, 2.4},
                 {Asset::FontOxygenMonoSheet, 2.0},
                 {Asset::FontLumenfallSheet, 3.4},
                 {Asset::FontTickingTimebombSheet, 2.0},
                 {Asset::FontSymbolsSheet, 5.0}};
    // 1280x720 shows the 1920x1080 design space at two thirds.
    const double k = 2.0 / 3.0;
    double y = 30;
    for (auto& f : fonts) {
        Sheet s = LoadSheet(dir + "/" + AssetInfo(f.sheet).path, 16, 6);
        DrawSheetText(cr, s, f.factor, "Today is Tuesday March 14th }", 30, y, 30 * k, {0, 1, 0, 1}, &glow);
        DrawSheetText(cr, s, f.factor, "/> Reactor core must be unlocked. 0123456789 ~", 30, y + 24, 30 * k,
                      {0, 1, 0, 1});
        DrawSheetText(cr, s, f.factor, "Resume Game 05:00.000", 30, y + 70, 70 * k, {1, 1, 1, 1});
        DrawSheetText(cr, s, f.factor, "abc ghi", 880, y + 70, 75 * k, {1, 0, 0, 1}, &glow);
        y += 140;
        FreeSheet(s);
    }
    FreeSheet(glow);
    return canvas.Save(out + "/preview-text.png");
}

struct Art {
    std::string dir;
    Sheet Load(Asset asset, int c = 1, int r = 1) const { return LoadSheet(dir + "/" + AssetInfo(asset).path, c, r); }
};

void Lamp(const View& v, const Sheet& bulb, double x, double y, Colour tint)
{
    v.Frame(bulb, 0, x, y, 120, 120, tint, 1.0);
}

// The middle of the desk as the game lays it out: terminal, countdown, plant boot, admin authentication.
bool DeskPreview(const Art& art, const std::string& out, double camX, const std::string& name, int state)
{
    Canvas canvas(1280, 720);
    cairo_t* cr = canvas.cr();
    View v{cr, camX};
    SetColour(cr, {0, 0, 0, 1});
    cairo_paint(cr);
    Sheet desk = art.Load(Asset::DeskBody);
    for (int i = -2; i <= 2; ++i)
        v.Frame(desk, 0, i * 1920.0, 0, 1920, 1080, {0, 0, 0, 1});
    Sheet screen1 = art.Load(Asset::PanelScreen1, 4, 4), screen2 = art.Load(Asset::PanelScreen2, 4, 4);
    Sheet plate = art.Load(Asset::PanelMetalPlate, 4, 4), base = art.Load(Asset::PanelModuleBase, 4, 4);
    Sheet hole = art.Load(Asset::PanelDeskHole, 4, 4);
    Sheet font7 = art.Load(Asset::FontIBM3270Sheet, 16, 6), font11 = art.Load(Asset::FontTickingTimebombSheet, 16, 6);
    Sheet font8 = art.Load(Asset::FontOxygenMonoSheet, 16, 6), font12 = art.Load(Asset::FontSymbolsSheet, 16, 6);
    Sheet glow = art.Load(Asset::TerminalGlow);
    Sheet sw = art.Load(Asset::SwitchSheet, 2, 1), bulb = art.Load(Asset::LightBulb);
    Sheet button1 = art.Load(Asset::Button1Sheet, 3, 1), button2 = art.Load(Asset::Button2Sheet, 3, 1);
    Sheet phoneKey = art.Load(Asset::PhoneButtonSheet, 3, 1), phone = art.Load(Asset::Phone);
    Sheet gauge = art.Load(Asset::TemperatureGauge), needle = art.Load(Asset::TemperatureNeedle);
    Sheet spinner = art.Load(Asset::Spinner), handle = art.Load(Asset::Handle);
    Sheet keyhole = art.Load(Asset::KeyholeSheet, 2, 1), drawer = art.Load(Asset::DeskDrawer);
    Sheet objects = art.Load(Asset::DeskObjects, 4, 4), sign = art.Load(Asset::IncidentSign);
    Sheet note = art.Load(Asset::StickyNoteBody), noteBase = art.Load(Asset::StickyNoteBase);
    Sheet bin = art.Load(Asset::TrashcanSheet, 2, 1), pencil = art.Load(Asset::PencilCursor);
    Sheet alarm = art.Load(Asset::AlarmBand), click = art.Load(Asset::MouseLeft);
    Colour black{0, 0, 0, 1}, none{0, 0, 0, 0}, green{0, 1, 0, 0.75}, red{1, 0, 0, 0.75}, white{1, 1, 1, 0.75};
    Colour off{0, 0, 0, 0.75};

    // Plant boot (900, 50).
    {
        double mx = 900, my = 50;
        v.Rect(1040, 111.25, 380, 245, {0.4, 0.4, 0.4, 1});
        v.Nine(plate, 1040, 111.25, 380, 245, 5);
        bool pattern[8] = {true, false, true, true, false, false, true, false};
        for (int r = 0; r < 2; ++r)
            for (int c = 0; c < 4; ++c) {
                bool on = state == 0 ? pattern[r * 4 + c] : (r + c) % 2;
                v.Frame(sw, on ? 1 : 0, mx + 35 + 65 * c, my + 87.5 * r, 100, 100, none);
            }
        for (int i = 0; i < 9; ++i)
            Lamp(v, bulb, 870 + 42.5 * i, my + 245 / 1.5, state == 0 ? (i < 5 ? white : off) : green);
    }
    // Admin authentication (300, 400).
    {
        v.Rect(475, 400, 450, 175, {0.4, 0.4, 0.4, 1});
        v.Nine(base, 475, 400, 450, 175, 5);
        for (int i = 0; i < 4; ++i) {
            v.Frame(sw, i % 2, 300 + 75 * i, 400, 100, 100, none);
            Lamp(v, bulb, 300 + 75 * i, 400 + 66.67, state == 0 ? (i % 2 ? white : off) : (i < 2 ? red : green));
        }
        v.Frame(button2, state, 637.5, 400, 60, 60, none);
    }
    // Terminal (0, 0), 700 x 525.
    {
        v.Rect(0, 0, 700, 525, black);
        v.Nine(screen1, 0, 0, 700, 525, 5);
        std::string lines = "BRIMVALE NUCLEAR POWER STATION\nCONTROL DESK 7 - SHIFT LOG\n\n/> Please check your manual "
                            "for\ninstructions on how to start the\nplant boot sequence.\n/> Boot sequence "
                            "complete\n/> Admin Authentication required\nto continue";
        v.Text(font7, 2.4, lines, -350 + 40, 262.5 - 40 - 60, 30, {0, 1, 0, 1}, &glow);
        v.Text(font7, 2.4, "Today is Tuesday March 14th", -350 + 40, 262.5 - 40, 30, {0, 1, 0, 1}, &glow);
        v.Text(font7, 2.4, "}", -350 + 40 + 17.5 * 11, 262.5 - 40 - 60 - 8 * 30, 30, {0, 1, 0, 1}, &glow);
    }
    // Countdown box (0, 400).
    {
        v.Rect(0, 400, 350, 125, black);
        v.Text(font11, 2.0, "04:59.250", 0, 390, 70, {1, 0, 0, 1}, &glow, true);
        v.Nine(screen2, 0, 400, 350, 125, 5);
    }
    // Reactor temperature (1700, -100).
    {
        double mx = 1700, my = -100;
        v.Nine(base, mx, my + 50, 450, 450, 0);
        v.Frame(gauge, 0, mx, my, 375, 375, black);
        v.Frame(needle, 0, mx, my - 2, 375, 375, black, 1, -(state == 0 ? -30.0 : 60.0) * 0.017453292);
        v.Frame(button2, state, mx, my - 100, 100, 100, none);
        for (int i = 0; i < 10; ++i)
            Lamp(v, bulb, 1512.5 + 41.67 * i, my + 375 / 1.7, i < 6 ? green : off);
    }
    // Sticky notes (600, -100).
    {
        double mx = 600, my = -100;
        v.Frame(bin, state, mx + 350, my - 60, 240, 240, none);
        v.Frame(note, 0, mx, my, 240, 300, black);
        v.Frame(noteBase, 0, mx, my - 180, 240, 60, black);
        v.Frame(pencil, 0, mx + 25 + 25, my - 20 + 25, 50, -50, none);
    }
    // Key module (1500, 0): keyhole plate and keyhole.
    {
        v.Nine(plate, -500, -250, 200, 100, 0);
        v.Frame(keyhole, state, -450, -250, 120, 120, none, 1, state ? 1.5707963 : 0);
        double drawerY = state == 0 ? 900 : 200;
        v.Frame(drawer, 0, 1500, drawerY - 60, 960, 960, black);
        for (int i = 0; i < 10; ++i) {
            double ox = ((i * 37) % 101 - 50) / 50.0 * 170, oy = ((i * 61) % 101 - 50) / 50.0 * 230;
            v.Frame(objects, i, 1500 + ox, drawerY + oy, 240, 240, i == 3 ? Colour{0.25, 0.25, 0.25, 1} : black);
        }
        v.Frame(objects, 15, 1500 + 150, drawerY - 200, 240, 240, black);
    }
    // Onsite incident (-500, 430).
    {
        double mx = -500, my = 430;
        v.Frame(sign, 0, mx, my, 240, 240, black);
        v.Rect(mx - 150, my, 50, 50, {1, 1, 1, 1});
        v.Text(font8, 2.0, "7", mx, my + 40, 50, black, nullptr, true);
        v.Text(font8, 2.0, "Days", mx, my - 25, 25, black, nullptr, true);
        v.Text(font8, 2.0, "Since Last", mx, my - 50, 25, black, nullptr, true);
        v.Text(font8, 2.0, "Meltdown", mx, my - 75, 25, black, nullptr, true);
    }
    // Phone (-1300, 0).
    {
        double mx = -1300, my = 0;
        v.Frame(phone, 0, mx, my, 480, 480, none);
        for (int i = 0; i < 10; ++i) {
            double kx = i < 9 ? 130 - (2 - i % 3) * 55 : 75, ky = i < 9 ? 125 - (i / 3) * 55 : -40;
            v.Frame(phoneKey, i == 4 ? 1 : i == 7 ? 2 : 0, mx + kx, my + ky, 60, 60, none);
            v.Text(font8, 2.0, std::to_string((i + 1) % 10 == 0 ? 0 : i + 1).substr(0, 1), mx + kx, my + ky, 30,
                   {1, 1, 1, 1});
        }
        Lamp(v, bulb, mx + 5, my - 115, state ? green : off);
    }
    // Decryption (-2000, 100).
    {
        double mx = -2000, my = 100;
        v.Nine(base, mx, my - 50, 700, 500, 0);
        v.Rect(mx, my, 600, 300, black);
        Lamp(v, bulb, -1750, -125, red);
        v.Text(font7, 2.4, "the big machine must come\nback online", mx - 300 + 25, my + 150 - 45, 35, {0, 1, 0, 1},
               &glow);
        v.Text(font12, 5.0, "b i c", mx, my - 100, 75, {0, 1, 0, 1}, &glow, true);
        for (int i = 0; i < 3; ++i)
            v.Frame(button2, i == 1 ? state + 1 : 0, mx - 125 + 125 * i, my - 212.5, 75, 75, none);
        v.Nine(screen1, mx, my, 600, 300, 5);
    }
    // Wavulon (-800, 0).
    {
        double mx = -800, my = 0;
        v.Nine(base, mx, my + 50, 450, 400, 0);
        v.Rect(mx, my + 100, 300, 250, black);
        v.Nine(screen1, mx, my + 100, 300, 250, 5);
        for (int i = 0; i < 3; ++i)
            v.Frame(button2, 0, mx - 75 + 75 * i, my - 80, 60, 60, none);
    }
    // Targeting (2400, 70).
    {
        double mx = 2400, my = 70;
        v.Nine(base, mx, my + 50, 550, 400, 0);
        v.Nine(hole, mx - 225, my + 37.5, 0, 225, 4);
        v.Frame(spinner, 0, mx, my - 50, 120, 120, black, 1, 0.4);
        v.Frame(handle, 0, mx - 225, my + 150 - 225 * 0.3, 120, 120, black);
        v.Frame(button1, state, mx + 187.5, my, 120, 120, none);
        v.Rect(mx, my + 125, 225 + 37.5, 112.5 + 37.5, black);
        v.Rect(mx - 112.5 + 45 * 2, my + 125, 5, 150, {0.25, 0.25, 0.25, 1});
        v.Rect(mx, my + 68.75 + 37.5, 262.5, 5, {0.25, 0.25, 0.25, 1});
        v.Rect(mx + 20, my + 140, 15, 15, {0, 1, 0, 1});
        v.Nine(screen2, mx, my + 125, 225, 112.5, 10);
        Lamp(v, bulb, mx + 187.5, my + 75, state ? green : off);
        v.Nine(plate, 450 + 75, 200, 175, 50, 10);
        v.Text(font7, 2.4, "KD4T7H", 450, 200, 50, black);
    }
    if (state == 1) {
        v.Frame(alarm, 0, camX, 540 - 12.5 * 1.5, 1920, 50, black, 0.8);
        v.Frame(click, 0, camX, -540 + 0.2 * 1080 - 15, 100, 100, {0, 0, 0, 0.9}, 0.9);
    }
    return canvas.Save(out + "/preview-" + name + ".png");
}

// The end screen at 1280 x 720: the inside page at full height, the front page over it, 3 degrees turned and
// sampled nearest, as the game draws it.
bool EndScreenPreview(const Art& art, const std::string& out, bool won)
{
    Canvas canvas(1280, 720);
    cairo_t* cr = canvas.cr();
    SetColour(cr, {0, 0, 0, 1});
    cairo_paint(cr);
    Sheet back = art.Load(Asset::NewspaperBackground);
    Sheet front = art.Load(won ? Asset::NewspaperWin : Asset::NewspaperLose);
    DrawFrame(cr, back, 0, 640, 360, 720, 720, {0, 0, 0, 0});
    if (front.surface) {
        cairo_save(cr);
        cairo_translate(cr, 640, 360);
        cairo_rotate(cr, -0.05235988);
        double k = 432.0 / cairo_image_surface_get_width(front.surface);
        cairo_scale(cr, k, k);
        cairo_translate(cr, -cairo_image_surface_get_width(front.surface) / 2.0,
                        -cairo_image_surface_get_height(front.surface) / 2.0);
        cairo_set_source_surface(cr, front.surface, 0, 0);
        cairo_pattern_set_filter(cairo_get_source(cr), CAIRO_FILTER_NEAREST);
        cairo_paint(cr);
        cairo_restore(cr);
    }
    FreeSheet(back);
    FreeSheet(front);
    return canvas.Save(out + (won ? "/preview-end-win.png" : "/preview-end-lose.png"));
}

// The open manual at 1280 x 720: black backing, two pages sampled nearest, the page arrows at the edges.
bool ManualPreview(const Art& art, const std::string& out, int spread, const std::vector<std::string>& pages)
{
    Canvas canvas(1280, 720);
    cairo_t* cr = canvas.cr();
    View v{cr, 0};
    Sheet desk = art.Load(Asset::DeskBody);
    v.Frame(desk, 0, 0, 0, 1920, 1080, {0, 0, 0, 1});
    v.Rect(0, 0, 1625, 1057, {0, 0, 0, 1});
    for (int side = 0; side < 2; ++side) {
        size_t index = 2 * spread + side;
        if (index >= pages.size())
            continue;
        Sheet page = LoadSheet(art.dir + "/" + AssetInfo(Asset::ManualPages).path + pages[index]);
        if (!page.surface)
            continue;
        double cx = v.X(side ? 400 : -400), cy = v.Y(0);
        double w = v.S(800), h = v.S(1032);
        cairo_save(cr);
        cairo_translate(cr, cx - w / 2, cy - h / 2);
        cairo_scale(cr, w / cairo_image_surface_get_width(page.surface),
                    h / cairo_image_surface_get_height(page.surface));
        cairo_set_source_surface(cr, page.surface, 0, 0);
        cairo_pattern_set_filter(cairo_get_source(cr), CAIRO_FILTER_NEAREST);
        cairo_paint(cr);
        cairo_restore(cr);
        FreeSheet(page);
    }
    Sheet arrow = art.Load(Asset::ManualNextPage);
    if (spread > 0)
        v.Frame(arrow, 0, -800, 0, -100, 100, {0, 0, 0, 0});
    if (2 * spread + 2 < static_cast<int>(pages.size()))
        v.Frame(arrow, 0, 800, 0, 100, 100, {0, 0, 0, 0});
    FreeSheet(arrow);
    FreeSheet(desk);
    return canvas.Save(out + "/preview-manual-" + std::to_string(spread) + ".png");
}

// The pause menu's keys over the dimmed desk, the exit confirmation's plate and the settings' check boxes.
bool MenuPreview(const Art& art, const std::string& out)
{
    Canvas canvas(1280, 720);
    cairo_t* cr = canvas.cr();
    View v{cr, 0};
    Sheet desk = art.Load(Asset::DeskBody);
    v.Frame(desk, 0, 0, 0, 1920, 1080, {0, 0, 0, 1});
    v.Rect(0, 0, 2020, 1180, {0.1, 0.1, 0.1, 1}, 0.6);
    Sheet key = art.Load(Asset::PanelUIButton, 4, 4), hot = art.Load(Asset::PanelUIButtonHovered, 4, 4);
    Sheet plate = art.Load(Asset::PanelMetalPlate, 4, 4), box = art.Load(Asset::CheckboxSheet, 2, 1);
    Sheet font = art.Load(Asset::FontIBM3270Sheet, 16, 6);
    const char* labels[] = {"Resume Game", "Settings", "Main Menu"};
    for (int i = 0; i < 3; ++i) {
        double y = 150 - 200 * i;
        bool hovered = i == 1;
        v.Nine(hovered ? hot : key, -450, y, 600, 150, 0);
        v.Text(font, 2.4, labels[i], -450, y + (hovered ? 3 : 10), 70, {0, 0, 0, 1}, nullptr, true);
    }
    v.Nine(plate, 420, 100, 700, 550, 1);
    v.Text(font, 2.4, "Exit to desktop?", 420, 250, 50, {0, 0, 0, 1}, nullptr, true);
    v.Nine(key, 290, -50, 240, 110, 0);
    v.Text(font, 2.4, "Confirm", 290, -40, 45, {0, 0, 0, 1}, nullptr, true);
    v.Nine(hot, 550, -50, 240, 110, 0);
    v.Text(font, 2.4, "Cancel", 550, -47, 45, {0, 0, 0, 1}, nullptr, true);
    v.Frame(box, 0, 150, -330, 128, 128, {0, 0, 0, 0});
    v.Frame(box, 1, 330, -330, 128, 128, {0, 0, 0, 0});
    FreeSheet(desk);
    FreeSheet(key);
    FreeSheet(hot);
    FreeSheet(plate);
    FreeSheet(box);
    FreeSheet(font);
    return canvas.Save(out + "/preview-menus.png");
}

} // namespace

bool WritePreviews(const std::string& dir, const std::string& out)
{
    bool ok = TextPreview(dir, out);
    Art art{dir};
    ok = EndScreenPreview(art, out, true) && ok;
    ok = MenuPreview(art, out) && ok;
    ok = EndScreenPreview(art, out, false) && ok;
    std::vector<std::string> pages;
    std::error_code error;
    for (auto& entry : std::filesystem::directory_iterator(dir + "/Pages", error))
        pages.push_back(entry.path().filename().string());
    std::sort(pages.begin(), pages.end());
    if (pages.size() % 2)
        pages.push_back("ManualBlankPage.jpg");
    for (size_t spread = 0; 2 * spread < pages.size(); ++spread)
        ok = ManualPreview(art, out, static_cast<int>(spread), pages) && ok;
    const double cams[] = {-1300, 0, 800, 1800};
    const char* names[] = {"desk-left", "desk-middle", "desk-right", "desk-far-right"};
    for (int i = 0; i < 4; ++i)
        for (int state = 0; state < 2; ++state)
            ok = DeskPreview(art, out, cams[i], std::string(names[i]) + (state ? "-b" : "-a"), state) && ok;
    return ok;
}

} // namespace art
