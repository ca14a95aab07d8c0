// The tutorial's mouse hints over a headless 1280 by 720 window: which one shows when, where it moves, and
// where it never shows.
#include "flow/events.h"
#include "flow/tutorial.h"
#include "interaction_test_support.h"
#include "render/sprite.h"
#include "scenes/game_scene.h"
#include "scenes/main_menu_scene.h"
#include "scenes/pause_menu_scene.h"

#include <algorithm>
#include <gtest/gtest.h>
#include <optional>

namespace {

enum class Hint { None, Click, Drag };

class TutorialTest : public HeadlessUi {
protected:
    void SetUp() override
    {
        HeadlessUi::SetUp();
        ASSERT_TRUE(MeshSystem.init());
        ASSERT_TRUE(TutorialSystem.init());
        ASSERT_NE(tutorialState.clickTexture, nullptr);
        ASSERT_NE(tutorialState.dragTexture, nullptr);
        PxlSetRecordDraws(true);
        ClearAllEvents();
        gameScene->active = true; // the desk is up, as during a shift
        testing::internal::CaptureStdout();
    }

    void TearDown() override
    {
        testing::internal::GetCapturedStdout();
        gameScene->active = false;
        pauseMenuScene->active = false;
        mainMenuScene->active = false;
        TutorialSystem.exit();
        ResetTutorial();
        MeshSystem.exit();
        HeadlessUi::TearDown();
    }

    // One frame: events, the tutorial, then its drawing; returns the hint drawn and where.
    Hint Frame()
    {
        EventSystem.update(Dt);
        TutorialSystem.update(Dt);
        PXL_Graphics_StartDrawing();
        TutorialSystem.render();
        PXL_Graphics_FinishDrawing();
        lastDraw.reset();
        for (const PxlDrawRecord& draw : PxlFrameDraws()) {
            if (draw.texture == tutorialState.clickTexture || draw.texture == tutorialState.dragTexture) {
                lastDraw = draw;
                return draw.texture == tutorialState.clickTexture ? Hint::Click : Hint::Drag;
            }
        }
        return Hint::None;
    }

    // Runs `frames` frames; returns how many showed `hint`.
    int Run(int frames, Hint hint)
    {
        int shown = 0;
        for (int i = 0; i < frames; ++i) {
            shown += Frame() == hint ? 1 : 0;
        }
        return shown;
    }

    // The first frame, within `limit`, that shows `hint` (counted from 1), or 0.
    int FramesUntil(Hint hint, int limit)
    {
        for (int i = 1; i <= limit; ++i) {
            if (Frame() == hint) {
                return i;
            }
        }
        return 0;
    }

    // An event as the desk sends it: broadcast now, heard in the next frame.
    static void Send(const char* name) { Broadcast(name, ""); }

    static void MoveCamera(float x)
    {
        PXL_Vec2 position = {x, 0};
        PXL_Camera_SetPosition(&position);
    }

