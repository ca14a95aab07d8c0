// The developers' bench. Behind, the gallery of the whole art set; in front, one of each kind of control to
// try by hand: a demo button that broadcasts "event_name_1", a spinner, a slider, a turned push button, a
// listener on "event_name_2" and a rectangle that crosses the screen on the frame time. Escape opens the pause
// menu over it. Nothing in the game leads here; the simulator opens it by name.
#pragma once

#include "platform/pxl.h"
#include "scenes/asset_gallery.h"
#include "scenes/scene.h"

#include <memory>

class Interactable;
class Slider;
class Spinner;
class UIButton;
struct Listener;

class SandboxScene : public Scene {
public:
    SandboxScene() : Scene("SandboxScene") {}
    void Load() override;
    void Init() override;
    void Update(float dt) override;
    void Render() override;
    void Unload() override;

    AssetGallery gallery;
    UIButton* demoButton = nullptr;
    Spinner* spinner = nullptr;
    Slider* slider = nullptr;
    // A small push button, turned by 14 degrees: the hit test of a turned control.
    Interactable* turnedButton = nullptr;
    std::unique_ptr<Listener> listener;
    // Flipped each time the bench hears "event_name_1": the demo button's broadcast made visible.
    bool switchOn = false;
    PXL_Vec2 rectanglePosition{0, 0};
    PXL_Vec2 rectangleSize{120, 120};
    float rectangleSpeed = 100.0f; // world units per second
};

extern SandboxScene* sandboxScene;
