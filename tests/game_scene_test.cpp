// The desk, run inside the real engine loop on the headless backend. Each test runs the engine once; CTest
// gives every test its own process, since the engine's shutdown frees the scenes for good.
#include "engine/ease.h"
#include "engine/engine.h"
#include "engine/screen_scale.h"
#include "flow/alarm.h"
#include "flow/events.h"
#include "flow/game_manager.h"
#include "flow/timer.h"
#include "manual/manual_scene.h"
#include "modules/plant_boot.h"
#include "platform/os.h"
#include "platform/pxl.h"
#include "platform/pxl_control.h"
#include "scenes/end_game_scene.h"
#include "scenes/game_scene.h"
#include "scenes/main_menu_scene.h"
#include "scenes/pause_menu_scene.h"
#include "terminal/terminal.h"

#include <algorithm>
#include <cmath>
#include <functional>
#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace {

// One engine run on the desk: `input` is called before each frame, `check` after it was drawn.
struct DeskRun {
    std::function<void(uint64_t)> input;
    std::function<bool(uint64_t)> check; // false stops the run
    uint64_t frames = 60;
    float zoomOffset = 0.0f;

    std::string Run()
    {
        static bool ranOnce = false;
        if (ranOnce) {
            ADD_FAILURE() << "the engine runs once per process; run this test on its own (ctest does)";
            return {};
        }
        ranOnce = true;
        PxlSelectBackend(PxlBackendKind::Headless);
        PxlSetFixedTimestep(1.0 / 60.0);
        PxlSetScriptedInput(true);
        OsSetSimulatedClock(1700000000);
        PxlSetFrameHook(
            [](uint64_t frame, void* user) {
                auto* run = static_cast<DeskRun*>(user);
                if (run->input) {
                    run->input(frame);
                }
            },
            this);
        ZoomOffset = zoomOffset;
        EngineOptions options;
        options.showWindow = false;
        options.startScene = gameScene;
        options.user = this;
        options.afterFrame = [](uint64_t frame, void* user) {
            auto* run = static_cast<DeskRun*>(user);
            bool goOn = !run->check || run->check(frame);
            return goOn && frame + 1 < run->frames;
        };
        testing::internal::CaptureStdout();
        int status = RunEngine(options);
        std::string out = testing::internal::GetCapturedStdout();
        EXPECT_EQ(status, 0);
        return out;
    }
};

size_t CountOf(const std::string& text, const std::string& what)
{
    size_t count = 0;
    for (size_t at = text.find(what); at != std::string::npos; at = text.find(what, at + 1)) {
        ++count;
    }
    return count;
}

// Window pixel of a world point on the desk at 1280 by 720 once the zoom is over (1.5 units a pixel).
PXL_Vec2 PixelOf(PXL_Vec2 world)
{
    PXL_Vec2 camera = PXL_Camera_GetPosition();
    return {640 + (world.x - camera.x) / 1.5f, 360 - (world.y - camera.y) / 1.5f};
}

TEST(GameSceneTest, ZoomsFromTheMenuCloseUpToTheDeskInTenSeconds)
{
    DeskRun run;
    run.zoomOffset = 0.5f;
    run.frames = 700;
    std::vector<float> zoom;
    std::vector<bool> locked;
    run.check = [&](uint64_t) {
        zoom.push_back(ZoomOffset);
        locked.push_back(deskCamera.cameraLocked);
        return true;
    };
    std::string out = run.Run();
    ASSERT_EQ(zoom.size(), 700u);
    EXPECT_FLOAT_EQ(zoom[0], 0.5f) << "the first frame only brings the time left down to the duration";
    for (size_t i = 1; i < zoom.size(); ++i) {
        EXPECT_LE(zoom[i], zoom[i - 1]) << "frame " << i;
    }
    // Halfway through, the ease-in-out is halfway too.
    EXPECT_NEAR(zoom[301], 0.25f, 0.01f);
    EXPECT_NEAR(zoom[151], 0.5f * EaseInOutCubic(0.75f), 0.01f);
    size_t done = 0;
    while (done < locked.size() && locked[done]) {
        ++done;
    }
    EXPECT_NEAR(static_cast<double>(done), 601.0, 2.0) << "ten seconds after the hold, the player may pan";
    EXPECT_LT(zoom[done], 1e-6f);
    EXPECT_EQ(CountOf(out, "Broadcast: zoom_done ()"), 1u);
}