    std::optional<PxlDrawRecord> lastDraw;
};

constexpr int Second = 60;

TEST_F(TutorialTest, TheClickHintThenTheDragHintEachAfterFiveIdleSeconds)
{
    EXPECT_EQ(Run(10 * Second, Hint::None), 10 * Second) << "before the first shift every step is done";

    // The opening zoom: nothing, however long it takes.
    Send("gamescene_init");
    EXPECT_EQ(Run(12 * Second, Hint::None), 12 * Second);

    Send("zoom_done");
    int wait = FramesUntil(Hint::Click, 10 * Second);
    EXPECT_NEAR(wait, 5 * Second + 1, 2) << "five seconds after the zoom";
    // It stays until the manual opens, bobbing over the bottom edge and pulsing.
    float lowest = 1e9f, highest = -1e9f, faintest = 1, strongest = 0;
    for (int i = 0; i < 20 * Second; ++i) {
        ASSERT_EQ(Frame(), Hint::Click) << i;
        lowest = std::min(lowest, lastDraw->position.y);
        highest = std::max(highest, lastDraw->position.y);
        faintest = std::min(faintest, lastDraw->alpha);
        strongest = std::max(strongest, lastDraw->alpha);
        EXPECT_LE(lastDraw->scale.x, 100.0f);
    }
    PXL_Vec2 bottomMiddle = {640, 576}; // 0.8 of the window's height
    PXL_Vec2 anchor = PXL_Camera_ScreenCoordToWorld(&bottomMiddle);
    EXPECT_NEAR(highest - lowest, 2 * 10 * 1.5f, 1.0f) << "10 pixels up and down";
    EXPECT_NEAR((highest + lowest) / 2, anchor.y, 1.0f);
    EXPECT_NEAR(faintest, 0.5f, 0.02f);
    EXPECT_NEAR(strongest, 1.0f, 0.001f) << "drawn alpha clamped to 1";
    EXPECT_FLOAT_EQ(lastDraw->scale.x, 100.0f);

    // The manual opens: no hint for five seconds, then the drag hint, swinging around the middle.
    Send("open_manual");
    wait = FramesUntil(Hint::Drag, 10 * Second);
    EXPECT_NEAR(wait, 5 * Second + 1, 2);
    float left = 1e9f, right = -1e9f;
    for (int i = 0; i < 8 * Second; ++i) {
        ASSERT_EQ(Frame(), Hint::Drag) << i;
        left = std::min(left, lastDraw->position.x);
        right = std::max(right, lastDraw->position.x);
    }
    EXPECT_NEAR(left + right, 0.0f, 1.0f);
    EXPECT_NEAR(right, 100 * 1.5f, 3.0f) << "half of 200 pixels, eased";
    EXPECT_FLOAT_EQ(lastDraw->scale.x, 200.0f);

    // Dragging the desk more than 250 units from the terminal ends the lessons.
    MoveCamera(-260);
    EXPECT_EQ(Run(20 * Second, Hint::None), 20 * Second);
    // The next shift starts them over.
    MoveCamera(0);
    Send("gamescene_init");
    Frame();
    EXPECT_FALSE(IsStepDone("intro_done"));
    EXPECT_FALSE(IsStepDone("open_manual"));
    EXPECT_FALSE(IsStepDone("move_camera"));
}

TEST_F(TutorialTest, DraggingTheDeskFirstMeansNoDragHintEver)
{
    Send("gamescene_init");
    Frame();
    Send("zoom_done");
    Run(2 * Second, Hint::None);
    MoveCamera(251);
    // The drag reset the wait: the click hint comes five seconds after it.
    EXPECT_NEAR(FramesUntil(Hint::Click, 10 * Second), 5 * Second, 2);
    Send("open_manual");
    EXPECT_EQ(Run(30 * Second, Hint::None), 30 * Second);
}

TEST_F(TutorialTest, NoHintOverThePauseMenuTheMainMenuOrOffTheDesk)
{
    Send("gamescene_init");
    Frame();
    Send("zoom_done");
    ASSERT_GT(FramesUntil(Hint::Click, 10 * Second), 0);
    struct Case {
        const char* what;
        Scene* scene;
        bool active;
    };
    const Case cases[] = {{"the pause menu open", pauseMenuScene, true},
                          {"the main menu up", mainMenuScene, true},
                          {"the desk gone (the newspaper)", gameScene, false}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        c.scene->active = c.active;
        EXPECT_EQ(Run(Second, Hint::None), Second);
        c.scene->active = !c.active;
        EXPECT_EQ(Frame(), Hint::Click) << "back once it is gone";
    }
}

TEST(TutorialSteps, AStepNotKnownIsAddedAsNotDone)
{
    ResetTutorial();
    tutorialState.stepTimer = 3;
    EXPECT_FALSE(IsStepDone("wave_hello"));
    EXPECT_EQ(tutorialState.steps.count("wave_hello"), 1u);
    CompleteStep("wave_hello");
    EXPECT_TRUE(IsStepDone("wave_hello"));
    EXPECT_FLOAT_EQ(tutorialState.stepTimer, 0);
    ResetTutorial();
}

} // namespace
