// The newspaper that ends a shift: it spins in, shows the saved day or the meltdown, and a click after a
// while returns to the main menu.
#pragma once

#include "platform/pxl.h"
#include "scenes/scene.h"

#include <cstdint>

class EndGameScene : public Scene {
public:
    EndGameScene() : Scene("EndGameScene") {}
    void Load() override;
    void Init() override;
    void Update(float dt) override;
    void Render() override;
    void Unload() override;

    // 1 after a won shift, 0 after a lost one; any value but 0 shows the saved day.
    int32_t won = -1;
    PXL_Texture backgroundTexture = nullptr;
    PXL_Texture winTexture = nullptr;
    PXL_Texture loseTexture = nullptr;
    float growDuration = 1.0f;    // seconds of the spin-in
    float spinSpeed = 20.0f;      // radians per second while spinning in
    float minimumShowTime = 5.0f; // seconds before a click returns to the menu
    float fullSize = 1080.0f;     // side of the square page, world units
    float elapsed = 0.0f;
    float size = 1080.0f;
    float rotation = 0.0f; // radians
};

extern EndGameScene* endGameScene;
