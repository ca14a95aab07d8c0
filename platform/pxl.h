// Graphics, window and input layer. The game talks to the machine only through these calls; the work is
// done by one of the backends behind platform/pxl_backend.h (SDL2 + OpenGL, or headless for the simulator
// and tests).
#pragma once

#include <cstdint>

struct PXL_Vec2 {
    float x, y;
};

struct PXL_Color {
    float r, g, b, a;
};

struct PXL_TextureData;
struct PXL_MeshData;
struct PXL_VertexShaderData;
struct PXL_PixelShaderData;
using PXL_Texture = PXL_TextureData*;
using PXL_Mesh = PXL_MeshData*;
using PXL_VertexShader = PXL_VertexShaderData*;
using PXL_PixelShader = PXL_PixelShaderData*;

using PXL_WindowProc = intptr_t (*)(void* window, uint32_t message, uintptr_t wParam, intptr_t lParam);

// Parameter record of PXL_System_Init; the field order and widths are the library's own.
struct PXL_SystemSettings {
    void* instance;
    int32_t show;
    int32_t width;
    int32_t height;
    int32_t frameRate;
    int32_t setting3;
    uint32_t style;
    const char* title;
    int32_t setting0;
    int32_t iconResource; // picture "./Assets/Icons/<id>.png"
    PXL_WindowProc windowProc;
};

// Window styles understood by PXL_Window_SetStyle.
constexpr uint32_t PXL_STYLE_FIXED_WINDOW = 0x00CB0000u;
constexpr uint32_t PXL_STYLE_BORDERLESS = 0x01000000u;

// Virtual-key codes (the Windows values).
constexpr int PXL_KEY_LBUTTON = 0x01;
constexpr int PXL_KEY_RBUTTON = 0x02;
constexpr int PXL_KEY_MBUTTON = 0x04;
constexpr int PXL_KEY_BACK = 0x08;
constexpr int PXL_KEY_TAB = 0x09;
constexpr int PXL_KEY_RETURN = 0x0D;
constexpr int PXL_KEY_SHIFT = 0x10;
constexpr int PXL_KEY_CONTROL = 0x11;
constexpr int PXL_KEY_MENU = 0x12;
constexpr int PXL_KEY_ESCAPE = 0x1B;
constexpr int PXL_KEY_SPACE = 0x20;
constexpr int PXL_KEY_LEFT = 0x25;
constexpr int PXL_KEY_UP = 0x26;
constexpr int PXL_KEY_RIGHT = 0x27;
constexpr int PXL_KEY_DOWN = 0x28;
constexpr int PXL_KEY_DELETE = 0x2E;
// '0'..'9' are 0x30..0x39, 'A'..'Z' are 0x41..0x5A; F1..F12 are 0x70..0x7B.
constexpr int PXL_KEY_COUNT = 256;

// System
void* PXL_System_Init(const PXL_SystemSettings* settings);
void PXL_System_FrameControl();
void PXL_System_Update();
int PXL_System_DoesWindowExist();
double PXL_System_GetDeltaTime();
int PXL_System_HandleWindowsMessage(uint32_t message, uintptr_t wParam, intptr_t lParam, int32_t* result);
void PXL_System_Exit();

// Window (sizes in pixels)
PXL_Vec2 PXL_Window_GetSize();
PXL_Vec2 PXL_Window_GetMonitorSize();
void PXL_Window_SetSize(int width, int height);
void PXL_Window_SetSizeAndPosition(int width, int height, int x, int y);
void PXL_Window_SetStyle(uint32_t style);
int PXL_Window_HasFocus();

// Frame
void PXL_Graphics_StartDrawing();
void PXL_Graphics_FinishDrawing();
void PXL_Graphics_SetBackgroundColor(const PXL_Color* colour);

// Textures: PNG or JPEG files, or RGBA8 pixels. A failed load gives null; every call accepts null.
PXL_Texture PXL_Graphics_LoadTexture(const char* path);
PXL_Texture PXL_Graphics_LoadTextureFromMemory(const uint8_t* rgba, int width, int height);
PXL_Vec2 PXL_Graphics_GetTextureSize(PXL_Texture texture);
void PXL_Graphics_SetTexture(PXL_Texture texture);
void PXL_Graphics_FreeTexture(PXL_Texture* texture);

