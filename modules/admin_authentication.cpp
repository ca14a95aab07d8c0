#include "modules/admin_authentication.h"

#include "audio/audio_cues.h"
#include "flow/events.h"
#include "interaction/interactable.h"
#include "render/nine_slice.h"
#include "render/sprite.h"
#include "render/sprite_sheet.h"

namespace {

constexpr PXL_Vec2 ButtonSize{60.0f, 60.0f};
const PXL_Color PanelGrey{0.4f, 0.4f, 0.4f, 1.0f};

bool IsOn(const Interactable* control)
{
    return control->value == 1.0f;
}

} // namespace

std::array<bool, 4> AuthenticationCode(const CalendarDate& date)
{
    return {date.month <= 5, date.weekday >= 1 && date.weekday <= 3, date.day % 2 == 0, date.day < 15};
}

AdminAuthentication::AdminAuthentication(std::string moduleName, PXL_Vec2 modulePosition)
    : Module(std::move(moduleName), modulePosition)
{
}

void AdminAuthentication::Init()
{
    for (size_t i = 0; i < codeSwitches.size(); ++i) {
        auto* control = new Interactable({static_cast<float>(i) * switchSpacing, 0.0f}, switchSize, KindToggle,
                                         OrderModuleControl, 0.0f, false);
        control->cue = CueSwitch;
        codeSwitches[i] = control;
        interactables.push_back(control);
    }
    enterButton =
        new Interactable({4.5f * switchSpacing, 0.0f}, ButtonSize, KindMomentary, OrderModuleControl, 0.0f, false);
    enterButton->cue = CueButton;
    interactables.push_back(enterButton);
    OffsetInteractables();

    for (size_t i = 0; i < codeLights.size(); ++i) {
        PXL_Vec2 at{codeSwitches[i]->position.x, codeSwitches[i]->position.y + 2.0f * (switchSize.y / 3.0f)};
        codeLights[i] = new StatusLight(at);
    }
}

void AdminAuthentication::Update()
{
    Module::Update();
    // The date comes while the desk loads, long before the task is set.
    if (Listen("calendar_date")) {
        expected = AuthenticationCode(ParseDate(GetData("calendar_date")));
    }
    if (!active) {
        return;
    }
    if (enterButton->clicked) {
        bool right = true;
        for (size_t i = 0; i < codeSwitches.size(); ++i) {
            right = right && IsOn(codeSwitches[i]) == expected[i];
        }
        if (right) {
            OnCorrect();
        } else {
            OnIncorrect();
        }
    }
    for (Interactable* control : codeSwitches) {
        if (!control->clicked) {
            continue;
        }
        // The lamps mirror the switches in white until the next press of the button.
        for (size_t i = 0; i < codeLights.size(); ++i) {
            codeLights[i]->onColour = LampWhite;
            codeLights[i]->lit = IsOn(codeSwitches[i]);
        }
    }
}

void AdminAuthentication::Render()
{
    const float width = 2.0f * switchSpacing + 6.0f * switchSize.x;
    const float height = switchSpacing + switchSize.y;
    PXL_Vec2 panelCentre{position.x + width / 2.0f - switchSize.x, position.y};
    PXL_Vec2 panelSize{width, height};
    DrawTint = PanelGrey;
    DrawAlpha = 1.0f;
    DrawTexture(nullptr, &panelCentre, &panelSize, PXL_FILTER_LINEAR, 0.0f);
    DrawNineSlice(panelCentre, panelSize, PanelModuleBase, 5.0f, false);

    PXL_Vec2 drawn{switchSize.y, switchSize.y};
    for (Interactable* control : codeSwitches) {
        DrawSheetFrame(SheetSwitch, IsOn(control) ? 1 : 0, control->position, drawn, 0.0f, &NoTint);
    }
    DrawPushButton(enterButton);
    for (StatusLight* lamp : codeLights) {
        lamp->Render();
    }
}

void AdminAuthentication::Exit()
{
    RemoveInteractables();
    codeSwitches.fill(nullptr);
    enterButton = nullptr;
    for (StatusLight*& lamp : codeLights) {
        delete lamp;
        lamp = nullptr;
    }
}

void AdminAuthentication::OnTrigger()
{
    active = true;
    Broadcast("terminal_append_line", "/> Admin Authentication required to continue");
}

void AdminAuthentication::ColourLamps(const PXL_Color& colour)
{
    for (StatusLight* lamp : codeLights) {
        lamp->onColour = colour;
        lamp->lit = true;
    }
}

void AdminAuthentication::OnCorrect()
{
    ColourLamps(LampGreen);
    Broadcast("tutorial_complete", "");
    active = false;
}

void AdminAuthentication::OnIncorrect()
{
    ColourLamps(LampRed);
    Broadcast("terminal_append_line", "Code Incorrect, please try again");
}
