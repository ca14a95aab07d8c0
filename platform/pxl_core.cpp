// The PXL_* entry points and everything that does not depend on the backend: input edges, camera, per-draw
// state and its records, texture decoding, meshes, frame time and the frame hook.
#include "platform/os.h"
#include "platform/pxl.h"
#include "platform/pxl_backend.h"
#include "platform/pxl_control.h"
#include "platform/pxl_input_recording.h"
#include "platform/pxl_picture.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <sstream>

#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wunused-function"
#pragma GCC diagnostic ignored "-Wmissing-field-initializers"
#pragma GCC diagnostic ignored "-Wsign-compare"
#pragma GCC diagnostic ignored "-Wimplicit-fallthrough"
#pragma GCC diagnostic ignored "-Wunused-parameter"
#pragma GCC diagnostic ignored "-Wunused-but-set-variable"
#define STB_IMAGE_WRITE_IMPLEMENTATION
#include "stb_image_write.h"
#pragma GCC diagnostic pop

namespace {

constexpr double HeadlessStep = 1.0 / 60.0;
constexpr int MaxTextureSide = 16384;

struct InputState {
    bool held[PXL_KEY_COUNT] = {};
    bool triggered[PXL_KEY_COUNT] = {};
    bool released[PXL_KEY_COUNT] = {};
    std::vector<PxlKeyEvent> pendingKeys;
    PXL_Vec2 pendingMouse{0, 0};
    PXL_Vec2 mouse{0, 0};
    PXL_Vec2 mouseDelta{0, 0};
    bool mouseSeen = false; // the first frame has no movement
    bool pendingFocus = true;
    bool focused = true;
    bool pendingResize = false;
    int resizeWidth = 0;
    int resizeHeight = 0;
    bool pendingClose = false;
};

struct Layer {
    // Chosen before PXL_System_Init and kept across runs in one process.
    PxlBackendKind kind = PxlBackendKind::SdlGl;
    bool hiddenWindow = false;
    double fixedStep = 0;
    bool scripted = false;
    bool recordChosen = false;
    bool record = false;
    PxlFrameHook hook = nullptr;
    void* hookUser = nullptr;

