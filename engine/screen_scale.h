// Mapping of the 1920 by 1080 design space onto the window.
#pragma once

#include "platform/pxl.h"

constexpr float DesignWidth = 1920.0f;
constexpr float DesignHeight = 1080.0f;

// How far the view is zoomed beyond the plain fit; positive shows less of the world (close-up).
extern float ZoomOffset;

// Window pixels per design unit with no zoom offset: the design height fills the window, unless the window is
// narrower than 16:9, where the design width fills it instead, so that every screen shows whole.
float DesignScale(PXL_Vec2 window);

// World position shown at a design-pixel offset from the window centre (x right, y down).
PXL_Vec2 ScreenToWorld(PXL_Vec2 offset);
