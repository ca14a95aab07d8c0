#pragma once

#include "scenes/scene.h"

class Terminal;

// The close-up terminal on beige whose lines are the menu entries; "Credits" types the credits in it.
class MainMenuScene : public Scene {
public:
    MainMenuScene() : Scene("MainMenuScene") {}
    void Load() override;
    void Update(float dt) override;
    void Render() override;
    void Unload() override;

    Terminal* terminal = nullptr;
};

extern MainMenuScene* mainMenuScene;

// The menu as the terminal shows it: the four entries, then an empty line.
void QueueMainMenu(Terminal& terminal);

extern const char* const CreditsScript;
