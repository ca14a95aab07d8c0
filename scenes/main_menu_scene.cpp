#include "scenes/main_menu_scene.h"

// Placeholder: the scene exists under its name and does nothing yet.
MainMenuScene* mainMenuScene = new MainMenuScene();