TEST(GameSceneTest, ZoomAlreadyOverAnnouncesZoomDoneAtOnce)
{
    DeskRun run;
    run.frames = 5;
    bool sentInFirstUpdate = false;
    run.check = [&](uint64_t frame) {
        // The first frame's time step is 0, so the desk's first real update is frame 1.
        if (frame == 1) {
            sentInFirstUpdate = gameScene->zoomDoneSent && !deskCamera.cameraLocked;
        }
        return true;
    };
    std::string out = run.Run();
    EXPECT_TRUE(sentInFirstUpdate);
    EXPECT_EQ(CountOf(out, "Broadcast: zoom_done ()"), 1u);
}

TEST(GameSceneTest, DragPansOnlyWhenItStartsOnBareDesk)
{
    DeskRun run;
    run.frames = 60;
    float afterControlDrag = 0, afterDeskDrag = 0;
    PXL_Vec2 switchPixel{0, 0};
    run.input = [&](uint64_t frame) {
        if (frame == 5) {
            // The plant boot's first switch, in view at the right edge while the camera is at the centre.
            switchPixel = PixelOf({935, 50});
            PxlInjectMouse(switchPixel.x, switchPixel.y);
        } else if (frame == 6) {
            PxlInjectKey(PXL_KEY_LBUTTON, true);
        } else if (frame > 6 && frame < 16) {
            PxlInjectMouse(switchPixel.x - 20.0f * static_cast<float>(frame - 6), switchPixel.y);
        } else if (frame == 16) {
            PxlInjectKey(PXL_KEY_LBUTTON, false);
        } else if (frame == 20) {
            PxlInjectMouse(640, 560); // bare desk below the terminal
        } else if (frame == 21) {
            PxlInjectKey(PXL_KEY_LBUTTON, true);
        } else if (frame > 21 && frame < 31) {
            // Passes over the terminal and the switches on the way: the drag goes on.
            PxlInjectMouse(640 - 20.0f * static_cast<float>(frame - 21), 560 - 30.0f * static_cast<float>(frame - 21));
        } else if (frame == 31) {
            PxlInjectKey(PXL_KEY_LBUTTON, false);
        }
    };
    run.check = [&](uint64_t frame) {
        if (frame == 17) {
            afterControlDrag = PXL_Camera_GetPosition().x;
        }
        if (frame == 32) {
            afterDeskDrag = PXL_Camera_GetPosition().x;
        }
        return true;
    };
    run.Run();
    EXPECT_FLOAT_EQ(afterControlDrag, 0.0f);
    EXPECT_FLOAT_EQ(afterDeskDrag, 9 * 20 * 1.5f) << "dragging left by 180 pixels moves the view 270 units right";
}

TEST(GameSceneTest, CameraStaysWithinTheDesk)
{
    DeskRun run;
    run.frames = 30;
    std::vector<float> xs;
    run.input = [&](uint64_t frame) {
        const float far = 100000;
        switch (frame) {
        case 2:
            PxlInjectMouse(640, 560);
            break;
        case 3:
            PxlInjectKey(PXL_KEY_LBUTTON, true);
            break;
        case 4:
            PxlInjectMouse(640 - far, 560);
            break;
        case 6:
            PxlInjectMouse(640 + far, 560);
            break;
        case 7:
            PxlInjectMouse(640 + 3 * far, 560);
            break;
        default:
            break;
        }
    };
    run.check = [&](uint64_t) {
        xs.push_back(PXL_Camera_GetPosition().x);
        return true;
    };
    run.Run();
    ASSERT_GE(xs.size(), 8u);
    EXPECT_FLOAT_EQ(xs[4], 14400.0f - 960.0f);
    EXPECT_FLOAT_EQ(xs[7], -14400.0f + 960.0f);
}

