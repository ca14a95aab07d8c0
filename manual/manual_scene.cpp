#include "manual/manual_scene.h"

// Placeholder: the scene exists under its name and does nothing yet.
ManualScene* manualScene = new ManualScene();
