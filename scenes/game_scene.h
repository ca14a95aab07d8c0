#pragma once

#include "scenes/scene.h"

class GameScene : public Scene {
public:
    GameScene() : Scene("GameScene") {}
};

extern GameScene* gameScene;
