// The graphics layer on the headless backend: what a frame records, input edges, time, camera, shaders.
#include "platform/pxl.h"
#include "platform/pxl_control.h"
#include "stb_image_write.h"

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>

namespace {

class HeadlessLayer : public testing::Test {
protected:
    void SetUp() override
    {
        previousBackend = PxlCurrentBackend();
        PxlSelectBackend(PxlBackendKind::Headless);
        PXL_SystemSettings settings{};
        settings.width = 1280;
        settings.height = 720;
        settings.frameRate = 60;
        settings.style = PXL_STYLE_FIXED_WINDOW;
        settings.title = "Brimvale";
        ASSERT_NE(PXL_System_Init(&settings), nullptr);
        folder = std::filesystem::temp_directory_path() /
                 ("pxl-headless-" + std::to_string(::testing::UnitTest::GetInstance()->random_seed()) + "-" +
                  ::testing::UnitTest::GetInstance()->current_test_info()->name());
        std::filesystem::create_directories(folder);
    }

    void TearDown() override
    {
        PXL_System_Exit();
        PxlSetFixedTimestep(0);
        PxlSetScriptedInput(false);
        PxlSetFrameHook(nullptr, nullptr);
        PxlSelectBackend(previousBackend);
        std::filesystem::remove_all(folder);
    }

    // One frame the way the engine runs it: platform update, then drawing.
    void Frame()
    {
        PXL_System_FrameControl();
        PXL_System_Update();
        PXL_Graphics_StartDrawing();
        PXL_Graphics_FinishDrawing();
    }

