// The desk telephone: when the terminal asks for help, dial the four digits of the employee on call in this
// month, as the phone book on the desk lists them.
#pragma once

#include "modules/calendar.h"
#include "modules/module.h"

#include <array>
#include <cstdint>
#include <memory>
#include <vector>

class Interactable;
struct StatusLight;

class PhoneModule : public Module {
public:
    PhoneModule(std::string name, PXL_Vec2 position);
    ~PhoneModule() override;

    void Init() override;
    void Render() override;
    void Exit() override;
    void OnTrigger() override;
    void OnCorrect() override;
    void OnIncorrect() override;
    // Listens for the date and takes the key presses; the frame time is not needed.
    virtual void TimedUpdate(float dt);

    // Where key `digit` sits, relative to the module: three rows of three, 0 to 8, and 9 under the middle.
    PXL_Vec2 KeyPlace(uint32_t digit) const;

    std::vector<uint32_t> enteredDigits;
    std::vector<uint32_t> expectedNumber;
    std::unique_ptr<CalendarDate> date; // from the first "calendar_date" heard
    StatusLight* light = nullptr;
    PXL_Vec2 keypadOrigin{130, 125}; // key 2, the top row's right-hand key
    PXL_Vec2 keySize{60, 60};
    float keyGap = -5.0f; // the drawn keys overlap a little
    std::array<Interactable*, 10> keys{};
    float phoneBookRotation = 0.0f;
    PXL_Vec2 phoneBookPosition{2300, -190}; // on the desk, not moved with the phone
    float phoneBookScale = 0.5f;

private:
    void Expect(std::string_view number);
};
