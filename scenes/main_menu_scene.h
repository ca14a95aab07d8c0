#pragma once

#include "scenes/scene.h"

class MainMenuScene : public Scene {
public:
    MainMenuScene() : Scene("MainMenuScene") {}
};

extern MainMenuScene* mainMenuScene;
