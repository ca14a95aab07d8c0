// The graphics layer's OpenGL part, apart from any window system (as raylib keeps rlgl apart from its
// platform files): textures, shaders and programs, the batcher, and the offscreen frame targets. Every frame
// is drawn into an offscreen target (two, taking turns) so that the last finished frame can be read back at
// any time, hidden window or not. A window backend opens a context with OpenGL 3.3 core (or WebGL 2), makes
// it current and calls PxlGlOpen; before each frame it makes the context current again, and after
// PxlGlFinishFrame it shows the frame with PxlGlPresent and swaps.
#pragma once

#include "platform/pxl_backend.h"

#include <cstdint>
#include <string>
#include <vector>

// Whether the current context offers what the layer needs.
bool PxlGlContextSupported();
// Creates the layer's objects in the current context; false when they cannot be made (PxlGlClose then
// frees what was made). Textures and shaders of an earlier context are recognised as stale from now on.
bool PxlGlOpen();
// Frees the layer's objects; the context must still be current. Safe when nothing is open.
void PxlGlClose();
bool PxlGlIsOpen();

void PxlGlBeginFrame(const PXL_Color& background, int width, int height);
void PxlGlDrawMesh(const PXL_MeshData& mesh, const PxlDrawState& state);
// Draws what is still collected; false when no frame was begun.
bool PxlGlFinishFrame();
// Copies the finished frame onto the window's own framebuffer, scaled to the drawable size.
void PxlGlPresent(int drawableWidth, int drawableHeight);
int PxlGlLastFrameDrawCalls();
bool PxlGlReadFramePixels(std::vector<uint8_t>& rgba, int& width, int& height);

uintptr_t PxlGlCreateTexture(const uint8_t* rgba, int width, int height);
void PxlGlDestroyTexture(uintptr_t texture);
// GL textures made since the start (a freed texture's storage taken again by one of its size is not counted).
int PxlGlTexturesMade();
uintptr_t PxlGlCreateShader(PxlShaderStage stage, const std::string& source, const std::string& path);
void PxlGlDestroyShader(uintptr_t shader);
