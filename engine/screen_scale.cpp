#include "engine/screen_scale.h"

#include "engine/system.h"

float ZoomOffset = 0.0f;

namespace {

bool ScreenScaleInit()
{
    // The window is created at the design size and brought to 1280 by 720 at once.
    PXL_Window_SetSize(1280, 720);
    return true;
}

void ScreenScaleUpdate(float)
{
    PXL_Vec2 window = PXL_Window_GetSize();
    if (window.y <= 0.0f) {
        return;
    }
    float k = 1.0f / DesignScale(window);
    PXL_Camera_SetZoom(k - k * ZoomOffset);
}

} // namespace

const BaseSystem ScreenScaleSystem = {"ScreenScaleSystem", ScreenScaleInit, ScreenScaleUpdate, SystemNothing,
                                      SystemNothing};

float DesignScale(PXL_Vec2 window)
{
    float byHeight = window.y / DesignHeight;
    float byWidth = window.x / DesignWidth;
    return byWidth < byHeight && byWidth > 0.0f ? byWidth : byHeight;
}

PXL_Vec2 ScreenToWorld(PXL_Vec2 offset)
{
    PXL_Vec2 window = PXL_Window_GetSize();
    PXL_Vec2 centrePixel = {window.x / 2, window.y / 2};
    PXL_Vec2 c = PXL_Camera_ScreenCoordToWorld(&centrePixel);
    PXL_Vec2 pointPixel = {window.x / 2 + offset.x, window.y / 2 + offset.y};
    PXL_Vec2 q = PXL_Camera_ScreenCoordToWorld(&pointPixel);
    window = PXL_Window_GetSize();
    float s = DesignScale(window);
    return {c.x - (c.x - q.x) * s, c.y - (c.y - q.y) * s};
}
