// The desktop window backend: an SDL2 window with an OpenGL 3.3 core context, its input and its frame timing.
// Everything drawn goes through the GL layer (pxl_gl.h), which knows nothing of SDL.
#include "platform/pxl_backend.h"
#include "platform/pxl_gl.h"
#include "platform/pxl_gl_debug.h"
#include "platform/pxl_picture.h"

#include <SDL.h>
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

namespace {

struct Window {
    SDL_Window* window = nullptr;
    SDL_GLContext context = nullptr;
    bool hidden = false;
    bool borderless = false;
    int leftShift = 0, rightShift = 0, leftControl = 0, rightControl = 0, leftAlt = 0, rightAlt = 0;

    bool timing = false;
    uint64_t lastTick = 0;
    uint64_t nextDeadline = 0;

    // A placement asked for after a size change, held until the window manager has had its say.
    bool placing = false;
    int placeWidth = 0, placeHeight = 0;
    uint32_t placeUntil = 0;
    int placeRetries = 0;
};

Window sdl;

// ---- Placement ---------------------------------------------------------------------------------------------

SDL_Rect DisplayBounds()
{
    SDL_Rect bounds{0, 0, 1920, 1080};
    int display = sdl.window ? SDL_GetWindowDisplayIndex(sdl.window) : 0;
    SDL_GetDisplayBounds(display < 0 ? 0 : display, &bounds);
    return bounds;
}

// The part of the monitor left to windows: without the panels and docks the desktop reports.
SDL_Rect UsableBounds()
{
    int display = sdl.window ? SDL_GetWindowDisplayIndex(sdl.window) : 0;
    SDL_Rect bounds;
    if (SDL_GetDisplayUsableBounds(display < 0 ? 0 : display, &bounds) != 0 || bounds.w <= 0 || bounds.h <= 0)
        return DisplayBounds();
    return bounds;
}

struct Frame {
    int top = 0, left = 0, bottom = 0, right = 0;
};

Frame WindowFrame()
{
    Frame frame;
    if (!sdl.window || SDL_GetWindowBordersSize(sdl.window, &frame.top, &frame.left, &frame.bottom, &frame.right) != 0)
        return {};
    return frame;
}

// Where a window of the given inner size stands centred in `bounds` with its frame; a window larger than the
// bounds keeps its top-left corner (and so its title bar) on them.
SDL_Rect CentredPlace(const SDL_Rect& bounds, int width, int height, const Frame& frame)
{
    int outerWidth = width + frame.left + frame.right;
    int outerHeight = height + frame.top + frame.bottom;
    int x = bounds.x + std::max(0, (bounds.w - outerWidth) / 2) + frame.left;
    int y = bounds.y + std::max(0, (bounds.h - outerHeight) / 2) + frame.top;
    return {x, y, width, height};
}

bool LiesOn(const SDL_Rect& bounds, const SDL_Rect& window, const Frame& frame)
{
    return window.x - frame.left >= bounds.x && window.y - frame.top >= bounds.y &&
           window.x + window.w + frame.right <= bounds.x + bounds.w &&
           window.y + window.h + frame.bottom <= bounds.y + bounds.h;
}

// A Wayland window cannot be placed, and a compositor treats one as large as its output as full screen or
// lets the panel cover its edge: it starts at the largest size of the same shape that leaves room for the
// title bar and the panel.
void FitIntoOutput(int& width, int& height)
{
    SDL_Rect bounds = UsableBounds();
    const int room = 96;
    int fitWidth = bounds.w - room, fitHeight = bounds.h - room;
    if (width <= fitWidth && height <= fitHeight)
        return;
    double scale = std::min(double(fitWidth) / width, double(fitHeight) / height);
    if (scale <= 0)
        return;
    width = std::max(1, int(width * scale));
    height = std::max(1, int(height * scale));
}

bool IsFullScreen()
{
    return (SDL_GetWindowFlags(sdl.window) & (SDL_WINDOW_FULLSCREEN | SDL_WINDOW_FULLSCREEN_DESKTOP)) != 0;
}

// Centres the window on its monitor's usable area. The window manager may place a window late (when it maps
// it, or after it left full screen) and undo the move: for a while after a size change every report of the
// window's place is checked, and a window not wholly on the monitor is moved back.
constexpr uint32_t PlacementSettleMs = 2000;
constexpr int PlacementRetries = 8;

void PlaceWindow(int width, int height)
{
    SDL_Rect place = CentredPlace(UsableBounds(), width, height, WindowFrame());
    SDL_SetWindowPosition(sdl.window, place.x, place.y);
    sdl.placing = true;
    sdl.placeWidth = width;
    sdl.placeHeight = height;
    sdl.placeUntil = SDL_GetTicks() + PlacementSettleMs;
}

void KeepPlacement()
{
    if (!sdl.placing || !sdl.window)
        return;
    if (SDL_TICKS_PASSED(SDL_GetTicks(), sdl.placeUntil) || IsFullScreen()) {
        sdl.placing = false;
        return;
    }
    SDL_Rect window{0, 0, 0, 0};
    SDL_GetWindowPosition(sdl.window, &window.x, &window.y);
    SDL_GetWindowSize(sdl.window, &window.w, &window.h);
    if (LiesOn(UsableBounds(), window, WindowFrame()) || sdl.placeRetries >= PlacementRetries)
        return;
    ++sdl.placeRetries;
    PlaceWindow(sdl.placeWidth, sdl.placeHeight);
}

// ---- Window ------------------------------------------------------------------------------------------------

void SetWindowIcon(int resource)
{
    std::string path = "./Assets/Icons/" + std::to_string(resource) + ".png";
    DecodedPicture picture;
    std::string error;
    if (!LoadPictureFile(path.c_str(), picture, error))
        return; // a window without its icon is still a window
    SDL_Surface* surface = SDL_CreateRGBSurfaceWithFormatFrom(picture.rgba.get(), picture.width, picture.height, 32,
                                                              picture.width * 4, SDL_PIXELFORMAT_RGBA32);
    if (surface) {
        SDL_SetWindowIcon(sdl.window, surface);
        SDL_FreeSurface(surface);
    }
}

void Shutdown();

// The desktop knows the game by one name: the X11 window class and the Wayland app id match the desktop
// entry brimvale.desktop, so task bars show its name and icon. A value already in the environment wins.
void NameTheApplication()
{
    setenv("SDL_VIDEO_X11_WMCLASS", "brimvale", 0);
    setenv("SDL_VIDEO_WAYLAND_WMCLASS", "brimvale", 0);
    SDL_SetHint(SDL_HINT_APP_NAME, "Brimvale");
}

void* Init(const PXL_SystemSettings* settings, bool hidden)
{
    NameTheApplication();
    SDL_SetHint(SDL_HINT_MOUSE_FOCUS_CLICKTHROUGH, "1");
    SDL_SetHint(SDL_HINT_VIDEO_MINIMIZE_ON_FOCUS_LOSS, "0");
    // Video and the GL library stay loaded for the life of the process once started: unloading the driver
    // on every window close costs time and leaves its allocations unreachable.
    static bool videoStarted = false;
    if (!videoStarted) {
        if (SDL_InitSubSystem(SDL_INIT_VIDEO) != 0) {
            std::fprintf(stderr, "PXL: cannot start SDL video: %s\n", SDL_GetError());
            return nullptr;
        }
        if (SDL_GL_LoadLibrary(nullptr) != 0) {
            std::fprintf(stderr, "PXL: cannot load OpenGL: %s\n", SDL_GetError());
            SDL_QuitSubSystem(SDL_INIT_VIDEO);
            return nullptr;
        }
        videoStarted = true;
    }
    // With no display SDL falls back to drivers that draw nowhere: the game would run unseen on a full core.
    const char* driver = SDL_GetCurrentVideoDriver();
    if (!hidden && driver != nullptr && (std::strcmp(driver, "offscreen") == 0 || std::strcmp(driver, "dummy") == 0)) {
        std::fprintf(stderr,
                     "no display: there is no screen to open the window on (SDL's video driver is \"%s\"); "
                     "set DISPLAY or WAYLAND_DISPLAY\n",
                     driver);
        return nullptr;
    }
    SDL_GL_SetAttribute(SDL_GL_CONTEXT_MAJOR_VERSION, 3);
    SDL_GL_SetAttribute(SDL_GL_CONTEXT_MINOR_VERSION, 3);
    SDL_GL_SetAttribute(SDL_GL_CONTEXT_PROFILE_MASK, SDL_GL_CONTEXT_PROFILE_CORE);
    SDL_GL_SetAttribute(SDL_GL_DOUBLEBUFFER, 1);
    SDL_GL_SetAttribute(SDL_GL_DEPTH_SIZE, 0);
    SDL_GL_SetAttribute(SDL_GL_STENCIL_SIZE, 0);
    SDL_GL_SetAttribute(SDL_GL_CONTEXT_FLAGS, PxlGlDebugWanted() ? SDL_GL_CONTEXT_DEBUG_FLAG : 0);

    Uint32 flags = SDL_WINDOW_OPENGL | (hidden ? SDL_WINDOW_HIDDEN : SDL_WINDOW_SHOWN);
    if (settings->style & PXL_STYLE_BORDERLESS)
        flags |= SDL_WINDOW_BORDERLESS;
    const char* title = settings->title ? settings->title : "";
    int width = settings->width, height = settings->height;
    if (!hidden && driver != nullptr && std::strcmp(driver, "wayland") == 0)
        FitIntoOutput(width, height);
    SDL_Rect start = CentredPlace(UsableBounds(), width, height, {});
    sdl.window = SDL_CreateWindow(title, start.x, start.y, width, height, flags);
    if (!sdl.window) {
        std::fprintf(stderr, "PXL: cannot open the window: %s\n", SDL_GetError());
        return nullptr;
    }
    sdl.context = SDL_GL_CreateContext(sdl.window);
    if (!sdl.context || !PxlGlContextSupported()) {
        std::fprintf(stderr, "PXL: no OpenGL 3.3 core context: %s\n", SDL_GetError());
        Shutdown();
        return nullptr;
    }
    SDL_GL_MakeCurrent(sdl.window, sdl.context);
    SDL_GL_SetSwapInterval(0); // FrameControl paces the frames
    sdl.hidden = hidden;
    sdl.borderless = (settings->style & PXL_STYLE_BORDERLESS) != 0;
    sdl.leftShift = sdl.rightShift = sdl.leftControl = sdl.rightControl = sdl.leftAlt = sdl.rightAlt = 0;
    sdl.timing = false;
    if (!PxlGlOpen()) {
        Shutdown();
        return nullptr;
    }
    SetWindowIcon(settings->iconResource);
    SDL_ShowCursor(SDL_ENABLE);
    return sdl.window;
}

void Shutdown()
{
    if (sdl.context)
        SDL_GL_MakeCurrent(sdl.window, sdl.context);
    PxlGlClose();
    if (sdl.context)
        SDL_GL_DeleteContext(sdl.context);
    if (sdl.window)
        SDL_DestroyWindow(sdl.window);
    sdl.context = nullptr;
    sdl.window = nullptr;
}

// ---- Events ------------------------------------------------------------------------------------------------

int VirtualKeyFor(SDL_Keycode key)
{
    if (key >= SDLK_a && key <= SDLK_z)
        return 0x41 + int(key - SDLK_a);
    if (key >= SDLK_0 && key <= SDLK_9)
        return 0x30 + int(key - SDLK_0);
    if (key >= SDLK_F1 && key <= SDLK_F12)
        return 0x70 + int(key - SDLK_F1);
    if (key >= SDLK_KP_1 && key <= SDLK_KP_9)
        return 0x61 + int(key - SDLK_KP_1);
    switch (key) {
    case SDLK_BACKSPACE:
        return PXL_KEY_BACK;
    case SDLK_TAB:
        return PXL_KEY_TAB;
    case SDLK_RETURN:
    case SDLK_KP_ENTER:
        return PXL_KEY_RETURN;
    case SDLK_PAUSE:
        return 0x13;
    case SDLK_CAPSLOCK:
        return 0x14;
    case SDLK_ESCAPE:
        return PXL_KEY_ESCAPE;
    case SDLK_SPACE:
        return PXL_KEY_SPACE;
    case SDLK_PAGEUP:
        return 0x21;
    case SDLK_PAGEDOWN:
        return 0x22;
    case SDLK_END:
        return 0x23;
    case SDLK_HOME:
        return 0x24;
    case SDLK_LEFT:
        return PXL_KEY_LEFT;
    case SDLK_UP:
        return PXL_KEY_UP;
    case SDLK_RIGHT:
        return PXL_KEY_RIGHT;
    case SDLK_DOWN:
        return PXL_KEY_DOWN;
    case SDLK_PRINTSCREEN:
        return 0x2C;
    case SDLK_INSERT:
        return 0x2D;
    case SDLK_DELETE:
        return PXL_KEY_DELETE;
    case SDLK_KP_0:
        return 0x60;
    case SDLK_KP_MULTIPLY:
        return 0x6A;
    case SDLK_KP_PLUS:
        return 0x6B;
    case SDLK_KP_MINUS:
        return 0x6D;
    case SDLK_KP_PERIOD:
        return 0x6E;
    case SDLK_KP_DIVIDE:
        return 0x6F;
    case SDLK_NUMLOCKCLEAR:
        return 0x90;
    case SDLK_SCROLLLOCK:
        return 0x91;
    case SDLK_SEMICOLON:
        return 0xBA;
    case SDLK_EQUALS:
        return 0xBB;
    case SDLK_COMMA:
        return 0xBC;
    case SDLK_MINUS:
        return 0xBD;
    case SDLK_PERIOD:
        return 0xBE;
    case SDLK_SLASH:
        return 0xBF;
    case SDLK_BACKQUOTE:
        return 0xC0;
    case SDLK_LEFTBRACKET:
        return 0xDB;
    case SDLK_BACKSLASH:
        return 0xDC;
    case SDLK_RIGHTBRACKET:
        return 0xDD;
    case SDLK_QUOTE:
        return 0xDE;
    default:
        return 0;
    }
}

// Shift, Control and Alt have a left, a right and a combined code; the combined one is held while either is.
bool ReportModifier(SDL_Keycode key, bool down)
{
    struct Pair {
        SDL_Keycode left, right;
        int* leftHeld;
        int* rightHeld;
        int either, leftCode, rightCode;
    };
    const Pair pairs[] = {
        {SDLK_LSHIFT, SDLK_RSHIFT, &sdl.leftShift, &sdl.rightShift, PXL_KEY_SHIFT, 0xA0, 0xA1},
        {SDLK_LCTRL, SDLK_RCTRL, &sdl.leftControl, &sdl.rightControl, PXL_KEY_CONTROL, 0xA2, 0xA3},
        {SDLK_LALT, SDLK_RALT, &sdl.leftAlt, &sdl.rightAlt, PXL_KEY_MENU, 0xA4, 0xA5},
    };
    for (const Pair& pair : pairs) {
        if (key != pair.left && key != pair.right)
            continue;
        bool left = key == pair.left;
        bool before = *pair.leftHeld || *pair.rightHeld;
        *(left ? pair.leftHeld : pair.rightHeld) = down;
        bool after = *pair.leftHeld || *pair.rightHeld;
        PxlCoreKeyEvent(left ? pair.leftCode : pair.rightCode, down);
        if (before != after)
            PxlCoreKeyEvent(pair.either, after);
        return true;
    }
    return false;
}

int VirtualButtonFor(Uint8 button)
{
    switch (button) {
    case SDL_BUTTON_LEFT:
        return PXL_KEY_LBUTTON;
    case SDL_BUTTON_RIGHT:
        return PXL_KEY_RBUTTON;
    case SDL_BUTTON_MIDDLE:
        return PXL_KEY_MBUTTON;
    case SDL_BUTTON_X1:
        return 0x05;
    case SDL_BUTTON_X2:
        return 0x06;
    default:
        return 0;
    }
}

void HandleEvent(const SDL_Event& event)
{
    switch (event.type) {
    case SDL_QUIT:
        PxlCoreWindowClosed();
        break;
    case SDL_WINDOWEVENT:
        switch (event.window.event) {
        case SDL_WINDOWEVENT_CLOSE:
            PxlCoreWindowClosed();
            break;
        case SDL_WINDOWEVENT_FOCUS_GAINED:
            PxlCoreFocusChanged(true);
            break;
        case SDL_WINDOWEVENT_FOCUS_LOST:
            PxlCoreFocusChanged(false);
            break;
        case SDL_WINDOWEVENT_SIZE_CHANGED:
            PxlCoreWindowResized(event.window.data1, event.window.data2);
            break;
        default:
            break;
        }
        break;
    case SDL_KEYDOWN:
    case SDL_KEYUP: {
        if (event.key.repeat)
            break;
        bool down = event.type == SDL_KEYDOWN;
        if (ReportModifier(event.key.keysym.sym, down))
            break;
        if (int key = VirtualKeyFor(event.key.keysym.sym))
            PxlCoreKeyEvent(key, down);
        break;
    }
    case SDL_MOUSEBUTTONDOWN:
    case SDL_MOUSEBUTTONUP:
        PxlCoreMouseMoved(float(event.button.x), float(event.button.y));
        if (int key = VirtualButtonFor(event.button.button))
            PxlCoreKeyEvent(key, event.type == SDL_MOUSEBUTTONDOWN);
        break;
    case SDL_MOUSEMOTION:
        PxlCoreMouseMoved(float(event.motion.x), float(event.motion.y));
        break;
    default:
        break;
    }
}

void PumpEvents(bool scripted)
{
    SDL_Event event;
    while (SDL_PollEvent(&event)) {
        if (!scripted)
            HandleEvent(event);
    }
    KeepPlacement();
}

double FrameControl(double period)
{
    const double frequency = double(SDL_GetPerformanceFrequency());
    uint64_t now = SDL_GetPerformanceCounter();
    if (!sdl.timing) {
        sdl.timing = true;
        sdl.lastTick = now;
        sdl.nextDeadline = now + uint64_t(period * frequency);
        return period > 0 ? period : 0;
    }
    if (period > 0) {
        if (now < sdl.nextDeadline) {
            // Sleep most of the wait, then spin the last millisecond: sleeps overshoot.
            double remaining = double(sdl.nextDeadline - now) / frequency;
            if (remaining > 0.002)
                SDL_Delay(Uint32((remaining - 0.001) * 1000.0));
            while ((now = SDL_GetPerformanceCounter()) < sdl.nextDeadline) {
            }
        }
        sdl.nextDeadline += uint64_t(period * frequency);
        if (sdl.nextDeadline < now) // fell behind: start afresh instead of rushing to catch up
            sdl.nextDeadline = now + uint64_t(period * frequency);
    } else {
        sdl.nextDeadline = now;
    }
    double measured = double(now - sdl.lastTick) / frequency;
    sdl.lastTick = now;
    return measured;
}

void SetWindowSize(int width, int height)
{
    if (!sdl.window)
        return;
    // The start-up shrink and the way back from full screen both end in the middle of the monitor. The place
    // comes from the monitor, never from where the window was: that may be a place the window manager has
    // not yet applied.
    SDL_SetWindowSize(sdl.window, width, height);
    sdl.placeRetries = 0;
    PlaceWindow(width, height);
}

void SetWindowSizeAndPosition(int width, int height, int x, int y)
{
    if (!sdl.window)
        return;
    SDL_Rect bounds = DisplayBounds();
    SDL_SetWindowSize(sdl.window, width, height);
    SDL_SetWindowPosition(sdl.window, bounds.x + x, bounds.y + y);
    // A borderless window over the whole monitor is the game's full screen: the window manager is asked for
    // it the way SDL asks for a desktop full screen, so it also covers panels and docks. Without a window
    // manager the size and place above already cover the monitor.
    if (sdl.borderless && x == 0 && y == 0 && width == bounds.w && height == bounds.h)
        SDL_SetWindowFullscreen(sdl.window, SDL_WINDOW_FULLSCREEN_DESKTOP);
}

void SetWindowStyle(uint32_t style)
{
    if (!sdl.window)
        return;
    sdl.borderless = (style & PXL_STYLE_BORDERLESS) != 0;
    if (!sdl.borderless && (SDL_GetWindowFlags(sdl.window) & SDL_WINDOW_FULLSCREEN_DESKTOP) != 0)
        SDL_SetWindowFullscreen(sdl.window, 0);
    SDL_SetWindowBordered(sdl.window, sdl.borderless ? SDL_FALSE : SDL_TRUE);
    // The fixed window's style has no sizing frame.
    SDL_SetWindowResizable(sdl.window, SDL_FALSE);
}

PXL_Vec2 MonitorSize()
{
    SDL_DisplayMode mode;
    int display = sdl.window ? SDL_GetWindowDisplayIndex(sdl.window) : 0;
    if (SDL_GetDesktopDisplayMode(display < 0 ? 0 : display, &mode) != 0)
        return {1920, 1080};
    return {float(mode.w), float(mode.h)};
}

void ShowCursor(bool show)
{
    SDL_ShowCursor(show ? SDL_ENABLE : SDL_DISABLE);
}

// ---- Frames ------------------------------------------------------------------------------------------------

void BeginFrame(const PXL_Color& background, int width, int height)
{
    if (!PxlGlIsOpen())
        return;
    SDL_GL_MakeCurrent(sdl.window, sdl.context);
    PxlGlBeginFrame(background, width, height);
}

void EndFrame()
{
    if (!PxlGlFinishFrame() || sdl.hidden)
        return;
    int drawableWidth = 0;
    int drawableHeight = 0;
    SDL_GL_GetDrawableSize(sdl.window, &drawableWidth, &drawableHeight);
    PxlGlPresent(drawableWidth, drawableHeight);
    SDL_GL_SwapWindow(sdl.window);
}

const PxlBackend SdlGlBackend = {
    "sdl-gl",
    Init,
    Shutdown,
    PumpEvents,
    FrameControl,
    SetWindowSize,
    SetWindowSizeAndPosition,
    SetWindowStyle,
    MonitorSize,
    ShowCursor,
    PxlGlCreateTexture,
    PxlGlDestroyTexture,
    PxlGlCreateShader,
    PxlGlDestroyShader,
    BeginFrame,
    PxlGlDrawMesh,
    EndFrame,
    PxlGlLastFrameDrawCalls,
    PxlGlReadFramePixels,
};

} // namespace

const PxlBackend* PxlSdlGlBackend()
{
    return &SdlGlBackend;
}

#if defined(__SANITIZE_ADDRESS__)
// SDL keeps its D-Bus connection (screensaver, input methods) for the life of the process since video stays
// started, and libdbus frees part of it only in dbus_shutdown. Built in, so that the game and the simulator
// run clean under the sanitizers too, not only the tests with their suppression file.
extern "C" const char* __lsan_default_suppressions()
{
    return "leak:libdbus-1.so\n";
}
extern "C" const char* __lsan_default_options()
{
    return "print_suppressions=0";
}
#endif
