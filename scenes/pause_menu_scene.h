#pragma once

#include "platform/pxl.h"
#include "scenes/scene.h"

class Interactable;
class UIButton;

// Dims the desk and offers "Resume Game", "Settings" and "Main Menu"; the alarm stands still while it is open.
class PauseMenuScene : public Scene {
public:
    PauseMenuScene() : Scene("PauseMenuScene") {}
    ~PauseMenuScene() override;
    void Load() override;
    void Update(float dt) override;
    void Render() override;
    void Exit() override;
    void Unload() override;

    UIButton* resumeButton = nullptr;
    UIButton* settingsButton = nullptr;
    UIButton* mainMenuButton = nullptr;
    // Invisible, over the whole view, above every desk control: clicks stop here.
    Interactable* blocker = nullptr;
    // The scene beneath, set by whoever pushes the menu; paused while the menu is open.
    Scene* returnScene = nullptr;
};

extern PauseMenuScene* pauseMenuScene;

// The dimmed area and the blocker: the design size of the desk view, or more when the window shows more.
PXL_Vec2 PauseCoverSize();
