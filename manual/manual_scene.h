#pragma once

#include "scenes/scene.h"

class ManualScene : public Scene {
public:
    ManualScene() : Scene("ManualScene") {}
};

extern ManualScene* manualScene;
