// The FMOD entry points of the audio layer: each finds its object behind the handle, checks its arguments and
// hands the work to the mixer (fmod_mixer.cpp).
#include "platform/fmod.h"
#include "platform/fmod_mixer.h"

#include <algorithm>
#include <cmath>
#include <memory>

using namespace fmod_layer;

namespace {

const char* const ResultTexts[FMOD_RESULT_COUNT] = {
    "No errors.",
    "The object handle is null, was released, or belongs to a channel that has finished or was taken.",
    "An invalid parameter was passed.",
    "The audio system is not initialized.",
    "The audio system is already initialized.",
    "The header version does not match this audio layer.",
    "Only one audio system can exist at a time.",
    "No sound output device could be opened; sound is mixed silently.",
    "The sound output device was disconnected; sound is off.",
    "The audio mixer could not be started.",
    "File not found.",
    "The file could not be read, or its data is damaged.",
    "Unsupported file or audio format.",
    "The sound is too long to load.",
    "Not enough memory for the sound.",
    "No channel could be allocated.",
    "The capture file could not be written.",
    "Capturing needs the silent mix: start the capture before FMOD_System_Init.",
};

uint32_t systemGeneration = 0;

System* FindSystem(FMOD_SYSTEM* handle)
{
    size_t index;
    uint32_t generation;
    if (!theSystem || !DecodeHandle(handle, index, generation) || index != 0 || generation != systemGeneration) {
        return nullptr;
    }
    return theSystem;
}

Channel* FindChannel(FMOD_CHANNEL* handle)
{
    size_t index;
    uint32_t generation;
    if (!theSystem || !DecodeHandle(handle, index, generation) || index >= theSystem->channels.size()) {
        return nullptr;
    }
    Channel& channel = theSystem->channels[index];
    if (!channel.inUse || channel.generation != generation) {
        return nullptr;
    }
    return &channel;
}

Sound* FindSound(FMOD_SOUND* handle, size_t* index = nullptr)
{
    return theSystem ? theSystem->sounds.Find(handle, index) : nullptr;
}

Group* FindGroup(FMOD_CHANNELGROUP* handle, size_t* index = nullptr)
{
    return theSystem ? theSystem->groups.Find(handle, index) : nullptr;
}

// The checks every entry point makes, in FMOD's order: the handle first, then the arguments.
template <typename Object, typename Action> FMOD_RESULT Apply(Object* object, bool argumentsValid, Action action)
{
    if (!object) {
        return FMOD_ERR_INVALID_HANDLE;
    }
    if (!argumentsValid) {
        return FMOD_ERR_INVALID_PARAM;
    }
    action(*object);
    return FMOD_OK;
}

template <typename Object, typename Value, typename Read> FMOD_RESULT Get(Object* object, Value* out, Read read)
{
    return Apply(object, out != nullptr, [&](Object& found) { *out = read(found); });
}

// A system call also needs the system initialised.
FMOD_RESULT FindRunningSystem(FMOD_SYSTEM* handle, System*& system)
{
    system = FindSystem(handle);
    if (!system) {
        return FMOD_ERR_INVALID_HANDLE;
    }
    return system->initialized ? FMOD_OK : FMOD_ERR_UNINITIALIZED;
}

bool ValidVolume(float volume)
{
    return std::isfinite(volume) && volume >= 0.0f;
}

template <typename Visit> void ForEachChannelOfGroup(size_t group, Visit visit)
{
    for (Channel& channel : theSystem->channels) {
        if (channel.inUse && channel.group == group) {
            visit(channel);
        }
    }
}

} // namespace

const char* FMOD_ErrorString(int result)
{
    if (result < 0 || result >= FMOD_RESULT_COUNT) {
        return "Unknown error.";
    }
    return ResultTexts[result];
}

FMOD_RESULT FMOD_System_Create(FMOD_SYSTEM** system, unsigned int headerVersion)
{
    if (!system) {
        return FMOD_ERR_INVALID_PARAM;
    }
    *system = nullptr;
    if (headerVersion != FMOD_VERSION) {
        return FMOD_ERR_HEADER_MISMATCH;
    }
    if (theSystem) {
        return FMOD_ERR_TOO_MANY_SYSTEMS;
    }
    theSystem = new System();
    systemGeneration = FmodNextGeneration();
    *system = EncodeHandle<FMOD_SYSTEM>(0, systemGeneration);
    return FMOD_OK;
}

