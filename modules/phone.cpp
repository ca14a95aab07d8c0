#include "modules/phone.h"

#include "audio/audio_cues.h"
#include "flow/events.h"
#include "interaction/interactable.h"
#include "modules/module_tables.h"
#include "render/sprite.h"
#include "render/sprite_sheet.h"

#include <string>

namespace {

const PXL_Vec2 PhoneDrawSize{480, 480};
const PXL_Vec2 LightOffset{5, -115};
const PXL_Vec2 DigitGlyphSize{30, 30};
// The phone book picture's own size in pixels.
constexpr float PhoneBookWidth = 951, PhoneBookHeight = 394;

} // namespace

PhoneModule::PhoneModule(std::string moduleName, PXL_Vec2 modulePosition)
    : Module(std::move(moduleName), modulePosition)
{
}

// Exit has freed the lamp already unless the phone never went on the desk.
PhoneModule::~PhoneModule()
{
    delete light;
}

PXL_Vec2 PhoneModule::KeyPlace(uint32_t digit) const
{
    const float pitch = keySize.x + keyGap;
    if (digit == 9) {
        return {keypadOrigin.x - pitch, keypadOrigin.y - 3 * pitch};
    }
    return {keypadOrigin.x - static_cast<float>(2 - digit % 3) * pitch,
            keypadOrigin.y - static_cast<float>(digit / 3) * pitch};
}

void PhoneModule::Init()
{
    Module::Init();
    for (uint32_t digit = 0; digit < keys.size(); ++digit) {
        // Only the middle of the drawn key takes the press.
        keys[digit] =
            new Interactable(KeyPlace(digit), {keySize.x * 0.75f, keySize.y * 0.5f}, KindMomentary, 0, 0.0f, false);
        keys[digit]->cue = CuePhoneButton;
        interactables.push_back(keys[digit]);
    }
    OffsetInteractables();
    light = new StatusLight({position.x + LightOffset.x, position.y + LightOffset.y});
}

void PhoneModule::Expect(std::string_view number)
{
    expectedNumber.clear();
    for (char digit : number) {
        expectedNumber.push_back(static_cast<uint32_t>(digit - '0'));
    }
}

void PhoneModule::TimedUpdate(float)
{
    Module::Update();
    if (date == nullptr && Listen("calendar_date")) {
        date = std::make_unique<CalendarDate>(ParseDate(GetData("calendar_date")));
        Expect(phone_table::PhoneNumberTable(date->month));
    }
    if (!active) {
        return;
    }
    // A phone that never heard the date rings the switchboard rather than counting no digits as a call.
    if (expectedNumber.empty()) {
        Expect(phone_table::FallbackNumber);
    }
    bool pressed = false;
    for (uint32_t digit = 0; digit < keys.size(); ++digit) {
        if (keys[digit]->clicked) {
            enteredDigits.push_back(digit);
            pressed = true;
        }
    }
    if (pressed) {
        light->lit = false;
    }
    if (enteredDigits == expectedNumber) {
        OnCorrect();
    } else if (enteredDigits.size() == expectedNumber.size()) {
        OnIncorrect();
    }
}

void PhoneModule::Render()
{
    DrawSheetFrame(SheetPhone, 0, position, PhoneDrawSize, 0.0f, &NoTint);
    DrawSheetFrame(SheetPhoneBookList, 0, phoneBookPosition,
                   {PhoneBookWidth * phoneBookScale, PhoneBookHeight * phoneBookScale}, phoneBookRotation, &NoTint);
    for (uint32_t digit = 0; digit < keys.size(); ++digit) {
        const Interactable* key = keys[digit];
        if (key == nullptr) {
            continue;
        }
        const uint32_t frame = key->held ? 2 : (key->hovered ? 1 : 0);
        DrawSheetFrame(SheetButtonPhone, frame, key->position, keySize, 0.0f, &NoTint);
        DrawTint = {1, 1, 1, 1};
        DrawText(FontOxygenMono, std::to_string(digit), key->position, DigitGlyphSize, false, false);
    }
    if (light != nullptr) {
        light->Render();
    }
}

void PhoneModule::Exit()
{
    RemoveInteractables();
    keys.fill(nullptr);
    delete light;
    light = nullptr;
}

void PhoneModule::OnTrigger()
{
    active = true;
    Broadcast("terminal_append_line", "/> Call another plant employee for assistance.");
}

void PhoneModule::OnCorrect()
{
    Module::OnCorrect();
    Broadcast("terminal_append_line", "Contact cannot be reached.");
    light->onColour = LampGreen;
    light->lit = true;
    PlayCue(CuePhone);
}

void PhoneModule::OnIncorrect()
{
    Module::OnIncorrect();
    light->onColour = LampRed;
    light->lit = true;
    enteredDigits.clear();
}
