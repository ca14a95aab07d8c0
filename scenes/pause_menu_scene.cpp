#include "scenes/pause_menu_scene.h"

// Placeholder: the scene exists under its name and does nothing yet.
PauseMenuScene* pauseMenuScene = new PauseMenuScene();
