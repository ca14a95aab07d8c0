#include "scenes/main_menu_scene.h"

#include "engine/asset_table.h"
#include "engine/screen_scale.h"
#include "flow/events.h"
#include "scenes/exit_confirm_scene.h"
#include "scenes/game_scene.h"
#include "scenes/settings_scene.h"
#include "terminal/terminal.h"

MainMenuScene* mainMenuScene = new MainMenuScene();

const char* const CreditsScript = AssetPath(Asset::CreditsScript);

namespace {

void StartGame()
{
    SetNextScene(gameScene);
}

void OpenSettings()
{
    settingsScene->returnScene = mainMenuScene;
    PushScene(settingsScene);
}

// Heard by the menu's own update in the next frame, after the terminal has placed its buttons.
void ShowCredits()
{
    Broadcast("credits", "");
}

void AskToExit()
{
    exitConfirmScene->message = "Exit to desktop?";
    exitConfirmScene->returnScene = mainMenuScene;
    exitConfirmScene->confirmTarget = nullptr;
    PushScene(exitConfirmScene);
}

} // namespace

void QueueMainMenu(Terminal& terminal)
{
    terminal.AddButton("Start Game", StartGame)
        .AddButton("Settings", OpenSettings)
        .AddButton("Credits", ShowCredits)
        .AddButton("Exit Game", AskToExit)
        .AddLine("");
}

void MainMenuScene::Load()
{
    terminal = new Terminal({0.0f, 0.0f}, {700.0f, 525.0f});
    PXL_Graphics_SetBlendMode(PXL_BLEND_ALPHA);
    const PXL_Color beige = {0.93333334f, 0.7647059f, 0.6039216f, 1.0f};
    PXL_Graphics_SetBackgroundColor(&beige);
    const PXL_Vec2 origin = {0.0f, 0.0f};
    PXL_Camera_SetPosition(&origin);
    ZoomOffset = 0.5f;
    QueueMainMenu(*terminal);
}

void MainMenuScene::Update(float dt)
{
    terminal->Update(dt);
    if (dt == 0.0f) {
        return;
    }
    if (Listen("credits")) {
        terminal->RemoveButtons();
        ReadTerminalScript(*terminal, CreditsScript);
        terminal->AddClear(300.0f);
        QueueMainMenu(*terminal);
    }
}

void MainMenuScene::Render()
{
    terminal->Render();
}

void MainMenuScene::Unload()
{
    delete terminal;
    terminal = nullptr;
}
