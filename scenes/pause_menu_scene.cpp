#include "scenes/pause_menu_scene.h"

#include "flow/alarm.h"
#include "interaction/buttons.h"
#include "render/sprite.h"
#include "scenes/exit_confirm_scene.h"
#include "scenes/game_scene.h"
#include "scenes/main_menu_scene.h"
#include "scenes/settings_scene.h"

#include <algorithm>
#include <cmath>

PauseMenuScene* pauseMenuScene = new PauseMenuScene();

namespace {

PXL_Vec2 ViewCentre()
{
    PXL_Vec2 window = PXL_Window_GetSize();
    PXL_Vec2 centre = {window.x / 2.0f, window.y / 2.0f};
    return PXL_Camera_ScreenCoordToWorld(&centre);
}

void Resume()
{
    RemoveScene(pauseMenuScene);
}

void OpenSettings()
{
    settingsScene->returnScene = pauseMenuScene;
    PushScene(settingsScene);
}

void AskToLeave()
{
    // The alarm stays as it is, frozen, while the player decides: "Cancel" goes back to the same shift, and
    // the desk switches it off if the shift is left.
    exitConfirmScene->message = "Are you sure you want to exit?\nGame progress will NOT be saved.";
    exitConfirmScene->returnScene = pauseMenuScene;
    exitConfirmScene->confirmTarget = mainMenuScene;
    PushScene(exitConfirmScene);
}

} // namespace

PXL_Vec2 PauseCoverSize()
{
    // The desk pans: the cover follows the view, and a wide window shows more than the design width.
    PXL_Vec2 window = PXL_Window_GetSize();
    PXL_Vec2 topLeft = {0.0f, 0.0f};
    PXL_Vec2 a = PXL_Camera_ScreenCoordToWorld(&topLeft);
    PXL_Vec2 b = PXL_Camera_ScreenCoordToWorld(&window);
    return {std::max(2020.0f, std::fabs(b.x - a.x) + 100.0f), std::max(1180.0f, std::fabs(b.y - a.y) + 100.0f)};
}

void PauseMenuScene::OnMissingReturnScene()
{
    // Nothing to pause and nothing to go back to: the menu takes itself off again.
    RemoveScene(this);
}

void PauseMenuScene::LoadOverlay()
{
    const PXL_Vec2 size = {600.0f, 150.0f};
    resumeButton = AddButton({0.0f, -150.0f}, size, "Resume Game", Resume);
    settingsButton = AddButton({0.0f, 50.0f}, size, "Settings", OpenSettings);
    mainMenuButton = AddButton({0.0f, 250.0f}, size, "Main Menu", AskToLeave);
    blocker = new Interactable(ViewCentre(), PauseCoverSize(), KindMomentary, OrderOverlay, 0.0f, false);
    // Frozen for as long as the menu is open, the settings or the exit confirmation above it included.
    alarmState.frozen = true;
}

void PauseMenuScene::Update(float dt)
{
    UIButton* menuButtons[] = {resumeButton, settingsButton, mainMenuButton};
    // Covered by the settings or the exit confirmation: the menu's own buttons must not answer. On the first
    // frame they are still waiting to go live.
    bool covered = dt == 0.0f;
    for (UIButton* button : menuButtons) {
        if (button != nullptr && !firstFrame) {
            button->enabled = !covered;
        }
    }
    if (blocker != nullptr) {
        blocker->SetTransform(ViewCentre(), PauseCoverSize());
    }
    if (covered || firstFrame) {
        // On the first frame the Escape that opened the menu still reads as pressed.
        return;
    }
    if (PXL_Input_KeyTriggered(PXL_KEY_ESCAPE)) {
        gameScene->updateEnabled = true;
        RemoveScene(this);
    }
}

void PauseMenuScene::RenderOverlay()
{
    DrawTint = {0.1f, 0.1f, 0.1f, 0.6f};
    DrawAlpha = 0.6f;
    PXL_Vec2 centre = ViewCentre();
    PXL_Vec2 cover = PauseCoverSize();
    DrawTexture(nullptr, &centre, &cover, PXL_FILTER_LINEAR, 0.0f);
}

void PauseMenuScene::ExitOverlay()
{
    // However the menu goes (resumed, or unloaded by a switch of scene while it was open), the alarm runs on.
    alarmState.frozen = false;
}

void PauseMenuScene::UnloadOverlay()
{
    RemoveInteractable(blocker);
    resumeButton = settingsButton = mainMenuButton = nullptr;
    blocker = nullptr;
}
