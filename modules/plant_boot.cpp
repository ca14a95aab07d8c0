#include "modules/plant_boot.h"

#include "audio/audio_cues.h"
#include "engine/random.h"
#include "flow/events.h"
#include "interaction/interactable.h"
#include "render/nine_slice.h"
#include "render/sprite.h"
#include "render/sprite_sheet.h"

#include <cstdlib>

const std::vector<bool> PlantBootPattern = {true, false, true, true, false, false, true, false};

namespace {

constexpr float FlickerChance = 0.1f;
const PXL_Color PanelGrey{0.4f, 0.4f, 0.4f, 1.0f};

} // namespace

PlantBoot::PlantBoot(std::string moduleName, PXL_Vec2 modulePosition) : Module(std::move(moduleName), modulePosition) {}

void PlantBoot::Init()
{
    const int32_t half = switchCount / 2;
    const int32_t rows = switchCount / half;
    for (int32_t row = 0; row < rows; ++row) {
        for (int32_t column = 0; column < half; ++column) {
            PXL_Vec2 centre{static_cast<float>(column) * switchSpacing + panelSize.x / 2.0f -
                                static_cast<float>(half) * switchSpacing / 2.0f - switchSize.x / 2.0f,
                            static_cast<float>(row) * rowSpacing + static_cast<float>(row) * 25.0f};
            auto* control = new Interactable(centre, switchSize, KindToggle, OrderModuleControl, 0.0f, false);
            control->cue = CueSwitch;
            switches.push_back(control);
            interactables.push_back(control);
        }
    }
    OffsetInteractables();

    for (int32_t i = 0; i < lightCount; ++i) {
        PXL_Vec2 at{position.x - (switchSpacing - 35.0f) +
                        static_cast<float>(i) * (panelSize.x - 40.0f) / static_cast<float>(lightCount - 1),
                    position.y + panelSize.y / 1.5f};
        auto* lamp = new StatusLight(at);
        lamp->onColour = LampWhite;
        lights.push_back(lamp);
    }
}

void PlantBoot::Update()
{
    Module::Update();
    if (booting) {
        StepLamps(static_cast<float>(PXL_System_GetDeltaTime()));
    } else {
        for (StatusLight* lamp : lights) {
            lamp->lit = false;
            lamp->onColour = LampWhite;
        }
        litCount = 0;
    }
    if (!active) {
        return;
    }
    booting = SwitchesMatchPattern();
}

void PlantBoot::StepLamps(float dt)
{
    flickerTimer += dt;
    if (flickerTimer >= flickerInterval) {
        flickerTimer = 0.0f;
        if (litCount < lightCount) {
            lights[static_cast<size_t>(litCount)]->lit = !lights[static_cast<size_t>(litCount)]->lit;
            ++litCount;
        }
    }
    if (litCount < lightCount) {
        return;
    }
    for (StatusLight* lamp : lights) {
        lamp->onColour = LampGreen;
    }
    if (active) {
        OnCorrect();
    }
    // A running plant: the lamps keep flickering green for the rest of the shift.
    if (static_cast<float>(GameRandUnit()) < FlickerChance) {
        StatusLight* lamp = lights[static_cast<size_t>(GameRand() % lightCount)];
        lamp->lit = !lamp->lit;
    }
}

bool PlantBoot::SwitchesMatchPattern() const
{
    for (size_t i = 0; i < switches.size() && i < pattern.size(); ++i) {
        if ((switches[i]->value == 1.0f) != pattern[i]) {
            return false;
        }
    }
    return true;
}

void PlantBoot::Render()
{
    PXL_Vec2 panelCentre{position.x + panelSize.x / 2.0f - switchSize.x, position.y + panelSize.y / 4.0f};
    DrawTint = PanelGrey;
    DrawAlpha = 1.0f;
    DrawTexture(nullptr, &panelCentre, &panelSize, PXL_FILTER_LINEAR, 0.0f);
    DrawNineSlice(panelCentre, panelSize, PanelMetalPlate, 5.0f, false);

    PXL_Vec2 drawn{2.0f * switchSize.y, 2.0f * switchSize.y};
    for (Interactable* control : switches) {
        DrawSheetFrame(SheetSwitch, control->value != 0.0f ? 1 : 0, control->position, drawn, 0.0f, &NoTint);
    }
    for (StatusLight* lamp : lights) {
        lamp->Render();
    }
}

void PlantBoot::Exit()
{
    RemoveInteractables();
    switches.clear();
    for (StatusLight* lamp : lights) {
        delete lamp;
    }
    lights.clear();
}

void PlantBoot::OnTrigger()
{
    active = true;
    Broadcast("terminal_append_line",
              "/> Please check your manual for instructions on how to start the plant boot sequence.");
}

void PlantBoot::OnCorrect()
{
    active = false;
    Broadcast("module_trigger", "Admin Authentication");
    Broadcast("terminal_append_line", "/> Boot sequence complete");
    PlayCue(CueMachines);
}
