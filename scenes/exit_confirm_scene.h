#pragma once

#include "scenes/overlay_scene.h"

#include <string>

class UIButton;

// A yes/no panel over the scene beneath: "Confirm" switches to confirmTarget (none ends the game), "Cancel"
// closes the panel. Openers set returnScene, confirmTarget and message before pushing it.
class ExitConfirm_OverlayScene : public OverlayScene {
public:
    ExitConfirm_OverlayScene() : OverlayScene("ExitConfirm_OverlayScene") {}

    Scene* confirmTarget = nullptr;
    std::string message;
    UIButton* confirmButton = nullptr;
    UIButton* cancelButton = nullptr;

protected:
    void OnMissingReturnScene() override;
    void LoadOverlay() override;
    void RenderOverlay() override;
    void UnloadOverlay() override;
};

extern ExitConfirm_OverlayScene* exitConfirmScene;
