// Labelled buttons: menu buttons placed in screen terms, and clickable spans over terminal lines.
#pragma once

#include "interaction/interactable.h"
#include "platform/pxl.h"
#include "render/sprite_sheet.h"

#include <string>

class UIButton : public Interactable {
public:
    UIButton(PXL_Vec2 designPosition, PXL_Vec2 designSize, std::string label, int32_t order);
    void Update() override;
    void Render();

    void (*onClick)() = nullptr;
    std::string label;
    SpriteSheetId font = FontIBM3270;
    PXL_Vec2 glyphSize{70, 70};
    PXL_Vec2 currentGlyphSize{70, 70};
    PXL_Vec2 designPosition;
    PXL_Vec2 designSize;
    PXL_Color textColour{0, 0, 0, 1};
};

class TerminalButton : public Interactable {
public:
    TerminalButton(std::string label, PXL_Vec2 size, void (*onClick)());
    virtual void MoveTo(PXL_Vec2 position);

    std::string label;
    void (*onClick)() = nullptr;
    bool hidden = false; // its line scrolled out: it never fires again and is not drawn
};