    // Per run.
    const PxlBackend* backend = nullptr;
    bool open = false;
    bool closed = false;
    int frameRate = 60;
    uint64_t updatesStarted = 0;
    uint64_t frame = 0;
    double deltaTime = 0;
    int windowWidth = 0;
    int windowHeight = 0;
    uint32_t style = 0;
    bool cursorShown = true;
    PXL_Color background{0, 0, 0, 1};
    PXL_Vec2 cameraPosition{0, 0};
    float cameraZoom = 1;
    PxlDrawState draw;
    std::vector<PxlDrawRecord> records;
    std::vector<PxlVertex> meshInProgress;
    InputState input;
};

Layer& L()
{
    static Layer layer;
    return layer;
}

const PxlBackend* BackendFor(PxlBackendKind kind)
{
    return kind == PxlBackendKind::Headless ? PxlHeadlessBackend() : PxlSdlGlBackend();
}

// Textures and shaders may be made before PXL_System_Init (tests do); the backend's table is known as soon
// as the kind is.
const PxlBackend* Backend()
{
    Layer& l = L();
    return l.backend ? l.backend : BackendFor(l.kind);
}

bool ValidKey(int key)
{
    return key >= 0 && key < PXL_KEY_COUNT;
}

void ApplyPendingInput()
{
    InputState& in = L().input;
    std::fill(std::begin(in.triggered), std::end(in.triggered), false);
    std::fill(std::begin(in.released), std::end(in.released), false);
    // A press and release between two updates still counts as both, so short clicks are never lost.
    for (const PxlKeyEvent& event : in.pendingKeys) {
        bool& held = in.held[event.key];
        if (event.down && !held) {
            held = true;
            in.triggered[event.key] = true;
        } else if (!event.down && held) {
            held = false;
            in.released[event.key] = true;
        }
    }
    in.pendingKeys.clear();

    if (!in.mouseSeen) {
        in.mouse = in.pendingMouse;
        in.mouseSeen = true;
    }
    in.mouseDelta = {in.pendingMouse.x - in.mouse.x, in.pendingMouse.y - in.mouse.y};
    in.mouse = in.pendingMouse;
    in.focused = in.pendingFocus;

    Layer& l = L();
    if (in.pendingResize) {
        in.pendingResize = false;
        l.windowWidth = in.resizeWidth;
        l.windowHeight = in.resizeHeight;
    }
    if (in.pendingClose) {
        in.pendingClose = false;
        l.closed = true;
    }
}

void RecordPendingInput()
{
    const Layer& l = L();
    const InputState& in = l.input;
    PxlFrameInput frame;
    frame.frame = l.frame;
    frame.frameTime = l.deltaTime;
    frame.keys = &in.pendingKeys;
    frame.mouse = in.pendingMouse;
    frame.focused = in.pendingFocus;
    frame.resized = in.pendingResize;
    frame.width = in.resizeWidth;
    frame.height = in.resizeHeight;
    frame.closed = in.pendingClose;
    PxlRecordFrame(frame);
}

void ResetRunState(const PXL_SystemSettings& settings)
{
    Layer& l = L();
    l.closed = false;
    l.frameRate = settings.frameRate > 0 ? settings.frameRate : 60;
    l.updatesStarted = 0;
    l.frame = 0;
    l.deltaTime = 0;
    l.windowWidth = settings.width;
    l.windowHeight = settings.height;
    l.style = settings.style;
    l.cursorShown = true;
    l.background = {0, 0, 0, 1};
    l.cameraPosition = {0, 0};
    l.cameraZoom = 1;
    l.draw = PxlDrawState{};
    l.records.clear();
    l.meshInProgress.clear();
    l.input = InputState{};
}

std::string GlslPathFor(const std::string& path)
{
    size_t slash = path.find_last_of('/');
    size_t dot = path.find_last_of('.');
    if (dot == std::string::npos || (slash != std::string::npos && dot < slash))
        return path + ".glsl";
    return path.substr(0, dot) + ".glsl";
}

bool ReadWholeFile(const std::string& path, std::string& text)
{
    if (!OsIsRegularFile(path.c_str()))
        return false;
    std::ifstream file(path, std::ios::binary);
    if (!file)
        return false;
    std::ostringstream contents;
    contents << file.rdbuf();
    text = contents.str();
    return true;
}

uintptr_t LoadShaderSource(PxlShaderStage stage, const char* path, std::string& glslPath)
{
    if (!path)
        return 0;
    glslPath = GlslPathFor(path);
    std::string source;
    if (!ReadWholeFile(glslPath, source)) {
        std::fprintf(stderr, "PXL: cannot read shader \"%s\"\n", glslPath.c_str());
        return 0;
    }
    return Backend()->createShader(stage, source, glslPath);
}

} // namespace

// ---- Backend reports -------------------------------------------------------------------------------------

void PxlCoreKeyEvent(int key, bool down)
{
    if (ValidKey(key))
        L().input.pendingKeys.push_back({key, down});
}

void PxlCoreMouseMoved(float x, float y)
{
    L().input.pendingMouse = {x, y};
}

void PxlCoreFocusChanged(bool focused)
{
    L().input.pendingFocus = focused;
}

void PxlCoreWindowResized(int width, int height)
{
    if (width <= 0 || height <= 0)
        return;
    InputState& in = L().input;
    in.pendingResize = true;
    in.resizeWidth = width;
    in.resizeHeight = height;
}

void PxlCoreWindowClosed()
{
    L().input.pendingClose = true;
}

// ---- Control -----------------------------------------------------------------------------------------------

