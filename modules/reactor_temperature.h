// The heat injector: a cooling reactor core, a gauge whose needle shows its temperature, a button that heats
// it while held and ten lamps that count the time the needle has spent in the safe band. Once the time is
// gathered the core settles at zero by itself.
#pragma once

#include "modules/module.h"

#include <cstdint>
#include <vector>

class Interactable;
struct StatusLight;

class ReactorTemperature : public Module {
public:
    ReactorTemperature(std::string name, PXL_Vec2 position);

    void Init() override;
    void Render() override;
    void Exit() override;
    void OnTrigger() override;
    void OnCorrect() override;
    // The puzzle runs on the frame time the desk hands in.
    virtual void TimedUpdate(float dt);

    float temperature = 0.0f; // needle degrees: 0 is ideal, -80..80
    float stableTime = 0.0f;  // seconds gathered in the safe band, net of penalties; never below -1
    Interactable* heatButton = nullptr;
    PXL_Vec2 buttonSize{100.0f, 100.0f};
    PXL_Vec2 gaugeSize{375.0f, 375.0f};
    PXL_Texture gaugeTexture = nullptr;
    PXL_Texture needleTexture = nullptr;
    int32_t lightCount = 10;
    std::vector<StatusLight*> lights; // left to right

private:
    void ShowGatheredTime();
    void Settle(float dt);
};
