// What the simulator and the tests need from the graphics layer beyond the game's own calls: choosing the
// backend, a fixed time step, scripted input, the record of what a frame drew, and reading the picture back.
#pragma once

#include "platform/pxl.h"

#include <cstdint>
#include <string>
#include <vector>

enum class PxlBackendKind {
    SdlGl,    // real window, OpenGL 3.3 core
    Headless, // no window; textures decoded for their sizes; draws only recorded
};

// Must be called before PXL_System_Init; the default is SdlGl.
void PxlSelectBackend(PxlBackendKind kind);
PxlBackendKind PxlCurrentBackend();

// The SDL backend opens its window hidden (for screenshots from the simulator).
void PxlSetHiddenWindow(bool hidden);

// Fixed frame time in seconds; 0 restores the measured frame time and real pacing.
void PxlSetFixedTimestep(double seconds);

// The time the current frame is said to have taken, in place of the fixed or measured one; called from the
// frame hook, to replay the frame times of a recorded session.
void PxlSetFrameTime(double seconds);

// Records the real window's input from the next run on, as an input script for the simulator (see
// pxl_input_recording.h). False, with the reason in `error`, when the file cannot be written.
bool PxlRecordInput(const std::string& path, std::string& error);
void PxlStopRecordingInput();

// Scripted input: while on, the backend's own input and window events are ignored and only the calls below
// change the input state. Changes made before PXL_System_Update of a frame are seen by that frame.
void PxlSetScriptedInput(bool scripted);
void PxlInjectKey(int key, bool down);
void PxlInjectMouse(float x, float y);
void PxlInjectFocus(bool focused);
void PxlInjectResize(int width, int height);
void PxlInjectClose();

// Called at the start of every PXL_System_Update with the number of the frame (0 for the first).
using PxlFrameHook = void (*)(uint64_t frame, void* user);
void PxlSetFrameHook(PxlFrameHook hook, void* user);
uint64_t PxlFrameNumber();

float PxlCameraZoom();
PXL_Color PxlBackgroundColor();
uint32_t PxlWindowStyle();
bool PxlCursorShown();

// Everything a draw needs besides its vertices: the per-draw constants, the pipeline state and the view.
struct PxlDrawState {
    int pixelShader = 0;
    int vertexShader = 0;
    PXL_Texture texture = nullptr;
    PXL_Vec2 position{0, 0};
    PXL_Vec2 scale{1, 1};
    float rotation = 0;
    PXL_Color tint{0, 0, 0, 0};
    float alpha = 1;
    PXL_Vec2 textureOffset{0, 0};
    int filter = 0;
    int address = 0;
    int blend = 0;
    PXL_VertexShader customVertex = nullptr;
    PXL_PixelShader customPixel = nullptr;
    PXL_Vec2 cameraPosition{0, 0};
    float cameraZoom = 1;
    int windowWidth = 0;
    int windowHeight = 0;
};

// One record per PXL_Graphics_DrawMesh: the state in force at that moment, the view it was made in, and the mesh.
struct PxlDrawRecord : PxlDrawState {
    int vertexCount = 0;
    // The far corner of the mesh's texture coordinates: 1/columns and 1/rows for a quad of a sheet.
    PXL_Vec2 uvExtent{1, 1};
};

// The file a texture was loaded from, as given to PXL_Graphics_LoadTexture; empty for none or one made from
// memory.
const std::string& PxlTexturePath(PXL_Texture texture);

// The RGBA8 pixels (top row first) a texture was made from with PXL_Graphics_LoadTextureFromMemory, kept by the
// headless backend only; empty for null, for a file's texture, and on SDL/GL.
const std::vector<uint8_t>& PxlTexturePixels(PXL_Texture texture);

// Recording is on by default for the headless backend and off for SDL/GL. The list holds the draws since
// the latest PXL_Graphics_StartDrawing (so after FinishDrawing it holds the whole last frame).
void PxlSetRecordDraws(bool record);
const std::vector<PxlDrawRecord>& PxlFrameDraws();

// Number of GPU draw calls the last finished frame needed (0 for headless).
int PxlLastFrameDrawCalls();

// The last finished frame as RGBA8, top row first. False when the backend has no pixels (headless).
bool PxlReadFramePixels(std::vector<uint8_t>& rgba, int& width, int& height);
bool PxlWriteFramePng(const std::string& path, std::string* error);

// Where GL errors go: debug builds, and any run that sets a handler, report each one (by default as a line on
// standard error). The tests set a handler that fails the test in which the error happened.
using PxlGlErrorHandler = void (*)(const char* message);
void PxlSetGlErrorHandler(PxlGlErrorHandler handler);
int PxlGlErrorsReported();
