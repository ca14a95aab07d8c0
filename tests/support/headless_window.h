// The headless backend's "window", opened the way the engine opens the real one, with scripted input.
#pragma once

#include "platform/pxl.h"
#include "platform/pxl_control.h"

inline bool OpenHeadlessWindow(int width = 1280, int height = 720)
{
    PxlSelectBackend(PxlBackendKind::Headless);
    PXL_SystemSettings settings = {};
    settings.width = width;
    settings.height = height;
    settings.frameRate = 60;
    settings.style = PXL_STYLE_FIXED_WINDOW;
    settings.title = "Brimvale";
    bool opened = PXL_System_Init(&settings) != nullptr;
    PxlSetScriptedInput(true);
    return opened;
}