FMOD_RESULT FMOD_System_Init(FMOD_SYSTEM* handle, int maxChannels, FMOD_INITFLAGS, void*)
{
    System* system = FindSystem(handle);
    if (!system) {
        return FMOD_ERR_INVALID_HANDLE;
    }
    if (system->initialized) {
        return FMOD_ERR_INITIALIZED;
    }
    if (maxChannels < 1) {
        return FMOD_ERR_INVALID_PARAM;
    }
    FMOD_RESULT result = OpenOutput(*system);
    if (!system->device) {
        return result;
    }
    CreateChannels(*system, maxChannels);
    system->initialized = true;
    system->lostReported = false;
    system->lost = false;
    system->mixedSeconds = 0.0;
    system->mixedFrames = 0;
    if (system->channels.empty() && result == FMOD_OK) {
        result = FMOD_ERR_CHANNEL_ALLOC;
    }
    return result;
}

FMOD_RESULT FMOD_System_Update(FMOD_SYSTEM* handle)
{
    return FmodLayerUpdate(handle, 0.0);
}

FMOD_RESULT FmodLayerUpdate(FMOD_SYSTEM* handle, double frameSeconds)
{
    System* system = nullptr;
    if (FMOD_RESULT result = FindRunningSystem(handle, system); result != FMOD_OK) {
        return result;
    }
    double step = config.mixStep;
    if (system->silent && step <= 0.0) {
        step = std::isfinite(frameSeconds) ? frameSeconds : 0.0;
    }
    return Advance(step);
}

FMOD_RESULT FMOD_System_Close(FMOD_SYSTEM* handle)
{
    System* system = nullptr;
    if (FMOD_RESULT result = FindRunningSystem(handle, system); result != FMOD_OK) {
        return result;
    }
    CloseOutput(*system);
    return FMOD_OK;
}

FMOD_RESULT FMOD_System_Release(FMOD_SYSTEM* handle)
{
    System* system = FindSystem(handle);
    if (!system) {
        return FMOD_ERR_INVALID_HANDLE;
    }
    if (system->initialized) {
        CloseOutput(*system);
    }
    delete system;
    theSystem = nullptr;
    systemGeneration = 0;
    return FMOD_OK;
}

FMOD_RESULT FMOD_System_CreateChannelGroup(FMOD_SYSTEM* handle, const char* name, FMOD_CHANNELGROUP** group)
{
    if (!group) {
        return FMOD_ERR_INVALID_PARAM;
    }
    *group = nullptr;
    System* system = nullptr;
    if (FMOD_RESULT result = FindRunningSystem(handle, system); result != FMOD_OK) {
        return result;
    }
    auto created = std::make_unique<Group>();
    created->name = name ? name : "";
    *group = system->groups.Add(std::move(created));
    return FMOD_OK;
}

FMOD_RESULT FMOD_System_CreateSound(FMOD_SYSTEM* handle, const char* path, FMOD_MODE mode,
                                    FMOD_CREATESOUNDEXINFO* exinfo, FMOD_SOUND** sound)
{
    if (!sound) {
        return FMOD_ERR_INVALID_PARAM;
    }
    *sound = nullptr;
    System* system = nullptr;
    if (FMOD_RESULT result = FindRunningSystem(handle, system); result != FMOD_OK) {
        return result;
    }
    if (!path || exinfo) {
        return FMOD_ERR_INVALID_PARAM;
    }
    DecodedAudio audio;
    FMOD_RESULT result = LoadAudioFile(path, audio);
    if (result != FMOD_OK) {
        return result;
    }
    auto created = std::make_unique<Sound>();
    created->path = path;
    created->mode = mode;
    result = UploadSound(audio, *created);
    if (result != FMOD_OK) {
        return result;
    }
    *sound = system->sounds.Add(std::move(created));
    return FMOD_OK;
}

