#pragma once

#include "scenes/scene.h"

class SandboxScene : public Scene {
public:
    SandboxScene() : Scene("SandboxScene") {}
};

extern SandboxScene* sandboxScene;
