// Sprites, sheet frames, text and nine-slice panels as the headless backend records them: where each quad
// lands, at what size, with which frame, alpha, tint and shader mode.
#include "engine/screen_scale.h"
#include "engine/system.h"
#include "engine/trace.h"
#include "platform/pxl.h"
#include "platform/pxl_control.h"
#include "render/nine_slice.h"
#include "render/shaders.h"
#include "render/sprite.h"
#include "render/sprite_sheet.h"
#include "stb_image_write.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <gtest/gtest.h>
#include <string>
#include <unistd.h>
#include <vector>

namespace {

namespace fs = std::filesystem;

void WritePng(const fs::path& path, int width, int height)
{
    fs::create_directories(path.parent_path());
    std::vector<uint8_t> pixels(size_t(width) * height * 4, 0);
    ASSERT_TRUE(stbi_write_png(path.c_str(), width, height, 4, pixels.data(), width * 4)) << path;
}

// A small Assets tree of blank pictures: only the sizes matter here. The UI button panel is 64 pixels high,
// so its border half-size is 30 world units.
void WriteFixtureAssets(const fs::path& root)
{
    const char* sheets[] = {"Interactables/Button_1-Sheet.png",
                            "Interactables/Button_2-Sheet.png",
                            "Interactables/Button_Phone-Sheet.png",
                            "Interactables/Switch_1-Sheet.png",
                            "Interactables/Keyhole-Sheet.png",
                            "Interactables/Checkbox-Sheet.png",
                            "Interactables/Trashcan_Sheet.png",
                            "PencilCursor.png",
                            "Fonts/IBM3270Regular.png",
                            "Fonts/OxygenMono_Font_Texture.png",
                            "Fonts/Lumenfall_Font_Texture.png",
                            "Fonts/TickingTimebomb.png",
                            "Fonts/Symbols.png",
                            "Modules/Phone/Phone.png",
                            "Aesthetics/PhoneBookList.png",
                            "Fonts/TerminalTextBackground.png"};
    for (const char* sheet : sheets) {
        WritePng(root / "Assets" / sheet, 16, 12);
    }
    const char* panels[] = {"Screen_1_9Slice.png",          "Screen_2_9Slice.png",    "Metal_Plate_2_9Slice.png",
                            "UI_Button_Hovered_9Slice.png", "Module_Base_9Slice.png", "Desk_Hole_2_9Slice.png"};
    for (const char* panel : panels) {
        WritePng(root / "Assets/Aesthetics" / panel, 32, 32);
    }
    WritePng(root / "Assets/Aesthetics/UI_Button_9Slice.png", 64, 64);
    fs::create_directories(root / "Assets/Shaders");
    std::ofstream(root / "Assets/Shaders/CustomVertexShader.glsl") << "// vertex\n";
    std::ofstream(root / "Assets/Shaders/TerminalShader.glsl") << "// pixel\n";
}

class RenderRecords : public testing::Test {
protected:
    void SetUp() override
    {
        previousBackend = PxlCurrentBackend();
        PxlSelectBackend(PxlBackendKind::Headless);
        PXL_SystemSettings settings{};
        settings.width = 1280;
        settings.height = 720;
        settings.frameRate = 60;
        settings.title = "Brimvale";
        ASSERT_NE(PXL_System_Init(&settings), nullptr);

        folder = fs::temp_directory_path() / ("brimvale-render-" + std::to_string(getpid()) + "-" +
                                              testing::UnitTest::GetInstance()->current_test_info()->name());
        WriteFixtureAssets(folder);
        fs::path previousDir = fs::current_path();
        fs::current_path(folder);
        for (const BaseSystem* system : systems) {
            EXPECT_TRUE(system->init()) << system->name;
        }
        fs::current_path(previousDir);
        ResetDrawState();
        ZoomOffset = 0.0f;
    }

