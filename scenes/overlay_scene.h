// An overlay: a scene pushed over another one, which it pauses while it is on the stack. The opener names that
// scene (returnScene) before the push. The overlay's buttons take clicks only from its second frame, so the
// click that opened it cannot also answer it.
#pragma once

#include "platform/pxl.h"
#include "scenes/scene.h"

#include <vector>

class UIButton;

class OverlayScene : public Scene {
public:
    void Load() final;
    void Render() final;
    void Exit() final;
    void Unload() final;

    // The scene beneath, set by whoever pushes the overlay; paused while the overlay is open.
    Scene* returnScene = nullptr;

protected:
    explicit OverlayScene(const char* name) : Scene(name) {}

    // Pushed with no return scene: each overlay says what that means for it.
    virtual void OnMissingReturnScene() = 0;
    // The overlay's own work; the scene beneath is already paused, and is resumed before ExitOverlay.
    virtual void LoadOverlay() {}
    // Drawn under the overlay's buttons.
    virtual void RenderOverlay() {}
    virtual void ExitOverlay() {}
    virtual void UnloadOverlay() {}

    // A button over every other control, at a design offset from the screen's centre. Drawn after
    // RenderOverlay, disabled until the end of the overlay's first frame, removed on unload.
    UIButton* AddButton(PXL_Vec2 place, PXL_Vec2 size, const char* label, void (*onClick)());

private:
    std::vector<UIButton*> buttons;
};