FMOD_RESULT FMOD_System_PlaySound(FMOD_SYSTEM* handle, FMOD_SOUND* soundHandle, FMOD_CHANNELGROUP* groupHandle,
                                  FMOD_BOOL paused, FMOD_CHANNEL** channelOut)
{
    if (channelOut) {
        *channelOut = nullptr;
    }
    System* system = nullptr;
    if (FMOD_RESULT result = FindRunningSystem(handle, system); result != FMOD_OK) {
        return result;
    }
    size_t soundIndex = 0;
    Sound* sound = FindSound(soundHandle, &soundIndex);
    size_t groupIndex = MasterGroup;
    if (!sound || (groupHandle && !FindGroup(groupHandle, &groupIndex))) {
        return FMOD_ERR_INVALID_HANDLE;
    }
    Channel* channel = TakeChannel(*system);
    if (!channel) {
        return FMOD_ERR_CHANNEL_ALLOC;
    }
    channel->inUse = true;
    channel->generation = FmodNextGeneration();
    channel->startOrder = ++system->playCounter;
    channel->sound = soundIndex;
    channel->group = groupIndex;
    channel->volume = 1.0f;
    channel->pitch = 1.0f;
    channel->mode = sound->mode;
    channel->loopCount = -1;
    channel->paused = paused != 0;
    channel->started = false;
    channel->playsQueued = 0;
    channel->playsToQueue = 0;
    StartIfDue(*channel);
    if (channelOut) {
        size_t index = static_cast<size_t>(channel - system->channels.data());
        *channelOut = EncodeHandle<FMOD_CHANNEL>(index, channel->generation);
    }
    return FMOD_OK;
}

FMOD_RESULT FMOD_Sound_Release(FMOD_SOUND* handle)
{
    size_t index = 0;
    return Apply(FindSound(handle, &index), true, [&](Sound& sound) {
        for (Channel& channel : theSystem->channels) {
            if (channel.inUse && channel.sound == index) {
                ReleaseChannel(channel);
            }
        }
        DeleteSoundBuffer(sound);
        theSystem->sounds.Remove(index);
    });
}

FMOD_RESULT FMOD_Sound_GetLength(FMOD_SOUND* handle, unsigned int* length, FMOD_TIMEUNIT unit)
{
    bool validUnit = unit == FMOD_TIMEUNIT_MS || unit == FMOD_TIMEUNIT_PCM;
    return Apply(FindSound(handle), length && validUnit, [&](const Sound& sound) {
        *length = unit == FMOD_TIMEUNIT_PCM
                      ? sound.frames
                      : static_cast<unsigned int>(uint64_t(sound.frames) * 1000 / uint64_t(sound.sampleRate));
    });
}

FMOD_RESULT FMOD_Channel_SetVolume(FMOD_CHANNEL* handle, float volume)
{
    return Apply(FindChannel(handle), ValidVolume(volume), [&](Channel& channel) {
        channel.volume = volume;
        ApplyGain(channel);
    });
}

FMOD_RESULT FMOD_Channel_GetVolume(FMOD_CHANNEL* handle, float* volume)
{
    return Get(FindChannel(handle), volume, [](const Channel& channel) { return channel.volume; });
}

FMOD_RESULT FMOD_Channel_SetPitch(FMOD_CHANNEL* handle, float pitch)
{
    return Apply(FindChannel(handle), std::isfinite(pitch) && pitch >= 0.0f, [&](Channel& channel) {
        channel.pitch = pitch;
        ApplyPitch(channel);
    });
}

FMOD_RESULT FMOD_Channel_GetPitch(FMOD_CHANNEL* handle, float* pitch)
{
    return Get(FindChannel(handle), pitch, [](const Channel& channel) { return channel.pitch; });
}

FMOD_RESULT FMOD_Channel_SetMode(FMOD_CHANNEL* handle, FMOD_MODE mode)
{
    return Apply(FindChannel(handle), true, [&](Channel& channel) {
        channel.mode = mode;
        ApplyLoopChange(channel);
    });
}

FMOD_RESULT FMOD_Channel_SetLoopCount(FMOD_CHANNEL* handle, int loopCount)
{
    return Apply(FindChannel(handle), loopCount >= -1, [&](Channel& channel) {
        channel.loopCount = loopCount;
        ApplyLoopChange(channel);
    });
}

FMOD_RESULT FMOD_Channel_GetLoopCount(FMOD_CHANNEL* handle, int* loopCount)
{
    return Get(FindChannel(handle), loopCount, [](const Channel& channel) { return channel.loopCount; });
}

