// The entry point's work: register the systems, run frames until the window is gone or no scene is left,
// then shut everything down.
#pragma once

#include "engine/system.h"

#include <cstdint>

class Scene;

struct EngineOptions {
    bool showWindow = true;
    // Replaces the splash screen as the first scene (the simulator's --scene).
    Scene* startScene = nullptr;
    // Called after each frame has been drawn, with its number; returning false ends the run after that frame.
    bool (*afterFrame)(uint64_t frame, void* user) = nullptr;
    void* user = nullptr;
};

// Returns the process exit status: 0 after a normal run, 1 when the window could not be created.
int RunEngine(const EngineOptions& options);

// The registry of the running (or last) engine.
const SystemRegistry& EngineRegistry();
