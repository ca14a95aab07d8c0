#pragma once

#include "scenes/scene.h"
#include <string>

class ExitConfirm_OverlayScene : public Scene {
public:
    ExitConfirm_OverlayScene() : Scene("ExitConfirm_OverlayScene") {}
    Scene* returnScene = nullptr;
    Scene* confirmTarget = nullptr;
    std::string message;
};

extern ExitConfirm_OverlayScene* exitConfirmScene;
