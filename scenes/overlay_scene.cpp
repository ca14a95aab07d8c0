#include "scenes/overlay_scene.h"

#include "interaction/buttons.h"

void OverlayScene::Load()
{
    if (returnScene == nullptr) {
        OnMissingReturnScene();
        return;
    }
    returnScene->updateEnabled = false;
    LoadOverlay();
}

void OverlayScene::Render()
{
    RenderOverlay();
    // Covered by another overlay, whose plate need not hide them all: its answers are the ones to see.
    for (UIButton* button : buttons) {
        if (updateEnabled) {
            button->Render();
        }
    }
    if (firstFrame) {
        for (UIButton* button : buttons) {
            button->enabled = true;
        }
    }
}

void OverlayScene::Exit()
{
    if (returnScene != nullptr) {
        returnScene->updateEnabled = true;
    }
    ExitOverlay();
}

void OverlayScene::Unload()
{
    UnloadOverlay();
    for (UIButton* button : buttons) {
        RemoveInteractable(button);
    }
    buttons.clear();
}

UIButton* OverlayScene::AddButton(PXL_Vec2 place, PXL_Vec2 size, const char* label, void (*onClick)())
{
    auto* button = new UIButton(place, size, label, OrderOverlayButton);
    button->onClick = onClick;
    button->enabled = false;
    buttons.push_back(button);
    return button;
}
