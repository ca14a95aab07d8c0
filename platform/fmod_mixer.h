// The audio layer's state and mixer over OpenAL Soft: one OpenAL source per channel, one buffer per sound, the
// channel state machine, the device or loopback output, the silent mix and its WAV capture. The FMOD entry
// points (fmod_openal.cpp) find and check their handles, then act through these.
#pragma once

#include "platform/fmod.h"
#include "platform/fmod_audio_file.h"
#include "platform/fmod_handles.h"
#include "platform/fmod_wav_writer.h"

#include <AL/al.h>
#include <AL/alc.h>
#include <AL/alext.h>
#include <chrono>
#include <string>
#include <vector>

namespace fmod_layer {

struct Sound {
    std::string path; // read again when the output device comes back with empty buffers
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
    bool lost = false; // the device went away: sound is off until a new one opens
    std::chrono::steady_clock::time_point nextReopen{};
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

// How often a lost output device is looked for again.
constexpr std::chrono::milliseconds ReopenInterval{1500};

// A single update mixes at most this much.
constexpr double LongestMixStep = 1.0;

extern Config config;
extern System* theSystem; // the one system, null before FMOD_System_Create and after its release
extern WavWriter capture;

// Channels.
void ApplyGain(const Channel& channel);
void ApplyPitch(const Channel& channel);
// A loop count or mode changed on a channel that already sounds: the change counts from the current pass.
void ApplyLoopChange(Channel& channel);
// Follows the channel's and its group's paused flags.
void ApplyPause(Channel& channel);
bool HasFinished(const Channel& channel);
// Frees the channel: its handle goes stale and its source falls silent.
void ReleaseChannel(Channel& channel);
// Starts a channel just played unless it is paused: a sound begins in the frame that asks for it, as the
// press that played it, not at the next update.
void StartIfDue(Channel& channel);
// Picks the channel for a new play: a free one, else a finished one not yet reclaimed, else the oldest.
Channel* TakeChannel(System& system);
// Gives the system up to `count` channels; fewer when OpenAL runs out of sources.
void CreateChannels(System& system, int count);

// Sounds: the buffer keeps every sound as stereo, so mono plays at full level on both sides.
FMOD_RESULT UploadSound(const DecodedAudio& audio, Sound& sound);
void DeleteSoundBuffer(Sound& sound);

// Output. OpenOutput gives FMOD_ERR_OUTPUT_INIT when it fell back to the silent mix, and leaves no device
// when not even that opened.
FMOD_RESULT OpenOutput(System& system);
void CloseOutput(System& system);

// One update: starts pending channels, mixes `seconds` when silent (else checks the device is still there,
// and after a loss tries to open it again every ReopenInterval), and reclaims finished channels.
FMOD_RESULT Advance(double seconds);

} // namespace fmod_layer