void PxlSelectBackend(PxlBackendKind kind)
{
    L().kind = kind;
}
PxlBackendKind PxlCurrentBackend()
{
    return L().kind;
}
void PxlSetHiddenWindow(bool hidden)
{
    L().hiddenWindow = hidden;
}
void PxlSetFixedTimestep(double seconds)
{
    L().fixedStep = seconds > 0 ? seconds : 0;
}
void PxlSetFrameTime(double seconds)
{
    if (seconds >= 0)
        L().deltaTime = seconds;
}
void PxlSetScriptedInput(bool scripted)
{
    L().scripted = scripted;
}
void PxlInjectKey(int key, bool down)
{
    PxlCoreKeyEvent(key, down);
}
void PxlInjectMouse(float x, float y)
{
    PxlCoreMouseMoved(x, y);
}
void PxlInjectFocus(bool focused)
{
    PxlCoreFocusChanged(focused);
}

void PxlInjectResize(int width, int height)
{
    if (width <= 0 || height <= 0)
        return;
    PxlCoreWindowResized(width, height);
    // The real window follows, so that the picture has the size the game is told about.
    if (L().open)
        L().backend->setWindowSize(width, height);
}

void PxlInjectClose()
{
    PxlCoreWindowClosed();
}

void PxlSetFrameHook(PxlFrameHook hook, void* user)
{
    L().hook = hook;
    L().hookUser = user;
}

uint64_t PxlFrameNumber()
{
    return L().frame;
}
float PxlCameraZoom()
{
    return L().cameraZoom;
}
PXL_Color PxlBackgroundColor()
{
    return L().background;
}
uint32_t PxlWindowStyle()
{
    return L().style;
}
bool PxlCursorShown()
{
    return L().cursorShown;
}

void PxlSetRecordDraws(bool record)
{
    L().recordChosen = true;
    L().record = record;
}

const std::vector<PxlDrawRecord>& PxlFrameDraws()
{
    return L().records;
}

int PxlLastFrameDrawCalls()
{
    return L().open ? L().backend->lastFrameDrawCalls() : 0;
}

bool PxlReadFramePixels(std::vector<uint8_t>& rgba, int& width, int& height)
{
    if (!L().open)
        return false;
    return L().backend->readFramePixels(rgba, width, height);
}

bool PxlWriteFramePng(const std::string& path, std::string* error)
{
    std::vector<uint8_t> rgba;
    int width = 0;
    int height = 0;
    if (!PxlReadFramePixels(rgba, width, height)) {
        if (error)
            *error = "no frame pixels (the headless backend draws nothing)";
        return false;
    }
    if (!stbi_write_png(path.c_str(), width, height, 4, rgba.data(), width * 4)) {
        if (error)
            *error = "cannot write \"" + path + "\": " + std::strerror(errno);
        return false;
    }
    return true;
}

// ---- System --------------------------------------------------------------------------------------------

void* PXL_System_Init(const PXL_SystemSettings* settings)
{
    Layer& l = L();
    if (!settings || settings->width <= 0 || settings->height <= 0)
        return nullptr;
    if (l.open)
        PXL_System_Exit();
    ResetRunState(*settings);
    l.backend = BackendFor(l.kind);
    if (!l.recordChosen)
        l.record = l.kind == PxlBackendKind::Headless;
    PxlRecordRunStart(l.frameRate);
    void* window = l.backend->init(settings, l.hiddenWindow);
    if (!window) {
        l.backend = nullptr;
        return nullptr;
    }
    l.open = true;
    return window;
}

void PXL_System_FrameControl()
{
    Layer& l = L();
    if (!l.open)
        return;
    if (l.fixedStep > 0) {
        l.backend->frameControl(0);
        l.deltaTime = l.fixedStep;
    } else if (l.kind == PxlBackendKind::Headless) {
        l.deltaTime = HeadlessStep;
    } else {
        l.deltaTime = l.backend->frameControl(1.0 / l.frameRate);
    }
}

