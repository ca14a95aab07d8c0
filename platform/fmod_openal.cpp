// The audio layer over OpenAL Soft: one OpenAL source per channel, one buffer per sound.
#include "platform/fmod.h"
#include "platform/fmod_audio_file.h"
#include "platform/fmod_wav_writer.h"
#include "platform/pxl.h"

#include <AL/al.h>
#include <AL/alc.h>
#include <AL/alext.h>
#include <algorithm>
#include <alsa/asoundlib.h>
#include <cmath>
#include <cstdlib>
#include <memory>
#include <string>
#include <vector>

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

constexpr int ChannelLimit = 255; // OpenAL Soft gives 256 sources per context by default
constexpr int QueueDepth = 64;    // buffers queued ahead for a channel that plays N times
constexpr size_t MixChunkFrames = 1024;
constexpr double LongestMixStep = 1.0;
constexpr float MaxSourceGain = 1000.0f; // OpenAL Soft itself caps a source at 16 (+24 dB)

// Handles carry a slot index and a generation, so a stale one is recognised instead of reaching whatever now
// occupies its slot. Generations come from one counter for the whole run.
uint32_t nextGeneration = 1;

template <typename Handle> Handle* EncodeHandle(size_t index, uint32_t generation)
{
    uintptr_t value = (static_cast<uintptr_t>(generation) << 32) | static_cast<uintptr_t>(index + 1);
    return reinterpret_cast<Handle*>(value);
}

template <typename Handle> bool DecodeHandle(Handle* handle, size_t& index, uint32_t& generation)
{
    uintptr_t value = reinterpret_cast<uintptr_t>(handle);
    if (value == 0 || (value & 0xFFFFFFFFu) == 0) {
        return false;
    }
    index = static_cast<size_t>(value & 0xFFFFFFFFu) - 1;
    generation = static_cast<uint32_t>(value >> 32);
    return true;
}

template <typename T, typename Handle> struct SlotTable {
    struct Slot {
        std::unique_ptr<T> item;
        uint32_t generation = 0;
    };
    std::vector<Slot> slots;

    Handle* Add(std::unique_ptr<T> item)
    {
        size_t index = 0;
        while (index < slots.size() && slots[index].item) {
            ++index;
        }
        if (index == slots.size()) {
            slots.emplace_back();
        }
        slots[index].item = std::move(item);
        slots[index].generation = nextGeneration++;
        return EncodeHandle<Handle>(index, slots[index].generation);
    }
    T* Find(Handle* handle, size_t* indexOut = nullptr)
    {
        size_t index;
        uint32_t generation;
        if (!DecodeHandle(handle, index, generation) || index >= slots.size() || !slots[index].item ||
            slots[index].generation != generation) {
            return nullptr;
        }
        if (indexOut) {
            *indexOut = index;
        }
        return slots[index].item.get();
    }
    void Remove(size_t index) { slots[index].item.reset(); }
};

struct Sound {
    ALuint buffer = 0;
    unsigned int frames = 0;
    int sampleRate = 0;
    FMOD_MODE mode = FMOD_DEFAULT;
};

struct Group {
    std::string name;
    float volume = 1.0f;
    bool paused = false;
};

constexpr size_t MasterGroup = SIZE_MAX;

struct Channel {
    ALuint source = 0;
    bool inUse = false;
    uint32_t generation = 0;
    uint64_t startOrder = 0;
    size_t sound = 0;
    size_t group = MasterGroup;
    float volume = 1.0f;
    float pitch = 1.0f;
    FMOD_MODE mode = FMOD_DEFAULT;
    int loopCount = -1;
    bool paused = false;
    bool started = false;
    bool staticLoop = false; // attached as one looping buffer, rather than a queue of plays
    int playsQueued = 0;     // plays handed to the source so far
    int playsToQueue = 0;    // plays still to hand over
};

struct Config {
    FmodLayerOutput output = FmodLayerOutput::Device;
    std::string deviceName;
    double mixStep = 0.0;
};

