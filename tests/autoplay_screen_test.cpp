// The screen description rebuilt from the draw records, and the player's reading of it: runs of text from
// glyph quads, pictures by file and frame, what is out of view, the terminal's wrapped lines.
#include "engine/system.h"
#include "platform/pxl.h"
#include "platform/pxl_control.h"
#include "render/sprite.h"
#include "render/sprite_sheet.h"
#include "support/headless_window.h"
#include "terminal/terminal.h"
#include "tools/autoplay/screen_reading.h"
#include "tools/sim/screen_description.h"

#include <functional>
#include <gtest/gtest.h>

namespace {

// The real sheets from the build folder's Assets, on the headless backend, with the desk's view: 1.5 world
// units a pixel, the camera at the origin, so world (0, 0) is pixel (640, 360).
class ScreenDescriptionTest : public testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(OpenHeadlessWindow());
        for (const BaseSystem* system : systems) {
            ASSERT_TRUE(system->init()) << system->name;
        }
        PXL_Camera_SetZoom(1.5f);
        ResetDrawState();
    }
    void TearDown() override
    {
        for (auto system = std::rbegin(systems); system != std::rend(systems); ++system) {
            (*system)->exit();
        }
        PXL_System_Exit();
    }

    static ScreenDescription Shown(const std::function<void()>& draw)
    {
        PXL_Graphics_StartDrawing();
        draw();
        PXL_Graphics_FinishDrawing();
        return DescribeLastFrame(7);
    }

    const BaseSystem* systems[4] = {&SpriteSheetSystem, &MeshSystem, &NineSliceSystem, &ShaderSystem};
};

TEST_F(ScreenDescriptionTest, GlyphsBecomeLinesOfTextWithTheirFontPlaceAndGlow)
{
    ScreenDescription screen = Shown([] {
        DrawTint = {0, 1, 0, 1};
        DrawText(FontIBM3270, "/> Hold it.\nnow", {-300, 150}, {30, 30}, false, true);
        DrawTint = {0, 0, 0, 1};
        DrawText(FontOxygenMono, "Days", {0, -75}, {25, 25}, true, false);
    });
    ASSERT_EQ(screen.texts.size(), 3u);
    const ScreenText& first = screen.texts[0];
    EXPECT_EQ(first.font, "Fonts/IBM3270Regular.png");
    EXPECT_EQ(first.text, "/> Hold it.") << "blanks and stops are glyphs of the line too";
    EXPECT_FLOAT_EQ(first.x, 640 - 300 / 1.5f);
    EXPECT_FLOAT_EQ(first.y, 360 - 150 / 1.5f);
    EXPECT_FLOAT_EQ(first.glyphWidth, 20);
    EXPECT_NEAR(first.advance, 17.5f / 1.5f, 1e-3);
    EXPECT_TRUE(first.glow);
    EXPECT_EQ(screen.texts[1].text, "now");
    EXPECT_FLOAT_EQ(screen.texts[1].y, first.y + 20) << "the next line, one glyph height lower";
    EXPECT_EQ(screen.texts[2].text, "Days");
    EXPECT_EQ(screen.texts[2].font, "Fonts/OxygenMono_Font_Texture.png");
    EXPECT_FALSE(screen.texts[2].glow);
    EXPECT_FLOAT_EQ(screen.texts[2].tint.a, 1);
    EXPECT_TRUE(screen.pictures.empty()) << "the glow backdrops belong to their glyphs";
    std::optional<PXL_Vec2> days = TextCentre(screen, "Days");
    ASSERT_TRUE(days);
    EXPECT_NEAR(days->x, 640, 0.01) << "a centred text is centred on its position";
}

TEST_F(ScreenDescriptionTest, PicturesByFileAndFrameOnlyWhereTheyCanBeSeen)
{
    ScreenDescription screen = Shown([] {
        const PXL_Color none{0, 0, 0, 0};
        DrawSheetFrame(SheetSwitch, 1, {150, 0}, {100, 100}, 0.0f, &none);
        // An untextured quad right after a textured draw: no picture, whatever texture was bound last.
        DrawTint = {1, 1, 1, 1};
        PXL_Vec2 at{-150, 0}, size{50, 50};
        DrawTexture(nullptr, &at, &size, 1, 0.0f);
        PXL_Vec2 far{5000, 0};
        DrawTexture(nullptr, &far, &size, 1, 0.0f);
        DrawAlpha = 0.0f;
        DrawTexture(nullptr, &at, &size, 1, 0.0f);
        DrawAlpha = 1.0f;
        PXL_Vec2 wide{300, 30};
        DrawSheetFrame(SheetButton2, 2, {0, -300}, wide, 1.5707963f, &none);
    });
    ASSERT_EQ(screen.pictures.size(), 3u) << "the one out of view and the transparent one are not described";
    const ScreenPicture& lever = screen.pictures[0];
    EXPECT_EQ(lever.file, "Interactables/Switch_1-Sheet.png");
    EXPECT_EQ(lever.frame, 1u);
    EXPECT_EQ(lever.columns, 2u);
    EXPECT_FLOAT_EQ(lever.x, 740);
    EXPECT_FLOAT_EQ(lever.width, 100 / 1.5f);
    EXPECT_EQ(screen.pictures[1].file, "");
    EXPECT_FLOAT_EQ(screen.pictures[1].tint.r, 1);
    const ScreenPicture& turned = screen.pictures[2];
    EXPECT_EQ(turned.frame, 2u);
    EXPECT_TRUE(turned.Contains(640, 560 - 90)) << "a quarter turn stands the wide button upright";
    EXPECT_FALSE(turned.Contains(640 + 90, 560));
    EXPECT_FALSE(BareDeskAt(screen, 740, 360));

    std::string json = ScreenDescriptionJson(screen);
    EXPECT_NE(json.find("\"file\":\"Interactables/Switch_1-Sheet.png\",\"frame\":1,\"grid\":[2,1]"), std::string::npos)
        << json;
}

