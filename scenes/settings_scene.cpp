#include "scenes/settings_scene.h"

// Placeholder: the scene exists under its name and does nothing yet.
SettingsScene* settingsScene = new SettingsScene();
