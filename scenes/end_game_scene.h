#pragma once

#include "scenes/scene.h"
#include <cstdint>

class EndGameScene : public Scene {
public:
    EndGameScene() : Scene("EndGameScene") {}
    int32_t won = -1;
};

extern EndGameScene* endGameScene;
