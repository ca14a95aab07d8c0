#include "scenes/game_scene.h"

// Placeholder: the scene exists under its name and does nothing yet.
GameScene* gameScene = new GameScene();
