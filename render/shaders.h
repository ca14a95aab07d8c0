// The custom shader pair of the green-screen look.
#pragma once

#include "platform/pxl.h"

extern PXL_VertexShader CustomVertexShader;
extern PXL_PixelShader TerminalPixelShader;

// Selects the pair for the following draws (made with keepShader set).
void UseTerminalShaders();
