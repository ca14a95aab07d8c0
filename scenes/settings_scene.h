#pragma once

#include "scenes/scene.h"

class SettingsScene : public Scene {
public:
    SettingsScene() : Scene("SettingsScene") {}
    Scene* returnScene = nullptr;
};

extern SettingsScene* settingsScene;
