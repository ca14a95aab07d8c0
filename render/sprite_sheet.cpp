#include "render/sprite_sheet.h"

#include "engine/asset_table.h"
#include "engine/system.h"
#include "render/shaders.h"

#include <cstdio>
#include <map>
#include <vector>

PXL_Texture GlowTexture = nullptr;

namespace {

struct SheetDeclaration {
    std::string fileName;
    SpriteSheetId id;
    uint32_t columns;
    uint32_t rows;
};

std::vector<SheetDeclaration> declarations;
std::map<SpriteSheetId, Sprite*> sheetTable;

void FreeTableEntry(Sprite* sprite)
{
    if (sprite == nullptr) {
        return;
    }
    SpriteSheet* sheet = sprite->sheet;
    FreeSprite(sprite);
    if (sheet != nullptr) {
        PXL_Graphics_FreeTexture(&sheet->texture);
        delete sheet;
    }
}

bool SheetsInit()
{
    DeclareSpriteSheet(SheetButton1, AssetInfo(Asset::Button1Sheet).path, 3, 1);
    DeclareSpriteSheet(SheetButton2, AssetInfo(Asset::Button2Sheet).path, 3, 1);
    DeclareSpriteSheet(SheetButtonPhone, AssetInfo(Asset::PhoneButtonSheet).path, 3, 1);
    DeclareSpriteSheet(SheetSwitch, AssetInfo(Asset::SwitchSheet).path, 2, 1);
    DeclareSpriteSheet(SheetKeyhole, AssetInfo(Asset::KeyholeSheet).path, 2, 1);
    DeclareSpriteSheet(SheetCheckbox, AssetInfo(Asset::CheckboxSheet).path, 2, 1);
    DeclareSpriteSheet(SheetTrashcan, AssetInfo(Asset::TrashcanSheet).path, 2, 1);
    DeclareSpriteSheet(SheetPencilCursor, AssetInfo(Asset::PencilCursor).path, 1, 1);
    DeclareSpriteSheet(FontIBM3270, AssetInfo(Asset::FontIBM3270Sheet).path, 16, 6);
    DeclareSpriteSheet(FontOxygenMono, AssetInfo(Asset::FontOxygenMonoSheet).path, 16, 6);
    DeclareSpriteSheet(FontLumenfall, AssetInfo(Asset::FontLumenfallSheet).path, 16, 6);
    DeclareSpriteSheet(FontTickingTimebomb, AssetInfo(Asset::FontTickingTimebombSheet).path, 16, 6);
    DeclareSpriteSheet(FontSymbols, AssetInfo(Asset::FontSymbolsSheet).path, 16, 6);
    DeclareSpriteSheet(SheetPhone, AssetInfo(Asset::Phone).path, 1, 1);
    DeclareSpriteSheet(SheetPhoneBookList, AssetInfo(Asset::PhoneBookList).path, 1, 1);
    GlowTexture = PXL_Graphics_LoadTexture(AssetPath(Asset::TerminalGlow));
    LoadDeclaredSheets();
    return true;
}

void SheetsExit()
{
    for (auto& entry : sheetTable) {
        FreeTableEntry(entry.second);
    }
    sheetTable.clear();
    declarations.clear();
    PXL_Graphics_FreeTexture(&GlowTexture);
}

} // namespace

const BaseSystem SpriteSheetSystem = {"SpriteSheetSystem", SheetsInit, SystemUpdateNothing, SystemNothing, SheetsExit};

void DeclareSpriteSheet(SpriteSheetId id, const char* fileName, uint32_t columns, uint32_t rows)
{
    declarations.push_back({fileName, id, columns, rows});
}

void LoadDeclaredSheets()
{
    for (const SheetDeclaration& declaration : declarations) {
        auto* sheet = new SpriteSheet{declaration.rows, declaration.columns, nullptr};
        char path[50];
        int written = std::snprintf(path, sizeof path, "Assets/%s", declaration.fileName.c_str());
        // A name too long for the path buffer would load a cut name; leave the sheet without a picture instead.
        if (written > 0 && static_cast<size_t>(written) < sizeof path) {
            sheet->texture = PXL_Graphics_LoadTexture(path);
        }
        Sprite* sprite = CreateSprite(new Sprite{}, sheet);
        auto found = sheetTable.find(declaration.id);
        if (found != sheetTable.end()) {
            FreeTableEntry(found->second);
        }
        sheetTable[declaration.id] = sprite;
    }
}

