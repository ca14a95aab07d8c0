#include "interaction/buttons.h"

#include "audio/audio_cues.h"
#include "engine/screen_scale.h"
#include "engine/trace.h"
#include "render/nine_slice.h"
#include "render/sprite.h"
#include "render/sprite_sheet.h"

UIButton::UIButton(PXL_Vec2 designPosition, PXL_Vec2 designSize, std::string label, int32_t order)
    : Interactable(ScreenToWorld(designPosition), designSize, KindMomentary, order, 0.0f, false),
      label(std::move(label)), designPosition(designPosition), designSize(designSize)
{
    cue = CueKeycap;
}

void UIButton::Update()
{
    // Placed in screen terms every frame, so the button keeps its place and size whatever the camera does.
    float s = 1.0f - ZoomOffset;
    currentGlyphSize = {glyphSize.x * s, glyphSize.y * s};
    size = {designSize.x * s, designSize.y * s};
    position = ScreenToWorld(designPosition);
    cornersDirty = true;
    Interactable::Update();
    if (clicked && onClick != nullptr) {
        onClick();
    }
}

void UIButton::Render()
{
    DrawNineSlice(position, size, hovered ? PanelUIButtonHovered : PanelUIButton, 0.0f, true);
    if (label.empty() || font == 0) {
        return;
    }
    DrawTint = textColour;
    DrawAlpha = 1.0f;
    // The caption sits raised on the key cap and sinks while the pointer is over it.
    float raise = hovered ? 3.0f : 10.0f;
    PXL_Vec2 lift = ScreenToWorld({0.0f, raise});
    PXL_Vec2 camera = PXL_Camera_GetPosition();
    PXL_Vec2 caption = {position.x - lift.x + camera.x, position.y - lift.y + camera.y};
    DrawText(font, label, caption, currentGlyphSize, true, false);
}

TerminalButton::TerminalButton(std::string label, PXL_Vec2 size, void (*onClick)())
    : Interactable({0.0f, 0.0f}, size, KindMomentary, OrderTerminalButton, 0.0f, false), label(std::move(label)),
      onClick(onClick)
{
    cue = CueKeycap;
}

void TerminalButton::MoveTo(PXL_Vec2 newPosition)
{
    if (screenSpace) {
        newPosition = PXL_Camera_ScreenCoordToWorld(&newPosition);
    }
    position = newPosition;
    cornersDirty = true;
    // The terminal moves its buttons after the controls have been updated: this is where a click lands.
    if (clicked && !hidden) {
        DebugPrint("Clicked");
        if (onClick != nullptr) {
            onClick();
        }
    }
}