// Meshes (triangle lists)
void PXL_Graphics_StartMesh();
void PXL_Graphics_AddVertex(const PXL_Vec2* position, const PXL_Color* colour, const PXL_Vec2* uv);
PXL_Mesh PXL_Graphics_EndMesh();
void PXL_Graphics_DrawMesh(PXL_Mesh mesh, int topology);
void PXL_Graphics_FreeMesh(PXL_Mesh* mesh);

// Per-draw state
void PXL_Graphics_SetCB_TransformData(const PXL_Vec2* position, const PXL_Vec2* scale, float rotation);
void PXL_Graphics_SetCB_TintColor(const PXL_Color* tint);
void PXL_Graphics_SetCB_Alpha(float alpha);
void PXL_Graphics_SetCB_TextureOffset(const PXL_Vec2* offset);
void PXL_Graphics_SetBlendMode(int mode);
void PXL_Graphics_SetTextureSamplerData(int filter, int address);
void PXL_Graphics_SetShaderMode(int pixel, int vertex);

// Values of the modes above and of PXL_Graphics_DrawMesh's topology (the library's own numbers).
// PXL_Graphics_SetShaderMode's pixel stage: vertex colour only, the bound texture, or the custom pixel shader
// (which falls back to the bound texture while it has none).
constexpr int PXL_PIXEL_SHADER_UNTEXTURED = 0;
constexpr int PXL_PIXEL_SHADER_TEXTURED = 1;
constexpr int PXL_PIXEL_SHADER_CUSTOM = 2;
// ... and its vertex stage: the built-in transform, or the custom vertex shader.
constexpr int PXL_VERTEX_SHADER_BUILTIN = 0;
constexpr int PXL_VERTEX_SHADER_CUSTOM = 1;
// PXL_Graphics_SetTextureSamplerData's filter: nearest texel, or linear between texels; or, for a whole picture
// that may be drawn smaller than its pixels, linear between texels and between the picture's mipmap levels
// too (a frame of a sheet would take in its neighbours at the coarser levels).
constexpr int PXL_FILTER_POINT = 0;
constexpr int PXL_FILTER_LINEAR = 1;
constexpr int PXL_FILTER_SMOOTH = 2;
// ... and its address mode: repeat past the edges, or clamp inside the draw's frame of the texture.
constexpr int PXL_ADDRESS_WRAP = 0;
constexpr int PXL_ADDRESS_CLAMP = 2;
// PXL_Graphics_SetBlendMode: replace the target, or blend with straight alpha.
constexpr int PXL_BLEND_OPAQUE = 0;
constexpr int PXL_BLEND_ALPHA = 1;
// PXL_Graphics_DrawMesh's topology: the only one, a list of triangles.
constexpr int PXL_TOPOLOGY_TRIANGLE_LIST = 0;

// Custom shader pair. The game names the .hlsl files; the layer compiles the GLSL source kept beside each
// under the same name with ".glsl" in place of ".hlsl".
PXL_VertexShader PXL_Graphics_LoadVertexShader(const char* path);
PXL_PixelShader PXL_Graphics_LoadPixelShader(const char* path);
void PXL_Graphics_SetCustomVertexShader(PXL_VertexShader shader);
void PXL_Graphics_SetCustomPixelShader(PXL_PixelShader shader);
void PXL_Graphics_FreeVertexShader(PXL_VertexShader* shader);
void PXL_Graphics_FreePixelShader(PXL_PixelShader* shader);

// Camera: zoom is world units per window pixel; world y points up.
void PXL_Camera_SetPosition(const PXL_Vec2* point);
PXL_Vec2 PXL_Camera_GetPosition();
void PXL_Camera_SetZoom(float zoom);
PXL_Vec2 PXL_Camera_ScreenCoordToWorld(const PXL_Vec2* pixel);

// Input: virtual-key codes; mouse in window pixels, origin top-left, y down.
int PXL_Input_KeyDown(int key);
int PXL_Input_KeyTriggered(int key);
int PXL_Input_KeyReleased(int key);
PXL_Vec2 PXL_Input_GetMousePosition();
PXL_Vec2 PXL_Input_GetMousePositionDelta();
void PXL_Input_ShowCursor(int show);