TEST_F(ScreenDescriptionTest, TerminalLinesAreRejoinedWhereTheyWrapped)
{
    Terminal terminal({0, 0}, {700, 525});
    terminal.header = "Today is Monday May 4th";
    terminal.textOrigin.y -= 2 * terminal.glyphSize.y;
    terminal.lines = {
        "Operator on shift.",      "/> WARNING: Radon Waves reaching",   "unprecedented levels! Regulate them",
        "using the Wavulon 3000.", "Radon waves successfully regulated", "/> Hold"};
    ScreenDescription screen = Shown([&] { terminal.Render(); });
    TerminalReading reading = ReadTerminal(screen);
    ASSERT_TRUE(reading.visible);
    EXPECT_EQ(reading.date, "Monday May 4th");
    ASSERT_EQ(reading.rows.size(), 6u) << "the cursor is not part of any row";
    EXPECT_EQ(reading.rows.back(), "/> Hold");
    std::vector<std::string> lines = {
        "Operator on shift.",
        "/> WARNING: Radon Waves reaching unprecedented levels! Regulate them using the Wavulon 3000.",
        "Radon waves successfully regulated", "/> Hold"};
    EXPECT_EQ(reading.lines, lines);
    EXPECT_EQ(reading.Orders().size(), 2u);
}

TEST_F(ScreenDescriptionTest, AnOrderReadBeforeIsNotANewOrderWhenTheLineBelowSeemsToCarryOnFromIt)
{
    // The order's last row is full enough that the report's first word would not have fitted after it, so the
    // report reads as the rest of the order's line.
    Terminal terminal({0, 0}, {700, 525});
    terminal.header = "Today is Monday May 4th";
    terminal.textOrigin.y -= 2 * terminal.glyphSize.y;
    const std::string beta =
        "/> WARNING: Beta particles approaching unacceptable levels of anger! Target and eliminate them.";
    const std::string radon =
        "/> WARNING: Radon Waves reaching unprecedented levels! Regulate them using the Wavulon 3000.";
    terminal.lines = {
        "/> WARNING: Beta particles", "approaching unacceptable levels of", "anger! Target and eliminate them.",
        "Beta particle eliminated.",  "/> WARNING: Radon Waves reaching",   "unprecedented levels! Regulate them",
        "using the Wavulon 3000.",    "/> WARNING: Radon Waves reaching",   "unprecedented levels! Regulate them",
        "using the Wavulon 3000."};
    ScreenDescription screen = Shown([&] { terminal.Render(); });
    TerminalReading reading = ReadTerminal(screen);
    ASSERT_EQ(reading.Orders().size(), 3u);
    EXPECT_EQ(reading.Orders()[0], beta + " Beta particle eliminated.") << "the reading itself cannot tell";
    EXPECT_EQ(reading.OrdersBeyond({}), reading.Orders());
    EXPECT_EQ(reading.OrdersBeyond({beta}), (std::vector<std::string>{radon, radon}));
    EXPECT_EQ(reading.OrdersBeyond({beta, radon}), (std::vector<std::string>{radon}))
        << "an order given twice is read twice";
    EXPECT_TRUE(reading.OrdersBeyond({beta, radon, radon}).empty());
    EXPECT_EQ(reading.OrdersBeyond({"/> WARNING: Beta"}).size(), 3u) << "only whole words carry a line on";
}

TEST(ScreenReadingTest, CountdownAsShown)
{
    EXPECT_DOUBLE_EQ(CountdownSeconds("04:59:983"), 299.983);
    EXPECT_DOUBLE_EQ(CountdownSeconds("00:00.000"), 0);
    EXPECT_LT(CountdownSeconds(""), 0);
}

} // namespace
