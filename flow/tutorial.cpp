#include "engine/system.h"

// The tutorial hints are not built yet: the record keeps its place in the registry and does nothing.
const BaseSystem TutorialSystem = {"TutorialSystem", SystemInitNothing, SystemUpdateNothing, SystemNothing,
                                   SystemNothing};