    PxlBackendKind previousBackend{};
    std::filesystem::path folder;
};

PXL_Mesh Quad()
{
    PXL_Graphics_StartMesh();
    const PXL_Vec2 corners[6] = {{-0.5f, -0.5f}, {-0.5f, 0.5f}, {0.5f, 0.5f},
                                 {-0.5f, -0.5f}, {0.5f, 0.5f},  {0.5f, -0.5f}};
    const PXL_Color black{0, 0, 0, 1};
    for (const PXL_Vec2& corner : corners) {
        PXL_Vec2 uv{corner.x + 0.5f, 0.5f - corner.y};
        PXL_Graphics_AddVertex(&corner, &black, &uv);
    }
    return PXL_Graphics_EndMesh();
}

TEST_F(HeadlessLayer, RecordsEveryDrawWithTheStateInForceAndStartsAfreshEachFrame)
{
    std::vector<uint8_t> pixels(3 * 2 * 4, 255);
    PXL_Texture texture = PXL_Graphics_LoadTextureFromMemory(pixels.data(), 3, 2);
    ASSERT_NE(texture, nullptr);
    EXPECT_EQ(PXL_Graphics_GetTextureSize(texture).x, 3);
    EXPECT_EQ(PXL_Graphics_GetTextureSize(texture).y, 2);

    PXL_Mesh quad = Quad();
    PXL_Graphics_StartDrawing();
    PXL_Graphics_SetShaderMode(PXL_PIXEL_SHADER_TEXTURED, PXL_VERTEX_SHADER_BUILTIN);
    PXL_Graphics_SetTexture(texture);
    PXL_Vec2 offset{0.5f, 0.25f};
    PXL_Graphics_SetCB_TextureOffset(&offset);
    PXL_Vec2 position{10, -20};
    PXL_Vec2 scale{64, 32};
    PXL_Graphics_SetCB_TransformData(&position, &scale, 0.5f);
    PXL_Graphics_SetCB_Alpha(0.75f);
    PXL_Color tint{0, 1, 0, 1};
    PXL_Graphics_SetCB_TintColor(&tint);
    PXL_Graphics_SetBlendMode(PXL_BLEND_ALPHA);
    PXL_Graphics_SetTextureSamplerData(PXL_FILTER_LINEAR, PXL_ADDRESS_CLAMP);
    PXL_Graphics_DrawMesh(quad, PXL_TOPOLOGY_TRIANGLE_LIST);
    PXL_Graphics_SetShaderMode(PXL_PIXEL_SHADER_UNTEXTURED, PXL_VERTEX_SHADER_BUILTIN);
    PXL_Graphics_DrawMesh(quad, PXL_TOPOLOGY_TRIANGLE_LIST);
    PXL_Graphics_FinishDrawing();

    const std::vector<PxlDrawRecord>& draws = PxlFrameDraws();
    ASSERT_EQ(draws.size(), 2u);
    const PxlDrawRecord& first = draws[0];
    EXPECT_EQ(first.pixelShader, 1);
    EXPECT_EQ(first.vertexShader, 0);
    EXPECT_EQ(first.texture, texture);
    EXPECT_FLOAT_EQ(first.position.x, 10);
    EXPECT_FLOAT_EQ(first.position.y, -20);
    EXPECT_FLOAT_EQ(first.scale.x, 64);
    EXPECT_FLOAT_EQ(first.scale.y, 32);
    EXPECT_FLOAT_EQ(first.rotation, 0.5f);
    EXPECT_FLOAT_EQ(first.tint.g, 1);
    EXPECT_FLOAT_EQ(first.alpha, 0.75f);
    EXPECT_FLOAT_EQ(first.textureOffset.x, 0.5f);
    EXPECT_FLOAT_EQ(first.textureOffset.y, 0.25f);
    EXPECT_EQ(first.filter, 1);
    EXPECT_EQ(first.address, 2);
    EXPECT_EQ(first.blend, 1);
    EXPECT_EQ(first.vertexCount, 6);
    EXPECT_EQ(draws[1].pixelShader, 0);
    EXPECT_EQ(draws[1].texture, texture) << "state stays until changed";
    EXPECT_EQ(PxlLastFrameDrawCalls(), 0);

    PXL_Graphics_StartDrawing();
    EXPECT_TRUE(PxlFrameDraws().empty());
    PXL_Graphics_FinishDrawing();

    PXL_Graphics_FreeTexture(&texture);
    EXPECT_EQ(texture, nullptr);
    PXL_Graphics_FreeMesh(&quad);
    EXPECT_EQ(quad, nullptr);
    PXL_Graphics_DrawMesh(nullptr, PXL_TOPOLOGY_TRIANGLE_LIST);
    PXL_Graphics_FreeTexture(&texture);
}

TEST_F(HeadlessLayer, DecodesPngAndJpegFilesForTheirSizesAndGivesNullForBadOnes)
{
    std::vector<uint8_t> pixels(5 * 7 * 4, 128);
    std::string png = (folder / "picture.png").string();
    std::string jpg = (folder / "picture.jpg").string();
    std::string broken = (folder / "broken.png").string();
    ASSERT_TRUE(stbi_write_png(png.c_str(), 5, 7, 4, pixels.data(), 5 * 4));
    ASSERT_TRUE(stbi_write_jpg(jpg.c_str(), 5, 7, 4, pixels.data(), 90));
    std::ofstream(broken) << "not a picture";

    for (const std::string& path : {png, jpg}) {
        PXL_Texture texture = PXL_Graphics_LoadTexture(path.c_str());
        ASSERT_NE(texture, nullptr) << path;
        EXPECT_EQ(PXL_Graphics_GetTextureSize(texture).x, 5);
        EXPECT_EQ(PXL_Graphics_GetTextureSize(texture).y, 7);
        PXL_Graphics_FreeTexture(&texture);
    }
    testing::internal::CaptureStderr();
    EXPECT_EQ(PXL_Graphics_LoadTexture(broken.c_str()), nullptr);
    EXPECT_EQ(PXL_Graphics_LoadTexture((folder / "missing.png").string().c_str()), nullptr);
    std::string errors = testing::internal::GetCapturedStderr();
    EXPECT_NE(errors.find("missing.png"), std::string::npos);
    EXPECT_EQ(PXL_Graphics_LoadTexture(nullptr), nullptr);
    EXPECT_EQ(PXL_Graphics_LoadTextureFromMemory(pixels.data(), 0, 7), nullptr);
    EXPECT_EQ(PXL_Graphics_GetTextureSize(nullptr).x, 0);
}

TEST_F(HeadlessLayer, KeyEdgesFollowTheEventsOfEachFrame)
{
    struct Step {
        std::vector<std::pair<int, bool>> events;
        int down, triggered, released;
    };
    const Step steps[] = {
        {{{PXL_KEY_LBUTTON, true}}, 1, 1, 0},                           // pressed this frame
        {{}, 1, 0, 0},                                                  // held
        {{{PXL_KEY_LBUTTON, true}}, 1, 0, 0},                           // repeated press changes nothing
        {{{PXL_KEY_LBUTTON, false}}, 0, 0, 1},                          // released this frame
        {{}, 0, 0, 0},                                                  // up
        {{{PXL_KEY_LBUTTON, true}, {PXL_KEY_LBUTTON, false}}, 0, 1, 1}, // a click inside one frame
        {{}, 0, 0, 0},
    };
    for (size_t i = 0; i < std::size(steps); ++i) {
        for (auto [key, down] : steps[i].events)
            PxlInjectKey(key, down);
        Frame();
        EXPECT_EQ(PXL_Input_KeyDown(PXL_KEY_LBUTTON), steps[i].down) << "frame " << i;
        EXPECT_EQ(PXL_Input_KeyTriggered(PXL_KEY_LBUTTON), steps[i].triggered) << "frame " << i;
        EXPECT_EQ(PXL_Input_KeyReleased(PXL_KEY_LBUTTON), steps[i].released) << "frame " << i;
        EXPECT_EQ(PXL_Input_KeyDown(PXL_KEY_ESCAPE), 0);
    }
    PxlInjectKey(-1, true);
    PxlInjectKey(PXL_KEY_COUNT, true);
    Frame();
    EXPECT_EQ(PXL_Input_KeyDown(-1), 0);
    EXPECT_EQ(PXL_Input_KeyTriggered(PXL_KEY_COUNT), 0);
}

TEST_F(HeadlessLayer, MouseDeltaIsTheMovementSinceThePreviousFrame)
{
    PxlInjectMouse(100, 200);
    Frame();
    EXPECT_FLOAT_EQ(PXL_Input_GetMousePosition().x, 100);
    EXPECT_FLOAT_EQ(PXL_Input_GetMousePosition().y, 200);
    EXPECT_FLOAT_EQ(PXL_Input_GetMousePositionDelta().x, 0) << "the first frame has no movement";

    PxlInjectMouse(90, 150);
    PxlInjectMouse(130, 210); // only where it ends up counts
    Frame();
    EXPECT_FLOAT_EQ(PXL_Input_GetMousePositionDelta().x, 30);
    EXPECT_FLOAT_EQ(PXL_Input_GetMousePositionDelta().y, 10);

    Frame();
    EXPECT_FLOAT_EQ(PXL_Input_GetMousePosition().x, 130);
    EXPECT_FLOAT_EQ(PXL_Input_GetMousePositionDelta().x, 0);
    EXPECT_FLOAT_EQ(PXL_Input_GetMousePositionDelta().y, 0);
}

TEST_F(HeadlessLayer, WindowEventsTakeEffectAtTheNextUpdate)
{
    EXPECT_EQ(PXL_Window_HasFocus(), 1);
    EXPECT_EQ(PXL_Window_GetSize().x, 1280);
    PxlInjectFocus(false);
    PxlInjectResize(800, 600);
    EXPECT_EQ(PXL_Window_HasFocus(), 1);
    Frame();
    EXPECT_EQ(PXL_Window_HasFocus(), 0);
    EXPECT_EQ(PXL_Window_GetSize().x, 800);
    EXPECT_EQ(PXL_Window_GetSize().y, 600);

    PXL_Window_SetStyle(PXL_STYLE_BORDERLESS);
    PXL_Vec2 monitor = PXL_Window_GetMonitorSize();
    PXL_Window_SetSizeAndPosition(int(monitor.x), int(monitor.y), 0, 0);
    EXPECT_EQ(PxlWindowStyle(), PXL_STYLE_BORDERLESS);
    EXPECT_EQ(PXL_Window_GetSize().x, monitor.x);

    PXL_Input_ShowCursor(0);
    EXPECT_FALSE(PxlCursorShown());
    PXL_Color green{0, 1, 0, 1};
    PXL_Graphics_SetBackgroundColor(&green);
    EXPECT_FLOAT_EQ(PxlBackgroundColor().g, 1);

    PxlInjectClose();
    EXPECT_EQ(PXL_System_DoesWindowExist(), 1);
    Frame();
    EXPECT_EQ(PXL_System_DoesWindowExist(), 0);
}

TEST_F(HeadlessLayer, TimeAdvancesByTheFixedStepAndTheHookSeesEveryFrame)
{
    EXPECT_EQ(PXL_System_GetDeltaTime(), 0);
    Frame();
    EXPECT_DOUBLE_EQ(PXL_System_GetDeltaTime(), 1.0 / 60.0);
    PxlSetFixedTimestep(0.25);
    Frame();
    EXPECT_DOUBLE_EQ(PXL_System_GetDeltaTime(), 0.25);

    struct Seen {
        std::vector<uint64_t> frames;
    } seen;
    PxlSetFrameHook(
        [](uint64_t frame, void* user) {
            static_cast<Seen*>(user)->frames.push_back(frame);
            PxlInjectKey(PXL_KEY_SPACE, frame == 3); // input given in the hook is seen by that frame
        },
        &seen);
    Frame();
    Frame();
    EXPECT_EQ(PXL_Input_KeyTriggered(PXL_KEY_SPACE), 1);
    EXPECT_EQ(PxlFrameNumber(), 3u);
    EXPECT_EQ(seen.frames, (std::vector<uint64_t>{2, 3}));
}

TEST_F(HeadlessLayer, ScreenPixelsMapToWorldThroughCameraAndZoom)
{
    struct Case {
        float zoom;
        PXL_Vec2 pixel;
        PXL_Vec2 world;
    };
    const PXL_Vec2 camera{100, -50};
    const Case cases[] = {
        {1.5f, {640, 360}, {100, -50}},         // the centre is the camera
        {1.5f, {0, 0}, {100 - 960, -50 + 540}}, // top-left of 1280x720 shows the design corner
        {1.5f, {1280, 720}, {100 + 960, -50 - 540}},
        {1.0f, {640, 360}, {100, -50}},
        {1.0f, {740, 260}, {200, 50}}, // y flips
        {0.5f, {640, 360}, {100, -50}},
        {0.5f, {0, 720}, {100 - 320, -50 - 180}},
    };
    PXL_Camera_SetPosition(&camera);
    for (const Case& c : cases) {
        PXL_Camera_SetZoom(c.zoom);
        PXL_Vec2 world = PXL_Camera_ScreenCoordToWorld(&c.pixel);
        EXPECT_FLOAT_EQ(world.x, c.world.x) << "zoom " << c.zoom << " pixel " << c.pixel.x;
        EXPECT_FLOAT_EQ(world.y, c.world.y) << "zoom " << c.zoom << " pixel " << c.pixel.y;
    }
    EXPECT_FLOAT_EQ(PxlCameraZoom(), 0.5f);
    EXPECT_FLOAT_EQ(PXL_Camera_GetPosition().x, 100);
}

TEST_F(HeadlessLayer, ShadersAreReadFromTheGlslFileBesideTheNamedOne)
{
    std::ofstream(folder / "Glow.glsl") << "#version 330 core\nvoid main() {}\n";
    std::string hlsl = (folder / "Glow.hlsl").string();
    PXL_VertexShader vertex = PXL_Graphics_LoadVertexShader(hlsl.c_str());
    PXL_PixelShader pixel = PXL_Graphics_LoadPixelShader(hlsl.c_str());
    ASSERT_NE(vertex, nullptr);
    ASSERT_NE(pixel, nullptr);

    PXL_Mesh quad = Quad();
    PXL_Graphics_SetCustomPixelShader(pixel);
    PXL_Graphics_SetCustomVertexShader(vertex);
    PXL_Graphics_SetShaderMode(PXL_PIXEL_SHADER_CUSTOM, PXL_VERTEX_SHADER_CUSTOM);
    PXL_Graphics_StartDrawing();
    PXL_Graphics_DrawMesh(quad, PXL_TOPOLOGY_TRIANGLE_LIST);
    PXL_Graphics_FinishDrawing();
    ASSERT_EQ(PxlFrameDraws().size(), 1u);
    EXPECT_EQ(PxlFrameDraws()[0].customPixel, pixel);
    EXPECT_EQ(PxlFrameDraws()[0].customVertex, vertex);
    EXPECT_EQ(PxlFrameDraws()[0].pixelShader, 2);

    PXL_Graphics_FreeVertexShader(&vertex);
    PXL_Graphics_FreePixelShader(&pixel);
    EXPECT_EQ(vertex, nullptr);
    PXL_Graphics_FreeMesh(&quad);

    testing::internal::CaptureStderr();
    EXPECT_EQ(PXL_Graphics_LoadPixelShader((folder / "Missing.hlsl").string().c_str()), nullptr);
    EXPECT_NE(testing::internal::GetCapturedStderr().find("Missing.glsl"), std::string::npos);
}

} // namespace
