// What a frame showed, in the words a player would use: each run of text (a font, its characters, where) and
// each picture (its file, its frame, where), rebuilt from the draw records of the graphics layer. Places are
// window pixels, origin top-left, y downward; everything is in drawing order, so a later item covers an
// earlier one. Only what lies at least partly inside the window and is not fully transparent is described.
#pragma once

#include "platform/pxl.h"
#include "platform/pxl_control.h"

#include <cstdint>
#include <string>
#include <vector>

struct ScreenText {
    std::string font;   // the font sheet's file under Assets, e.g. "Fonts/IBM3270Regular.png"
    std::string text;   // one line of glyphs as drawn, blanks included
    float x = 0, y = 0; // centre of the first glyph
    float left = 0, top = 0, right = 0, bottom = 0; // the box the glyphs cover
    float glyphWidth = 0, glyphHeight = 0;
    float advance = 0;          // from one glyph's centre to the next
    PXL_Color tint{0, 0, 0, 0}; // the colour the glyphs take
    bool glow = false;          // drawn over the terminal's glowing backdrop
    size_t order = 0;           // draw index of the first glyph

    // Where the character at `index` is centred.
    float CharacterX(size_t index) const { return x + advance * static_cast<float>(index); }
};

struct ScreenPicture {
    std::string file;   // under Assets, e.g. "Interactables/Button_2-Sheet.png"; empty for a plain rectangle
    uint32_t frame = 0; // frame of the sheet, row-major from the top-left; 0 for a whole picture
    uint32_t columns = 1, rows = 1;
    float x = 0, y = 0;          // centre
    float width = 0, height = 0; // before rotation
    float rotation = 0;          // radians, counter-clockwise
    PXL_Color tint{0, 0, 0, 0};  // added to the picture's colour; a plain rectangle shows it
    float alpha = 1;
    size_t order = 0;

    // Inside the (rotated) rectangle.
    bool Contains(float px, float py) const;
};

struct ScreenDescription {
    uint64_t frame = 0;
    int windowWidth = 0;
    int windowHeight = 0;
    std::vector<ScreenText> texts;
    std::vector<ScreenPicture> pictures;
};

// Builds the description from one frame's draw records in a window of the given size.
ScreenDescription DescribeScreen(const std::vector<PxlDrawRecord>& draws, int windowWidth, int windowHeight,
                                 uint64_t frame);

// The last finished frame of the running game (PxlFrameDraws; recording must be on).
ScreenDescription DescribeLastFrame(uint64_t frame);

// The description as JSON: {"frame", "window", "texts": [...], "pictures": [...]}.
std::string ScreenDescriptionJson(const ScreenDescription& screen);

// A file path as the game names it ("./Assets/X", "Assets/X") relative to the Assets folder ("X").
std::string AssetRelativePath(const std::string& path);
