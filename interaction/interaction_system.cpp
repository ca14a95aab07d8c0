#include "engine/system.h"

// Placeholder until the controls land.
const BaseSystem InteractionSystem = {"InteractionSystem", SystemInitNothing, SystemUpdateNothing, SystemNothing,
                                      SystemNothing};
