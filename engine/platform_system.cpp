#include "engine/platform_system.h"

#include "engine/system.h"
#include "platform/pxl.h"
#include "scenes/scene.h"

namespace {

bool PlatformInit()
{
    const PXL_Color green = {0, 1, 0, 1};
    PXL_Graphics_SetBackgroundColor(&green);
    return true;
}

void PlatformUpdate(float)
{
    PXL_System_FrameControl();
    PXL_System_Update();
    if (!PXL_System_DoesWindowExist()) {
        SetNextScene(nullptr);
    }
}

void PlatformExit()
{
    PXL_System_Exit();
}

} // namespace

const BaseSystem PlatformSystem = {"PlatformSystem", PlatformInit, PlatformUpdate, SystemNothing, PlatformExit};

intptr_t WindowProc(void* window, uint32_t message, uintptr_t wParam, intptr_t lParam)
{
    (void)window;
    int32_t result = 0;
    if (PXL_System_HandleWindowsMessage(message, wParam, lParam, &result) != 0) {
        return result;
    }
    // The SDL event pump handles everything else; there is no default window procedure to hand it to.
    return 0;
}
