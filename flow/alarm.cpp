#include "engine/system.h"

// Placeholder: this system does no work yet.
const BaseSystem AlarmSystem = {"AlarmSystem", SystemInitNothing, SystemUpdateNothing, SystemNothing, SystemNothing};
