#pragma once

#include "platform/pxl.h"
#include "scenes/scene.h"

#include <cstdint>

// The maker's logo, then the sound library's, on black; then the main menu.
class SplashScreenScene : public Scene {
public:
    SplashScreenScene() : Scene("SplashScreenScene") {}
    void Load() override;
    void Update(float dt) override;
    void Render() override;
    void Unload() override;

    PXL_Texture makerLogo = nullptr;
    PXL_Texture soundLibraryLogo = nullptr;
    PXL_Texture spareTextures[2] = {nullptr, nullptr};
    int32_t stage = 0;
    float stageDuration = 2.0f;
    float timer = 0.0f;
};

extern SplashScreenScene* splashScreenScene;

// The one-line notice under the maker's logo.
extern const char* const SplashNotice;
