#include "scenes/splash_screen_scene.h"

#include "engine/asset_table.h"
#include "engine/screen_scale.h"
#include "render/sprite.h"
#include "render/sprite_sheet.h"
#include "scenes/main_menu_scene.h"

#include <algorithm>

SplashScreenScene* splashScreenScene = new SplashScreenScene();

const char* const SplashNotice = "Best played with headphones on.";

namespace {

void DrawLogo(PXL_Texture logo)
{
    PXL_Vec2 window = PXL_Window_GetSize();
    float f = std::max(window.x / DesignWidth, window.y / DesignHeight);
    PXL_Vec2 size = PXL_Graphics_GetTextureSize(logo);
    PXL_Vec2 scale = {size.x * f, size.y * f};
    PXL_Vec2 centre = {0, 0};
    DrawTexture(logo, &centre, &scale, PXL_FILTER_LINEAR, 0.0f);
}

} // namespace

void SplashScreenScene::Load()
{
    makerLogo = PXL_Graphics_LoadTexture(AssetPath(Asset::MakerLogo));
    soundLibraryLogo = PXL_Graphics_LoadTexture(AssetPath(Asset::AudioLogo));
    PXL_Graphics_SetBlendMode(PXL_BLEND_ALPHA);
    const PXL_Color black = {0, 0, 0, 1};
    PXL_Graphics_SetBackgroundColor(&black);
    const PXL_Vec2 origin = {0, 0};
    PXL_Camera_SetPosition(&origin);
    ZoomOffset = 0.0f;
}

void SplashScreenScene::Update(float dt)
{
    if (dt == 0.0f) {
        return;
    }
    timer += dt;
}

void SplashScreenScene::Render()
{
    if (stage == 0) {
        if (timer > 0.1f) {
            stage = 1;
            timer = 0.0f;
        }
        return;
    }
    if (stage >= 3) {
        SetNextScene(mainMenuScene);
        return;
    }
    if (stage == 1) {
        DrawLogo(makerLogo);
        DrawTint = {1, 1, 1, 1};
        DrawAlpha = 1.0f;
        PXL_Vec2 window = PXL_Window_GetSize();
        PXL_Vec2 pixel = {window.x / 2, window.y - 50};
        DrawText(FontIBM3270, SplashNotice, PXL_Camera_ScreenCoordToWorld(&pixel), {40, 40}, true, false);
    } else {
        DrawLogo(soundLibraryLogo);
    }
    if (timer > stageDuration) {
        ++stage;
        timer = 0.0f;
    }
}

void SplashScreenScene::Unload()
{
    PXL_Graphics_FreeTexture(&makerLogo);
    PXL_Graphics_FreeTexture(&soundLibraryLogo);
    for (PXL_Texture& spare : spareTextures) {
        PXL_Graphics_FreeTexture(&spare);
    }
}