struct System {
    bool initialized = false;
    bool silent = false;
    bool floatBuffers = false;
    bool directChannels = false;
    bool lostReported = false;
    ALCdevice* device = nullptr;
    ALCcontext* context = nullptr;
    LPALCRENDERSAMPLESSOFT renderSamples = nullptr;
    std::vector<Channel> channels;
    SlotTable<Sound, FMOD_SOUND> sounds;
    SlotTable<Group, FMOD_CHANNELGROUP> groups;
    uint64_t playCounter = 0;
    double mixedSeconds = 0.0;
    uint64_t mixedFrames = 0;
    std::vector<float> mixBuffer;
};

Config config;
System* theSystem = nullptr;
uint32_t systemGeneration = 0;
WavWriter capture;

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

Group* GroupOf(const Channel& channel)
{
    if (channel.group == MasterGroup || channel.group >= theSystem->groups.slots.size()) {
        return nullptr;
    }
    return theSystem->groups.slots[channel.group].item.get();
}

bool IsPausedNow(const Channel& channel)
{
    Group* group = GroupOf(channel);
    return channel.paused || (group && group->paused);
}

bool LoopsForever(const Channel& channel)
{
    return (channel.mode & (FMOD_LOOP_NORMAL | FMOD_LOOP_BIDI)) != 0 && channel.loopCount < 0;
}

int TotalPlays(const Channel& channel)
{
    if ((channel.mode & (FMOD_LOOP_NORMAL | FMOD_LOOP_BIDI)) == 0) {
        return 1;
    }
    return channel.loopCount < 0 ? 1 : channel.loopCount + 1;
}

ALint SourceState(const Channel& channel)
{
    ALint state = AL_STOPPED;
    alGetSourcei(channel.source, AL_SOURCE_STATE, &state);
    return state;
}

void ApplyGain(const Channel& channel)
{
    Group* group = GroupOf(channel);
    alSourcef(channel.source, AL_GAIN, channel.volume * (group ? group->volume : 1.0f));
}

void ApplyPitch(const Channel& channel)
{
    alSourcef(channel.source, AL_PITCH, channel.pitch);
}

void ResetSource(ALuint source)
{
    alSourceStop(source);
    alSourcei(source, AL_LOOPING, AL_FALSE);
    alSourcei(source, AL_BUFFER, 0);
}

// Frees the channel: its handle goes stale and its source falls silent.
void ReleaseChannel(Channel& channel)
{
    ResetSource(channel.source);
    channel.inUse = false;
    channel.started = false;
    channel.generation = 0;
}

void QueuePlays(Channel& channel)
{
    ALint queued = 0;
    alGetSourcei(channel.source, AL_BUFFERS_QUEUED, &queued);
    ALint processed = 0;
    alGetSourcei(channel.source, AL_BUFFERS_PROCESSED, &processed);
    ALuint buffer = theSystem->sounds.slots[channel.sound].item->buffer;
    if (processed > 0 && channel.playsToQueue > 0) {
        std::vector<ALuint> done(static_cast<size_t>(processed));
        alSourceUnqueueBuffers(channel.source, processed, done.data());
        queued -= processed;
    }
    while (channel.playsToQueue > 0 && queued < QueueDepth) {
        alSourceQueueBuffers(channel.source, 1, &buffer);
        --channel.playsToQueue;
        ++channel.playsQueued;
        ++queued;
    }
}

void StartChannel(Channel& channel)
{
    ResetSource(channel.source);
    ApplyGain(channel);
    ApplyPitch(channel);
    if (LoopsForever(channel)) {
        alSourcei(channel.source, AL_BUFFER, static_cast<ALint>(theSystem->sounds.slots[channel.sound].item->buffer));
        alSourcei(channel.source, AL_LOOPING, AL_TRUE);
        channel.staticLoop = true;
        channel.playsQueued = 1;
        channel.playsToQueue = 0;
    } else {
        channel.staticLoop = false;
        channel.playsQueued = 0;
        channel.playsToQueue = TotalPlays(channel);
        QueuePlays(channel);
    }
    alSourcePlay(channel.source);
    channel.started = true;
}

// A loop count or mode changed on a channel that already sounds: the change counts from the current pass.
void ApplyLoopChange(Channel& channel)
{
    if (!channel.started) {
        return;
    }
    if (LoopsForever(channel)) {
        alSourcei(channel.source, AL_LOOPING, AL_TRUE);
        channel.playsToQueue = 0;
        return;
    }
    alSourcei(channel.source, AL_LOOPING, AL_FALSE);
    if (!channel.staticLoop) {
        channel.playsToQueue = std::max(0, TotalPlays(channel) - channel.playsQueued);
        QueuePlays(channel);
    }
}

