// The targeting radar: a six-character code on a display of its own names a point of the radar's grid (the
// manual says which). The player steers the marker with the slider (left-right) and the dial (up-down) and
// fires; a shot close enough to the code's point eliminates the beta particle.
#pragma once

#include "modules/module.h"
#include "modules/module_tables.h"

#include <array>
#include <cstdint>

class Interactable;
class Slider;
class Spinner;
struct StatusLight;

class TargetingModule : public Module {
public:
    // Builds the dial, the slider, the fire button and the lamp; Init moves the controls onto the desk.
    TargetingModule(std::string name, PXL_Vec2 position, PXL_Vec2 codePosition);
    ~TargetingModule() override;

    void Init() override;
    void Update() override;
    void Render() override;
    void Exit() override;
    void OnTrigger() override;
    void OnCorrect() override;
    void OnIncorrect() override;

    // Places the marker from the controls: the slider sweeps the screen's width, the dial's accumulated turn
    // swings it up and down.
    virtual void ComputeTarget();

    // A point of the 5 by 3 grid, relative to the module: columns 0 and 5, rows 0 and 3 are the screen's edges.
    PXL_Vec2 GridPoint(float column, float row) const;
    // The code the display shows.
    const char* Code() const { return codes[static_cast<size_t>(codeIndex)]; }

    int32_t codeFont;
    PXL_Vec2 spinnerOffset{0, -50};
    PXL_Vec2 spinnerSize{120, 120};
    Spinner* spinner = nullptr;
    PXL_Texture spinnerTexture = nullptr;
    PXL_Vec2 sliderStart{-225, 150};
    PXL_Vec2 sliderEnd{-225, -75};
    PXL_Vec2 handleSize{120, 120};
    Slider* slider = nullptr;
    PXL_Texture handleTexture = nullptr;
    PXL_Vec2 fireButtonOffset{187.5f, 0};
    PXL_Vec2 fireButtonSize{120, 120};
    Interactable* fireButton = nullptr;
    PXL_Vec2 screenCentre{0, 125};
    PXL_Vec2 screenSize{225, 112.5f};
    float screenMargin = 37.5f;
    PXL_Vec2 target{0, 0};
    PXL_Vec2 targetSize{15, 15};
    PXL_Vec2 crosshairPoint{0, 0};
    float lineWidth = 5.0f;
    std::array<PXL_Vec2, targeting_table::Codes.size()> goalPoints{};
    StatusLight* light = nullptr;
    PXL_Vec2 codePosition;
    PXL_Vec2 codeCharacterSize{50, 50};
    std::array<const char*, targeting_table::Codes.size()> codes{};
    int32_t codeIndex = 0;
    bool solved = false;
};
