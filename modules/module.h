// A machine on the control desk: a small puzzle the game manager hands out as a task. Modules coordinate only
// through events whose payload is the module's name.
#pragma once

#include "platform/pxl.h"

#include <string>
#include <vector>

class Interactable;

// Lamp colours the modules switch to (alpha 0.75 throughout).
constexpr PXL_Color LampGreen{0.0f, 1.0f, 0.0f, 0.75f};
constexpr PXL_Color LampRed{1.0f, 0.0f, 0.0f, 0.75f};
constexpr PXL_Color LampWhite{1.0f, 1.0f, 1.0f, 0.75f};
constexpr PXL_Color LampDark{0.0f, 0.0f, 0.0f, 0.75f};

// The indicator lamp most modules show. It loads its two pictures when made and frees them when deleted;
// a module makes its lamps in Init and deletes them in Exit.
struct StatusLight {
    explicit StatusLight(PXL_Vec2 position);
    ~StatusLight();
    StatusLight(const StatusLight&) = delete;
    StatusLight& operator=(const StatusLight&) = delete;

    // The bulb, tinted with onColour when lit, else with offColour.
    void Render() const;

    PXL_Vec2 position;
    PXL_Vec2 size{120.0f, 120.0f};
    PXL_Color onColour = LampGreen;
    PXL_Color offColour = LampDark;
    PXL_Texture bulbTexture = nullptr;
    PXL_Texture baseTexture = nullptr;
    bool lit = false;
};

// A round push button from the button sheet, at the control's place and size: pressed while held, lit while
// the pointer is over it. A null control draws nothing.
void DrawPushButton(const Interactable* button);

class Module {
public:
    Module(std::string name, PXL_Vec2 position);
    virtual ~Module() = default;
    Module(const Module&) = delete;
    Module& operator=(const Module&) = delete;

    // Announces the module with "module_init"; only the modules of the random task pool call this.
    virtual void Init();
    // Starts the task when "module_trigger" names this module exactly.
    virtual void Update();
    virtual void Render();
    virtual void Exit();
    virtual void OnTrigger();
    // Ends the task: "module_correct" moves the game manager on.
    virtual void OnCorrect();
    // Reports a wrong answer with "module_incorrect"; the task stays open.
    virtual void OnIncorrect();

    // Moves every control from module-relative to desk coordinates; called once at the end of Init.
    void OffsetInteractables();
    // Takes every control of the module out of the interaction system and frees it; for Exit.
    void RemoveInteractables();

    std::string name;
    // Refers to the module's controls; the interaction system owns them.
    std::vector<Interactable*> interactables;
    PXL_Vec2 position;
    bool active = false;
};