TEST(GameSceneTest, EscapeWithTheManualOpenClosesItAndPausesInTheSameFrame)
{
    DeskRun run;
    run.frames = 90;
    bool openBefore = false, openAfter = true, pausedAfter = false;
    run.input = [&](uint64_t frame) {
        switch (frame) {
        case 20:
            PxlInjectMouse(640, 700);
            break; // the closed book's strip
        case 21:
            PxlInjectKey(PXL_KEY_LBUTTON, true);
            break;
        case 22:
            PxlInjectKey(PXL_KEY_LBUTTON, false);
            break;
        case 60:
            PxlInjectKey(PXL_KEY_ESCAPE, true);
            break;
        case 61:
            PxlInjectKey(PXL_KEY_ESCAPE, false);
            break;
        default:
            break;
        }
    };
    run.check = [&](uint64_t frame) {
        if (frame == 59) {
            openBefore = manualScene->IsOpen();
        }
        if (frame == 60) {
            openAfter = manualScene->IsOpen();
            pausedAfter = IsSceneActive(pauseMenuScene) && !gameScene->updateEnabled;
        }
        return true;
    };
    std::string out = run.Run();
    EXPECT_TRUE(openBefore);
    EXPECT_FALSE(openAfter);
    EXPECT_TRUE(pausedAfter);
    EXPECT_EQ(CountOf(out, "Broadcast: open_manual ()"), 1u);
}

TEST(GameSceneTest, FocusLossPausesTheDeskOnce)
{
    DeskRun run;
    run.frames = 30;
    bool pausedInSameFrame = false;
    run.input = [&](uint64_t frame) {
        if (frame == 10) {
            PxlInjectFocus(false);
        }
    };
    bool pausedBefore = true;
    run.check = [&](uint64_t frame) {
        if (frame == 10) {
            pausedBefore = IsSceneActive(pauseMenuScene);
        }
        // The window reports the loss while it pumps its messages, after the engine's check of that frame.
        if (frame == 11) {
            pausedInSameFrame = IsSceneActive(pauseMenuScene) && pauseMenuScene->returnScene == gameScene;
        }
        return true;
    };
    run.Run();
    EXPECT_FALSE(pausedBefore);
    EXPECT_TRUE(pausedInSameFrame) << "pushed at the start of the next frame, before the systems update";
}

TEST(GameSceneTest, LeavingDuringTheClosingFadeShowsNoNewspaper)
{
    DeskRun run;
    run.frames = 420; // well past the five-second end countdown
    bool newspaperShown = false;
    run.check = [&](uint64_t frame) {
        if (frame == 10) {
            gameManager.ending = true; // the day was added: the fade runs
        }
        if (frame == 40) {
            SetNextScene(mainMenuScene); // "Main Menu", then "Confirm", from the pause menu
        }
        newspaperShown = newspaperShown || IsSceneActive(endGameScene);
        return true;
    };
    run.Run();
    EXPECT_FALSE(newspaperShown);
    EXPECT_FALSE(gameManager.ending);
}

// A 30-frame pause the player opens in frame `from`: by Escape, or by leaving the window (which pauses at the
// start of the next frame); closed by Escape, with the focus back first.
enum class PauseBy { Escape, FocusLoss };

void PauseInput(uint64_t frame, uint64_t from, PauseBy by)
{
    if (by == PauseBy::Escape && frame == from) {
        PxlInjectKey(PXL_KEY_ESCAPE, true);
    }
    if (by == PauseBy::FocusLoss && frame == from) {
        PxlInjectFocus(false);
    }
    if (frame == from + 1) {
        PxlInjectKey(PXL_KEY_ESCAPE, false);
    }
    if (frame == from + 28) {
        PxlInjectFocus(true);
    }
    if (frame == from + 30) {
        PxlInjectKey(PXL_KEY_ESCAPE, true);
    }
    if (frame == from + 31) {
        PxlInjectKey(PXL_KEY_ESCAPE, false);
    }
}

