// What the OpenGL backend actually puts on screen for the game's draws: colour, alpha, frames of a sheet and
// tinted glyphs, read back from a hidden window. Skipped where there is no display.
#include "engine/system.h"
#include "platform/pxl.h"
#include "platform/pxl_control.h"
#include "render/nine_slice.h"
#include "render/shaders.h"
#include "render/sprite.h"
#include "render/sprite_sheet.h"
#include "stb_image_write.h"
#include "terminal/terminal.h"

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <gtest/gtest.h>
#include <string>
#include <unistd.h>
#include <vector>

namespace {

namespace fs = std::filesystem;

struct Rgb {
    int r, g, b;
};

std::ostream& operator<<(std::ostream& out, Rgb c)
{
    return out << "(" << c.r << ", " << c.g << ", " << c.b << ")";
}

constexpr int WindowWidth = 640;
constexpr int WindowHeight = 360;
// Dark blue: neither the red, the green nor the black of the draws below.
const PXL_Color Background = {0, 0, 0.5f, 1};
const Rgb BackgroundRgb = {0, 0, 128};

class RenderGlPixels : public testing::Test {
protected:
    void SetUp() override
    {
        const char* display = std::getenv("DISPLAY");
        if (display == nullptr || *display == '\0') {
            GTEST_SKIP() << "no display";
        }
        previousBackend = PxlCurrentBackend();
        PxlSelectBackend(PxlBackendKind::SdlGl);
        PxlSetHiddenWindow(true);
        PXL_SystemSettings settings{};
        settings.width = WindowWidth;
        settings.height = WindowHeight;
        settings.frameRate = 60;
        settings.title = "Brimvale";
        if (PXL_System_Init(&settings) == nullptr) {
            PxlSetHiddenWindow(false);
            PxlSelectBackend(previousBackend);
            GTEST_SKIP() << "no OpenGL window on this display";
        }
        open = true;
        PXL_Graphics_SetBackgroundColor(&Background);
        const PXL_Vec2 origin = {0, 0};
        PXL_Camera_SetPosition(&origin);
        PXL_Camera_SetZoom(1.0f); // one world unit per pixel, the origin at the window's centre
        ResetDrawState();
    }

    void TearDown() override
    {
        if (!open) {
            return;
        }
        if (sheetsLoaded) {
            SpriteSheetSystem.exit();
        }
        if (shadersLoaded) {
            ShaderSystem.exit();
        }
        PXL_System_Exit();
        PxlSetHiddenWindow(false);
        PxlSelectBackend(previousBackend);
        ResetDrawState();
        if (!folder.empty()) {
            std::error_code ignored;
            fs::remove_all(folder, ignored);
        }
    }

    // Draws one frame and keeps its pixels.
    template <typename Draw> void Frame(Draw draw)
    {
        PXL_Graphics_StartDrawing();
        draw();
        PXL_Graphics_FinishDrawing();
        ASSERT_TRUE(PxlReadFramePixels(pixels, width, height));
        ASSERT_EQ(width, WindowWidth);
        ASSERT_EQ(height, WindowHeight);
    }

    // The colour shown at a world point (y up, origin at the centre).
    Rgb At(float x, float y) const
    {
        int column = int(float(width) / 2 + x);
        int row = int(float(height) / 2 - y);
        const uint8_t* p = &pixels[(size_t(row) * width + column) * 4];
        return {p[0], p[1], p[2]};
    }

    // Puts a picture of our own into the sheet table under a font's id.
    void LoadFontFixture(SpriteSheetId id, const std::vector<uint8_t>& rgba, int w, int h)
    {
        folder = fs::temp_directory_path() / ("brimvale-gl-" + std::to_string(getpid()));
        fs::create_directories(folder / "Assets/Fonts");
        ASSERT_TRUE(stbi_write_png((folder / "Assets/Fonts/Fixture.png").c_str(), w, h, 4, rgba.data(), w * 4));
        fs::path previousDir = fs::current_path();
        fs::current_path(folder);
        DeclareSpriteSheet(id, "Fonts/Fixture.png", 16, 6);
        LoadDeclaredSheets();
        fs::current_path(previousDir);
        sheetsLoaded = true;
        ASSERT_NE(GetSheetSprite(id)->sheet->texture, nullptr);
    }

