#include "audio/audio_cues.h"

#include "audio/audio_cue_table.h"
#include "engine/asset_table.h"
#include "engine/random.h"
#include "engine/system.h"
#include "platform/os.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <set>

std::vector<std::unique_ptr<AudioCue>> audioCues;
std::string audioSfxFolder = AssetPath(Asset::SoundCues);

namespace {

constexpr int32_t LoopForever = -1;

// The outermost folder on the way from the sounds folder down to a cue's own folder that does not exist, or
// "" when the cue's folder is there.
std::string MissingFolderOf(const std::string& name)
{
    std::string folder = audioSfxFolder;
    size_t start = 0;
    while (true) {
        std::error_code error;
        if (!std::filesystem::is_directory(folder, error)) {
            return folder;
        }
        if (start > name.size()) {
            return "";
        }
        size_t slash = std::min(name.find('/', start), name.size());
        folder += name.substr(start, slash - start) + "/";
        start = slash + 1;
    }
}

// A folder missing as a whole (all of SFX, or a group such as interactables/) is said once, naming the
// folder, rather than once for each cue it would hold.
void SaySilentCue(const std::string& name, const std::string& folder, std::set<std::string>& missingSaid)
{
    std::string missing = MissingFolderOf(name);
    if (missing.empty()) {
        std::fprintf(stderr, "Sound cue \"%s\" has no recording it can play in %s; it stays silent\n", name.c_str(),
                     folder.c_str());
    } else if (missingSaid.insert(missing).second) {
        std::fprintf(stderr, "Sound folder %s is missing; the cues it would hold stay silent\n", missing.c_str());
    }
}

AudioCue* BuildCue(uint32_t id, const std::string& name, uint32_t group, std::set<std::string>& missingSaid)
{
    auto cue = std::make_unique<AudioCue>();
    cue->id = id;
    cue->group = group;
    std::string folder = audioSfxFolder + name + "/";
    for (const std::string& file : ListFolder(folder)) {
        SoundRecord* record = CreateSound(folder + file);
        // A recording that cannot be read was reported as it loaded; the cue plays its others.
        if (record->sound != nullptr) {
            cue->sounds.push_back(record);
        }
    }
    if (cue->sounds.empty()) {
        SaySilentCue(name, folder, missingSaid);
    }
    audioCues.push_back(std::move(cue));
    return audioCues.back().get();
}

bool AudioSystemInit()
{
    std::set<std::string> missingSaid;
    for (const AudioCueRow& row : AudioCueTable()) {
        AudioCue* cue = BuildCue(row.id, row.name, row.group, missingSaid);
        cue->pitchVariation = row.pitchVariation;
        for (SoundRecord* record : cue->sounds) {
            record->volume = row.volume;
            record->loopCount = row.loopCount;
        }
    }
    return true;
}

void AudioSystemExit()
{
    audioCues.clear();
}

} // namespace

const BaseSystem AudioSystem = {"AudioSystem", AudioSystemInit, SystemUpdateNothing, SystemNothing, AudioSystemExit};

const std::vector<AudioCueRow>& AudioCueTable()
{
    static const std::vector<AudioCueRow> table = {
        {CueKeycap, "interactables/keycap", 3, 3.0f, 0.1f, 0},
        {CueButton, "interactables/button", 2, 0.4f, 0.1f, 0},
        {CueSwitch, "interactables/switch", 2, 0.4f, 0.1f, 0},
        {CueManualOpen, "manual/open", 2, 1.0f, 0.1f, 0},
        {CueManualClose, "manual/close", 2, 1.0f, 0.1f, 0},
        {CueManualPage, "manual/page", 2, 1.0f, 0.1f, 0},
        {CueDrawer, "drawer", 2, 1.5f, 0.1f, 0},
        {CueCompletedCorrect, "completed_correct", 2, 1.0f, 0.0f, 0},
        {CueCompletedIncorrect, "completed_incorrect", 2, 1.0f, 0.0f, 0},
        {CueAlarm, "alarm", 2, 0.5f, 0.02f, 0},
        {CueMachines, "machines", 2, 0.2f, 0.1f, 0},
        {CuePhoneButton, "interactables/phone_button", 2, 1.0f, 0.1f, 0},
        {CueKey, "interactables/key", 2, 0.7f, 0.1f, 0},
        {CueTerminalTick, "terminal/tick", 2, 0.05f, 0.2f, 0},
        {CueTerminalStartup, "terminal/startup", 2, 1.0f, 0.1f, 0},
        {CueAmbienceSafe, "ambience/safe", 1, 0.5f, 0.1f, LoopForever},
        {CueAmbienceUnsafe, "ambience/unsafe", 1, 0.01f, 0.1f, LoopForever},
        {CuePhone, "phone", 1, 0.2f, 0.1f, 0},
    };
    return table;
}

AudioCue* FindAudioCue(uint32_t id)
{
    for (auto& cue : audioCues) {
        if (cue->id == id) {
            return cue.get();
        }
    }
    return nullptr;
}

bool PlayCue(uint32_t id)
{
    FMOD_CHANNEL* channel = nullptr;
    float volume = 0.0f;
    return PlayCueOnChannel(id, &channel, &volume);
}

bool PlayCueOnChannel(uint32_t id, FMOD_CHANNEL** channel, float* volume)
{
    *channel = nullptr;
    AudioCue* cue = FindAudioCue(id);
    if (!cue) {
        return false;
    }
    // The pitch is drawn before the recording, so a seeded run repeats its sounds exactly.
    float pitch = 1.0f;
    double v = cue->pitchVariation;
    if (v != 0.0) {
        double r = GameRandUnit();
        pitch = static_cast<float>(1.0 + (-v + 2.0 * v * r));
    }
    size_t count = cue->sounds.size();
    if (count == 0) {
        return true;
    }
    size_t index = count == 1 ? 0 : static_cast<size_t>(GameRand()) % count;
    SoundRecord* record = cue->sounds[index];
    record->pitch = pitch;

    FMOD_CHANNELGROUP* group = SoundChannelGroup(static_cast<int32_t>(cue->group));
    FMOD_BOOL paused = 0;
    SoundCheck(FMOD_ChannelGroup_GetPaused(group, &paused));
    if (paused) {
        return true;
    }
    if (!SoundCheck(FMOD_System_PlaySound(soundFmodSystem, record->sound, group, 0, &record->channel))) {
        return true;
    }
    SoundCheck(FMOD_Channel_SetVolume(record->channel, record->volume));
    SoundCheck(FMOD_Channel_SetPitch(record->channel, record->pitch));
    SoundCheck(FMOD_Channel_SetMode(record->channel, FMOD_LOOP_NORMAL));
    SoundCheck(FMOD_Channel_SetLoopCount(record->channel, record->loopCount));
    *channel = record->channel;
    *volume = record->volume;
    return true;
}

std::vector<std::string> ListFolder(const std::string& folder)
{
    return OsListFiles(folder);
}
