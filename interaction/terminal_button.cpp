#include "audio/audio_cues.h"
#include "engine/trace.h"
#include "interaction/buttons.h"

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