    PxlBackendKind previousBackend{};
    bool open = false;
    bool sheetsLoaded = false;
    bool shadersLoaded = false;
    fs::path folder;
    std::vector<uint8_t> pixels;
    int width = 0;
    int height = 0;
};

testing::AssertionResult Near(Rgb actual, Rgb expected, int tolerance)
{
    if (std::abs(actual.r - expected.r) <= tolerance && std::abs(actual.g - expected.g) <= tolerance &&
        std::abs(actual.b - expected.b) <= tolerance) {
        return testing::AssertionSuccess();
    }
    return testing::AssertionFailure() << actual << " instead of " << expected;
}

TEST_F(RenderGlPixels, AnUntexturedQuadShowsTheTintAtTheDrawAlpha)
{
    struct Case {
        PXL_Color tint;
        float alpha;
        Rgb shown;
    };
    const Case cases[] = {
        {{1, 0, 0, 1}, 1.0f, {255, 0, 0}},    {{1, 0, 0, 1}, 0.5f, {128, 0, 64}}, // half red over the dark blue
        {{1, 0, 0, 0}, 0.5f, {128, 0, 64}},                                       // the tint's own alpha plays no part
        {{1, 0, 0, 1}, 1.5f, {255, 0, 0}},                                        // DrawAlpha is clamped
        {{1, 0, 0, 1}, -0.2f, BackgroundRgb},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "alpha " << c.alpha << ", tint alpha " << c.tint.a);
        DrawTint = c.tint;
        DrawAlpha = c.alpha;
        const PXL_Vec2 position = {0, 0};
        const PXL_Vec2 scale = {200, 100};
        Frame([&] { DrawTexture(nullptr, &position, &scale, PXL_FILTER_LINEAR, 0.0f); });
        EXPECT_TRUE(Near(At(0, 0), c.shown, 3));
        EXPECT_TRUE(Near(At(95, 45), c.shown, 3)) << "inside the corner";
        EXPECT_TRUE(Near(At(-95, -45), c.shown, 3)) << "inside the corner";
        EXPECT_TRUE(Near(At(105, 0), BackgroundRgb, 3)) << "past the right edge";
        EXPECT_TRUE(Near(At(0, 55), BackgroundRgb, 3)) << "past the top edge";
    }
}

TEST_F(RenderGlPixels, EachFrameOfASheetShowsItsOwnCellAndTheTintIsAdded)
{
    // Three columns and two rows of 2 by 2 pixel cells, each its own colour.
    const Rgb cells[6] = {{200, 40, 40}, {40, 200, 40}, {40, 40, 200}, {200, 200, 40}, {40, 200, 200}, {100, 60, 20}};
    std::vector<uint8_t> rgba(6 * 4 * 4);
    for (int y = 0; y < 4; ++y) {
        for (int x = 0; x < 6; ++x) {
            const Rgb& cell = cells[(y / 2) * 3 + x / 2];
            uint8_t* p = &rgba[(size_t(y) * 6 + x) * 4];
            p[0] = uint8_t(cell.r);
            p[1] = uint8_t(cell.g);
            p[2] = uint8_t(cell.b);
            p[3] = 255;
        }
    }
    PXL_Texture texture = PXL_Graphics_LoadTextureFromMemory(rgba.data(), 6, 4);
    ASSERT_NE(texture, nullptr);
    SpriteSheet sheet{2, 3, texture};
    Sprite* sprite = CreateSprite(new Sprite{}, &sheet);
    sprite->transform->scale = {60, 60};

    for (uint32_t frame = 0; frame < 6; ++frame) {
        SCOPED_TRACE(testing::Message() << "frame " << frame);
        Frame([&] {
            SpriteSetFrame(sprite, frame);
            DrawSprite(sprite, &NoTint, false, PXL_FILTER_LINEAR);
        });
        // Pixel centres just inside the quarter points sample between texels of this cell only.
        for (PXL_Vec2 at :
             {PXL_Vec2{-14.5f, 14.5f}, PXL_Vec2{14.5f, 14.5f}, PXL_Vec2{-14.5f, -14.5f}, PXL_Vec2{14.5f, -14.5f}}) {
            EXPECT_TRUE(Near(At(at.x, at.y), cells[frame], 4)) << "at " << at.x << ", " << at.y;
        }
        EXPECT_TRUE(Near(At(0, 35), BackgroundRgb, 3));
    }

    // Tint added to the texture's colour; the tint's alpha ignored, the sprite's alpha fades it.
    struct Tinted {
        PXL_Color tint;
        float alpha;
        Rgb shown;
    };
    const Tinted tinted[] = {
        {{0.2f, 0, 0, 0}, 1.0f, {251, 40, 40}},
        {{0, 0.5f, 0.2f, 1}, 1.0f, {200, 168, 91}},
        {{0, 0, 0, 1}, 0.5f, {100, 20, 84}},
    };
    for (const Tinted& t : tinted) {
        SCOPED_TRACE(testing::Message() << "tint " << t.tint.r << " " << t.tint.g << " " << t.tint.b << " alpha "
                                        << t.alpha);
        sprite->alpha = t.alpha;
        Frame([&] {
            SpriteSetFrame(sprite, 0);
            DrawSprite(sprite, &t.tint, false, PXL_FILTER_LINEAR);
        });
        EXPECT_TRUE(Near(At(-15, 15), t.shown, 4));
    }
    FreeSprite(sprite);
    PXL_Graphics_FreeTexture(&texture);
}

