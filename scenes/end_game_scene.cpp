#include "scenes/end_game_scene.h"

// Placeholder: the scene exists under its name and does nothing yet.
EndGameScene* endGameScene = new EndGameScene();
