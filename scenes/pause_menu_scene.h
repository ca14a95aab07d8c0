#pragma once

#include "platform/pxl.h"
#include "scenes/overlay_scene.h"

class Interactable;
class UIButton;

// Dims the desk and offers "Resume Game", "Settings" and "Main Menu"; the alarm stands still while it is open.
class PauseMenuScene : public OverlayScene {
public:
    PauseMenuScene() : OverlayScene("PauseMenuScene") {}
    void Update(float dt) override;

    UIButton* resumeButton = nullptr;
    UIButton* settingsButton = nullptr;
    UIButton* mainMenuButton = nullptr;
    // Invisible, over the whole view, above every desk control: clicks stop here.
    Interactable* blocker = nullptr;

protected:
    void OnMissingReturnScene() override;
    void LoadOverlay() override;
    void RenderOverlay() override;
    void ExitOverlay() override;
    void UnloadOverlay() override;
};

extern PauseMenuScene* pauseMenuScene;

// The dimmed area and the blocker: the design size of the desk view, or more when the window shows more.
PXL_Vec2 PauseCoverSize();
