// The first task of every shift: eight switches set to the manual's pattern start a row of lamps; when all
// nine have lit, the boot is complete and the admin authentication takes over.
#pragma once

#include "modules/module.h"

#include <cstdint>
#include <vector>

class Interactable;
struct StatusLight;

// The switch positions the manual's plant boot page shows, switch 1 to 8 (lower row left to right, then the
// upper row): ON OFF ON ON / OFF OFF ON OFF.
extern const std::vector<bool> PlantBootPattern;

class PlantBoot : public Module {
public:
    PlantBoot(std::string name, PXL_Vec2 position);

    void Init() override;
    void Update() override;
    void Render() override;
    void Exit() override;
    void OnTrigger() override;
    // Hands over to the admin authentication by name; the pool and the game manager are not involved.
    void OnCorrect() override;

    int32_t switchCount = 8;
    int32_t lightCount = 9;
    float flickerTimer = 0.0f; // seconds since the last lamp step
    float flickerInterval = 0.2f;
    int32_t litCount = 0; // lamps stepped in the current run
    PXL_Vec2 switchSize{50.0f, 50.0f};
    float switchSpacing = 65.0f;
    float rowSpacing = 62.5f;
    std::vector<Interactable*> switches;
    std::vector<StatusLight*> lights;
    PXL_Vec2 panelSize{380.0f, 245.0f};
    std::vector<bool> pattern = PlantBootPattern;
    // The switches matched the pattern while the task was open: the lamps are stepping.
    bool booting = false;

private:
    void StepLamps(float dt);
    bool SwitchesMatchPattern() const;
};
