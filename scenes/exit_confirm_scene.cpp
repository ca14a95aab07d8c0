#include "scenes/exit_confirm_scene.h"

#include "engine/screen_scale.h"
#include "engine/trace.h"
#include "interaction/buttons.h"
#include "render/nine_slice.h"
#include "render/sprite.h"
#include "render/sprite_sheet.h"

#include <stdexcept>

ExitConfirm_OverlayScene* exitConfirmScene = new ExitConfirm_OverlayScene();

namespace {

void Confirm()
{
    SetNextScene(exitConfirmScene->confirmTarget);
}

void Cancel()
{
    RemoveScene(exitConfirmScene);
}

// Above the pause menu's blocker, so that the answers light up under the pointer when asked from the desk.

UIButton* MakeButton(PXL_Vec2 place, const char* label, void (*onClick)())
{
    auto* button = new UIButton(place, {420.0f, 150.0f}, label, OrderOverlayButton);
    button->onClick = onClick;
    // Live from the frame after the panel first shows, so the click that opened it cannot answer it.
    button->enabled = false;
    return button;
}

} // namespace

ExitConfirm_OverlayScene::~ExitConfirm_OverlayScene()
{
    RemoveInteractable(confirmButton);
    RemoveInteractable(cancelButton);
}

void ExitConfirm_OverlayScene::Load()
{
    if (returnScene == nullptr) {
        DebugPrint("\n\n***************\nMassive small brain moment for you SMH\n***************\n\n");
        throw std::logic_error("You are seriously here again??? Hint: You need to call the functions above when "
                               "adding this scene as an active scene.");
    }
    returnScene->updateEnabled = false;
    confirmButton = MakeButton({-250.0f, 150.0f}, "Confirm", Confirm);
    cancelButton = MakeButton({250.0f, 150.0f}, "Cancel", Cancel);
}

void ExitConfirm_OverlayScene::Render()
{
    float k = 1.0f - ZoomOffset;
    PXL_Vec2 window = PXL_Window_GetSize();
    float s = window.y / DesignHeight;
    DrawNineSlice(PXL_Camera_GetPosition(), {(window.x - 300.0f) / s * k, 550.0f * k}, PanelMetalPlate, 1.0f, true);
    DrawTint = {0, 0, 0, 1};
    DrawText(FontIBM3270, message, ScreenToWorld({0.0f, -150.0f}), {70.0f * k, 70.0f * k}, true, false);
    confirmButton->Render();
    cancelButton->Render();
    if (firstFrame) {
        confirmButton->enabled = true;
        cancelButton->enabled = true;
    }
}

void ExitConfirm_OverlayScene::Exit()
{
    if (returnScene != nullptr) {
        returnScene->updateEnabled = true;
    }
}

void ExitConfirm_OverlayScene::Unload()
{
    RemoveInteractable(confirmButton);
    RemoveInteractable(cancelButton);
    confirmButton = nullptr;
    cancelButton = nullptr;
}
