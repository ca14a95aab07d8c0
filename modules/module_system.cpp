#include "engine/system.h"

// Modules are driven by the game scene; the system record only keeps its place in the registry.
const BaseSystem ModuleSystem = {"ModuleSystem", SystemInitNothing, SystemUpdateNothing, SystemNothing, SystemNothing};
