// Framed panels drawn at any size from a 4 by 4 grid of pieces.
#pragma once

#include "platform/pxl.h"

enum NineSliceKind : int {
    PanelScreen1 = 0,
    PanelScreen2 = 1,
    PanelMetalPlate = 2,
    PanelUIButton = 3,
    PanelUIButtonHovered = 4,
    PanelModuleBase = 5,
    PanelDeskHole = 6,
};
constexpr int NineSliceKindCount = 7;

void DrawNineSlice(PXL_Vec2 centre, PXL_Vec2 size, NineSliceKind kind, float outset, bool zoomScaled);
