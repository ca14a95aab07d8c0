// The sticky-note pad beside the terminal: the top sheet is a small canvas the player scribbles on with the
// mouse; pressing its gummed strip tears the sheet off as a loose note that can be dragged about the desk and
// thrown into the waste bin. No task is attached and no events are sent or heard.
#pragma once

#include "platform/pxl.h"

#include <cstdint>
#include <vector>

class Interactable;

// One note: a 240 by 300 sheet whose lower 240 by 240 is the canvas.
class StickyNote {
public:
    static constexpr float CanvasSide = 240.0f;
    static constexpr float StripHeight = 60.0f;

    // Registers the note's handle with the interaction system; `texture` (may be null) becomes the note's.
    StickyNote(PXL_Texture texture, PXL_Vec2 position, PXL_Vec2 mouse);
    // Frees the texture and takes the handle out of the interaction system.
    ~StickyNote();
    StickyNote(const StickyNote&) = delete;
    StickyNote& operator=(const StickyNote&) = delete;

    // One frame: draws (the pad's sheet) or follows the mouse (a loose note, unless a note above is held).
    void Update(bool blockedByNoteAbove);
    // Paints the brush along the straight line from the last mouse position to `mouse`.
    void DrawStroke(PXL_Vec2 mouse);
    // Makes the texture show the pixels again.
    void RebuildTexture();
    // Centre of the canvas, under the strip.
    PXL_Vec2 CanvasCentre() const;

    bool grabbed = false;
    PXL_Texture texture = nullptr;
    float pixelScale = 1.0f;
    float canvasWidth = CanvasSide;
    float canvasHeight = CanvasSide;
    Interactable* handle = nullptr;
    PXL_Vec2 position{0, 0};
    PXL_Vec2 lastMouse{0, 0};
    bool blocked = false;
    bool padSheet = false;
    // Row after row from the top, four bytes a pixel (red, green, blue, alpha); blank is all zero.
    std::vector<uint8_t> pixels;
    int32_t brushRadius = 2;
    float strokeStep = 5.0f;

private:
    // Paints one dab of the brush centred on the canvas pixel (row, column); true when a pixel changed.
    bool Dab(int32_t row, int32_t column);
};

class StickyNotesModule {
public:
    explicit StickyNotesModule(PXL_Vec2 position);
    virtual ~StickyNotesModule();
    StickyNotesModule(const StickyNotesModule&) = delete;
    StickyNotesModule& operator=(const StickyNotesModule&) = delete;

    // Loads the note body and pad base pictures shared by every note.
    virtual void Init();
    // Frees every note and the shared pictures.
    virtual void Exit();

    void Update();
    void Render();

    // Puts the pad's blank sheet on the pad, with the mouse where it is now.
    void AddPadSheet();
    PXL_Vec2 BinCentre() const;
    PXL_Vec2 StripCentre() const;

    PXL_Vec2 position;
    PXL_Vec2 binOffset{350, -60};
    PXL_Vec2 binSize{240, 240};
    bool binUsed = false;
    // Drawing order, bottom first; entry 0 is the pad's sheet.
    std::vector<StickyNote*> notes;
    // Where the mouse was pressed on the strip; (0, 0) while there is none.
    PXL_Vec2 stripGrabPoint{0, 0};
    PXL_Texture bodyTexture = nullptr;
    PXL_Texture baseTexture = nullptr;

private:
    bool InBin(PXL_Vec2 point) const;
    void CheckTearOff();
    void TearOff(PXL_Vec2 mouse);
};
