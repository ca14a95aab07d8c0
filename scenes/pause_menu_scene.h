#pragma once

#include "scenes/scene.h"

class PauseMenuScene : public Scene {
public:
    PauseMenuScene() : Scene("PauseMenuScene") {}
    Scene* returnScene = nullptr;
};

extern PauseMenuScene* pauseMenuScene;
