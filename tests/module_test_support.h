// Desk modules worked with the mouse through the real controls on a headless 1280 by 720 window: frames in the
// engine's order, clicks as a player makes them, and the console lines the events print.
#pragma once

#include "flow/game_manager.h"
#include "interaction/interactable.h"
#include "interaction_test_support.h"
#include "modules/module.h"

#include <algorithm>
#include <cstdlib>
#include <gtest/gtest.h>
#include <sstream>
#include <string>
#include <vector>

class DeskModules : public HeadlessUi {
protected:
    void SetUp() override
    {
        HeadlessUi::SetUp();
        PxlSetFixedTimestep(Dt);
        ClearAllEvents();
        ResetGameManager();
        std::srand(99);
        testing::internal::CaptureStdout();
    }

    void TearDown() override
    {
        for (Module* module : modules) {
            module->Exit();
        }
        testing::internal::GetCapturedStdout();
        ResetGameManager();
        PxlSetFixedTimestep(0);
        HeadlessUi::TearDown();
    }

    // One frame in the engine's order: input, events, controls, then the desk's modules.
    void Frame(bool button)
    {
        Button(button);
        PXL_System_FrameControl();
        PXL_System_Update();
        ScreenScaleSystem.update(Dt);
        EventSystem.update(Dt);
        InteractionSystem.update(Dt);
        if (runManager) {
            GameManagerSystem.update(Dt);
        }
        UpdateModules();
    }

    // The desk's part of a frame; machines on the frame time update through their own entry.
    virtual void UpdateModules()
    {
        for (Module* module : modules) {
            module->Update();
        }
    }

    void Frames(int count, bool button = false)
    {
        for (int i = 0; i < count; ++i) {
            Frame(button);
        }
    }

    // A click as a player makes it: press over the control in one frame, release in the next.
    void Click(PXL_Vec2 world)
    {
        PointAt(world);
        Frame(true);
        Frame(false);
    }

    // The console lines printed so far ("Broadcast: ..." and "Heard: ..."), collected across the test.
    const std::vector<std::string>& Output()
    {
        std::istringstream text(testing::internal::GetCapturedStdout());
        for (std::string line; std::getline(text, line);) {
            output.push_back(line);
        }
        testing::internal::CaptureStdout();
        return output;
    }

    long Broadcasts(const std::string& name, const std::string& data)
    {
        const std::vector<std::string>& lines = Output();
        std::string prefix = "Broadcast: " + name + " (" + data + ") (";
        return std::count_if(lines.begin(), lines.end(),
                             [&](const std::string& line) { return line.rfind(prefix, 0) == 0; });
    }

    std::vector<Module*> modules;
    std::vector<std::string> output;
    bool runManager = false;
};
