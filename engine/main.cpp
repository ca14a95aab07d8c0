#include "engine/engine.h"
#include "scenes/settings_file.h"

int main()
{
    // The player's own runs keep their settings from one run to the next.
    settingsFileInUse = true;
    EngineOptions options;
    return RunEngine(options);
}
