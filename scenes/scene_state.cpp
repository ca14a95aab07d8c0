#include "scenes/scene_state.h"

#include "scenes/end_game_scene.h"
#include "scenes/game_scene.h"
#include "scenes/main_menu_scene.h"
#include "scenes/pause_menu_scene.h"

bool IsDeskActive()
{
    return IsSceneActive(gameScene);
}

bool IsDeskHeld()
{
    return IsSceneActive(gameScene) && !gameScene->updateEnabled;
}

bool IsPaused()
{
    return IsSceneActive(pauseMenuScene);
}

bool IsMainMenuActive()
{
    return IsSceneActive(mainMenuScene);
}

EventEar& DeskEar()
{
    return gameScene->ear;
}

void PauseDesk()
{
    pauseMenuScene->returnScene = gameScene;
    PushScene(pauseMenuScene);
}

void SetShiftResult(bool won)
{
    endGameScene->won = won ? 1 : 0;
}

void ShowEndScreen()
{
    SetNextScene(endGameScene);
}