void ApplyPause(Channel& channel)
{
    if (!channel.started) {
        return;
    }
    ALint state = SourceState(channel);
    if (IsPausedNow(channel)) {
        if (state == AL_PLAYING) {
            alSourcePause(channel.source);
        }
    } else if (state == AL_PAUSED) {
        alSourcePlay(channel.source);
    }
}

bool HasFinished(const Channel& channel)
{
    return channel.started && channel.playsToQueue == 0 && SourceState(channel) == AL_STOPPED;
}

void StartPendingChannels()
{
    for (Channel& channel : theSystem->channels) {
        if (channel.inUse && !channel.started && !IsPausedNow(channel)) {
            StartChannel(channel);
        }
    }
}

// Keeps N-times channels fed, and restarts one that ran dry before its plays were all handed over.
void RefillChannels()
{
    for (Channel& channel : theSystem->channels) {
        if (channel.inUse && channel.started && channel.playsToQueue > 0) {
            QueuePlays(channel);
            if (!IsPausedNow(channel) && SourceState(channel) == AL_STOPPED) {
                alSourcePlay(channel.source);
            }
        }
    }
}

void ReclaimFinishedChannels()
{
    for (Channel& channel : theSystem->channels) {
        if (channel.inUse && HasFinished(channel)) {
            ReleaseChannel(channel);
        }
    }
}

void RenderSilentMix(double seconds)
{
    System& system = *theSystem;
    system.mixedSeconds += std::clamp(seconds, 0.0, LongestMixStep);
    uint64_t goal = static_cast<uint64_t>(std::llround(system.mixedSeconds * FmodLayerMixRate));
    system.mixBuffer.resize(MixChunkFrames * 2);
    while (system.mixedFrames < goal) {
        size_t frames = static_cast<size_t>(std::min<uint64_t>(goal - system.mixedFrames, MixChunkFrames));
        system.renderSamples(system.device, system.mixBuffer.data(), static_cast<ALCsizei>(frames));
        capture.Append(system.mixBuffer.data(), frames);
        system.mixedFrames += frames;
        RefillChannels();
    }
}

FMOD_RESULT Advance(double seconds)
{
    StartPendingChannels();
    FMOD_RESULT result = FMOD_OK;
    if (theSystem->silent) {
        RenderSilentMix(seconds);
    } else {
        RefillChannels();
        ALCint connected = ALC_TRUE;
        if (alcIsExtensionPresent(theSystem->device, "ALC_EXT_disconnect")) {
            alcGetIntegerv(theSystem->device, ALC_CONNECTED, 1, &connected);
        }
        if (!connected && !theSystem->lostReported) {
            theSystem->lostReported = true;
            result = FMOD_ERR_OUTPUT_LOST;
        }
    }
    ReclaimFinishedChannels();
    return result;
}

void IgnoreAlsaMessage(const char*, int, const char*, int, const char*, ...) {}

// ALSA and OpenAL Soft both talk on the console while looking for a device; the game keeps it clean.
void QuietenBackends()
{
    static bool done = false;
    if (done) {
        return;
    }
    done = true;
    setenv("ALSOFT_LOGLEVEL", "0", 0);
    snd_lib_error_set_handler(IgnoreAlsaMessage);
}

ALCdevice* OpenLoopbackDevice(System& system)
{
    if (!alcIsExtensionPresent(nullptr, "ALC_SOFT_loopback")) {
        return nullptr;
    }
    auto open = reinterpret_cast<LPALCLOOPBACKOPENDEVICESOFT>(alcGetProcAddress(nullptr, "alcLoopbackOpenDeviceSOFT"));
    auto supported = reinterpret_cast<LPALCISRENDERFORMATSUPPORTEDSOFT>(
        alcGetProcAddress(nullptr, "alcIsRenderFormatSupportedSOFT"));
    system.renderSamples = reinterpret_cast<LPALCRENDERSAMPLESSOFT>(alcGetProcAddress(nullptr, "alcRenderSamplesSOFT"));
    if (!open || !supported || !system.renderSamples) {
        return nullptr;
    }
    ALCdevice* device = open(nullptr);
    if (device && !supported(device, FmodLayerMixRate, ALC_STEREO_SOFT, ALC_FLOAT_SOFT)) {
        alcCloseDevice(device);
        device = nullptr;
    }
    return device;
}

