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

} // namespace

void ExitConfirm_OverlayScene::OnMissingReturnScene()
{
    DebugPrint("\n\n***************\nMassive small brain moment for you SMH\n***************\n\n");
    throw std::logic_error("You are seriously here again??? Hint: You need to call the functions above when "
                           "adding this scene as an active scene.");
}

void ExitConfirm_OverlayScene::LoadOverlay()
{
    // Overlay buttons stand above the pause menu's blocker, so the answers light up under the pointer when
    // asked from the desk.
    const PXL_Vec2 size = {420.0f, 150.0f};
    confirmButton = AddButton({-250.0f, 150.0f}, size, "Confirm", Confirm);
    cancelButton = AddButton({250.0f, 150.0f}, size, "Cancel", Cancel);
}

void ExitConfirm_OverlayScene::RenderOverlay()
{
    float k = 1.0f - ZoomOffset;
    PXL_Vec2 window = PXL_Window_GetSize();
    float s = window.y / DesignHeight;
    DrawNineSlice(PXL_Camera_GetPosition(), {(window.x - 300.0f) / s * k, 550.0f * k}, PanelMetalPlate, 1.0f, true);
    DrawTint = {0, 0, 0, 1};
    DrawText(FontIBM3270, message, ScreenToWorld({0.0f, -150.0f}), {70.0f * k, 70.0f * k}, true, false);
}

void ExitConfirm_OverlayScene::UnloadOverlay()
{
    confirmButton = nullptr;
    cancelButton = nullptr;
}
