#include "modules/module.h"

#include "audio/audio_cues.h"
#include "engine/asset_table.h"
#include "engine/system.h"
#include "flow/events.h"
#include "interaction/interactable.h"
#include "render/sprite.h"
#include "render/sprite_sheet.h"

StatusLight::StatusLight(PXL_Vec2 lampPosition)
    : position(lampPosition), bulbTexture(PXL_Graphics_LoadTexture(AssetPath(Asset::LightBulb))),
      baseTexture(PXL_Graphics_LoadTexture(AssetPath(Asset::LightBase)))
{
}

StatusLight::~StatusLight()
{
    PXL_Graphics_FreeTexture(&bulbTexture);
    PXL_Graphics_FreeTexture(&baseTexture);
}

void StatusLight::Render() const
{
    const PXL_Color& tint = lit ? onColour : offColour;
    DrawTextureTinted(bulbTexture, &position, &size, &tint, 0.0f);
}

void DrawPushButton(const Interactable* button)
{
    if (button == nullptr) {
        return;
    }
    const PXL_Color noTint{0, 0, 0, 0};
    const uint32_t frame = button->held ? 2 : (button->hovered ? 1 : 0);
    DrawSheetFrame(SheetButton2, frame, button->position, button->size, 0.0f, &noTint);
}

Module::Module(std::string moduleName, PXL_Vec2 modulePosition) : name(std::move(moduleName)), position(modulePosition)
{
}

void Module::Init()
{
    Broadcast("module_init", name);
}

void Module::Update()
{
    if (Listen("module_trigger") && GetData("module_trigger") == name) {
        OnTrigger();
    }
}

void Module::Render() {}

void Module::Exit() {}

void Module::OnTrigger()
{
    active = true;
}

void Module::OnCorrect()
{
    active = false;
    Broadcast("module_correct", name);
    PlayCue(CueCompletedCorrect);
}

void Module::OnIncorrect()
{
    Broadcast("module_incorrect", name);
    PlayCue(CueCompletedIncorrect);
}

void Module::OffsetInteractables()
{
    for (Interactable* control : interactables) {
        PXL_Vec2 moved{control->position.x + position.x, control->position.y + position.y};
        if (control->screenSpace) {
            moved = PXL_Camera_ScreenCoordToWorld(&moved);
        }
        control->position = moved;
        control->cornersDirty = true;
    }
}

void Module::RemoveInteractables()
{
    for (Interactable* control : interactables) {
        RemoveInteractable(control);
    }
    interactables.clear();
}

// Modules are driven by the game scene; the system record only keeps its place in the registry.
const BaseSystem ModuleSystem = {"ModuleSystem", SystemInitNothing, SystemUpdateNothing, SystemNothing, SystemNothing};
