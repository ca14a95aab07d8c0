// The developers' bench: one screen that shows the whole art set through the game's own drawing calls (every
// font with and without glow, every panel kind, every frame of every sheet), so one screenshot is enough to
// judge the pictures and how they are cut. Nothing in the game leads here; the simulator opens it by name.
#pragma once

#include "platform/pxl.h"
#include "scenes/scene.h"

#include <vector>

class SandboxScene : public Scene {
public:
    SandboxScene() : Scene("SandboxScene") {}
    void Load() override;
    void Init() override;
    void Render() override;
    void Unload() override;

    // The loose pictures (those not held by the sheet table or the panels), in the order of the gallery.
    std::vector<PXL_Texture> pictures;
};

extern SandboxScene* sandboxScene;
