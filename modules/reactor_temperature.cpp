#include "modules/reactor_temperature.h"

#include "audio/audio_cues.h"
#include "engine/asset_table.h"
#include "flow/events.h"
#include "interaction/interactable.h"
#include "modules/module_tables.h"
#include "render/nine_slice.h"
#include "render/sprite.h"

#include <algorithm>
#include <cmath>

using namespace reactor_table;

namespace {

constexpr int32_t ButtonOrder = 4;
constexpr PXL_Vec2 ButtonOffset{0.0f, -100.0f};
constexpr float DegreesToRadians = 0.017453292f;
// The needle's pivot sits this far below the gauge's centre in the pictures' framing.
constexpr float NeedleDrop = 2.0f;

bool InSafeBand(float temperature)
{
    return temperature >= SafeLow && temperature <= SafeHigh;
}

} // namespace

ReactorTemperature::ReactorTemperature(std::string moduleName, PXL_Vec2 modulePosition)
    : Module(std::move(moduleName), modulePosition)
{
}

void ReactorTemperature::Init()
{
    Module::Init();
    heatButton = new Interactable(ButtonOffset, buttonSize, KindMomentary, ButtonOrder, 0.0f, false);
    heatButton->cue = CueButton;
    interactables.push_back(heatButton);
    temperature = StartTemperature;
    OffsetInteractables();

    for (int32_t i = 0; i < lightCount; ++i) {
        PXL_Vec2 at{position.x - gaugeSize.x / 2.0f +
                        static_cast<float>(i) * gaugeSize.x / static_cast<float>(lightCount - 1),
                    position.y + gaugeSize.y / 1.7f};
        auto* lamp = new StatusLight(at);
        lamp->onColour = LampWhite;
        lights.push_back(lamp);
    }
    gaugeTexture = PXL_Graphics_LoadTexture(AssetPath(Asset::TemperatureGauge));
    needleTexture = PXL_Graphics_LoadTexture(AssetPath(Asset::TemperatureNeedle));
}

void ReactorTemperature::TimedUpdate(float dt)
{
    Module::Update();
    if (!active) {
        return;
    }
    // The cooling follows the time gathered before this frame.
    const float swing = std::sin(stableTime);
    temperature = std::clamp(temperature, -TemperatureLimit, TemperatureLimit);
    stableTime += InSafeBand(temperature) ? dt : -PenaltyFactor * dt;
    stableTime = std::max(stableTime, LowestStableSeconds);
    ShowGatheredTime();

    if (stableTime >= RequiredStableSeconds) {
        Settle(dt);
        return;
    }
    if (heatButton->held) {
        temperature += HeatPerSecond * dt;
    } else {
        temperature -= (std::fabs(CoolSwing * swing) + CoolBase) * dt;
    }
    // Keep the needle on the dial between frames too, not only when the band is judged.
    temperature = std::clamp(temperature, -TemperatureLimit, TemperatureLimit);
}

void ReactorTemperature::ShowGatheredTime()
{
    const float step = RequiredStableSeconds / static_cast<float>(lightCount);
    for (int32_t i = 0; i < lightCount; ++i) {
        StatusLight* lamp = lights[static_cast<size_t>(i)];
        lamp->lit = stableTime >= static_cast<float>(i) * step;
        if (lamp->lit) {
            lamp->onColour = LampGreen;
        }
    }
}

// The player's part is done: the core drifts back to zero on its own and the task completes there.
void ReactorTemperature::Settle(float dt)
{
    if (temperature > SettledWithin) {
        temperature -= SettlePerSecond * dt;
    } else if (temperature < -SettledWithin) {
        temperature += SettlePerSecond * dt;
    } else {
        temperature = 0.0f;
        OnCorrect();
    }
}

void ReactorTemperature::Render()
{
    DrawNineSlice({position.x, position.y + 50.0f}, {450.0f, 450.0f}, PanelModuleBase, 0.0f, false);

    DrawAlpha = 1.0f;
    DrawTint = {0, 0, 0, 1};
    PXL_Graphics_SetShaderMode(2, 1);
    DrawTexture(gaugeTexture, &position, &gaugeSize, 1, 0.0f);
    const PXL_Vec2 pivot{position.x, position.y - NeedleDrop};
    DrawTexture(needleTexture, &pivot, &gaugeSize, 1, -temperature * DegreesToRadians);

    DrawPushButton(heatButton);
    for (StatusLight* lamp : lights) {
        lamp->Render();
    }
}

void ReactorTemperature::Exit()
{
    RemoveInteractables();
    heatButton = nullptr;
    PXL_Graphics_FreeTexture(&gaugeTexture);
    PXL_Graphics_FreeTexture(&needleTexture);
    for (StatusLight* lamp : lights) {
        delete lamp;
    }
    lights.clear();
}

void ReactorTemperature::OnTrigger()
{
    active = true;
    Broadcast("terminal_append_line", "/> Reactor Core underheating! Use the Heat Injectors| to restabalize it.");
}

void ReactorTemperature::OnCorrect()
{
    Module::OnCorrect();
    Broadcast("terminal_append_line", "Core temperature stabalizing.");
    PlayCue(CueMachines);
}
