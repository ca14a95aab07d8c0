#pragma once

#include "scenes/scene.h"

class UIButton;

// The settings overlay. For now it only offers "Exit Settings", which closes it and resumes the scene beneath.
class SettingsScene : public Scene {
public:
    SettingsScene() : Scene("SettingsScene") {}
    ~SettingsScene() override;
    void Load() override;
    void Render() override;
    void Unload() override;

    UIButton* exitButton = nullptr;
    // Set by the opener before the push; never cleared.
    Scene* returnScene = nullptr;
};

extern SettingsScene* settingsScene;