// No HRTF and no limiter: stereo stays plain stereo, and a loud mix clips as the settings promise.
std::vector<ALCint> ContextAttributes(bool loopback)
{
    std::vector<ALCint> attributes = {ALC_FREQUENCY, FmodLayerMixRate, ALC_HRTF_SOFT, ALC_FALSE};
    attributes.insert(attributes.end(), {ALC_OUTPUT_LIMITER_SOFT, ALC_FALSE});
    if (loopback) {
        attributes.insert(attributes.end(),
                          {ALC_FORMAT_CHANNELS_SOFT, ALC_STEREO_SOFT, ALC_FORMAT_TYPE_SOFT, ALC_FLOAT_SOFT});
    }
    attributes.push_back(0);
    return attributes;
}

FMOD_RESULT OpenOutput(System& system)
{
    FMOD_RESULT result = FMOD_OK;
    QuietenBackends();
    if (config.output == FmodLayerOutput::Device && !capture.IsOpen()) {
        system.device = alcOpenDevice(config.deviceName.empty() ? nullptr : config.deviceName.c_str());
        if (system.device) {
            system.context = alcCreateContext(system.device, ContextAttributes(false).data());
            if (!system.context) {
                alcCloseDevice(system.device);
                system.device = nullptr;
            }
        }
        if (!system.device) {
            result = FMOD_ERR_OUTPUT_INIT;
        }
    }
    if (!system.device) {
        system.device = OpenLoopbackDevice(system);
        if (system.device) {
            system.context = alcCreateContext(system.device, ContextAttributes(true).data());
            if (!system.context) {
                alcCloseDevice(system.device);
                system.device = nullptr;
            }
        }
        if (!system.device) {
            return FMOD_ERR_MIXER;
        }
        system.silent = true;
    }
    alcMakeContextCurrent(system.context);
    system.floatBuffers = alIsExtensionPresent("AL_EXT_FLOAT32");
    system.directChannels = alIsExtensionPresent("AL_SOFT_direct_channels");
    return result;
}

void CloseOutput(System& system)
{
    for (Channel& channel : system.channels) {
        ResetSource(channel.source);
        alDeleteSources(1, &channel.source);
    }
    system.channels.clear();
    for (auto& slot : system.sounds.slots) {
        if (slot.item && slot.item->buffer) {
            alDeleteBuffers(1, &slot.item->buffer);
        }
    }
    system.sounds.slots.clear();
    system.groups.slots.clear();
    alcMakeContextCurrent(nullptr);
    if (system.context) {
        alcDestroyContext(system.context);
    }
    if (system.device) {
        alcCloseDevice(system.device);
    }
    system.context = nullptr;
    system.device = nullptr;
    system.initialized = false;
    system.silent = false;
    capture.Finish();
}

bool ValidVolume(float volume)
{
    return std::isfinite(volume) && volume >= 0.0f;
}

// The buffer keeps every sound as stereo, so mono plays at full level on both sides.
FMOD_RESULT UploadSound(const DecodedAudio& audio, Sound& sound)
{
    size_t frames = audio.FrameCount();
    alGetError();
    alGenBuffers(1, &sound.buffer);
    if (alGetError() != AL_NO_ERROR) {
        sound.buffer = 0;
        return FMOD_ERR_MEMORY;
    }
    auto sampleAt = [&](size_t frame, int side) {
        return audio.samples[frame * audio.channels + (audio.channels == 2 ? side : 0)];
    };
    if (theSystem->floatBuffers) {
        std::vector<float> stereo(frames * 2);
        for (size_t i = 0; i < frames; ++i) {
            stereo[2 * i] = sampleAt(i, 0);
            stereo[2 * i + 1] = sampleAt(i, 1);
        }
        alBufferData(sound.buffer, AL_FORMAT_STEREO_FLOAT32, stereo.data(),
                     static_cast<ALsizei>(stereo.size() * sizeof(float)), audio.sampleRate);
    } else {
        std::vector<int16_t> stereo(frames * 2);
        for (size_t i = 0; i < frames; ++i) {
            stereo[2 * i] = WavWriter::ToPcm16(sampleAt(i, 0));
            stereo[2 * i + 1] = WavWriter::ToPcm16(sampleAt(i, 1));
        }
        alBufferData(sound.buffer, AL_FORMAT_STEREO16, stereo.data(),
                     static_cast<ALsizei>(stereo.size() * sizeof(int16_t)), audio.sampleRate);
    }
    if (alGetError() != AL_NO_ERROR) {
        alDeleteBuffers(1, &sound.buffer);
        sound.buffer = 0;
        return FMOD_ERR_MEMORY;
    }
    sound.frames = static_cast<unsigned int>(frames);
    sound.sampleRate = audio.sampleRate;
    return FMOD_OK;
}

