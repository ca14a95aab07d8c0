#include "audio/sound_system.h"

#include "engine/system.h"
#include "engine/trace.h"
#include "platform/pxl.h"

#include <cstdio>

FMOD_SYSTEM* soundFmodSystem = nullptr;
std::map<int32_t, FMOD_CHANNELGROUP*> soundChannelGroups;
std::vector<std::unique_ptr<SoundRecord>> soundRecords;
FMOD_RESULT soundLastResult = FMOD_OK;

namespace {

constexpr int ChannelCount = 32;
constexpr int32_t GroupCount = 4;

bool SoundSystemInit()
{
    SoundCheck(FMOD_System_Create(&soundFmodSystem, FMOD_VERSION));
    SoundCheck(FMOD_System_Init(soundFmodSystem, ChannelCount, FMOD_INIT_NORMAL, nullptr));
    for (int32_t key = 0; key < GroupCount; ++key) {
        soundChannelGroups[key] = nullptr;
    }
    for (auto& [key, group] : soundChannelGroups) {
        SoundCheck(FMOD_System_CreateChannelGroup(soundFmodSystem, std::to_string(key).c_str(), &group));
    }
    return true;
}

// The frame time as the graphics layer measured it, in full precision: the silent mix is paced by it.
void SoundSystemUpdate(float)
{
    SoundCheck(FmodLayerUpdate(soundFmodSystem, PXL_System_GetDeltaTime()));
}

void SoundSystemExit()
{
    for (auto& record : soundRecords) {
        if (record->sound) {
            SoundCheck(FMOD_Sound_Release(record->sound));
        }
    }
    soundRecords.clear();
    for (auto& [key, group] : soundChannelGroups) {
        FMOD_ChannelGroup_Release(group);
    }
    soundChannelGroups.clear();
    // Every system exits even when the start stopped before this one began: nothing to close then.
    if (soundFmodSystem != nullptr) {
        SoundCheck(FMOD_System_Close(soundFmodSystem));
        SoundCheck(FMOD_System_Release(soundFmodSystem));
        soundFmodSystem = nullptr;
    }
}

} // namespace

const BaseSystem SoundSystem = {"SoundSystem", SoundSystemInit, SoundSystemUpdate, SystemNothing, SoundSystemExit};

bool SoundCheck(FMOD_RESULT result)
{
    soundLastResult = result;
    if (result != FMOD_OK) {
        DebugPrint("There was an error in the audio system: (%d) %s\n", static_cast<int>(result),
                   FMOD_ErrorString(result));
        return false;
    }
    return true;
}

SoundRecord* CreateSound(const std::string& path)
{
    auto record = std::make_unique<SoundRecord>();
    record->path = path;
    FMOD_RESULT result = FMOD_System_CreateSound(soundFmodSystem, path.c_str(), FMOD_2D, nullptr, &record->sound);
    soundLastResult = result;
    if (result != FMOD_OK) {
        // Said here, once and with the file's name; the record keeps no sound, and playing skips it.
        std::fprintf(stderr, "Sound file \"%s\" cannot be played: (%d) %s\n", path.c_str(), static_cast<int>(result),
                     FMOD_ErrorString(result));
        record->sound = nullptr;
    }
    soundRecords.push_back(std::move(record));
    return soundRecords.back().get();
}

FMOD_CHANNELGROUP* SoundChannelGroup(int32_t key)
{
    auto found = soundChannelGroups.find(key);
    return found == soundChannelGroups.end() ? nullptr : found->second;
}
