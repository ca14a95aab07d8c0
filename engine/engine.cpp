#include "engine/engine.h"

#include "engine/platform_system.h"
#include "engine/trace.h"
#include "platform/os.h"
#include "platform/pxl.h"
#include "scenes/scene.h"
#include "scenes/scene_state.h"

#include <cstdint>
#include <cstdio>
#include <cstdlib>

namespace {

SystemRegistry registry;

void PauseOnFocusLoss()
{
    if (!PXL_Window_HasFocus() && IsDeskActive() && !IsPaused()) {
        PauseDesk();
    }
}

void RunFrames(const EngineOptions& options)
{
    float dt = 0.0f;
    for (uint64_t frame = 0;; ++frame) {
        Trace("Engine: Update");
        PauseOnFocusLoss();
        for (uint32_t i = 0; i < registry.count; ++i) {
            registry.systems[i]->update(dt);
        }
        Trace("Engine: Render");
        PXL_Graphics_StartDrawing();
        for (uint32_t i = 0; i < registry.count; ++i) {
            registry.systems[i]->render();
        }
        PXL_Graphics_FinishDrawing();
        bool goOn = options.afterFrame == nullptr || options.afterFrame(frame, options.user);
        if (!PXL_System_DoesWindowExist() || !IsRunning()) {
            break;
        }
        if (!goOn) {
            break;
        }
        dt = static_cast<float>(PXL_System_GetDeltaTime());
    }
}

} // namespace

const SystemRegistry& EngineRegistry()
{
    return registry;
}

int RunEngine(const EngineOptions& options)
{
    registry = SystemRegistry{};
    RegisterSystem(registry, &EventSystem);

    PXL_SystemSettings settings = {};
    settings.instance = nullptr;
    settings.show = options.showWindow ? 1 : 0;
    settings.width = 1920;
    settings.height = 1080;
    settings.frameRate = 60;
    settings.setting3 = 3;
    settings.style = PXL_STYLE_FIXED_WINDOW;
    settings.title = "Brimvale";
    settings.setting0 = 0;
    settings.iconResource = 107;
    settings.windowProc = WindowProc;
    bool windowCreated = PXL_System_Init(&settings) != nullptr;
    if (windowCreated) {
        RegisterSystem(registry, &PlatformSystem);
    } else {
        // Traced before the log is open, so it reaches no file: say it where a player can see it too.
        const char* message = "PlatformSystemInit Error: The Tessaro Graphics Library could not be initialized!";
        Trace("%s", message);
        std::fprintf(stderr, "%s\n", message);
    }

    const BaseSystem* rest[] = {&ScreenScaleSystem, &SpriteSheetSystem, &GameManagerSystem, &MeshSystem,
                                &SoundSystem,       &AudioSystem,       &InteractionSystem, &NineSliceSystem,
                                &ModuleSystem,      &ShaderSystem,      &SceneSystem,       &TimerSystem,
                                &AlarmSystem,       &TutorialSystem};
    for (const BaseSystem* system : rest) {
        RegisterSystem(registry, system);
    }

    TraceInit();
    Trace("Engine: Init");
    bool started = windowCreated;
    for (uint32_t i = 0; i < registry.count && started; ++i) {
        Trace("%s: Init", registry.systems[i]->name);
        started = registry.systems[i]->init();
    }
    std::srand(static_cast<unsigned>(OsCalendarTime()));

    if (started && options.startScene != nullptr) {
        SetNextScene(options.startScene);
    }
    if (started) {
        RunFrames(options);
    }

    Trace("Engine: Exit");
    for (uint32_t i = registry.count; i-- > 0;) {
        Trace("%s: Exit", registry.systems[i]->name);
        registry.systems[i]->exit();
    }
    TraceClose();
    return windowCreated ? 0 : 1;
}
