#include "engine/system.h"

// Placeholder: this system does no work yet.
const BaseSystem GameManagerSystem = {"GameManagerSystem", SystemInitNothing, SystemUpdateNothing, SystemNothing, SystemNothing};
