// Sprite sheets by id, bitmap-font text and glowing glyphs.
#pragma once

#include "platform/pxl.h"
#include "render/sprite.h"

#include <cstdint>
#include <string>

using SpriteSheetId = uint32_t;

enum : SpriteSheetId {
    SheetButton1 = 0,
    SheetButton2 = 1,
    SheetButtonPhone = 2,
    SheetSwitch = 3,
    SheetKeyhole = 4,
    SheetCheckbox = 5,
    SheetTrashcan = 6,
    FontIBM3270 = 7,
    FontOxygenMono = 8,
    FontLumenfall = 9,
    SheetPencilCursor = 10,
    FontTickingTimebomb = 11,
    FontSymbols = 12,
    SheetPhone = 13,
    SheetPhoneBookList = 14,
};

void DeclareSpriteSheet(SpriteSheetId id, const char* fileName, uint32_t columns, uint32_t rows);
void LoadDeclaredSheets();

// The table sprite of an id, or null when the id has no sheet.
Sprite* GetSheetSprite(SpriteSheetId id);

// The advance factor of a font id, or 0 when the id is not a font.
float FontAdvanceFactor(SpriteSheetId font);

// How far the pen moves from one glyph to the next for a glyph of this width; 0 when the id is not a font.
float TextAdvance(SpriteSheetId font, float glyphWidth);

void DrawSheetFrame(SpriteSheetId id, uint32_t frame, PXL_Vec2 position, PXL_Vec2 size, float rotation,
                    const PXL_Color* tint);
void DrawGlowFrame(SpriteSheetId font, uint32_t frame, PXL_Vec2 position, PXL_Vec2 size, float rotation);
void DrawText(SpriteSheetId font, const std::string& text, PXL_Vec2 position, PXL_Vec2 glyphSize, bool centred,
              bool glow);

extern PXL_Texture GlowTexture;
