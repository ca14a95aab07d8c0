#include "render/shaders.h"

#include "engine/asset_table.h"
#include "engine/system.h"

PXL_VertexShader CustomVertexShader = nullptr;
PXL_PixelShader TerminalPixelShader = nullptr;

namespace {

bool ShadersInit()
{
    CustomVertexShader = PXL_Graphics_LoadVertexShader(AssetPath(Asset::TerminalVertexShader));
    TerminalPixelShader = PXL_Graphics_LoadPixelShader(AssetPath(Asset::TerminalShader));
    return true;
}

void ShadersExit()
{
    PXL_Graphics_FreeVertexShader(&CustomVertexShader);
    PXL_Graphics_FreePixelShader(&TerminalPixelShader);
}

} // namespace

const BaseSystem ShaderSystem = {"ShaderSystem", ShadersInit, SystemUpdateNothing, SystemNothing, ShadersExit};

void UseTerminalShaders()
{
    PXL_Graphics_SetCustomPixelShader(TerminalPixelShader);
    PXL_Graphics_SetCustomVertexShader(CustomVertexShader);
    PXL_Graphics_SetShaderMode(PXL_PIXEL_SHADER_CUSTOM, PXL_VERTEX_SHADER_CUSTOM);
}