// Picks the channel for a new play: a free one, else a finished one not yet reclaimed, else the oldest.
Channel* TakeChannel(System& system)
{
    Channel* finished = nullptr;
    Channel* oldest = nullptr;
    for (Channel& channel : system.channels) {
        if (!channel.inUse) {
            return &channel;
        }
        if (HasFinished(channel) && (!finished || channel.startOrder < finished->startOrder)) {
            finished = &channel;
        }
        if (!oldest || channel.startOrder < oldest->startOrder) {
            oldest = &channel;
        }
    }
    Channel* taken = finished ? finished : oldest;
    if (taken) {
        ReleaseChannel(*taken);
    }
    return taken;
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
    systemGeneration = nextGeneration++;
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
    alGetError();
    int count = std::min(maxChannels, ChannelLimit);
    for (int i = 0; i < count; ++i) {
        Channel channel;
        alGenSources(1, &channel.source);
        if (alGetError() != AL_NO_ERROR) {
            break;
        }
        alSourcei(channel.source, AL_SOURCE_RELATIVE, AL_TRUE);
        alSourcef(channel.source, AL_ROLLOFF_FACTOR, 0.0f);
        alSourcef(channel.source, AL_MAX_GAIN, MaxSourceGain);
        if (system->directChannels) {
            alSourcei(channel.source, AL_DIRECT_CHANNELS_SOFT, AL_TRUE);
        }
        system->channels.push_back(channel);
    }
    system->initialized = true;
    system->lostReported = false;
    system->mixedSeconds = 0.0;
    system->mixedFrames = 0;
    if (system->channels.empty() && result == FMOD_OK) {
        result = FMOD_ERR_CHANNEL_ALLOC;
    }
    return result;
}

FMOD_RESULT FMOD_System_Update(FMOD_SYSTEM* handle)
{
    System* system = FindSystem(handle);
    if (!system) {
        return FMOD_ERR_INVALID_HANDLE;
    }
    if (!system->initialized) {
        return FMOD_ERR_UNINITIALIZED;
    }
    double step = config.mixStep > 0.0 ? config.mixStep : 0.0;
    if (system->silent && step <= 0.0) {
        step = PXL_System_GetDeltaTime();
        if (!std::isfinite(step)) {
            step = 0.0;
        }
    }
    return Advance(step);
}