Sprite* GetSheetSprite(SpriteSheetId id)
{
    auto found = sheetTable.find(id);
    return found != sheetTable.end() ? found->second : nullptr;
}

float FontAdvanceFactor(SpriteSheetId font)
{
    switch (font) {
    case FontIBM3270:
        return 2.4f;
    case FontOxygenMono:
        return 2.0f;
    case FontLumenfall:
        return 3.4f;
    case FontTickingTimebomb:
        return 2.0f;
    case FontSymbols:
        return 5.0f;
    default:
        return 0.0f;
    }
}

namespace {

// keepShader: draw with the shaders already set (the terminal's) instead of the plain sprite shader.
void PlaceAndDrawFrame(SpriteSheetId id, uint32_t frame, PXL_Vec2 position, PXL_Vec2 size, float rotation,
                       const PXL_Color* tint, bool keepShader)
{
    Sprite* sprite = GetSheetSprite(id);
    if (sprite == nullptr) {
        return;
    }
    sprite->transform->position = position;
    sprite->transform->scale = size;
    sprite->transform->rotation = rotation;
    SpriteSetFrame(sprite, frame);
    DrawSprite(sprite, tint, keepShader, PXL_FILTER_LINEAR);
}

} // namespace

void DrawSheetFrame(SpriteSheetId id, uint32_t frame, PXL_Vec2 position, PXL_Vec2 size, float rotation,
                    const PXL_Color* tint)
{
    PlaceAndDrawFrame(id, frame, position, size, rotation, tint, false);
}

void DrawGlowFrame(SpriteSheetId font, uint32_t frame, PXL_Vec2 position, PXL_Vec2 size, float rotation)
{
    UseTerminalShaders();
    DrawAlpha = 0.6f;
    {
        ImmediateSprite glow(GlowTexture, true);
        glow.sprite.transform->position = position;
        glow.sprite.transform->rotation = rotation;
        glow.sprite.transform->scale = {size.x * 1.5f, size.y * 1.5f};
        glow.sprite.alpha = DrawAlpha < 0.0f ? 0.0f : (DrawAlpha > 1.0f ? 1.0f : DrawAlpha);
        DrawSprite(&glow.sprite, &DrawTint, true, PXL_FILTER_LINEAR);
    }
    DrawAlpha = 1.0f;
    PlaceAndDrawFrame(font, frame, position, size, rotation, &DrawTint, true);
}

float TextAdvance(SpriteSheetId font, float glyphWidth)
{
    float factor = FontAdvanceFactor(font);
    return factor == 0.0f ? 0.0f : glyphWidth - glyphWidth / factor;
}

void DrawText(SpriteSheetId font, const std::string& text, PXL_Vec2 position, PXL_Vec2 glyphSize, bool centred,
              bool glow)
{
    float factor = FontAdvanceFactor(font);
    if (factor == 0.0f) {
        return;
    }
    float advance = TextAdvance(font, glyphSize.x);
    float lineHeight = glyphSize.y;
    size_t firstLineLength = text.find('\n');
    if (firstLineLength == std::string::npos) {
        firstLineLength = text.size();
    }
    float startX = position.x;
    if (centred) {
        startX = position.x - advance * (static_cast<float>(firstLineLength) - 1.0f) / 2.0f;
    }
    PXL_Vec2 pen = {startX, position.y};
    for (unsigned char c : text) {
        if (c == '\n') {
            pen.y -= lineHeight;
            pen.x = startX;
            continue;
        }
        // Bytes outside the sheet wrap around to a huge frame index and keep the glyph the sprite had.
        uint32_t frame = static_cast<uint32_t>(c) - 32u;
        if (glow && c != ' ' && c != '.' && c != ':') {
            DrawGlowFrame(font, frame, pen, glyphSize, 0.0f);
        } else {
            DrawSheetFrame(font, frame, pen, glyphSize, 0.0f, &DrawTint);
        }
        PXL_Graphics_SetTextureSamplerData(PXL_FILTER_LINEAR, PXL_ADDRESS_CLAMP);
        pen.x += advance;
    }
}