TEST(GameSceneTest, APauseInTheShiftsFirstFrameStillDatesIt)
{
    // The date the desk announces while loading is live in frame 1, which the lost focus pauses.
    DeskRun run;
    run.frames = 60;
    bool pausedWhenLive = false;
    std::string headerWhilePaused = "unset", headerAfter;
    run.input = [&](uint64_t frame) { PauseInput(frame, 0, PauseBy::FocusLoss); };
    run.check = [&](uint64_t frame) {
        if (frame == 1) {
            pausedWhenLive = IsSceneActive(pauseMenuScene);
        }
        if (frame == 20) {
            headerWhilePaused = gameScene->terminal->header;
        }
        headerAfter = gameScene->terminal->header;
        return frame < 40;
    };
    std::string out = run.Run();
    EXPECT_TRUE(pausedWhenLive);
    EXPECT_EQ(headerWhilePaused, "");
    const std::string announced = "Broadcast: calendar_date (";
    size_t at = out.find(announced);
    ASSERT_NE(at, std::string::npos);
    std::string date = out.substr(at + announced.size(), out.find(')', at) - at - announced.size());
    EXPECT_EQ(headerAfter, "Today is " + date);
    EXPECT_EQ(CountOf(out, "Heard: calendar_date (" + date + ")"), 3u)
        << "the desk, the authentication and the phone, once each";
}

class GameScenePauseTest : public testing::TestWithParam<PauseBy> {};

TEST_P(GameScenePauseTest, WhatTheDeskMissesWhilePausedItHearsOnceItResumes)
{
    // The authentication is solved in frame 100 and the player pauses at once: the desk is paused in the frame
    // its "tutorial_complete" is live, and must still read the end of the tutorial, once, and so start the
    // countdown.
    DeskRun run;
    run.frames = 2400;
    PauseBy by = GetParam();
    run.input = [&](uint64_t frame) { PauseInput(frame, 100, by); };
    bool pausedWhenLive = false;
    run.check = [&](uint64_t frame) {
        if (frame == 100) {
            Broadcast("tutorial_complete", "");
        }
        if (frame == 101) {
            pausedWhenLive = !gameScene->updateEnabled;
        }
        return !timerState.started;
    };
    std::string out = run.Run();
    EXPECT_TRUE(pausedWhenLive);
    EXPECT_EQ(CountOf(out, "Heard: tutorial_complete ()"), 1u);
    EXPECT_EQ(CountOf(out, "Broadcast: start_timer ()"), 1u);
    EXPECT_TRUE(timerState.started);
}

INSTANTIATE_TEST_SUITE_P(Pauses, GameScenePauseTest, testing::Values(PauseBy::Escape, PauseBy::FocusLoss),
                         [](const testing::TestParamInfo<PauseBy>& info) {
                             return info.param == PauseBy::Escape ? "Escape" : "FocusLoss";
                         });

TEST(GameSceneTest, AShiftThatEndsUnderThePauseMenuLeavesNoFrozenAlarm)
{
    DeskRun run;
    run.frames = 80;
    bool frozenWhilePaused = false;
    run.input = [&](uint64_t frame) {
        if (frame == 10) {
            PxlInjectFocus(false);
        }
    };
    run.check = [&](uint64_t frame) {
        if (frame == 5) {
            StartAlarm();
        }
        if (frame == 30) {
            frozenWhilePaused = alarmState.frozen && alarmState.active;
            SetNextScene(endGameScene); // the closing fade ran out while the menu was open
        }
        return frame < 40;
    };
    run.Run();
    EXPECT_TRUE(frozenWhilePaused);
    EXPECT_FALSE(alarmState.frozen);
    EXPECT_FALSE(alarmState.active);
    EXPECT_EQ(alarmState.intensity, 0.0f);
}

} // namespace

TEST(GameSceneTest, EveryRandomTaskJoinsThePool)
{
    DeskRun run;
    run.frames = 30; // announcements of one name are heard one a frame
    std::string out = run.Run();
    std::vector<std::string> pool = gameManager.pool;
    std::sort(pool.begin(), pool.end());
    EXPECT_EQ(pool, (std::vector<std::string>{"Decryption", "KeyModule", "Phone", "Reactor Temperature", "Targeting",
                                              "Wavulon3000"}));
    EXPECT_EQ(CountOf(out, "Broadcast: module_init (KeyModule)"), 1u);
    EXPECT_EQ(CountOf(out, "Broadcast: module_init (Phone)"), 1u);
}