void PXL_System_Update()
{
    Layer& l = L();
    if (!l.open)
        return;
    l.frame = l.updatesStarted++;
    if (l.hook)
        l.hook(l.frame, l.hookUser);
    l.backend->pumpEvents(l.scripted);
    if (!l.scripted && PxlRecordingInput())
        RecordPendingInput();
    ApplyPendingInput();
}

int PXL_System_DoesWindowExist()
{
    return L().open && !L().closed ? 1 : 0;
}

double PXL_System_GetDeltaTime()
{
    return L().deltaTime;
}

// SDL's event pump stands in for the Windows message loop, so no message is ever handled here.
int PXL_System_HandleWindowsMessage(uint32_t, uintptr_t, intptr_t, int32_t* result)
{
    if (result)
        *result = 0;
    return 0;
}

void PXL_System_Exit()
{
    Layer& l = L();
    if (!l.open)
        return;
    l.backend->shutdown();
    l.open = false;
    l.backend = nullptr;
}

// ---- Window --------------------------------------------------------------------------------------------

PXL_Vec2 PXL_Window_GetSize()
{
    return {float(L().windowWidth), float(L().windowHeight)};
}

PXL_Vec2 PXL_Window_GetMonitorSize()
{
    return L().open ? L().backend->monitorSize() : PXL_Vec2{1920, 1080};
}

void PXL_Window_SetSize(int width, int height)
{
    Layer& l = L();
    if (width <= 0 || height <= 0)
        return;
    l.windowWidth = width;
    l.windowHeight = height;
    if (l.open)
        l.backend->setWindowSize(width, height);
}

void PXL_Window_SetSizeAndPosition(int width, int height, int x, int y)
{
    Layer& l = L();
    if (width <= 0 || height <= 0)
        return;
    l.windowWidth = width;
    l.windowHeight = height;
    if (l.open)
        l.backend->setWindowSizeAndPosition(width, height, x, y);
}

void PXL_Window_SetStyle(uint32_t style)
{
    Layer& l = L();
    l.style = style;
    if (l.open)
        l.backend->setWindowStyle(style);
}

int PXL_Window_HasFocus()
{
    return L().input.focused ? 1 : 0;
}

// ---- Frame ---------------------------------------------------------------------------------------------

void PXL_Graphics_StartDrawing()
{
    Layer& l = L();
    l.records.clear();
    if (l.open)
        l.backend->beginFrame(l.background, l.windowWidth, l.windowHeight);
}

void PXL_Graphics_FinishDrawing()
{
    if (L().open)
        L().backend->endFrame();
}

void PXL_Graphics_SetBackgroundColor(const PXL_Color* colour)
{
    if (colour)
        L().background = *colour;
}

// ---- Textures ------------------------------------------------------------------------------------------

namespace {

PXL_Texture MakeTexture(const uint8_t* rgba, int width, int height)
{
    if (!rgba || width <= 0 || height <= 0 || width > MaxTextureSide || height > MaxTextureSide)
        return nullptr;
    uintptr_t native = Backend()->createTexture(rgba, width, height);
    if (!native)
        return nullptr;
    return new PXL_TextureData{width, height, native, {}, {}};
}

} // namespace

PXL_Texture PXL_Graphics_LoadTextureFromMemory(const uint8_t* rgba, int width, int height)
{
    PXL_Texture texture = MakeTexture(rgba, width, height);
    // Without a screen to read back, the tests read what the game handed over.
    if (texture && L().kind == PxlBackendKind::Headless)
        texture->pixels.assign(rgba, rgba + size_t(width) * size_t(height) * 4);
    return texture;
}

PXL_Texture PXL_Graphics_LoadTexture(const char* path)
{
    if (!path)
        return nullptr;
    DecodedPicture picture;
    std::string error;
    if (!LoadPictureFile(path, picture, error)) {
        std::fprintf(stderr, "PXL: cannot load texture \"%s\": %s\n", path, error.c_str());
        return nullptr;
    }
    PXL_Texture texture = MakeTexture(picture.rgba.get(), picture.width, picture.height);
    if (!texture)
        std::fprintf(stderr, "PXL: cannot use texture \"%s\" (%dx%d)\n", path, picture.width, picture.height);
    else
        texture->path = path;
    return texture;
}

