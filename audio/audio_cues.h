// Named sound cues: each plays one recording of its folder under "./Assets/SFX/" at a random pitch.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

enum AudioCueId : uint32_t {
    CueKeycap = 0,
    CueButton = 1,
    CueSwitch = 2,
    CueManualOpen = 3,
    CueManualClose = 4,
    CueManualPage = 5,
    CueDrawer = 6,
    CueAlarm = 7,
    CueCompletedCorrect = 8,
    CueCompletedIncorrect = 9,
    CueMachines = 10,
    CuePhoneButton = 11,
    CueKey = 12,
    CueTerminalTick = 13,
    CueTerminalStartup = 14,
    CueAmbienceSafe = 15,
    CueAmbienceUnsafe = 16,
    CuePhone = 17,
};

struct FMOD_CHANNEL;

// False when no cue has this id; true otherwise, also when nothing could be played.
bool PlayCue(uint32_t id);
// The same, handing back the channel of the play and the recording's volume; the channel stays null when
// nothing played.
bool PlayCueOnChannel(uint32_t id, FMOD_CHANNEL** channel, float* volume);

// The plain files of a folder, sorted by name.
std::vector<std::string> ListFolder(const std::string& folder);
