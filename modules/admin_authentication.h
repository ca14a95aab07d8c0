// The second tutorial task: four switches answer yes-or-no questions about today's date, and the button
// checks them. Solving it ends the tutorial.
#pragma once

#include "modules/calendar.h"
#include "modules/module.h"

#include <array>

class Interactable;
struct StatusLight;

// The switch positions a date asks for, switch 1 to 4: the month is January to June; the weekday is Monday,
// Tuesday or Wednesday; the day is even; the day is before the 15th.
std::array<bool, 4> AuthenticationCode(const CalendarDate& date);

class AdminAuthentication : public Module {
public:
    AdminAuthentication(std::string name, PXL_Vec2 position);

    void Init() override;
    void Update() override;
    void Render() override;
    void Exit() override;
    void OnTrigger() override;
    // Green lamps and "tutorial_complete": the shift proper begins.
    void OnCorrect() override;
    // Red lamps and a message; the task stays open.
    void OnIncorrect() override;

    std::array<Interactable*, 4> codeSwitches{};
    Interactable* enterButton = nullptr;
    std::array<StatusLight*, 4> codeLights{};
    std::array<bool, 4> expected{};
    PXL_Vec2 switchSize{50.0f, 100.0f};
    float switchSpacing = 75.0f;

private:
    void ColourLamps(const PXL_Color& colour);
};
