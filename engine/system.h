// The engine's systems: one static record of four operations per system, kept in a fixed registry.
#pragma once

#include <cstdint>

struct BaseSystem {
    const char* name;
    bool (*init)();
    void (*update)(float dt);
    void (*render)();
    void (*exit)();
};

struct SystemRegistry {
    static constexpr uint32_t capacity = 20;
    const BaseSystem* systems[capacity] = {};
    uint32_t count = 0;
};

// The shared slot fillers for systems that need no work in a slot.
bool SystemInitNothing();
void SystemUpdateNothing(float dt);
void SystemNothing();

void RegisterSystem(SystemRegistry& registry, const BaseSystem* system);

// The sixteen system records, in registration order.
extern const BaseSystem EventSystem;
extern const BaseSystem PlatformSystem;
extern const BaseSystem ScreenScaleSystem;
extern const BaseSystem SpriteSheetSystem;
extern const BaseSystem GameManagerSystem;
extern const BaseSystem MeshSystem;
extern const BaseSystem SoundSystem;
extern const BaseSystem AudioSystem;
extern const BaseSystem InteractionSystem;
extern const BaseSystem NineSliceSystem;
extern const BaseSystem ModuleSystem;
extern const BaseSystem ShaderSystem;
extern const BaseSystem SceneSystem;
extern const BaseSystem TimerSystem;
extern const BaseSystem AlarmSystem;
extern const BaseSystem TutorialSystem;
