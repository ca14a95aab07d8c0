#include "engine/system.h"

// Placeholder: this system does no work yet.
const BaseSystem TimerSystem = {"TimerSystem", SystemInitNothing, SystemUpdateNothing, SystemNothing, SystemNothing};
