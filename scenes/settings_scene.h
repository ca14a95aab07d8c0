#pragma once

#include "scenes/overlay_scene.h"

class UIButton;

// The settings overlay. For now it only offers "Exit Settings", which closes it and resumes the scene beneath.
class SettingsScene : public OverlayScene {
public:
    SettingsScene() : OverlayScene("SettingsScene") {}

    UIButton* exitButton = nullptr;

protected:
    void OnMissingReturnScene() override;
    void LoadOverlay() override;
    void RenderOverlay() override;
    void UnloadOverlay() override;
};

extern SettingsScene* settingsScene;
