// No window and no pixels: the simulator and the tests run the game on this backend. Textures only keep
// their sizes (the core decodes them, and keeps the pixels of those made from memory), draws are only recorded
// by the core, input comes from the script.
#include "platform/pxl_backend.h"

namespace {

int windowToken; // its address is the "window handle"

void* Init(const PXL_SystemSettings*, bool)
{
    return &windowToken;
}
void Shutdown() {}
void PumpEvents(bool) {}
double FrameControl(double period)
{
    return period;
}
void SetWindowSize(int, int) {}
void SetWindowSizeAndPosition(int, int, int, int) {}
void SetWindowStyle(uint32_t) {}
PXL_Vec2 MonitorSize()
{
    return {1920, 1080};
}
void ShowCursor(bool) {}
uintptr_t CreateTexture(const uint8_t*, int, int)
{
    return 1;
}
void DestroyTexture(uintptr_t) {}
uintptr_t CreateShader(PxlShaderStage, const std::string&, const std::string&)
{
    return 1;
}
void DestroyShader(uintptr_t) {}
void BeginFrame(const PXL_Color&, int, int) {}
void DrawMesh(const PXL_MeshData&, const PxlDrawState&) {}
void EndFrame() {}
int LastFrameDrawCalls()
{
    return 0;
}
bool ReadFramePixels(std::vector<uint8_t>&, int&, int&)
{
    return false;
}

const PxlBackend HeadlessBackend = {
    "headless",
    Init,
    Shutdown,
    PumpEvents,
    FrameControl,
    SetWindowSize,
    SetWindowSizeAndPosition,
    SetWindowStyle,
    MonitorSize,
    ShowCursor,
    CreateTexture,
    DestroyTexture,
    CreateShader,
    DestroyShader,
    BeginFrame,
    DrawMesh,
    EndFrame,
    LastFrameDrawCalls,
    ReadFramePixels,
};

} // namespace

const PxlBackend* PxlHeadlessBackend()
{
    return &HeadlessBackend;
}
