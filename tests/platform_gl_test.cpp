// The SDL + OpenGL backend under a real (or virtual) display: what the pixels of a frame are.
#include "platform/pxl.h"
#include "platform/pxl_control.h"
#include "platform/pxl_gl.h"
#include "stb_image.h"
#include "support/sim_runner.h"

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>

namespace {

constexpr int SurfaceWidth = 320;
constexpr int SurfaceHeight = 240;

struct Rgb {
    int r, g, b;
};

class GlLayer : public testing::Test {
protected:
    void SetUp() override
    {
        const char* display = std::getenv("DISPLAY");
        if (!display || !*display)
            GTEST_SKIP() << "no display";
        previousBackend = PxlCurrentBackend();
        PxlSelectBackend(PxlBackendKind::SdlGl);
        PxlSetHiddenWindow(true);
        PxlSetScriptedInput(true);
        PXL_SystemSettings settings{};
        settings.width = SurfaceWidth;
        settings.height = SurfaceHeight;
        settings.frameRate = 60;
        settings.style = PXL_STYLE_FIXED_WINDOW;
        settings.title = "Brimvale";
        settings.iconResource = 107;
        testing::internal::CaptureStderr();
        void* window = PXL_System_Init(&settings);
        std::string errors = testing::internal::GetCapturedStderr();
        if (!window)
            GTEST_SKIP() << "no OpenGL window: " << errors;
        open = true;
        // One window pixel is one world unit, the world origin at the centre.
        PXL_Camera_SetZoom(1);
        PXL_Vec2 origin{0, 0};
        PXL_Camera_SetPosition(&origin);
        quad = UnitQuad(1, 1);
    }

    void TearDown() override
    {
        if (!open)
            return;
        PXL_Graphics_FreeMesh(&quad);
        PXL_System_Exit();
        PxlSetHiddenWindow(false);
        PxlSetScriptedInput(false);
        PxlSelectBackend(previousBackend);
    }

    // The sprite quad of a sheet with the given columns and rows.
    static PXL_Mesh UnitQuad(int columns, int rows)
    {
        const float u = 1.0f / columns;
        const float v = 1.0f / rows;
        const PXL_Vec2 positions[6] = {{-0.5f, -0.5f}, {-0.5f, 0.5f}, {0.5f, 0.5f},
                                       {-0.5f, -0.5f}, {0.5f, 0.5f},  {0.5f, -0.5f}};
        const PXL_Vec2 uvs[6] = {{0, v}, {0, 0}, {u, 0}, {0, v}, {u, 0}, {u, v}};
        const PXL_Color black{0, 0, 0, 1};
        PXL_Graphics_StartMesh();
        for (int i = 0; i < 6; ++i)
            PXL_Graphics_AddVertex(&positions[i], &black, &uvs[i]);
        return PXL_Graphics_EndMesh();
    }

    // The draw sequence of a sprite, as the game makes it.
    static void Draw(PXL_Mesh mesh, PXL_Texture texture, int pixelShader, int vertexShader, PXL_Vec2 position,
                     PXL_Vec2 scale, PXL_Color tint, float alpha, PXL_Vec2 offset = {0, 0}, int filter = 0)
    {
        PXL_Graphics_SetShaderMode(pixelShader, vertexShader);
        if (texture)
            PXL_Graphics_SetTexture(texture);
        PXL_Graphics_SetCB_TextureOffset(&offset);
        PXL_Graphics_SetCB_TransformData(&position, &scale, 0);
        PXL_Graphics_SetCB_Alpha(alpha);
        PXL_Graphics_SetCB_TintColor(&tint);
        PXL_Graphics_SetBlendMode(PXL_BLEND_ALPHA);
        PXL_Graphics_SetTextureSamplerData(filter, PXL_ADDRESS_CLAMP);
        PXL_Graphics_DrawMesh(mesh, PXL_TOPOLOGY_TRIANGLE_LIST);
    }

    void StartFrame(PXL_Color background)
    {
        PXL_Graphics_SetBackgroundColor(&background);
        PXL_System_FrameControl();
        PXL_System_Update();
        PXL_Graphics_StartDrawing();
    }

    void FinishFrame()
    {
        PXL_Graphics_FinishDrawing();
        ASSERT_TRUE(PxlReadFramePixels(pixels, width, height));
        ASSERT_EQ(width, SurfaceWidth);
        ASSERT_EQ(height, SurfaceHeight);
    }

