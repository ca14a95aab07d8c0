// The developers' bench: one screen that shows the whole art set through the game's own drawing calls (every
// font with and without glow, every panel kind, every frame of every sheet), so one screenshot is enough to
// judge the pictures and how they are cut.
#pragma once

#include "scenes/scene.h"

class SandboxScene : public Scene {
public:
    SandboxScene() : Scene("SandboxScene") {}
    void Init() override;
    void Render() override;
};

extern SandboxScene* sandboxScene;