    void TearDown() override
    {
        for (auto system = std::rbegin(systems); system != std::rend(systems); ++system) {
            (*system)->exit();
        }
        PXL_System_Exit();
        PxlSelectBackend(previousBackend);
        ResetDrawState();
        ZoomOffset = 0.0f;
        std::error_code ignored;
        fs::remove_all(folder, ignored);
    }

    // The draws one frame records while `draw` runs.
    std::vector<PxlDrawRecord> Frame(const std::function<void()>& draw)
    {
        PXL_Graphics_StartDrawing();
        draw();
        PXL_Graphics_FinishDrawing();
        return PxlFrameDraws();
    }

    static PXL_Texture SheetTexture(SpriteSheetId id) { return GetSheetSprite(id)->sheet->texture; }

    const BaseSystem* systems[4] = {&SpriteSheetSystem, &MeshSystem, &NineSliceSystem, &ShaderSystem};
    PxlBackendKind previousBackend{};
    fs::path folder;
};

PXL_Vec2 FrameOffset(uint32_t frame, float columns, float rows)
{
    return {float(frame % uint32_t(columns)) / columns, float(frame / uint32_t(columns)) / rows};
}

testing::AssertionResult SameVec2(PXL_Vec2 actual, float x, float y)
{
    auto near = [](float a, float b) { return std::fabs(a - b) <= 1e-4f * std::max(1.0f, std::fabs(b)); };
    if (near(actual.x, x) && near(actual.y, y)) {
        return testing::AssertionSuccess();
    }
    return testing::AssertionFailure() << "(" << actual.x << ", " << actual.y << ") instead of (" << x << ", " << y
                                       << ")";
}

#define EXPECT_VEC2(actual, x, y) EXPECT_TRUE(SameVec2((actual), (x), (y)))

TEST_F(RenderRecords, ImmediateDrawsUseTheDrawStateAndClampTheAlpha)
{
    std::vector<uint8_t> white(4 * 4 * 4, 255);
    PXL_Texture texture = PXL_Graphics_LoadTextureFromMemory(white.data(), 4, 4);
    ASSERT_NE(texture, nullptr);

    DrawTint = {1, 0, 0, 1};
    PXL_Vec2 position{10, 20};
    PXL_Vec2 scale{200, 100};
    auto draws = Frame([&] {
        DrawTexture(nullptr, &position, &scale, PXL_FILTER_LINEAR, 0.0f);
        DrawTexture(texture, nullptr, nullptr, PXL_FILTER_POINT, 0.5f);
    });
    ASSERT_EQ(draws.size(), 2u);
    const PxlDrawRecord& solid = draws[0];
    EXPECT_EQ(solid.pixelShader, 0) << "a null texture draws an untextured quad";
    EXPECT_EQ(solid.vertexShader, 0);
    EXPECT_FLOAT_EQ(solid.tint.r, 1);
    EXPECT_FLOAT_EQ(solid.tint.g, 0);
    EXPECT_FLOAT_EQ(solid.tint.a, 1);
    EXPECT_VEC2(solid.position, 10, 20);
    EXPECT_VEC2(solid.scale, 200, 100);
    EXPECT_FLOAT_EQ(solid.alpha, 1);
    EXPECT_EQ(solid.blend, 1);
    EXPECT_EQ(solid.filter, 1);
    EXPECT_EQ(solid.address, 2);
    EXPECT_EQ(solid.vertexCount, 6);

    const PxlDrawRecord& whole = draws[1];
    EXPECT_EQ(whole.pixelShader, 1);
    EXPECT_EQ(whole.texture, texture);
    EXPECT_VEC2(whole.position, 0, 0) << "a missing position keeps the origin";
    EXPECT_VEC2(whole.scale, 1, 1) << "a missing scale keeps one world unit";
    EXPECT_FLOAT_EQ(whole.rotation, 0.5f);
    EXPECT_VEC2(whole.textureOffset, 0, 0);
    EXPECT_EQ(whole.filter, 0);

    PXL_Color green{0, 1, 0, 0};
    draws = Frame([&] { DrawTextureTinted(texture, &position, &scale, &green, 0.0f); });
    ASSERT_EQ(draws.size(), 1u);
    EXPECT_FLOAT_EQ(draws[0].tint.g, 1) << "the caller's tint, not DrawTint";
    EXPECT_FLOAT_EQ(draws[0].tint.r, 0);
    EXPECT_EQ(draws[0].filter, 1);

    struct AlphaCase {
        float drawAlpha;
        float drawn;
    };
    for (AlphaCase c : {AlphaCase{1.5f, 1.0f}, {-0.2f, 0.0f}, {0.4f, 0.4f}, {0.0f, 0.0f}, {NAN, 0.0f}}) {
        DrawAlpha = c.drawAlpha;
        draws = Frame([&] { DrawTexture(texture, &position, &scale, PXL_FILTER_LINEAR, 0.0f); });
        ASSERT_EQ(draws.size(), 1u);
        EXPECT_FLOAT_EQ(draws[0].alpha, c.drawn) << "DrawAlpha " << c.drawAlpha;
        if (!std::isnan(c.drawAlpha)) {
            EXPECT_FLOAT_EQ(DrawAlpha, c.drawAlpha) << "the draw leaves the caller's value alone";
        }
    }
    PXL_Graphics_FreeTexture(&texture);
}

TEST_F(RenderRecords, SheetFramesSelectTheirCellAndAnOutOfRangeFrameKeepsThePreviousOne)
{
    std::vector<uint8_t> white(6 * 4 * 4, 255);
    PXL_Texture texture = PXL_Graphics_LoadTextureFromMemory(white.data(), 6, 4);
    SpriteSheet threeByTwo{2, 3, texture};
    SpriteSheet font{6, 16, texture};
    Sprite* sprite = CreateSprite(new Sprite{}, &threeByTwo);
    Sprite* glyph = CreateSprite(new Sprite{}, &font);

    struct FrameCase {
        Sprite* sprite;
        uint32_t first;
        uint32_t then;
        PXL_Vec2 offset;
    };
    const FrameCase cases[] = {
        {sprite, 5, 5, {2.0f / 3, 1.0f / 2}},    // row 1, column 2
        {sprite, 0, 0, {0, 0}},                  //
        {sprite, 4, 6, {1.0f / 3, 1.0f / 2}},    // 6 is past the last frame: 4 stays
        {sprite, 2, 0xFFFFFFFFu, {2.0f / 3, 0}}, // so is a wrapped "negative" frame
        {glyph, 95, 95, {15.0f / 16, 5.0f / 6}}, // the last glyph, character 127
    };
    for (const FrameCase& c : cases) {
        auto draws = Frame([&] {
            SpriteSetFrame(c.sprite, c.first);
            SpriteSetFrame(c.sprite, c.then);
            DrawSprite(c.sprite, &DrawTint, false, PXL_FILTER_LINEAR);
        });
        ASSERT_EQ(draws.size(), 1u);
        EXPECT_VEC2(draws[0].textureOffset, c.offset.x, c.offset.y) << "frames " << c.first << ", " << c.then;
        EXPECT_EQ(draws[0].texture, texture);
        EXPECT_EQ(draws[0].pixelShader, 1);
    }

    // Without a sheet every frame is taken and the quad is untextured.
    Sprite* plain = CreateSprite(new Sprite{}, nullptr);
    SpriteSetFrame(plain, 1000);
    EXPECT_EQ(plain->frame, 1000u);
    auto draws = Frame([&] { DrawSprite(plain, &DrawTint, false, PXL_FILTER_LINEAR); });
    ASSERT_EQ(draws.size(), 1u);
    EXPECT_EQ(draws[0].pixelShader, 0);

    FreeSprite(plain);
    FreeSprite(glyph);
    FreeSprite(sprite);
    PXL_Graphics_FreeTexture(&texture);
}

TEST_F(RenderRecords, SpriteSetFrameTracesTheFrameThatNowStands)
{
    const char* previousHome = std::getenv("HOME");
    const char* previousConfig = std::getenv("XDG_CONFIG_HOME");
    std::string savedHome = previousHome ? previousHome : "";
    std::string savedConfig = previousConfig ? previousConfig : "";
    setenv("HOME", folder.c_str(), 1);
    setenv("XDG_CONFIG_HOME", (folder / ".config").c_str(), 1);
    TraceInit();
    ASSERT_TRUE(TraceIsOpen());
    std::string path = TracePath();

    SpriteSheet twoFrames{1, 2, nullptr};
    Sprite* sprite = CreateSprite(new Sprite{}, &twoFrames);
    Sprite* plain = CreateSprite(new Sprite{}, nullptr);
    SpriteSetFrame(sprite, 1);
    SpriteSetFrame(sprite, 7);
    SpriteSetFrame(plain, 1000);
    TraceClose();
    FreeSprite(plain);
    FreeSprite(sprite);
    previousHome ? setenv("HOME", savedHome.c_str(), 1) : unsetenv("HOME");
    previousConfig ? setenv("XDG_CONFIG_HOME", savedConfig.c_str(), 1) : unsetenv("XDG_CONFIG_HOME");

    std::ifstream log(path);
    std::vector<std::string> lines;
    for (std::string line; std::getline(log, line);) {
        lines.push_back(line);
    }
    EXPECT_EQ(lines, (std::vector<std::string>{"SpriteSetFrame: frame index = 1", "SpriteSetFrame: frame index = 1",
                                               "SpriteSetFrame: frame index = 1000"}));
}

TEST_F(RenderRecords, KeepShaderLeavesTheCustomPairInForce)
{
    Sprite* glyph = GetSheetSprite(FontIBM3270);
    Sprite* plain = CreateSprite(new Sprite{}, nullptr);
    ASSERT_NE(TerminalPixelShader, nullptr);
    ASSERT_NE(CustomVertexShader, nullptr);

    auto draws = Frame([&] {
        UseTerminalShaders();
        DrawSprite(glyph, &DrawTint, true, PXL_FILTER_LINEAR);
        DrawSprite(plain, &DrawTint, true, PXL_FILTER_LINEAR);
        DrawSprite(glyph, &DrawTint, false, PXL_FILTER_LINEAR);
        UseTerminalShaders();
        DrawSprite(plain, &DrawTint, false, PXL_FILTER_LINEAR);
    });
    ASSERT_EQ(draws.size(), 4u);
    EXPECT_EQ(draws[0].pixelShader, 2);
    EXPECT_EQ(draws[0].vertexShader, 1);
    EXPECT_EQ(draws[0].customPixel, TerminalPixelShader);
    EXPECT_EQ(draws[0].customVertex, CustomVertexShader);
    EXPECT_EQ(draws[1].pixelShader, 2) << "an untextured quad with keepShader keeps the pair too";
    EXPECT_EQ(draws[2].pixelShader, 1) << "keepShader clear sets the textured mode again";
    EXPECT_EQ(draws[2].vertexShader, 0);
    EXPECT_EQ(draws[3].pixelShader, 0) << "keepShader clear without a sheet sets the untextured mode";
    FreeSprite(plain);
}

TEST_F(RenderRecords, ASheetWithoutItsPictureDoesNotShowThePreviousTexture)
{
    Sprite* glyph = GetSheetSprite(FontOxygenMono);
    SpriteSheet missing{1, 3, nullptr};
    Sprite* sprite = CreateSprite(new Sprite{}, &missing);
    auto draws = Frame([&] {
        DrawSprite(glyph, &DrawTint, false, PXL_FILTER_LINEAR);
        DrawSprite(sprite, &DrawTint, false, PXL_FILTER_LINEAR);
    });
    ASSERT_EQ(draws.size(), 2u);
    EXPECT_EQ(draws[0].texture, SheetTexture(FontOxygenMono));
    EXPECT_EQ(draws[1].texture, nullptr);
    FreeSprite(sprite);
}

struct GlyphDraw {
    char character;
    float x, y;
};

// One draw per glyph, no glow: the glyph's frame and centre.
void ExpectGlyphs(const std::vector<PxlDrawRecord>& draws, const std::vector<GlyphDraw>& glyphs, PXL_Texture font,
                  PXL_Vec2 size)
{
    ASSERT_EQ(draws.size(), glyphs.size());
    for (size_t i = 0; i < glyphs.size(); ++i) {
        SCOPED_TRACE(testing::Message() << "glyph " << i << " '" << glyphs[i].character << "'");
        PXL_Vec2 offset = FrameOffset(uint32_t(glyphs[i].character - 32), 16, 6);
        EXPECT_VEC2(draws[i].textureOffset, offset.x, offset.y);
        EXPECT_VEC2(draws[i].position, glyphs[i].x, glyphs[i].y);
        EXPECT_VEC2(draws[i].scale, size.x, size.y);
        EXPECT_EQ(draws[i].texture, font);
        EXPECT_EQ(draws[i].pixelShader, 1);
        EXPECT_FLOAT_EQ(draws[i].rotation, 0);
    }
}

TEST_F(RenderRecords, TextPlacesGlyphsByTheFontsAdvance)
{
    // Font 8 advances 20 - 20 / 2 = 10 per glyph; lines are 30 apart.
    const PXL_Vec2 size{20, 30};
    struct TextCase {
        const char* name;
        std::string text;
        PXL_Vec2 position;
        bool centred;
        std::vector<GlyphDraw> glyphs;
    };
    const TextCase cases[] = {
        {"plain", "AB", {0, 0}, false, {{'A', 0, 0}, {'B', 10, 0}}},
        {"centred", "AB", {0, 0}, true, {{'A', -5, 0}, {'B', 5, 0}}},
        {"two lines", "A\nB", {0, 0}, false, {{'A', 0, 0}, {'B', 0, -30}}},
        // Every line of a centred text starts where the first line does.
        {"centred lines",
         "ABC\nD\nEF",
         {100, 50},
         true,
         {{'A', 90, 50}, {'B', 100, 50}, {'C', 110, 50}, {'D', 90, 20}, {'E', 90, -10}, {'F', 100, -10}}},
        // Bytes outside the sheet keep the glyph the font's sprite had, and still advance the pen.
        {"outside the sheet", "A\x01\xC3", {0, 0}, false, {{'A', 0, 0}, {'A', 10, 0}, {'A', 20, 0}}},
    };
    DrawTint = {0, 1, 0, 1};
    DrawAlpha = 0.3f;
    for (const TextCase& c : cases) {
        SCOPED_TRACE(c.name);
        auto draws = Frame([&] { DrawText(FontOxygenMono, c.text, c.position, size, c.centred, false); });
        ExpectGlyphs(draws, c.glyphs, SheetTexture(FontOxygenMono), size);
        for (const PxlDrawRecord& draw : draws) {
            EXPECT_FLOAT_EQ(draw.tint.g, 1) << "text takes DrawTint";
            EXPECT_FLOAT_EQ(draw.alpha, 1) << "DrawAlpha does not fade text";
        }
    }

    // Font 12 advances 40 - 40 / 5 = 32.
    auto draws = Frame([&] { DrawText(FontSymbols, "ab", {0, 0}, {40, 40}, true, false); });
    ExpectGlyphs(draws, {{'a', -16, 0}, {'b', 16, 0}}, SheetTexture(FontSymbols), {40, 40});

    // Not fonts, or nothing to draw.
    for (SpriteSheetId id : std::vector<SpriteSheetId>{SheetPencilCursor, SheetButton1, 99}) {
        EXPECT_TRUE(Frame([&] { DrawText(id, "AB", {0, 0}, size, false, true); }).empty()) << "id " << id;
    }
    EXPECT_TRUE(Frame([&] { DrawText(FontIBM3270, "", {0, 0}, size, true, true); }).empty());
}

TEST_F(RenderRecords, GlowingTextPutsABackdropUnderEveryGlyphButSpacesStopsAndColons)
{
    // Font 7 advances 30 - 30 / 2.4 = 17.5.
    const PXL_Vec2 size{30, 40};
    DrawTint = {0, 0.8f, 0, 0};
    DrawAlpha = 0.25f;
    auto draws = Frame([&] { DrawText(FontIBM3270, "A.B: C", {100, -20}, size, false, true); });
    EXPECT_FLOAT_EQ(DrawAlpha, 1.0f) << "glowing text leaves DrawAlpha at 1";

    struct Expected {
        char character;
        float x;
        bool glow;
    };
    const Expected glyphs[] = {{'A', 100, true},     {'.', 117.5f, false}, {'B', 135, true},
                               {':', 152.5f, false}, {' ', 170, false},    {'C', 187.5f, true}};
    size_t at = 0;
    for (const Expected& glyph : glyphs) {
        SCOPED_TRACE(testing::Message() << "'" << glyph.character << "'");
        if (glyph.glow) {
            ASSERT_LT(at, draws.size());
            const PxlDrawRecord& backdrop = draws[at++];
            EXPECT_EQ(backdrop.texture, GlowTexture);
            EXPECT_VEC2(backdrop.position, glyph.x, -20);
            EXPECT_VEC2(backdrop.scale, 45, 60);
            EXPECT_FLOAT_EQ(backdrop.alpha, 0.6f);
            EXPECT_VEC2(backdrop.textureOffset, 0, 0);
            EXPECT_EQ(backdrop.pixelShader, 2);
            EXPECT_EQ(backdrop.vertexShader, 1);
            EXPECT_EQ(backdrop.customPixel, TerminalPixelShader);
            EXPECT_FLOAT_EQ(backdrop.tint.g, 0.8f);
        }
        ASSERT_LT(at, draws.size());
        const PxlDrawRecord& drawn = draws[at++];
        PXL_Vec2 offset = FrameOffset(uint32_t(glyph.character - 32), 16, 6);
        EXPECT_EQ(drawn.texture, SheetTexture(FontIBM3270));
        EXPECT_VEC2(drawn.textureOffset, offset.x, offset.y);
        EXPECT_VEC2(drawn.position, glyph.x, -20);
        EXPECT_VEC2(drawn.scale, size.x, size.y);
        EXPECT_FLOAT_EQ(drawn.alpha, 1);
        EXPECT_FLOAT_EQ(drawn.tint.g, 0.8f);
        EXPECT_EQ(drawn.pixelShader, glyph.glow ? 2 : 1) << "the glyph of a glowing character keeps the pair";
        EXPECT_EQ(drawn.vertexShader, glyph.glow ? 1 : 0);
    }
    EXPECT_EQ(at, draws.size());
}

struct Piece {
    uint32_t frame;
    float x, y, width, height;
};

void ExpectPanel(const std::vector<PxlDrawRecord>& draws, const std::vector<Piece>& pieces)
{
    ASSERT_EQ(draws.size(), pieces.size());
    for (size_t i = 0; i < pieces.size(); ++i) {
        SCOPED_TRACE(testing::Message() << "piece " << i << " (frame " << pieces[i].frame << ")");
        PXL_Vec2 offset = FrameOffset(pieces[i].frame, 4, 4);
        EXPECT_VEC2(draws[i].textureOffset, offset.x, offset.y);
        EXPECT_VEC2(draws[i].position, pieces[i].x, pieces[i].y);
        EXPECT_VEC2(draws[i].scale, pieces[i].width, pieces[i].height);
        EXPECT_FLOAT_EQ(draws[i].rotation, 0);
        EXPECT_EQ(draws[i].texture, draws[0].texture);
        EXPECT_EQ(draws[i].pixelShader, 1);
        EXPECT_FLOAT_EQ(draws[i].tint.r, 0) << "panels ignore DrawTint";
        EXPECT_FLOAT_EQ(draws[i].tint.a, 0);
        EXPECT_FLOAT_EQ(draws[i].alpha, 1) << "panels ignore DrawAlpha";
    }
}

TEST_F(RenderRecords, NineSlicePiecesFrameTheRectangle)
{
    DrawTint = {1, 0, 0, 1};
    DrawAlpha = 0.3f;
    // Kind 3 is 64 pixels high: border half-size 30, corners 60 by 60; the pieces meet edge to edge.
    auto draws = Frame([] { DrawNineSlice({0, 0}, {400, 200}, PanelUIButton, 0, false); });
    ASSERT_NE(draws.size(), 0u);
    ASSERT_NE(draws[0].texture, nullptr);
    ExpectPanel(draws, {{1, 0, 70, 280, 60},
                        {13, 0, -70, 280, 60},
                        {11, 170, 0, 60, 80},
                        {7, -170, 0, 60, 80},
                        {0, -170, 70, 60, 60},
                        {12, -170, -70, 60, 60},
                        {2, 170, 70, 60, 60},
                        {14, 170, -70, 60, 60},
                        {5, 0, 0, 280, 80}});

    // Smaller than its border: edges and middle get a negative size (mirrored) and the columns cross over.
    draws = Frame([] { DrawNineSlice({0, 0}, {50, 40}, PanelUIButton, 0, false); });
    ExpectPanel(draws, {{1, 0, -10, -70, 60},
                        {13, 0, 10, -70, 60},
                        {11, -5, 0, 60, -80},
                        {7, 5, 0, 60, -80},
                        {0, 5, -10, 60, 60},
                        {12, 5, 10, 60, 60},
                        {2, -5, -10, 60, 60},
                        {14, -5, 10, 60, 60},
                        {5, 0, 0, -70, -80}});

    // An outset of 5 grows the frame by 18.75 on every side; zoom-scaled at ZoomOffset 0.5 the border halves.
    ZoomOffset = 0.5f;
    draws = Frame([] { DrawNineSlice({100, -50}, {400, 200}, PanelUIButton, 5, true); });
    ExpectPanel(draws, {{1, 100, 53.75f, 377.5f, 30},
                        {13, 100, -153.75f, 377.5f, 30},
                        {11, 303.75f, -50, 30, 177.5f},
                        {7, -103.75f, -50, 30, 177.5f},
                        {0, -103.75f, 53.75f, 30, 30},
                        {12, -103.75f, -153.75f, 30, 30},
                        {2, 303.75f, 53.75f, 30, 30},
                        {14, 303.75f, -153.75f, 30, 30},
                        {5, 100, -50, 377.5f, 177.5f}});
    // Not zoom-scaled, the same panel keeps its full border.
    draws = Frame([] { DrawNineSlice({100, -50}, {400, 200}, PanelUIButton, 5, false); });
    ASSERT_EQ(draws.size(), 9u);
    EXPECT_VEC2(draws[4].scale, 60, 60);
    EXPECT_VEC2(draws[4].position, -88.75f, 38.75f);

    // Each kind has its own picture; kind 0 is 32 pixels high, so its corners are 30 across.
    draws = Frame([] { DrawNineSlice({0, 0}, {400, 200}, PanelScreen1, 5, false); });
    ASSERT_EQ(draws.size(), 9u);
    EXPECT_NE(draws[0].texture, nullptr);
    EXPECT_VEC2(draws[4].scale, 30, 30);
}

} // namespace
