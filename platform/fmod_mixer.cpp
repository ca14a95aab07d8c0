// The mixer behind the audio layer: channels as OpenAL sources, the output device or its silent loopback stand-in,
// and the capture of the silent mix.
#include "platform/fmod_mixer.h"

#include <algorithm>
#include <alsa/asoundlib.h>
#include <cmath>
#include <cstdio>
#include <cstdlib>

namespace fmod_layer {

Config config;
System* theSystem = nullptr;
WavWriter capture;

namespace {

constexpr int ChannelLimit = 255; // OpenAL Soft gives 256 sources per context by default
constexpr int QueueDepth = 64;    // buffers queued ahead for a channel that plays N times
constexpr size_t MixChunkFrames = 1024;
constexpr float MaxSourceGain = 1000.0f; // OpenAL Soft itself caps a source at 16 (+24 dB)

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

void ResetSource(ALuint source)
{
    alSourceStop(source);
    alSourcei(source, AL_LOOPING, AL_FALSE);
    alSourcei(source, AL_BUFFER, 0);
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

// Gives the device just opened its context; a device that refuses one is closed again.
void AttachContext(System& system, bool loopback)
{
    if (!system.device) {
        return;
    }
    system.context = alcCreateContext(system.device, ContextAttributes(loopback).data());
    if (!system.context) {
        alcCloseDevice(system.device);
        system.device = nullptr;
    }
}

ALuint NewSource(const System& system)
{
    alGetError();
    ALuint source = 0;
    alGenSources(1, &source);
    if (alGetError() != AL_NO_ERROR) {
        return 0;
    }
    alSourcei(source, AL_SOURCE_RELATIVE, AL_TRUE);
    alSourcef(source, AL_ROLLOFF_FACTOR, 0.0f);
    alSourcef(source, AL_MAX_GAIN, MaxSourceGain);
    if (system.directChannels) {
        alSourcei(source, AL_DIRECT_CHANNELS_SOFT, AL_TRUE);
    }
    return source;
}

bool DeviceConnected(ALCdevice* device)
{
    ALCint connected = ALC_TRUE;
    if (alcIsExtensionPresent(device, "ALC_EXT_disconnect")) {
        alcGetIntegerv(device, ALC_CONNECTED, 1, &connected);
    }
    return connected != ALC_FALSE;
}

void ReadContextExtensions(System& system)
{
    system.floatBuffers = alIsExtensionPresent("AL_EXT_FLOAT32");
    system.directChannels = alIsExtensionPresent("AL_SOFT_direct_channels");
}

// The old device's context goes with its sources and buffers; the channels and sounds keep their records.
void DropLostDevice(System& system)
{
    for (Channel& channel : system.channels) {
        alDeleteSources(1, &channel.source);
        channel.source = 0;
    }
    for (auto& slot : system.sounds.slots) {
        if (slot.item) {
            DeleteSoundBuffer(*slot.item);
        }
    }
    alcMakeContextCurrent(nullptr);
    alcDestroyContext(system.context);
    alcCloseDevice(system.device);
    system.context = nullptr;
    system.device = nullptr;
}

// Everything the game made lives again on the new device: each channel gets a source, each sound its
// buffer, read again from its file. Loops the game still holds start over where they were wanted (a paused
// one waits for its unpause); a one-shot cut off by the loss is over.
void RebuildOnNewDevice(System& system)
{
    ReadContextExtensions(system);
    for (Channel& channel : system.channels) {
        channel.source = NewSource(system);
    }
    for (auto& slot : system.sounds.slots) {
        if (!slot.item) {
            continue;
        }
        DecodedAudio audio;
        if (LoadAudioFile(slot.item->path, audio) == FMOD_OK) {
            UploadSound(audio, *slot.item);
        }
    }
    for (Channel& channel : system.channels) {
        if (!channel.inUse) {
            continue;
        }
        if (LoopsForever(channel)) {
            channel.started = false;
        } else {
            ReleaseChannel(channel);
        }
    }
}

// Quietly, at most every ReopenInterval: a missing server or device is the normal case here.
bool TryReopen(System& system)
{
    auto now = std::chrono::steady_clock::now();
    if (now < system.nextReopen) {
        return false;
    }
    system.nextReopen = now + ReopenInterval;
    ALCdevice* device = alcOpenDevice(config.deviceName.empty() ? nullptr : config.deviceName.c_str());
    if (!device) {
        return false;
    }
    ALCcontext* context = alcCreateContext(device, ContextAttributes(false).data());
    if (!context || !DeviceConnected(device)) {
        if (context) {
            alcDestroyContext(context);
        }
        alcCloseDevice(device);
        return false;
    }
    DropLostDevice(system);
    system.device = device;
    system.context = context;
    alcMakeContextCurrent(context);
    RebuildOnNewDevice(system);
    return true;
}

void WatchDevice(System& system, FMOD_RESULT& result)
{
    if (system.lost) {
        if (TryReopen(system)) {
            system.lost = false;
            system.lostReported = false;
            std::printf("The sound output device is back; sound is on again.\n");
            std::fflush(stdout);
        }
        return;
    }
    if (DeviceConnected(system.device)) {
        return;
    }
    system.lost = true;
    system.nextReopen = std::chrono::steady_clock::now() + ReopenInterval;
    if (!system.lostReported) {
        system.lostReported = true;
        result = FMOD_ERR_OUTPUT_LOST;
    }
}

} // namespace

void ApplyGain(const Channel& channel)
{
    Group* group = GroupOf(channel);
    alSourcef(channel.source, AL_GAIN, channel.volume * (group ? group->volume : 1.0f));
}

void ApplyPitch(const Channel& channel)
{
    alSourcef(channel.source, AL_PITCH, channel.pitch);
}

void ReleaseChannel(Channel& channel)
{
    ResetSource(channel.source);
    channel.inUse = false;
    channel.started = false;
    channel.generation = 0;
}

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

void StartIfDue(Channel& channel)
{
    if (channel.inUse && !channel.started && !IsPausedNow(channel)) {
        StartChannel(channel);
    }
}

bool HasFinished(const Channel& channel)
{
    return channel.started && channel.playsToQueue == 0 && SourceState(channel) == AL_STOPPED;
}

FMOD_RESULT Advance(double seconds)
{
    StartPendingChannels();
    FMOD_RESULT result = FMOD_OK;
    if (theSystem->silent) {
        RenderSilentMix(seconds);
    } else {
        RefillChannels();
        WatchDevice(*theSystem, result);
    }
    ReclaimFinishedChannels();
    return result;
}

FMOD_RESULT OpenOutput(System& system)
{
    FMOD_RESULT result = FMOD_OK;
    QuietenBackends();
    if (config.output == FmodLayerOutput::Device && !capture.IsOpen()) {
        system.device = alcOpenDevice(config.deviceName.empty() ? nullptr : config.deviceName.c_str());
        AttachContext(system, false);
        if (!system.device) {
            result = FMOD_ERR_OUTPUT_INIT;
        }
    }
    if (!system.device) {
        system.device = OpenLoopbackDevice(system);
        AttachContext(system, true);
        if (!system.device) {
            return FMOD_ERR_MIXER;
        }
        system.silent = true;
    }
    alcMakeContextCurrent(system.context);
    ReadContextExtensions(system);
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
        if (slot.item) {
            DeleteSoundBuffer(*slot.item);
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
        DeleteSoundBuffer(sound);
        return FMOD_ERR_MEMORY;
    }
    sound.frames = static_cast<unsigned int>(frames);
    sound.sampleRate = audio.sampleRate;
    return FMOD_OK;
}

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

void CreateChannels(System& system, int count)
{
    count = std::min(count, ChannelLimit);
    for (int i = 0; i < count; ++i) {
        Channel channel;
        channel.source = NewSource(system);
        if (!channel.source) {
            break;
        }
        system.channels.push_back(channel);
    }
}

void DeleteSoundBuffer(Sound& sound)
{
    if (sound.buffer) {
        alDeleteBuffers(1, &sound.buffer);
        sound.buffer = 0;
    }
}

} // namespace fmod_layer