FMOD_RESULT FMOD_System_Close(FMOD_SYSTEM* handle)
{
    System* system = FindSystem(handle);
    if (!system) {
        return FMOD_ERR_INVALID_HANDLE;
    }
    if (!system->initialized) {
        return FMOD_ERR_UNINITIALIZED;
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
    System* system = FindSystem(handle);
    if (!system) {
        return FMOD_ERR_INVALID_HANDLE;
    }
    if (!system->initialized) {
        return FMOD_ERR_UNINITIALIZED;
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
    System* system = FindSystem(handle);
    if (!system) {
        return FMOD_ERR_INVALID_HANDLE;
    }
    if (!system->initialized) {
        return FMOD_ERR_UNINITIALIZED;
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
    System* system = FindSystem(handle);
    if (!system) {
        return FMOD_ERR_INVALID_HANDLE;
    }
    if (!system->initialized) {
        return FMOD_ERR_UNINITIALIZED;
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
    channel->generation = nextGeneration++;
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
    if (channelOut) {
        size_t index = static_cast<size_t>(channel - system->channels.data());
        *channelOut = EncodeHandle<FMOD_CHANNEL>(index, channel->generation);
    }
    return FMOD_OK;
}

FMOD_RESULT FMOD_Sound_Release(FMOD_SOUND* handle)
{
    size_t index = 0;
    Sound* sound = FindSound(handle, &index);
    if (!sound) {
        return FMOD_ERR_INVALID_HANDLE;
    }
    for (Channel& channel : theSystem->channels) {
        if (channel.inUse && channel.sound == index) {
            ReleaseChannel(channel);
        }
    }
    if (sound->buffer) {
        alDeleteBuffers(1, &sound->buffer);
    }
    theSystem->sounds.Remove(index);
    return FMOD_OK;
}

FMOD_RESULT FMOD_Sound_GetLength(FMOD_SOUND* handle, unsigned int* length, FMOD_TIMEUNIT unit)
{
    Sound* sound = FindSound(handle);
    if (!sound) {
        return FMOD_ERR_INVALID_HANDLE;
    }
    if (!length || (unit != FMOD_TIMEUNIT_MS && unit != FMOD_TIMEUNIT_PCM)) {
        return FMOD_ERR_INVALID_PARAM;
    }
    *length = unit == FMOD_TIMEUNIT_PCM
                  ? sound->frames
                  : static_cast<unsigned int>(uint64_t(sound->frames) * 1000 / uint64_t(sound->sampleRate));
    return FMOD_OK;
}

FMOD_RESULT FMOD_Channel_SetVolume(FMOD_CHANNEL* handle, float volume)
{
    Channel* channel = FindChannel(handle);
    if (!channel) {
        return FMOD_ERR_INVALID_HANDLE;
    }
    if (!ValidVolume(volume)) {
        return FMOD_ERR_INVALID_PARAM;
    }
    channel->volume = volume;
    ApplyGain(*channel);
    return FMOD_OK;
}

FMOD_RESULT FMOD_Channel_GetVolume(FMOD_CHANNEL* handle, float* volume)
{
    Channel* channel = FindChannel(handle);
    if (!channel) {
        return FMOD_ERR_INVALID_HANDLE;
    }
    if (!volume) {
        return FMOD_ERR_INVALID_PARAM;
    }
    *volume = channel->volume;
    return FMOD_OK;
}

FMOD_RESULT FMOD_Channel_SetPitch(FMOD_CHANNEL* handle, float pitch)
{
    Channel* channel = FindChannel(handle);
    if (!channel) {
        return FMOD_ERR_INVALID_HANDLE;
    }
    if (!std::isfinite(pitch) || pitch < 0.0f) {
        return FMOD_ERR_INVALID_PARAM;
    }
    channel->pitch = pitch;
    ApplyPitch(*channel);
    return FMOD_OK;
}

FMOD_RESULT FMOD_Channel_GetPitch(FMOD_CHANNEL* handle, float* pitch)
{
    Channel* channel = FindChannel(handle);
    if (!channel) {
        return FMOD_ERR_INVALID_HANDLE;
    }
    if (!pitch) {
        return FMOD_ERR_INVALID_PARAM;
    }
    *pitch = channel->pitch;
    return FMOD_OK;
}

FMOD_RESULT FMOD_Channel_SetMode(FMOD_CHANNEL* handle, FMOD_MODE mode)
{
    Channel* channel = FindChannel(handle);
    if (!channel) {
        return FMOD_ERR_INVALID_HANDLE;
    }
    channel->mode = mode;
    ApplyLoopChange(*channel);
    return FMOD_OK;
}

FMOD_RESULT FMOD_Channel_SetLoopCount(FMOD_CHANNEL* handle, int loopCount)
{
    Channel* channel = FindChannel(handle);
    if (!channel) {
        return FMOD_ERR_INVALID_HANDLE;
    }
    if (loopCount < -1) {
        return FMOD_ERR_INVALID_PARAM;
    }
    channel->loopCount = loopCount;
    ApplyLoopChange(*channel);
    return FMOD_OK;
}

FMOD_RESULT FMOD_Channel_GetLoopCount(FMOD_CHANNEL* handle, int* loopCount)
{
    Channel* channel = FindChannel(handle);
    if (!channel) {
        return FMOD_ERR_INVALID_HANDLE;
    }
    if (!loopCount) {
        return FMOD_ERR_INVALID_PARAM;
    }
    *loopCount = channel->loopCount;
    return FMOD_OK;
}

FMOD_RESULT FMOD_Channel_SetPaused(FMOD_CHANNEL* handle, FMOD_BOOL paused)
{
    Channel* channel = FindChannel(handle);
    if (!channel) {
        return FMOD_ERR_INVALID_HANDLE;
    }
    channel->paused = paused != 0;
    ApplyPause(*channel);
    return FMOD_OK;
}

FMOD_RESULT FMOD_Channel_GetPaused(FMOD_CHANNEL* handle, FMOD_BOOL* paused)
{
    Channel* channel = FindChannel(handle);
    if (!channel) {
        return FMOD_ERR_INVALID_HANDLE;
    }
    if (!paused) {
        return FMOD_ERR_INVALID_PARAM;
    }
    *paused = channel->paused ? 1 : 0;
    return FMOD_OK;
}

FMOD_RESULT FMOD_Channel_IsPlaying(FMOD_CHANNEL* handle, FMOD_BOOL* playing)
{
    Channel* channel = FindChannel(handle);
    if (!channel) {
        return FMOD_ERR_INVALID_HANDLE;
    }
    if (!playing) {
        return FMOD_ERR_INVALID_PARAM;
    }
    *playing = HasFinished(*channel) ? 0 : 1;
    return FMOD_OK;
}

FMOD_RESULT FMOD_Channel_Stop(FMOD_CHANNEL* handle)
{
    Channel* channel = FindChannel(handle);
    if (!channel) {
        return FMOD_ERR_INVALID_HANDLE;
    }
    ReleaseChannel(*channel);
    return FMOD_OK;
}

FMOD_RESULT FMOD_ChannelGroup_SetVolume(FMOD_CHANNELGROUP* handle, float volume)
{
    size_t index = 0;
    Group* group = FindGroup(handle, &index);
    if (!group) {
        return FMOD_ERR_INVALID_HANDLE;
    }
    if (!ValidVolume(volume)) {
        return FMOD_ERR_INVALID_PARAM;
    }
    group->volume = volume;
    for (Channel& channel : theSystem->channels) {
        if (channel.inUse && channel.group == index) {
            ApplyGain(channel);
        }
    }
    return FMOD_OK;
}

FMOD_RESULT FMOD_ChannelGroup_GetVolume(FMOD_CHANNELGROUP* handle, float* volume)
{
    Group* group = FindGroup(handle);
    if (!group) {
        return FMOD_ERR_INVALID_HANDLE;
    }
    if (!volume) {
        return FMOD_ERR_INVALID_PARAM;
    }
    *volume = group->volume;
    return FMOD_OK;
}

FMOD_RESULT FMOD_ChannelGroup_SetPaused(FMOD_CHANNELGROUP* handle, FMOD_BOOL paused)
{
    size_t index = 0;
    Group* group = FindGroup(handle, &index);
    if (!group) {
        return FMOD_ERR_INVALID_HANDLE;
    }
    group->paused = paused != 0;
    for (Channel& channel : theSystem->channels) {
        if (channel.inUse && channel.group == index) {
            ApplyPause(channel);
        }
    }
    return FMOD_OK;
}

FMOD_RESULT FMOD_ChannelGroup_GetPaused(FMOD_CHANNELGROUP* handle, FMOD_BOOL* paused)
{
    Group* group = FindGroup(handle);
    if (!group) {
        return FMOD_ERR_INVALID_HANDLE;
    }
    if (!paused) {
        return FMOD_ERR_INVALID_PARAM;
    }
    *paused = group->paused ? 1 : 0;
    return FMOD_OK;
}

FMOD_RESULT FMOD_ChannelGroup_Release(FMOD_CHANNELGROUP* handle)
{
    size_t index = 0;
    Group* group = FindGroup(handle, &index);
    if (!group) {
        return FMOD_ERR_INVALID_HANDLE;
    }
    theSystem->groups.Remove(index);
    for (Channel& channel : theSystem->channels) {
        if (channel.inUse && channel.group == index) {
            channel.group = MasterGroup;
            ApplyGain(channel);
            ApplyPause(channel);
        }
    }
    return FMOD_OK;
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
