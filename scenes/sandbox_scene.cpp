#include "scenes/sandbox_scene.h"

// Placeholder: the scene exists under its name and does nothing yet.
SandboxScene* sandboxScene = new SandboxScene();
