// The game's layer over the audio library: the system handle, four channel groups by number, every sound the
// game loaded, and the one line that reports an audio failure.
#pragma once

#include "platform/fmod.h"

#include <cstdint>
#include <map>
#include <memory>
#include <string>
#include <vector>

struct SoundRecord {
    FMOD_SOUND* sound = nullptr;
    FMOD_CHANNEL* channel = nullptr; // of its latest play
    std::string path;
    float volume = 1.0f;
    float pitch = 1.0f;
    int32_t loopCount = 0; // 0 plays once, -1 loops without end
};

extern FMOD_SYSTEM* soundFmodSystem;
// Exactly the keys 0 to 3 while the system runs; cues play in 1, 2 and 3, and the settings set all four.
extern std::map<int32_t, FMOD_CHANNELGROUP*> soundChannelGroups;
// Every record, in creation order; owned here and released at exit.
extern std::vector<std::unique_ptr<SoundRecord>> soundRecords;
extern FMOD_RESULT soundLastResult;

// Keeps the result; a failure prints "There was an error in the audio system: (<code>) <text>". True on success.
bool SoundCheck(FMOD_RESULT result);

// A record for the file, appended to the list. A file that cannot be loaded leaves a null sound.
SoundRecord* CreateSound(const std::string& path);

// The channel group of a key, null when there is none.
FMOD_CHANNELGROUP* SoundChannelGroup(int32_t key);
