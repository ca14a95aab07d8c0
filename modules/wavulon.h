// The Wavulon 3000: a small screen shows one of three waves, and the player presses the machine's three
// buttons in the order the manual gives for that wave. Three lamps count the presses of an attempt and turn
// green when it is right.
#pragma once

#include "modules/module.h"
#include "modules/module_tables.h"

#include <array>
#include <cstdint>

class Interactable;
struct StatusLight;

// Marks a place of the input history that no press has filled.
constexpr uint32_t NoInput = 0xFFFFFFFFu;

class WavulonModule : public Module {
public:
    WavulonModule(std::string name, PXL_Vec2 position);

    void Init() override;
    void Update() override;
    void Render() override;
    void Exit() override;
    void OnTrigger() override;
    void OnCorrect() override;
    void OnIncorrect() override;

    // A pattern index from one draw of chance: the three thirds of 0..32767 give 0, 1 and 2.
    virtual int32_t PickPattern();
    // Empties the history and shows a wave different from the one shown until now.
    virtual void ResetSequence();
    // True when the history is full and matches the pattern in force. A full history that does not match is
    // a failed attempt: it starts a new one (ResetSequence) and returns false.
    virtual bool CheckSequence();
    // Appends a button index to the history, dropping its oldest place.
    virtual void PushInput(uint32_t button);

    // The pattern a draw of chance in 0..32767 gives.
    static int32_t PatternForRoll(int roll);
    // Places of the history that presses have filled.
    int32_t FilledPlaces() const;

    std::array<Interactable*, wavulon_table::ButtonCount> buttons{};
    std::array<PXL_Vec2, wavulon_table::ButtonCount> buttonOffsets{{{-75, -80}, {0, -80}, {75, -80}}};
    PXL_Vec2 buttonSize{60, 60};
    PXL_Vec2 waveOffset{0, 100};
    PXL_Vec2 waveSize{300, 250};
    std::array<StatusLight*, wavulon_table::ButtonCount> lights{};
    PXL_Vec2 firstLightOffset{190, 0};
    float lightSpacing = 30.0f;
    std::array<int32_t, wavulon_table::Patterns.size()> patternTable{};
    int32_t patternIndex = 0;
    // The last three buttons pressed, oldest first. It starts as three zeros, which no pattern has: the first
    // check (the first render) empties it and changes the wave.
    std::array<uint32_t, wavulon_table::ButtonCount> inputHistory{};
    std::array<PXL_Texture, wavulon_table::PatternCount> waveTextures{};
};
