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
    // The pieces meet edge to edge at four lines across and four down, each worked out once, so neighbours
    // share them exactly: overlapping, the soft rim of the picture would be drawn twice there and show a dark
    // tick. The sampler keeps half a texel inside each frame, so nothing of a neighbouring cell shows either.
    float x0 = centre.x - size.x / 2 - o;
    float x3 = centre.x + size.x / 2 + o;
    float x1 = x0 + 2 * c;
    float x2 = x3 - 2 * c;
    float y0 = centre.y + size.y / 2 + o;
    float y3 = centre.y - size.y / 2 - o;
    float y1 = y0 - 2 * c;
    float y2 = y3 + 2 * c;
    const float columns[3][2] = {{x0, x1}, {x1, x2}, {x2, x3}};
    const float rows[3][2] = {{y0, y1}, {y1, y2}, {y2, y3}};
    // Top edge, bottom edge, right edge, left edge, the four corners, the middle: (column, row) and frame.
    const uint32_t pieces[9][3] = {{1, 0, 1},  {1, 2, 13}, {2, 1, 11}, {0, 1, 7}, {0, 0, 0},
                                   {0, 2, 12}, {2, 0, 2},  {2, 2, 14}, {1, 1, 5}};
    for (const auto& piece : pieces) {
        const float* column = columns[piece[0]];
        const float* row = rows[piece[1]];
        DrawPiece(sprite, piece[2], (column[0] + column[1]) / 2, (row[0] + row[1]) / 2, column[1] - column[0],
                  row[0] - row[1]);
    }
}
