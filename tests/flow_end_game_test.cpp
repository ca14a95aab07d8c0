// The newspaper at the end of a shift: the spin-in, the front page for the result, and the way back.
#include "engine/screen_scale.h"
#include "platform/pxl.h"
#include "platform/pxl_control.h"
#include "render/sprite.h"
#include "scenes/end_game_scene.h"
#include "scenes/main_menu_scene.h"
#include "support/headless_window.h"
#include "support/sim_runner.h"

#include <algorithm>
#include <cmath>
#include <gtest/gtest.h>
#include <vector>

namespace {

constexpr float Step = 1.0f / 60.0f;

class EndGameSceneTest : public testing::Test {
protected:
    void SetUp() override
    {
        previousBackend = PxlCurrentBackend();
        ASSERT_TRUE(OpenHeadlessWindow());
        SetNextScene(nullptr);
        scene.Load();
        scene.Init();
    }

    void TearDown() override
    {
        scene.Unload();
        SetNextScene(nullptr);
        PXL_System_Exit();
        PxlSetScriptedInput(false);
        PxlSelectBackend(previousBackend);
    }

    void Frame(bool buttonDown)
    {
        PxlInjectKey(PXL_KEY_LBUTTON, buttonDown);
        PXL_System_Update();
        scene.Update(Step);
    }

    std::vector<PxlDrawRecord> RenderDraws()
    {
        PXL_Graphics_StartDrawing();
        scene.Render();
        PXL_Graphics_FinishDrawing();
        return PxlFrameDraws();
    }

    PxlBackendKind previousBackend{};
    // A scene of its own, so that the game's singleton keeps its state for the rest of the run.
    EndGameScene scene;
};

TEST_F(EndGameSceneTest, SpinsTwentyRadiansWhileGrowingThenRestsSquare)
{
    ZoomOffset = 0.5f;
    scene.Init();
    EXPECT_EQ(ZoomOffset, 0.0f);
    float turned = 0.0f;
    int spinning = 0;
    for (int i = 0; i < 70; ++i) {
        Frame(false);
        if (scene.elapsed < scene.growDuration) {
            ++spinning;
            turned = scene.rotation;
            EXPECT_NEAR(scene.size, scene.elapsed * 1080.0f, 1e-2f);
        } else {
            EXPECT_EQ(scene.rotation, 0.0f);
            EXPECT_EQ(scene.size, 1080.0f);
        }
    }
    // A second of frames at 60 per second: the sixtieth frame lands on the second itself or just short of it.
    EXPECT_GE(spinning, 59);
    EXPECT_LE(spinning, 60);
    EXPECT_NEAR(turned, 20.0f / 60.0f * static_cast<float>(spinning), 1e-3f);
    EXPECT_NEAR(turned, 20.0f, 20.0f / 60.0f + 1e-3f);
}

TEST_F(EndGameSceneTest, AClickInTheFirstFiveSecondsDoesNothingAHeldButtonLeavesAtFive)
{
    // Clicks now and then, then the button pressed shortly before five seconds and held.
    int left = -1;
    for (int i = 0; i < 320 && left < 0; ++i) {
        float before = scene.elapsed;
        Frame(i >= 290 || i % 40 < 5);
        if (NextScene() != nullptr) {
            left = i;
            EXPECT_LT(before, scene.minimumShowTime);
        }
    }
    ASSERT_GE(left, 0);
    EXPECT_GE(scene.elapsed, scene.minimumShowTime);
    EXPECT_EQ(NextScene(), mainMenuScene);
}

TEST_F(EndGameSceneTest, AfterFiveSecondsWaitsForTheButton)
{
    for (int i = 0; i < 600; ++i) {
        Frame(false);
    }
    EXPECT_EQ(NextScene(), nullptr);
    Frame(true);
    EXPECT_EQ(NextScene(), mainMenuScene);
}

TEST_F(EndGameSceneTest, ShowsTheFrontPageOfTheResultAskewOnThePaper)
{
    const uint8_t pixel[4] = {255, 255, 255, 255};
    PXL_Graphics_FreeTexture(&scene.winTexture);
    PXL_Graphics_FreeTexture(&scene.loseTexture);
    scene.winTexture = PXL_Graphics_LoadTextureFromMemory(pixel, 1, 1);
    scene.loseTexture = PXL_Graphics_LoadTextureFromMemory(pixel, 1, 1);
    PXL_Vec2 camera{2500.0f, 0.0f};
    PXL_Camera_SetPosition(&camera);
    DrawTint = PXL_Color{1, 0, 0, 1}; // left over from the desk's red countdown

    struct Case {
        int32_t won;
        PXL_Texture expected;
    };
    // -1: shown before the manager ever set the flag.
    for (const Case& c : {Case{1, scene.winTexture}, Case{0, scene.loseTexture}, Case{-1, scene.winTexture}}) {
        scene.won = c.won;
        scene.Init();
        Frame(false);
        std::vector<PxlDrawRecord> draws = RenderDraws();
        ASSERT_EQ(draws.size(), 2u);
        EXPECT_EQ(draws[0].texture, scene.backgroundTexture);
        EXPECT_EQ(draws[1].texture, c.expected) << "won " << c.won;
        EXPECT_FLOAT_EQ(draws[0].position.x, 2500.0f);
        EXPECT_FLOAT_EQ(draws[1].position.x, 2500.0f);
        EXPECT_FLOAT_EQ(draws[0].scale.x, scene.size);
        EXPECT_FLOAT_EQ(draws[1].scale.x, 0.6f * scene.size);
        EXPECT_FLOAT_EQ(draws[1].rotation, draws[0].rotation + 0.05235988f);
        // Drawn smaller than their pixels at most window sizes: smooth, never nearest-texel.
        EXPECT_EQ(draws[0].filter, PXL_FILTER_SMOOTH);
        EXPECT_EQ(draws[1].filter, PXL_FILTER_SMOOTH);
        for (const PxlDrawRecord& draw : draws) {
            EXPECT_EQ(draw.alpha, 1.0f);
            EXPECT_EQ(draw.tint.r, 0.0f) << "the paper must not take the desk's tint";
        }
        EXPECT_EQ(PxlBackgroundColor().a, 1.0f);
        EXPECT_EQ(PxlBackgroundColor().r, 0.0f);
    }
}

TEST(EndGameSceneSim, AClickAfterFiveSecondsReturnsToTheMainMenu)
{
    SimResult early = RunSim({"--frames", "280", "--scene", "EndGameScene"}, "100 press left\n110 release left\n");
    ASSERT_EQ(early.status, 0) << early.err;
    std::vector<std::string> trace = ReadTraceLines();
    EXPECT_NE(std::find(trace.begin(), trace.end(), "EndGameScene: Load"), trace.end());
    EXPECT_EQ(std::find(trace.begin(), trace.end(), "MainMenuScene: Load"), trace.end());

    SimResult late = RunSim({"--frames", "400", "--scene", "EndGameScene"}, "310 press left\n320 release left\n");
    ASSERT_EQ(late.status, 0) << late.err;
    trace = ReadTraceLines();
    auto menu = std::find(trace.begin(), trace.end(), "MainMenuScene: Load");
    ASSERT_NE(menu, trace.end());
    // The end screen is left first, then the menu comes up.
    auto unload = std::find(trace.begin(), trace.end(), "EndGameScene: Unload");
    EXPECT_LT(unload, menu);
}

} // namespace
