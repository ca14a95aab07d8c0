#include "render/nine_slice.h"

#include "engine/asset_table.h"
#include "engine/screen_scale.h"
#include "engine/system.h"
#include "render/sprite.h"

namespace {

const Asset PanelFiles[NineSliceKindCount] = {
    Asset::PanelScreen1,         Asset::PanelScreen2,    Asset::PanelMetalPlate, Asset::PanelUIButton,
    Asset::PanelUIButtonHovered, Asset::PanelModuleBase, Asset::PanelDeskHole,
};

struct Panel {
    SpriteSheet* sheet = nullptr;
    Sprite* sprite = nullptr;
};
Panel panels[NineSliceKindCount];

bool NineSliceInit()
{
    for (Panel& panel : panels) {
        int kind = static_cast<int>(&panel - panels);
        panel.sheet = new SpriteSheet{4, 4, PXL_Graphics_LoadTexture(AssetPath(PanelFiles[kind]))};
        panel.sprite = CreateSprite(new Sprite{}, panel.sheet);
    }
    return true;
}

void NineSliceExit()
{
    for (Panel& panel : panels) {
        if (panel.sheet != nullptr) {
            PXL_Graphics_FreeTexture(&panel.sheet->texture);
        }
        FreeSprite(panel.sprite);
        delete panel.sheet;
        panel = Panel{};
    }
}

void DrawPiece(Sprite* sprite, uint32_t frame, float x, float y, float width, float height)
{
    SpriteSetFrame(sprite, frame);
    sprite->transform->position = {x, y};
    sprite->transform->scale = {width, height};
    sprite->transform->rotation = 0.0f;
    DrawSprite(sprite, &NoTint, false, PXL_FILTER_LINEAR);
}

} // namespace

const BaseSystem NineSliceSystem = {"NineSliceSystem", NineSliceInit, SystemUpdateNothing, SystemNothing,
                                    NineSliceExit};

void DrawNineSlice(PXL_Vec2 centre, PXL_Vec2 size, NineSliceKind kind, float outset, bool zoomScaled)
{
    if (kind < 0 || kind >= NineSliceKindCount || panels[kind].sprite == nullptr) {
        return;
    }
    Sprite* sprite = panels[kind].sprite;
    float textureHeight = PXL_Graphics_GetTextureSize(panels[kind].sheet->texture).y;
    float c = textureHeight / 8.0f * 3.75f;
    if (zoomScaled) {
        c *= 1.0f - ZoomOffset;
    }
    float o = outset * 3.75f;
    float left = centre.x - size.x / 2 + c - o;
    float right = centre.x + size.x / 2 - c + o;
    float top = centre.y + size.y / 2 - c + o;
    float bottom = centre.y - size.y / 2 + c - o;
    float middleX = (left + right) / 2;
    float middleY = (top + bottom) / 2;
    float corner = 2 * c;
    float innerWidth = size.x - 4 * c + 2 * o + 1.875f;
    float innerHeight = size.y - 4 * c + 2 * o + 1.875f;

    DrawPiece(sprite, 1, middleX, top, innerWidth, corner);
    DrawPiece(sprite, 13, middleX, bottom, innerWidth, corner);
    DrawPiece(sprite, 11, right, middleY, corner, innerHeight);
    DrawPiece(sprite, 7, left, middleY, corner, innerHeight);
    DrawPiece(sprite, 0, left, top, corner, corner);
    DrawPiece(sprite, 12, left, bottom, corner, corner);
    DrawPiece(sprite, 2, right, top, corner, corner);
    DrawPiece(sprite, 14, right, bottom, corner, corner);
    DrawPiece(sprite, 5, centre.x, centre.y, innerWidth, innerHeight);
}