const std::string& PxlTexturePath(PXL_Texture texture)
{
    static const std::string none;
    return texture ? texture->path : none;
}

const std::vector<uint8_t>& PxlTexturePixels(PXL_Texture texture)
{
    static const std::vector<uint8_t> none;
    return texture ? texture->pixels : none;
}

PXL_Vec2 PXL_Graphics_GetTextureSize(PXL_Texture texture)
{
    if (!texture)
        return {0, 0};
    return {float(texture->width), float(texture->height)};
}

namespace {

// Frees a handle of the layer and its backend object, and forgets it where it is the one in force.
template <typename Data> void FreeHandle(Data** handle, Data*& inForce, void (*destroy)(uintptr_t))
{
    if (!handle || !*handle)
        return;
    destroy((*handle)->native);
    if (inForce == *handle)
        inForce = nullptr;
    delete *handle;
    *handle = nullptr;
}

} // namespace

void PXL_Graphics_SetTexture(PXL_Texture texture)
{
    L().draw.texture = texture;
}

void PXL_Graphics_FreeTexture(PXL_Texture* texture)
{
    FreeHandle(texture, L().draw.texture, Backend()->destroyTexture);
}

// ---- Meshes --------------------------------------------------------------------------------------------

void PXL_Graphics_StartMesh()
{
    L().meshInProgress.clear();
}

void PXL_Graphics_AddVertex(const PXL_Vec2* position, const PXL_Color* colour, const PXL_Vec2* uv)
{
    PxlVertex vertex{};
    if (position)
        vertex.position = *position;
    if (colour)
        vertex.colour = *colour;
    if (uv)
        vertex.uv = *uv;
    L().meshInProgress.push_back(vertex);
}

PXL_Mesh PXL_Graphics_EndMesh()
{
    PXL_Mesh mesh = new PXL_MeshData;
    mesh->vertices.swap(L().meshInProgress);
    L().meshInProgress.clear();
    return mesh;
}

void PXL_Graphics_DrawMesh(PXL_Mesh mesh, int)
{
    Layer& l = L();
    if (!mesh)
        return;
    PxlDrawState& state = l.draw;
    if (l.record) {
        PxlDrawRecord record;
        static_cast<PxlDrawState&>(record) = state;
        record.vertexCount = int(mesh->vertices.size());
        if (!mesh->vertices.empty()) {
            record.uvExtent = {0, 0};
            for (const PxlVertex& vertex : mesh->vertices) {
                record.uvExtent.x = std::max(record.uvExtent.x, vertex.uv.x);
                record.uvExtent.y = std::max(record.uvExtent.y, vertex.uv.y);
            }
        }
        record.cameraPosition = l.cameraPosition;
        record.cameraZoom = l.cameraZoom;
        l.records.push_back(record);
    }
    if (!l.open)
        return;
    state.cameraPosition = l.cameraPosition;
    state.cameraZoom = l.cameraZoom;
    state.windowWidth = l.windowWidth;
    state.windowHeight = l.windowHeight;
    l.backend->drawMesh(*mesh, state);
}

void PXL_Graphics_FreeMesh(PXL_Mesh* mesh)
{
    if (!mesh || !*mesh)
        return;
    delete *mesh;
    *mesh = nullptr;
}

// ---- Per-draw state ------------------------------------------------------------------------------------

void PXL_Graphics_SetCB_TransformData(const PXL_Vec2* position, const PXL_Vec2* scale, float rotation)
{
    PxlDrawState& state = L().draw;
    state.position = position ? *position : PXL_Vec2{0, 0};
    state.scale = scale ? *scale : PXL_Vec2{1, 1};
    state.rotation = rotation;
}

