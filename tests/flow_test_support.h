// A shift's flow on the headless backend: the event system and the flow systems run frame by frame in the
// engine's order, with a hook where the scene system would update the desk.
#pragma once

#include "engine/system.h"
#include "flow/alarm.h"
#include "flow/events.h"
#include "flow/game_manager.h"
#include "flow/timer.h"
#include "platform/pxl.h"
#include "platform/pxl_control.h"
#include "scenes/end_game_scene.h"
#include "scenes/game_scene.h"
#include "scenes/pause_menu_scene.h"
#include "scenes/scene.h"
#include "support/headless_window.h"

#include <cstdint>
#include <functional>
#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace flowtest {

struct HeardEvent {
    uint64_t frame;
    std::string name;
    std::string data;
};

class FlowFixture : public testing::Test {
protected:
    void SetUp() override
    {
        previousBackend = PxlCurrentBackend();
        ASSERT_TRUE(OpenHeadlessWindow());
        ClearAllEvents();
        ResetGameManager();
        ResetTimer();
        ResetAlarm();
        gameScene->ear.Forget();
        endGameScene->won = -1;
        pauseMenuScene->active = false;
        // The countdown runs only while the desk is up.
        gameScene->active = true;
        SetNextScene(nullptr);
    }

    void TearDown() override
    {
        ClearAllEvents();
        pauseMenuScene->active = false;
        gameScene->active = false;
        gameScene->updateEnabled = true;
        SetNextScene(nullptr);
        ResetAlarm();
        PXL_System_Exit();
        PxlSetScriptedInput(false);
        PxlSelectBackend(previousBackend);
    }

    // One frame in the engine's update order. `watched` events live this frame are logged as they would be
    // heard by anyone updating after the event system.
    void Frame(float dt)
    {
        PXL_System_Update();
        // The pause menu holds the desk from the frame after it opens, as the overlay's return scene.
        gameScene->updateEnabled = !pauseMenuScene->active;
        EventSystem.update(dt);
        for (const std::string& name : watched) {
            if (Listen(name)) {
                heard.push_back({frame, name, GetData(name)});
            }
        }
        GameManagerSystem.update(dt);
        // The scene system: the desk hears, or is held while the pause menu is up.
        if (pauseMenuScene->active) {
            gameScene->ear.Hold();
        } else {
            gameScene->ear.Hear();
        }
        if (sceneStep) {
            sceneStep();
        }
        TimerSystem.update(dt);
        AlarmSystem.update(dt);
        ++frame;
    }

    void Frames(int count, float dt)
    {
        for (int i = 0; i < count; ++i) {
            Frame(dt);
        }
    }

    std::vector<HeardEvent> HeardNamed(const std::string& name) const
    {
        std::vector<HeardEvent> found;
        for (const HeardEvent& event : heard) {
            if (event.name == name) {
                found.push_back(event);
            }
        }
        return found;
    }

    // One module's name in the pool, so that the task the countdown's start hands out goes to a module that
    // never answers (with an empty pool the first task due would be the win).
    void PoolWithOneSilentModule() { gameManager.pool = {"Wavulon3000"}; }

    // Starts the countdown the way the end-of-tutorial script does, and runs the frame that hears it.
    void StartTimer(float dt)
    {
        Broadcast("start_timer", "");
        Frame(dt);
    }

    PxlBackendKind previousBackend{};
    uint64_t frame = 0;
    std::vector<std::string> watched;
    std::vector<HeardEvent> heard;
    std::function<void()> sceneStep;
};

} // namespace flowtest
