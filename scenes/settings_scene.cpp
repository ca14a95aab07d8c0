#include "scenes/settings_scene.h"

#include "engine/screen_scale.h"
#include "interaction/buttons.h"
#include "render/sprite.h"

#include <stdexcept>

SettingsScene* settingsScene = new SettingsScene();

namespace {

void CloseSettings()
{
    RemoveScene(settingsScene);
}

} // namespace

SettingsScene::~SettingsScene()
{
    RemoveInteractable(exitButton);
}

void SettingsScene::Load()
{
    if (returnScene == nullptr) {
        throw std::logic_error("Bro you forgot to set the return scene for Settings scene");
    }
    returnScene->updateEnabled = false;
    exitButton = new UIButton({0.0f, 300.0f}, {700.0f, 150.0f}, "Exit Settings", OrderOverlayButton);
    exitButton->onClick = CloseSettings;
    // Live from the second frame, so that the click that opened the settings cannot also close them.
    exitButton->enabled = false;
}

void SettingsScene::Render()
{
    float k = 1.0f - ZoomOffset;
    DrawTint = {0.4f, 0.4f, 0.4f, 0.65f};
    DrawAlpha = 0.65f;
    PXL_Vec2 centre = ScreenToWorld({0.0f, 0.0f});
    PXL_Vec2 backdrop = {1536.0f * k, 864.0f * k};
    DrawTexture(nullptr, &centre, &backdrop, PXL_FILTER_LINEAR, 0.0f);
    exitButton->Render();
    if (firstFrame) {
        exitButton->enabled = true;
    }
}

void SettingsScene::Unload()
{
    RemoveInteractable(exitButton);
    exitButton = nullptr;
    if (returnScene != nullptr) {
        returnScene->updateEnabled = true;
    }
}
