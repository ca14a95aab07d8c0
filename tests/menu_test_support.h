// The menus driven frame by frame on the headless window the way the engine runs them: a stand-in desk, one
// engine frame of the systems the menus need, clicks, and the main menu's entries.
#pragma once

#include "flow/alarm.h"
#include "flow/events.h"
#include "interaction/buttons.h"
#include "interaction_test_support.h"
#include "scenes/main_menu_scene.h"
#include "scenes/pause_menu_scene.h"
#include "scenes/scene.h"
#include "terminal/terminal.h"

#include <algorithm>
#include <gtest/gtest.h>
#include <string>
#include <vector>

// Stands in for the desk under the pause menu.
class DeskStandIn : public Scene {
public:
    DeskStandIn() : Scene("DeskStandIn") {}
    void Update(float dt) override { lastDt = dt; }
    float lastDt = -1.0f;
};

class MenuTest : public HeadlessUi {
protected:
    void TearDown() override
    {
        SetNextScene(nullptr);
        SceneSystem.update(0.0f);
        ResetAlarm();
        HeadlessUi::TearDown();
    }

    // One engine frame of the systems the menus need, in the engine's order; the first frame of a run has dt 0.
    void Frame()
    {
        float dt = frame == 0 ? 0.0f : Dt;
        EventSystem.update(dt);
        PXL_System_Update();
        ScreenScaleSystem.update(dt);
        InteractionSystem.update(dt);
        SceneSystem.update(dt);
        PXL_Graphics_StartDrawing();
        SceneSystem.render();
        PXL_Graphics_FinishDrawing();
        ++frame;
    }

    void Frames(int count)
    {
        for (int i = 0; i < count; ++i) {
            Frame();
        }
    }

    // The desk stand-in up for two frames, then the pause menu over it, its buttons live.
    void PauseOver(DeskStandIn& desk)
    {
        SetNextScene(&desk);
        Frames(2);
        pauseMenuScene->returnScene = &desk;
        PushScene(pauseMenuScene);
        Frames(2);
    }

    // A click over a world point: the press frame, then the release frame.
    void Click(PXL_Vec2 world)
    {
        PointAt(world);
        Button(true);
        Frame();
        Button(false);
        Frame();
    }

    // Where a menu entry of the main menu's terminal shows, by its row.
    PXL_Vec2 EntryPlace(const char* label)
    {
        Terminal& terminal = *mainMenuScene->terminal;
        auto line = std::find(terminal.lines.begin(), terminal.lines.end(), label);
        EXPECT_NE(line, terminal.lines.end()) << label;
        return terminal.LabelCentre(static_cast<int>(line - terminal.lines.begin()), std::string(label).size());
    }

    std::vector<std::string> ShownLabels()
    {
        std::vector<std::string> labels;
        for (TerminalButton* button : mainMenuScene->terminal->buttons) {
            labels.push_back(button->label);
        }
        return labels;
    }

    void OpenMainMenu()
    {
        SetNextScene(mainMenuScene);
        Frames(8);
        ASSERT_EQ(ShownLabels(), (std::vector<std::string>{"Start Game", "Settings", "Credits", "Exit Game"}));
    }

    int frame = 0;
};
