// The cues behind PlayCue: each a folder of interchangeable recordings, a channel group and a pitch range.
#pragma once

#include "audio/sound_system.h"

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

struct AudioCue {
    uint32_t id = 0;
    std::vector<SoundRecord*> sounds; // owned by the sound system
    uint32_t group = 0;
    float pitchVariation = 0.1f; // a play's pitch is drawn from 1 - v .. 1 + v
};

// One row of the cue table.
struct AudioCueRow {
    uint32_t id;
    const char* name; // the folder under the SFX folder
    uint32_t group;
    float volume;
    float pitchVariation;
    int32_t loopCount;
};

// The table, in declaration order.
const std::vector<AudioCueRow>& AudioCueTable();

// The cues built at init, in declaration order.
extern std::vector<std::unique_ptr<AudioCue>> audioCues;

// The first cue with this id, null when there is none.
AudioCue* FindAudioCue(uint32_t id);

// Where the cue folders live: "./Assets/SFX/" unless a test points it elsewhere (ends with "/").
extern std::string audioSfxFolder;