    // The colour at a world point (one unit per pixel, origin at the window centre, y up).
    Rgb At(float x, float y) const
    {
        int column = int(SurfaceWidth / 2 + x);
        int row = int(SurfaceHeight / 2 - y);
        const uint8_t* p = &pixels[(size_t(row) * width + column) * 4];
        return {p[0], p[1], p[2]};
    }

    static void ExpectNear(Rgb actual, Rgb expected, const char* where, int tolerance = 2)
    {
        EXPECT_NEAR(actual.r, expected.r, tolerance) << where;
        EXPECT_NEAR(actual.g, expected.g, tolerance) << where;
        EXPECT_NEAR(actual.b, expected.b, tolerance) << where;
    }

    PxlBackendKind previousBackend{};
    bool open = false;
    PXL_Mesh quad = nullptr;
    std::vector<uint8_t> pixels;
    int width = 0;
    int height = 0;
};

TEST_F(GlLayer, UntexturedQuadShowsTheTintAtTheDrawAlpha)
{
    StartFrame({0, 0, 0, 1});
    Draw(quad, nullptr, 0, 0, {-40, 0}, {60, 60}, {1, 0, 0, 1}, 0.5f);
    Draw(quad, nullptr, 0, 0, {40, 0}, {60, 60}, {0.1f, 0.1f, 0.1f, 0}, 1.0f); // tint alpha plays no part
    FinishFrame();
    ExpectNear(At(-40, 0), {128, 0, 0}, "half red");
    ExpectNear(At(40, 0), {26, 26, 26}, "grey");
    ExpectNear(At(0, 100), {0, 0, 0}, "background");
    EXPECT_EQ(PxlLastFrameDrawCalls(), 1) << "same state, one batch";
}

TEST_F(GlLayer, TintColoursABlackGlyphWhereItsAlphaIsAndLeavesTheRestClear)
{
    // A 4x4 "glyph": opaque black in the left half, transparent on the right.
    std::vector<uint8_t> glyph(4 * 4 * 4, 0);
    for (int y = 0; y < 4; ++y)
        for (int x = 0; x < 2; ++x)
            glyph[(y * 4 + x) * 4 + 3] = 255;
    PXL_Texture texture = PXL_Graphics_LoadTextureFromMemory(glyph.data(), 4, 4);
    ASSERT_NE(texture, nullptr);

    StartFrame({0, 0, 1, 1});
    Draw(quad, texture, 1, 0, {0, 0}, {80, 80}, {0, 1, 0, 0}, 1.0f);
    FinishFrame();
    ExpectNear(At(-20, 0), {0, 255, 0}, "glyph stroke");
    ExpectNear(At(20, 0), {0, 0, 255}, "clear part shows the background");
    ExpectNear(At(0, 100), {0, 0, 255}, "background");
    PXL_Graphics_FreeTexture(&texture);
}

TEST_F(GlLayer, ATextureRemadeAtTheSizeOfOneJustFreedTakesItsStorageAndShowsTheNewPixels)
{
    auto solid = [](int side, std::initializer_list<uint8_t> colour) {
        std::vector<uint8_t> pixels;
        for (int i = 0; i < side * side; ++i)
            pixels.insert(pixels.end(), colour);
        return pixels;
    };
    const std::vector<uint8_t> red = solid(8, {255, 0, 0, 255}), green = solid(8, {0, 255, 0, 255});
    PXL_Texture texture = PXL_Graphics_LoadTextureFromMemory(red.data(), 8, 8);
    int made = PxlGlTexturesMade();
    // Rebuilt in the middle of a frame that has drawn it already, as a canvas is while the pen moves.
    StartFrame({0, 0, 0, 1});
    Draw(quad, texture, 1, 0, {-60, 0}, {80, 80}, {0, 0, 0, 0}, 1.0f);
    PXL_Graphics_FreeTexture(&texture);
    texture = PXL_Graphics_LoadTextureFromMemory(green.data(), 8, 8);
    Draw(quad, texture, 1, 0, {60, 0}, {80, 80}, {0, 0, 0, 0}, 1.0f);
    FinishFrame();
    EXPECT_EQ(PxlGlTexturesMade(), made) << "the freed storage is taken again";
    ExpectNear(At(-60, 0), {255, 0, 0}, "the draw made before the rebuild keeps the old pixels");
    ExpectNear(At(60, 0), {0, 255, 0}, "the rebuilt texture");
    PXL_Graphics_FreeTexture(&texture);
    // Another size gets storage of its own.
    PXL_Texture other = PXL_Graphics_LoadTextureFromMemory(red.data(), 4, 4);
    EXPECT_EQ(PxlGlTexturesMade(), made + 1);
    EXPECT_EQ(PXL_Graphics_GetTextureSize(other).x, 4);
    PXL_Graphics_FreeTexture(&other);
}

TEST_F(GlLayer, TextureOffsetSelectsTheFrameOfASheet)
{
    const uint8_t sheet[] = {255, 0, 0, 255, 0, 0, 255, 255}; // 2x1: red frame, blue frame
    PXL_Texture texture = PXL_Graphics_LoadTextureFromMemory(sheet, 2, 1);
    PXL_Mesh frameQuad = UnitQuad(2, 1);

    StartFrame({0, 0, 0, 1});
    Draw(frameQuad, texture, 1, 0, {-50, 0}, {60, 60}, {0, 0, 0, 1}, 1, {0, 0}, 1);
    Draw(frameQuad, texture, 1, 0, {50, 0}, {60, 60}, {0, 0, 0, 1}, 1, {0.5f, 0}, 1);
    FinishFrame();
    ExpectNear(At(-50, 0), {255, 0, 0}, "frame 0");
    ExpectNear(At(50, 0), {0, 0, 255}, "frame 1");
    // Linear filtering stays inside the frame: no blue at the edge of frame 0, no red at the edge of frame 1.
    ExpectNear(At(-50 + 29, 0), {255, 0, 0}, "edge of frame 0");
    ExpectNear(At(50 - 29, 0), {0, 0, 255}, "edge of frame 1");
    EXPECT_EQ(PxlLastFrameDrawCalls(), 1);
    PXL_Graphics_FreeMesh(&frameQuad);
    PXL_Graphics_FreeTexture(&texture);
}

TEST_F(GlLayer, CameraAndTransformPlaceQuadsWhereScreenCoordToWorldSaysTheyAre)
{
    PXL_Camera_SetZoom(0.5f); // two pixels a world unit
    PXL_Vec2 camera{100, 50};
    PXL_Camera_SetPosition(&camera);
    StartFrame({0, 0, 0, 1});
    // A 20x10 quad turned a quarter: 10 wide and 20 high on screen, centred at world (110, 40).
    PXL_Vec2 position{110, 40};
    PXL_Vec2 scale{20, 10};
    PXL_Color white{1, 1, 1, 1};
    PXL_Graphics_SetShaderMode(PXL_PIXEL_SHADER_UNTEXTURED, PXL_VERTEX_SHADER_BUILTIN);
    PXL_Graphics_SetCB_TransformData(&position, &scale, 3.14159265f / 2);
    PXL_Graphics_SetCB_TintColor(&white);
    PXL_Graphics_SetCB_Alpha(1);
    PXL_Graphics_SetBlendMode(PXL_BLEND_ALPHA);
    PXL_Graphics_DrawMesh(quad, PXL_TOPOLOGY_TRIANGLE_LIST);
    FinishFrame();

    auto lit = [&](float wx, float wy) {
        // The window pixel under the world point, from the inverse of the camera mapping.
        PXL_Vec2 centre{SurfaceWidth / 2.0f, SurfaceHeight / 2.0f};
        PXL_Vec2 world = PXL_Camera_ScreenCoordToWorld(&centre);
        int column = int(centre.x + (wx - world.x) / 0.5f);
        int row = int(centre.y - (wy - world.y) / 0.5f);
        return pixels[(size_t(row) * width + column) * 4] > 128;
    };
    EXPECT_TRUE(lit(110, 40));
    EXPECT_TRUE(lit(110, 49));
    EXPECT_TRUE(lit(106, 31));
    EXPECT_FALSE(lit(110, 52)) << "the quad is 20 high after the turn";
    EXPECT_FALSE(lit(117, 40)) << "and 10 wide";
}

TEST_F(GlLayer, DrawsShareOneCallUntilTheShaderOrBlendChangesOrTexturesRunOut)
{
    const uint8_t colours[5][4] = {
        {255, 0, 0, 255}, {0, 0, 255, 255}, {0, 255, 0, 255}, {255, 255, 255, 255}, {255, 0, 255, 255}};
    PXL_Texture textures[5];
    for (int i = 0; i < 5; ++i)
        textures[i] = PXL_Graphics_LoadTextureFromMemory(colours[i], 1, 1);

    StartFrame({0, 0, 0, 1});
    for (int i = 0; i < 500; ++i) // differing transforms, tints and alphas share a batch
        Draw(quad, textures[0], 1, 0, {float(i % 50), float(i / 50)}, {2, 2}, {0, float(i % 2), 0, 1},
             0.5f + i % 2 * 0.5f);
    FinishFrame();
    EXPECT_EQ(PxlLastFrameDrawCalls(), 1);

    // Glowing text alternates its glyph sheet and the glow backdrop; each quad still shows its own texture.
    StartFrame({0, 0, 0, 1});
    for (int i = 0; i < 8; ++i)
        Draw(quad, textures[i % 2], 1, 0, {-140.0f + i * 40, 0}, {30, 30}, {0, 0, 0, 1}, 1, {0, 0}, i % 2);
    FinishFrame();
    EXPECT_EQ(PxlLastFrameDrawCalls(), 1);
    for (int i = 0; i < 8; ++i)
        ExpectNear(At(-140.0f + i * 40, 0), i % 2 ? Rgb{0, 0, 255} : Rgb{255, 0, 0}, "alternating textures");

    StartFrame({0, 0, 0, 1});
    for (int i = 0; i < 5; ++i) // a fifth texture needs a second call
        Draw(quad, textures[i], 1, 0, {-100.0f + i * 50, 0}, {30, 30}, {0, 0, 0, 1}, 1);
    Draw(quad, nullptr, 0, 0, {0, 60}, {30, 30}, {1, 0, 0, 1}, 1); // another shader
    Draw(quad, nullptr, 0, 0, {40, 60}, {30, 30}, {1, 0, 0, 1}, 1);
    PXL_Graphics_SetBlendMode(PXL_BLEND_OPAQUE); // another blend
    PXL_Graphics_DrawMesh(quad, PXL_TOPOLOGY_TRIANGLE_LIST);
    FinishFrame();
    EXPECT_EQ(PxlLastFrameDrawCalls(), 4);
    for (int i = 0; i < 5; ++i)
        ExpectNear(At(-100.0f + i * 50, 0), {colours[i][0], colours[i][1], colours[i][2]}, "five textures");

    for (PXL_Texture& texture : textures)
        PXL_Graphics_FreeTexture(&texture);
}

TEST_F(GlLayer, TerminalShaderKeepsTheTintsHueUnderItsScanlines)
{
    PXL_VertexShader vertex = PXL_Graphics_LoadVertexShader("./Assets/Shaders/CustomVertexShader.hlsl");
    PXL_PixelShader pixel = PXL_Graphics_LoadPixelShader("./Assets/Shaders/TerminalShader.hlsl");
    ASSERT_NE(vertex, nullptr);
    ASSERT_NE(pixel, nullptr);
    // A vertical bar in the middle of an 8x8 cell, black as glyphs are.
    std::vector<uint8_t> bar(8 * 8 * 4, 0);
    for (int y = 0; y < 8; ++y)
        for (int x = 3; x < 5; ++x)
            bar[(y * 8 + x) * 4 + 3] = 255;
    PXL_Texture texture = PXL_Graphics_LoadTextureFromMemory(bar.data(), 8, 8);

    StartFrame({0, 0, 0, 1});
    PXL_Graphics_SetCustomPixelShader(pixel);
    PXL_Graphics_SetCustomVertexShader(vertex);
    Draw(quad, texture, 2, 1, {-60, 0}, {80, 80}, {0, 1, 0, 1}, 1);
    Draw(quad, texture, 2, 1, {60, 0}, {80, 80}, {1, 0, 0, 1}, 1);
    FinishFrame();
    EXPECT_EQ(PxlLastFrameDrawCalls(), 1);

    for (auto [x, name, green] : {std::tuple{-60.0f, "green text", true}, std::tuple{60.0f, "red digits", false}}) {
        int brightest = 0;
        int darkest = 255;
        for (int row = 0; row < 3; ++row) {
            Rgb stroke = At(x, float(row));
            int main = green ? stroke.g : stroke.r;
            int other = green ? stroke.r : stroke.g;
            EXPECT_GT(main, 150) << name;
            EXPECT_LT(other, 10) << name;
            EXPECT_LT(stroke.b, 10) << name;
            brightest = std::max(brightest, main);
            darkest = std::min(darkest, main);
        }
        EXPECT_LT(darkest, brightest * 0.9) << name << ": one row in three is a scanline";
        ExpectNear(At(x + 25, 0), {0, 0, 0}, "beside the stroke");
    }
    PXL_Graphics_FreeTexture(&texture);
    PXL_Graphics_FreeVertexShader(&vertex);
    PXL_Graphics_FreePixelShader(&pixel);
}

TEST_F(GlLayer, ACustomPairThatDoesNotLinkDrawsWithTheBuiltInPair)
{
    // Each stage compiles alone; together they disagree on the type of the value passed between them.
    std::string folder = TempPath("unlinkable-shaders");
    std::filesystem::create_directories(folder);
    std::ofstream(folder + "/Vertex.glsl") << "out vec4 v_extra;\nvoid main()\n{\n    PassVertexOn();\n"
                                              "    v_extra = vec4(1.0);\n}\n";
    std::ofstream(folder + "/Pixel.glsl") << "in vec3 v_extra;\nvoid main()\n{\n"
                                             "    o_colour = SampleFrame() + vec4(v_extra, 0.0);\n}\n";
    PXL_VertexShader vertex = PXL_Graphics_LoadVertexShader((folder + "/Vertex.hlsl").c_str());
    PXL_PixelShader pixel = PXL_Graphics_LoadPixelShader((folder + "/Pixel.hlsl").c_str());
    ASSERT_NE(vertex, nullptr);
    ASSERT_NE(pixel, nullptr);
    std::vector<uint8_t> white(4 * 4 * 4, 255);
    PXL_Texture texture = PXL_Graphics_LoadTextureFromMemory(white.data(), 4, 4);

    testing::internal::CaptureStderr();
    StartFrame({0, 0, 0, 1});
    PXL_Graphics_SetCustomPixelShader(pixel);
    PXL_Graphics_SetCustomVertexShader(vertex);
    Draw(quad, texture, PXL_PIXEL_SHADER_CUSTOM, PXL_VERTEX_SHADER_CUSTOM, {0, 0}, {40, 40}, {0, 0, 0, 1}, 1);
    FinishFrame();
    std::string said = testing::internal::GetCapturedStderr();
    EXPECT_NE(said.find("does not link; drawing with the built-in pair instead"), std::string::npos) << said;
    ExpectNear(At(0, 0), {255, 255, 255}, "the texture, drawn by the built-in pair");
    PXL_Graphics_FreeTexture(&texture);
    PXL_Graphics_FreeVertexShader(&vertex);
    PXL_Graphics_FreePixelShader(&pixel);
}

TEST_F(GlLayer, WindowFollowsSizeStyleAndScreenshotsAreTopRowFirst)
{
    PXL_Window_SetSize(200, 100);
    EXPECT_EQ(PXL_Window_GetSize().x, 200);
    PXL_Vec2 monitor = PXL_Window_GetMonitorSize();
    EXPECT_GT(monitor.x, 0);
    PXL_Window_SetStyle(PXL_STYLE_BORDERLESS);
    PXL_Window_SetSizeAndPosition(int(monitor.x), int(monitor.y), 0, 0);
    PXL_Window_SetStyle(PXL_STYLE_FIXED_WINDOW);
    PXL_Window_SetSize(160, 90);

    PXL_Color black{0, 0, 0, 1};
    PXL_Graphics_SetBackgroundColor(&black);
    PXL_System_Update();
    PXL_Graphics_StartDrawing();
    Draw(quad, nullptr, 0, 0, {0, 40}, {160, 10}, {1, 1, 1, 1}, 1); // a white band along the top
    PXL_Graphics_FinishDrawing();
    ASSERT_TRUE(PxlReadFramePixels(pixels, width, height));
    EXPECT_EQ(width, 160);
    EXPECT_EQ(height, 90);
    EXPECT_EQ(pixels[0], 255) << "top row first";
    EXPECT_EQ(pixels[(size_t(89) * width) * 4], 0);

    std::string path = (std::filesystem::temp_directory_path() / "pxl-gl-frame.png").string();
    std::string error;
    ASSERT_TRUE(PxlWriteFramePng(path, &error)) << error;
    int w = 0, h = 0, channels = 0;
    stbi_uc* png = stbi_load(path.c_str(), &w, &h, &channels, 4);
    ASSERT_NE(png, nullptr);
    EXPECT_EQ(w, 160);
    EXPECT_EQ(png[0], 255);
    stbi_image_free(png);
    std::filesystem::remove(path);
    EXPECT_FALSE(PxlWriteFramePng("/nonexistent-folder/x.png", &error));
    EXPECT_FALSE(error.empty());
}

} // namespace
