// What a backend of the graphics layer provides, as one table of functions (one source file per backend).
// pxl_core.cpp keeps every backend-independent piece of state (input, camera, draw state, records, time) and
// calls through the table of the backend chosen with PxlSelectBackend.
#pragma once

#include "platform/pxl.h"
#include "platform/pxl_control.h"

#include <cstdint>
#include <string>
#include <vector>

// One mesh vertex as the game gives it.
struct PxlVertex {
    PXL_Vec2 position;
    PXL_Color colour;
    PXL_Vec2 uv;
};

// Handles are owned by the core; `native` is the backend's own id (0 means none).
struct PXL_TextureData {
    int width = 0;
    int height = 0;
    uintptr_t native = 0;
    std::string path;            // the file it was loaded from; empty for a texture made from memory
    std::vector<uint8_t> pixels; // on the headless backend, the pixels of a texture made from memory
};

struct PXL_MeshData {
    std::vector<PxlVertex> vertices;
};

struct PXL_VertexShaderData {
    std::string path; // the GLSL file actually read
    uintptr_t native = 0;
};

struct PXL_PixelShaderData {
    std::string path;
    uintptr_t native = 0;
};

enum class PxlShaderStage { Vertex, Pixel };

struct PxlBackend {
    const char* name;
    // Opens the window (hidden when asked); returns the window handle, null on failure.
    void* (*init)(const PXL_SystemSettings* settings, bool hidden);
    void (*shutdown)();
    // Reads the machine's events and reports them through the PxlCore* calls below; with scripted input on,
    // the events are read and dropped so that the window stays responsive.
    void (*pumpEvents)(bool scripted);
    // Waits until `period` seconds after the previous call's return (no wait when period is 0) and returns
    // the seconds measured between the two returns.
    double (*frameControl)(double period);

    void (*setWindowSize)(int width, int height);
    void (*setWindowSizeAndPosition)(int width, int height, int x, int y);
    void (*setWindowStyle)(uint32_t style);
    PXL_Vec2 (*monitorSize)();
    void (*showCursor)(bool show);

    // Straight-alpha RGBA8, top row first. 0 on failure.
    uintptr_t (*createTexture)(const uint8_t* rgba, int width, int height);
    void (*destroyTexture)(uintptr_t texture);
    // Compiles GLSL source; 0 on failure (the backend prints the compiler's reason once).
    uintptr_t (*createShader)(PxlShaderStage stage, const std::string& source, const std::string& path);
    void (*destroyShader)(uintptr_t shader);

    void (*beginFrame)(const PXL_Color& background, int windowWidth, int windowHeight);
    void (*drawMesh)(const PXL_MeshData& mesh, const PxlDrawState& state);
    void (*endFrame)();
    int (*lastFrameDrawCalls)();
    // The last finished frame, RGBA8 top row first; false when there are no pixels.
    bool (*readFramePixels)(std::vector<uint8_t>& rgba, int& width, int& height);
};

const PxlBackend* PxlHeadlessBackend();
const PxlBackend* PxlSdlGlBackend();

// What a backend reports from its event pump (implemented by the core).
void PxlCoreKeyEvent(int key, bool down);
void PxlCoreMouseMoved(float x, float y);
void PxlCoreFocusChanged(bool focused);
void PxlCoreWindowResized(int width, int height);
void PxlCoreWindowClosed();