FMOD_RESULT FMOD_Channel_SetPaused(FMOD_CHANNEL* handle, FMOD_BOOL paused)
{
    return Apply(FindChannel(handle), true, [&](Channel& channel) {
        channel.paused = paused != 0;
        ApplyPause(channel);
    });
}

FMOD_RESULT FMOD_Channel_GetPaused(FMOD_CHANNEL* handle, FMOD_BOOL* paused)
{
    return Get(FindChannel(handle), paused, [](const Channel& channel) { return channel.paused ? 1 : 0; });
}

FMOD_RESULT FMOD_Channel_IsPlaying(FMOD_CHANNEL* handle, FMOD_BOOL* playing)
{
    return Get(FindChannel(handle), playing, [](const Channel& channel) { return HasFinished(channel) ? 0 : 1; });
}

FMOD_RESULT FMOD_Channel_Stop(FMOD_CHANNEL* handle)
{
    return Apply(FindChannel(handle), true, ReleaseChannel);
}

FMOD_RESULT FMOD_ChannelGroup_SetVolume(FMOD_CHANNELGROUP* handle, float volume)
{
    size_t index = 0;
    return Apply(FindGroup(handle, &index), ValidVolume(volume), [&](Group& group) {
        group.volume = volume;
        ForEachChannelOfGroup(index, ApplyGain);
    });
}

FMOD_RESULT FMOD_ChannelGroup_GetVolume(FMOD_CHANNELGROUP* handle, float* volume)
{
    return Get(FindGroup(handle), volume, [](const Group& group) { return group.volume; });
}

FMOD_RESULT FMOD_ChannelGroup_SetPaused(FMOD_CHANNELGROUP* handle, FMOD_BOOL paused)
{
    size_t index = 0;
    return Apply(FindGroup(handle, &index), true, [&](Group& group) {
        group.paused = paused != 0;
        ForEachChannelOfGroup(index, ApplyPause);
    });
}

FMOD_RESULT FMOD_ChannelGroup_GetPaused(FMOD_CHANNELGROUP* handle, FMOD_BOOL* paused)
{
    return Get(FindGroup(handle), paused, [](const Group& group) { return group.paused ? 1 : 0; });
}

FMOD_RESULT FMOD_ChannelGroup_Release(FMOD_CHANNELGROUP* handle)
{
    size_t index = 0;
    return Apply(FindGroup(handle, &index), true, [&](Group&) {
        theSystem->groups.Remove(index);
        ForEachChannelOfGroup(index, [](Channel& channel) {
            channel.group = MasterGroup;
            ApplyGain(channel);
            ApplyPause(channel);
        });
    });
}

void FmodLayerSetOutput(FmodLayerOutput output)
{
    config.output = output;
}

void FmodLayerSetDeviceName(const char* name)
{
    config.deviceName = name ? name : "";
}

FMOD_RESULT FmodLayerCaptureToWav(const char* path)
{
    if (theSystem && theSystem->initialized && !theSystem->silent) {
        return FMOD_ERR_CAPTURE_NEEDS_SILENT;
    }
    bool finished = capture.Finish();
    if (!path || !*path) {
        return finished ? FMOD_OK : FMOD_ERR_CAPTURE_FILE;
    }
    return capture.Open(path, FmodLayerMixRate, 2) ? FMOD_OK : FMOD_ERR_CAPTURE_FILE;
}

void FmodLayerSetMixStep(double seconds)
{
    config.mixStep = std::isfinite(seconds) && seconds > 0 ? seconds : 0.0;
}

FMOD_RESULT FmodLayerMix(double seconds)
{
    if (!theSystem || !theSystem->initialized) {
        return FMOD_ERR_UNINITIALIZED;
    }
    if (!theSystem->silent) {
        return FMOD_ERR_CAPTURE_NEEDS_SILENT;
    }
    if (!std::isfinite(seconds) || seconds < 0) {
        return FMOD_ERR_INVALID_PARAM;
    }
    // More than one update's worth at once is fine here: mix it in update-sized steps.
    FMOD_RESULT result = FMOD_OK;
    while (seconds > 0 && result == FMOD_OK) {
        double step = std::min(seconds, LongestMixStep);
        result = Advance(step);
        seconds -= step;
    }
    return result;
}

bool FmodLayerIsSilent()
{
    return theSystem && theSystem->initialized && theSystem->silent;
}
