#pragma once

#include "scenes/scene.h"

#include <string>

class UIButton;

// A yes/no panel over the scene beneath: "Confirm" switches to confirmTarget (none ends the game), "Cancel"
// closes the panel. Openers set returnScene, confirmTarget and message before pushing it.
class ExitConfirm_OverlayScene : public Scene {
public:
    ExitConfirm_OverlayScene() : Scene("ExitConfirm_OverlayScene") {}
    ~ExitConfirm_OverlayScene() override;
    void Load() override;
    void Render() override;
    void Exit() override;
    void Unload() override;

    Scene* returnScene = nullptr;
    Scene* confirmTarget = nullptr;
    std::string message;
    UIButton* confirmButton = nullptr;
    UIButton* cancelButton = nullptr;
};

extern ExitConfirm_OverlayScene* exitConfirmScene;