// The menu's terminal as a 1280 by 720 window shows it (0.75 world units a pixel), on the menu's beige: where two
// pieces of the bezel meet no darker line shows across its border or its soft shadow, and the glass's black
// backing shows no square corner outside the bezel's rounded one.
TEST_F(RenderGlPixels, PanelsShowNoSeamsAndTheTerminalNoSquareCorner)
{
    const PXL_Color beige = {0.93333334f, 0.7647059f, 0.6039216f, 1};
    PXL_Graphics_SetBackgroundColor(&beige);
    PXL_Camera_SetZoom(0.75f);
    ASSERT_TRUE(NineSliceSystem.init());
    {
        Terminal terminal({0, 0}, {300, 200});
        Frame([&] { terminal.Render(); });
    }
    NineSliceSystem.exit();
    auto pixel = [&](int column, int row) {
        const uint8_t* p = &pixels[(size_t(row) * width + column) * 4];
        return Rgb{p[0], p[1], p[2]};
    };
    auto between = [](Rgb a, Rgb b) { return Rgb{(a.r + b.r) / 2, (a.g + b.g) / 2, (a.b + b.b) / 2}; };
    // The frame's outer rim: 18.75 units outside the 300 by 200 screen, 95 pixels from the left and 21.7 from
    // the top. The top-left corner piece ends 60 units (80 pixels) further in, where the edges begin.
    const int seamColumn = 175, seamRow = 101;
    ASSERT_TRUE(Near(pixel(seamColumn, 5), {238, 195, 154}, 3)) << "the beige around the terminal";
    for (int row = 12; row < 100; ++row) {
        Rgb around = between(pixel(seamColumn - 5, row), pixel(seamColumn + 5, row));
        for (int column = seamColumn - 2; column <= seamColumn + 2; ++column) {
            EXPECT_TRUE(Near(pixel(column, row), around, 8)) << "top seam at column " << column << ", row " << row;
        }
    }
    for (int column = 85; column < 170; ++column) {
        Rgb around = between(pixel(column, seamRow - 5), pixel(column, seamRow + 5));
        for (int row = seamRow - 2; row <= seamRow + 2; ++row) {
            EXPECT_TRUE(Near(pixel(column, row), around, 8)) << "left seam at column " << column << ", row " << row;
        }
    }
    // The screen's own corner (-150, 100) lies at pixel (120, 46.7): beside the bezel's rounded corner the
    // beige shows through its soft rim, not black.
    Rgb corner = pixel(120, 47);
    EXPECT_GT(corner.r, 60) << corner;
}

// A page of fine print drawn at a quarter of its size, as the newspaper and the manual's pages are in a small
// window: smooth filtering averages it to an even grey; nearest-texel sampling picks out single texels and
// shows black and white specks.
TEST_F(RenderGlPixels, APictureDrawnSmallerIsSmoothWithTheSmoothFilter)
{
    const int side = 256;
    std::vector<uint8_t> rgba(size_t(side) * side * 4);
    for (int y = 0; y < side; ++y) {
        for (int x = 0; x < side; ++x) {
            uint8_t v = (x + y) % 2 == 0 ? 255 : 0;
            uint8_t* p = &rgba[(size_t(y) * side + x) * 4];
            p[0] = p[1] = p[2] = v;
            p[3] = 255;
        }
    }
    PXL_Texture page = PXL_Graphics_LoadTextureFromMemory(rgba.data(), side, side);
    ASSERT_NE(page, nullptr);
    DrawTint = NoTint;
    const PXL_Vec2 position = {0, 0};
    const PXL_Vec2 scale = {64, 64};
    struct Case {
        int filter;
        bool even;
    };
    for (Case c : {Case{PXL_FILTER_SMOOTH, true}, Case{PXL_FILTER_POINT, false}}) {
        SCOPED_TRACE(testing::Message() << "filter " << c.filter);
        Frame([&] { DrawTexture(page, &position, &scale, c.filter, 0.3f); });
        int lowest = 255, highest = 0;
        for (float y = -20; y <= 20; y += 1) {
            for (float x = -20; x <= 20; x += 1) {
                lowest = std::min(lowest, At(x, y).r);
                highest = std::max(highest, At(x, y).r);
            }
        }
        if (c.even) {
            EXPECT_GT(lowest, 100);
            EXPECT_LT(highest, 155);
        } else {
            EXPECT_GT(highest - lowest, 200) << "nearest-texel sampling should show specks";
        }
    }
    PXL_Graphics_FreeTexture(&page);
}

