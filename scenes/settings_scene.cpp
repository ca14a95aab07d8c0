#include "scenes/settings_scene.h"

#include "engine/screen_scale.h"
#include "render/sprite.h"

#include <stdexcept>

SettingsScene* settingsScene = new SettingsScene();

namespace {

void CloseSettings()
{
    RemoveScene(settingsScene);
}

} // namespace

void SettingsScene::OnMissingReturnScene()
{
    throw std::logic_error("Bro you forgot to set the return scene for Settings scene");
}

void SettingsScene::LoadOverlay()
{
    exitButton = AddButton({0.0f, 300.0f}, {700.0f, 150.0f}, "Exit Settings", CloseSettings);
}

void SettingsScene::RenderOverlay()
{
    float k = 1.0f - ZoomOffset;
    DrawTint = {0.4f, 0.4f, 0.4f, 0.65f};
    DrawAlpha = 0.65f;
    PXL_Vec2 centre = ScreenToWorld({0.0f, 0.0f});
    PXL_Vec2 backdrop = {1536.0f * k, 864.0f * k};
    DrawTexture(nullptr, &centre, &backdrop, PXL_FILTER_LINEAR, 0.0f);
}

void SettingsScene::UnloadOverlay()
{
    exitButton = nullptr;
}
