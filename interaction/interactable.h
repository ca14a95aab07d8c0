// Mouse-driven controls: invisible, possibly turned rectangles that report hover, click, hold and value.
#pragma once

#include "interaction/interaction_system.h"
#include "platform/pxl.h"

#include <cstdint>
#include <vector>

enum InteractableKind : uint32_t {
    KindMomentary = 0,
    KindToggle = 1,
};

// Click orders, lowest first: where controls overlap under the cursor, the highest order takes the click.
enum ClickOrder : int32_t {
    OrderKeyInKeyhole = -100000,   // the reactor key once it sits in its keyhole: below everything
    OrderDesk = 0,                 // the desk's own controls (the safety sign's button)
    OrderModuleControl = 4,        // a machine's switches and buttons
    OrderStickyNote = 450,         // a sticky note, over the machines it lies on
    OrderKeyInHand = 498,          // the reactor key once taken out of its drawer: over the clutter, under the manual
    OrderManualToggle = 500,       // the band at the bottom edge that opens and closes the manual
    OrderManualArrow = 1000,       // the manual's page arrows, over the machines it covers
    OrderTerminalButton = 1000,    // a clickable terminal line, on the level of the arrows
    OrderOverlay = 1000000,        // what an overlay puts over the desk to keep clicks off it
    OrderOverlayButton = 10000000, // an overlay's own buttons, over everything
};

// Two areas closer than this (world units squared) count as equal in the turned-rectangle hit test.
constexpr int HitTolerance = 10;

class Interactable {
public:
    // Appends the control to the interaction system, which owns it. order -1 takes the next free order.
    Interactable(PXL_Vec2 position, PXL_Vec2 size, uint32_t kind, int32_t order, float rotation, bool screenSpace);
    virtual ~Interactable() = default;
    Interactable(const Interactable&) = delete;
    Interactable& operator=(const Interactable&) = delete;
    virtual void Update();

    void SetTransform(PXL_Vec2 position, PXL_Vec2 size);

    PXL_Vec2 corners[4] = {};
    bool cornersDirty = true;
    bool hovered = false;
    bool clicked = false;
    bool held = false;
    float value = 0.0f;
    bool screenSpace = false;
    int32_t order = 0;
    bool enabled = true;
    float rotation = 0.0f; // degrees, counter-clockwise
    bool converted = false;
    int32_t cue = -1;
    PXL_Vec2 position{0, 0};
    PXL_Vec2 size{0, 0};
    uint32_t kind = 0;
    // What a toggle held before this frame's click, so that a control on top can take the click back exactly.
    float valueBeforeClick = 0.0f;

protected:
    void UpdateCorners();
    bool Contains(PXL_Vec2 point) const;
};

class Slider : public Interactable {
public:
    Slider(PXL_Vec2 start, PXL_Vec2 end, PXL_Vec2 handleSize, float value, float rotation, int32_t order);
    void Update() override;

    PXL_Vec2 start;
    PXL_Vec2 end;
    float length;
    bool repositionPending = true;
    bool dragging = false;
    PXL_Vec2 handleSize;
};

class Spinner : public Interactable {
public:
    Spinner(PXL_Vec2 position, PXL_Vec2 size, int32_t order = -1);
    void Update() override;

    float angle = 0.0f; // radians
    float grabOffset = 0.0f;
    float totalTurn = 0.0f;
    float lastTurn = 0.0f;
    bool changed = true;
    bool dragging = false;
};

// The cursor as a world point.
PXL_Vec2 MouseWorldPosition();
