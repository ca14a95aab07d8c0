// The "days since the last meltdown" sign with its button: the last task of a won shift.
#pragma once

#include "modules/module.h"

#include <cstdint>

class Interactable;

class OnsiteIncidentModule : public Module {
public:
    // Creates the button at its offset; Init moves it onto the desk.
    OnsiteIncidentModule(std::string name, PXL_Vec2 position);

    void Init() override;
    void Update() override;
    void Render() override;
    void Exit() override;
    void OnTrigger() override;
    // Sets the game manager's ending flag: the shift ends as a win after the manager's delay.
    void OnCorrect() override;

    PXL_Vec2 signOffset{0.0f, 0.0f};
    PXL_Vec2 signSize{240.0f, 240.0f};
    PXL_Texture signTexture = nullptr;
    PXL_Vec2 counterOffset{0.0f, 40.0f};
    PXL_Vec2 counterGlyphSize{50.0f, 50.0f};
    PXL_Vec2 labelOffset{0.0f, -25.0f};
    float labelLineHeight = 25.0f;
    PXL_Vec2 labelGlyphSize{25.0f, 25.0f};
    PXL_Vec2 buttonOffset{-150.0f, 0.0f};
    PXL_Vec2 buttonSize{50.0f, 50.0f};
    Interactable* button = nullptr;
    uint32_t days = 0;
    uint32_t daysMinimum = 5;
    uint32_t daysMaximum = 10;
    // The day has been added: the shift is over, and a later "win" must not ask for it again.
    bool dayAdded = false;
};