void PXL_Graphics_SetCB_TintColor(const PXL_Color* tint)
{
    L().draw.tint = tint ? *tint : PXL_Color{0, 0, 0, 0};
}

void PXL_Graphics_SetCB_Alpha(float alpha)
{
    L().draw.alpha = alpha;
}

void PXL_Graphics_SetCB_TextureOffset(const PXL_Vec2* offset)
{
    L().draw.textureOffset = offset ? *offset : PXL_Vec2{0, 0};
}

void PXL_Graphics_SetBlendMode(int mode)
{
    L().draw.blend = mode;
}

void PXL_Graphics_SetTextureSamplerData(int filter, int address)
{
    L().draw.filter = filter;
    L().draw.address = address;
}

void PXL_Graphics_SetShaderMode(int pixel, int vertex)
{
    L().draw.pixelShader = pixel;
    L().draw.vertexShader = vertex;
}

// ---- Shaders -------------------------------------------------------------------------------------------

PXL_VertexShader PXL_Graphics_LoadVertexShader(const char* path)
{
    std::string glslPath;
    uintptr_t native = LoadShaderSource(PxlShaderStage::Vertex, path, glslPath);
    if (!native)
        return nullptr;
    return new PXL_VertexShaderData{glslPath, native};
}

PXL_PixelShader PXL_Graphics_LoadPixelShader(const char* path)
{
    std::string glslPath;
    uintptr_t native = LoadShaderSource(PxlShaderStage::Pixel, path, glslPath);
    if (!native)
        return nullptr;
    return new PXL_PixelShaderData{glslPath, native};
}

void PXL_Graphics_SetCustomVertexShader(PXL_VertexShader shader)
{
    L().draw.customVertex = shader;
}

void PXL_Graphics_SetCustomPixelShader(PXL_PixelShader shader)
{
    L().draw.customPixel = shader;
}

void PXL_Graphics_FreeVertexShader(PXL_VertexShader* shader)
{
    FreeHandle(shader, L().draw.customVertex, Backend()->destroyShader);
}

void PXL_Graphics_FreePixelShader(PXL_PixelShader* shader)
{
    FreeHandle(shader, L().draw.customPixel, Backend()->destroyShader);
}

// ---- Camera --------------------------------------------------------------------------------------------

void PXL_Camera_SetPosition(const PXL_Vec2* point)
{
    if (point)
        L().cameraPosition = *point;
}

PXL_Vec2 PXL_Camera_GetPosition()
{
    return L().cameraPosition;
}

void PXL_Camera_SetZoom(float zoom)
{
    L().cameraZoom = zoom;
}

PXL_Vec2 PXL_Camera_ScreenCoordToWorld(const PXL_Vec2* pixel)
{
    Layer& l = L();
    if (!pixel)
        return l.cameraPosition;
    float centreX = l.windowWidth * 0.5f;
    float centreY = l.windowHeight * 0.5f;
    return {l.cameraPosition.x + (pixel->x - centreX) * l.cameraZoom,
            l.cameraPosition.y - (pixel->y - centreY) * l.cameraZoom};
}

// ---- Input ---------------------------------------------------------------------------------------------

int PXL_Input_KeyDown(int key)
{
    return ValidKey(key) && L().input.held[key] ? 1 : 0;
}
int PXL_Input_KeyTriggered(int key)
{
    return ValidKey(key) && L().input.triggered[key] ? 1 : 0;
}
int PXL_Input_KeyReleased(int key)
{
    return ValidKey(key) && L().input.released[key] ? 1 : 0;
}
PXL_Vec2 PXL_Input_GetMousePosition()
{
    return L().input.mouse;
}
PXL_Vec2 PXL_Input_GetMousePositionDelta()
{
    return L().input.mouseDelta;
}

void PXL_Input_ShowCursor(int show)
{
    Layer& l = L();
    bool shown = show != 0;
    if (shown == l.cursorShown)
        return;
    l.cursorShown = shown;
    if (l.open)
        l.backend->showCursor(shown);
}