TEST_F(RenderGlPixels, AGreenTintedGlyphIsGreenWhereTheGlyphIsAndClearElsewhere)
{
    // A font sheet of 8 by 8 pixel cells: "A" fills only its top-left quarter; every other cell is solid, so a
    // wrong frame or a flipped one shows up as green where there should be none.
    const int w = 16 * 8;
    const int h = 6 * 8;
    std::vector<uint8_t> rgba(size_t(w) * h * 4, 0);
    const int aColumn = ('A' - 32) % 16;
    const int aRow = ('A' - 32) / 16;
    for (int y = 0; y < h; ++y) {
        for (int x = 0; x < w; ++x) {
            bool inA = x / 8 == aColumn && y / 8 == aRow;
            bool opaque = !inA || (x % 8 < 4 && y % 8 < 4);
            rgba[(size_t(y) * w + x) * 4 + 3] = opaque ? 255 : 0; // black
        }
    }
    LoadFontFixture(FontOxygenMono, rgba, w, h);

    // DrawTint starts with alpha 0: text must show all the same.
    DrawTint = {0, 1, 0, 0};
    DrawAlpha = 0.3f;
    Frame([] { DrawText(FontOxygenMono, "A", {0, 0}, {80, 80}, false, false); });
    const Rgb green = {0, 255, 0};
    EXPECT_TRUE(Near(At(-20, 20), green, 3)) << "the glyph's top-left quarter";
    EXPECT_TRUE(Near(At(-30, 30), green, 3));
    EXPECT_TRUE(Near(At(20, 20), BackgroundRgb, 3)) << "transparent in the glyph's cell";
    EXPECT_TRUE(Near(At(-20, -20), BackgroundRgb, 3));
    EXPECT_TRUE(Near(At(20, -20), BackgroundRgb, 3));
    EXPECT_TRUE(Near(At(0, 60), BackgroundRgb, 3)) << "outside the quad";
}

TEST_F(RenderGlPixels, GlowingTextKeepsTheTintsColourInGlyphAndHalo)
{
    shadersLoaded = true;
    ShaderSystem.init(); // from the build folder's Assets
    ASSERT_NE(CustomVertexShader, nullptr) << "the custom vertex shader did not load";
    ASSERT_NE(TerminalPixelShader, nullptr) << "the terminal pixel shader did not load";

    const int w = 16 * 8;
    const int h = 6 * 8;
    std::vector<uint8_t> rgba(size_t(w) * h * 4, 0);
    for (size_t i = 3; i < rgba.size(); i += 4) {
        rgba[i] = 255; // every glyph a solid black cell
    }
    LoadFontFixture(FontIBM3270, rgba, w, h);
    std::vector<uint8_t> glow(16 * 16 * 4, 0);
    for (size_t i = 3; i < glow.size(); i += 4) {
        glow[i] = 255;
    }
    GlowTexture = PXL_Graphics_LoadTextureFromMemory(glow.data(), 16, 16); // freed with the sheets

    DrawTint = {0, 1, 0, 1};
    Frame([] { DrawText(FontIBM3270, "A", {0, 0}, {60, 60}, false, true); });

    Rgb glyph = At(0, 0);
    EXPECT_GT(glyph.g, 150) << glyph;
    EXPECT_GT(glyph.g, 2 * glyph.r) << glyph;
    EXPECT_GT(glyph.g, 2 * glyph.b) << glyph;
    // Between the glyph (60 across) and the edge of its backdrop (90 across) the tinted backdrop glows green.
    Rgb halo = At(40, 0);
    EXPECT_GT(halo.g, 60) << halo;
    EXPECT_GT(halo.g, halo.r + 40) << halo;
    EXPECT_TRUE(Near(At(60, 0), BackgroundRgb, 3)) << "outside the backdrop";
}

} // namespace
