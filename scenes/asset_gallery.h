// The whole art set through the game's own drawing calls (every font with and without glow, every panel kind,
// every frame of every sheet, every loose picture), so that one screenshot is enough to judge the pictures and
// how they are cut. The design space around the origin, 1920 by 1080, is filled edge to edge.
#pragma once

#include "engine/asset_table.h"
#include "platform/pxl.h"
#include "render/sprite.h"

#include <vector>

struct AssetGallery {
    void Load();
    void Render();
    void Unload();

    // A loose picture of the asset table as loaded; null when it is missing or not a loose picture.
    PXL_Texture Picture(Asset asset) const;

    // The loose pictures (those not held by the sheet table or the panels), indexed by their Asset.
    std::vector<PXL_Texture> pictures;
    SpriteSheet objectsSheet = {4, 4, nullptr};
    Sprite* objectsSprite = nullptr;
};
