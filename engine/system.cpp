#include "engine/system.h"

bool SystemInitNothing()
{
    return true;
}

void SystemUpdateNothing(float) {}

void SystemNothing() {}

void RegisterSystem(SystemRegistry& registry, const BaseSystem* system)
{
    if (registry.count < SystemRegistry::capacity) {
        registry.systems[registry.count++] = system;
    }
}
