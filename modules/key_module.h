// The desk drawer with the reactor key: open it by its front, move the clutter aside, carry the key to the
// keyhole by the terminal and, once the terminal asks, turn it.
#pragma once

#include "modules/module.h"
#include "render/sprite.h"

#include <array>
#include <cstdint>

class Interactable;

class KeyModule : public Module {
public:
    KeyModule(std::string name, PXL_Vec2 position);

    void Init() override;
    void Render() override;
    void Exit() override;
    void OnTrigger() override;
    void OnCorrect() override;
    // The drawer slides on the frame time.
    virtual void TimedUpdate(float dt);

    // Scatters the objects over the drawer's interior and hides the key under one of them.
    void PlaceObjects();

    bool open = false; // where the drawer is going
    float tweenDuration = 0.5f;
    float tweenElapsed = 0.5f; // at or above the duration the drawer rests
    PXL_Texture drawerTexture = nullptr;
    PXL_Vec2 closedPosition{0, 900};
    PXL_Vec2 openPosition{0, 200};
    PXL_Vec2 drawerPosition{0, 900}; // relative to the module, like the two above
    PXL_Vec2 drawerDrawSize{960, 960};
    PXL_Vec2 interiorSize{580, 700};
    PXL_Vec2 handleOffset{0, -450};
    PXL_Vec2 handleSize{250, 75};
    Interactable* handle = nullptr;
    PXL_Vec2 objectSize{240, 240};
    PXL_Vec2 grabOffset{0, 0};
    Interactable* key = nullptr;
    Interactable* keyhole = nullptr;
    bool picked = false;   // the key has left the drawer
    bool inserted = false; // the key sits in the keyhole
    float insertDistance = 50.0f;
    PXL_Vec2 keyholePlateCentre{-500, -250}; // desk coordinates, like the keyhole
    PXL_Vec2 keyholePlateSize{200, 100};
    PXL_Vec2 keyholeCentre{-450, -250};
    PXL_Vec2 keyholeSize{120, 120};
    float keyholeTurn = 0.0f; // radians; a quarter turn once the key has been turned
    PXL_Texture objectsTexture = nullptr;
    SpriteSheet objectsSheet{4, 4, nullptr};
    Sprite* objectsSprite = nullptr;
    static constexpr uint32_t ObjectCount = 10;
    std::array<Interactable*, ObjectCount> objects{};
    Interactable* dragged = nullptr;
    uint32_t objectsCreated = 0;

private:
    void Slide(float dt);
    void MoveWithDrawer(float dy);
    void ClampToInterior(Interactable* object) const;
    void DrawObject(const Interactable* item, uint32_t frame);
};
