// SDL2 window with an OpenGL 3.3 core context (being written).
#include "platform/pxl_backend.h"

const PxlBackend* PxlSdlGlBackend()
{
    return PxlHeadlessBackend();
}
