// The game's audio layer: the FMOD calls the sound system makes, with FMOD's names and argument shapes, done
// over OpenAL Soft. Result codes and their texts are our own (FMOD_ErrorString).
//
// Output. FMOD_System_Init opens the default sound device. When none opens (a headless server, CI), it
// returns FMOD_ERR_OUTPUT_INIT once and the system works on regardless: it mixes into OpenAL Soft's loopback
// device, silently, and every later call succeeds as usual. In that silent mode the mix advances only in
// FmodLayerUpdate, by the frame time the game passes in (see FmodLayerSetMixStep), so channels finish and are
// reclaimed at the game's own pace, and the mix can be written to a WAV file (FmodLayerCaptureToWav).
//
// Channels start sounding at the next FMOD_System_Update, so that the volume, pitch, mode and loop count set
// right after FMOD_System_PlaySound apply from the first sample. One system exists at a time; it is driven
// from one thread only.
#pragma once

#include <cstdint>

struct FMOD_SYSTEM;
struct FMOD_SOUND;
struct FMOD_CHANNEL;
struct FMOD_CHANNELGROUP;
struct FMOD_CREATESOUNDEXINFO;

using FMOD_BOOL = int;
using FMOD_MODE = unsigned int;
using FMOD_INITFLAGS = unsigned int;
using FMOD_TIMEUNIT = unsigned int;

constexpr unsigned int FMOD_VERSION = 0x00020211;

constexpr FMOD_MODE FMOD_DEFAULT = 0x00000000;
constexpr FMOD_MODE FMOD_LOOP_OFF = 0x00000001;
constexpr FMOD_MODE FMOD_LOOP_NORMAL = 0x00000002;
constexpr FMOD_MODE FMOD_LOOP_BIDI = 0x00000004; // played as FMOD_LOOP_NORMAL
constexpr FMOD_MODE FMOD_2D = 0x00000008;
constexpr FMOD_MODE FMOD_3D = 0x00000010; // accepted; every sound is played two-dimensional

constexpr FMOD_INITFLAGS FMOD_INIT_NORMAL = 0x00000000;

constexpr FMOD_TIMEUNIT FMOD_TIMEUNIT_MS = 0x00000001;
constexpr FMOD_TIMEUNIT FMOD_TIMEUNIT_PCM = 0x00000002;

enum FMOD_RESULT : int {
    FMOD_OK = 0,
    FMOD_ERR_INVALID_HANDLE,
    FMOD_ERR_INVALID_PARAM,
    FMOD_ERR_UNINITIALIZED,
    FMOD_ERR_INITIALIZED,
    FMOD_ERR_HEADER_MISMATCH,
    FMOD_ERR_TOO_MANY_SYSTEMS,
    FMOD_ERR_OUTPUT_INIT,
    FMOD_ERR_OUTPUT_LOST,
    FMOD_ERR_MIXER,
    FMOD_ERR_FILE_NOTFOUND,
    FMOD_ERR_FILE_BAD,
    FMOD_ERR_FORMAT,
    FMOD_ERR_TOO_LONG,
    FMOD_ERR_MEMORY,
    FMOD_ERR_CHANNEL_ALLOC,
    FMOD_ERR_CAPTURE_FILE,
    FMOD_ERR_CAPTURE_NEEDS_SILENT,
    FMOD_RESULT_COUNT // one past the last code with a text of its own
};

// The text of a result code; "Unknown error." for a code outside the table.
const char* FMOD_ErrorString(int result);

// System
FMOD_RESULT FMOD_System_Create(FMOD_SYSTEM** system, unsigned int headerVersion);
FMOD_RESULT FMOD_System_Init(FMOD_SYSTEM* system, int maxChannels, FMOD_INITFLAGS flags, void* extraDriverData);
FMOD_RESULT FMOD_System_Update(FMOD_SYSTEM* system);
FMOD_RESULT FMOD_System_Close(FMOD_SYSTEM* system);
FMOD_RESULT FMOD_System_Release(FMOD_SYSTEM* system);
FMOD_RESULT FMOD_System_CreateChannelGroup(FMOD_SYSTEM* system, const char* name, FMOD_CHANNELGROUP** group);
// WAV (PCM 8/16/24/32-bit or float, mono or stereo) and Ogg Vorbis, told apart by their content. exinfo must be
// null. A failure leaves *sound null.
FMOD_RESULT FMOD_System_CreateSound(FMOD_SYSTEM* system, const char* path, FMOD_MODE mode,
                                    FMOD_CREATESOUNDEXINFO* exinfo, FMOD_SOUND** sound);
// A null group plays in the master group (volume 1, never paused). When every channel is busy, a finished
// one not yet reclaimed is reused, else the one started longest ago is taken.
FMOD_RESULT FMOD_System_PlaySound(FMOD_SYSTEM* system, FMOD_SOUND* sound, FMOD_CHANNELGROUP* group, FMOD_BOOL paused,
                                  FMOD_CHANNEL** channel);

// Sounds. Releasing a sound stops the channels playing it.
FMOD_RESULT FMOD_Sound_Release(FMOD_SOUND* sound);
FMOD_RESULT FMOD_Sound_GetLength(FMOD_SOUND* sound, unsigned int* length, FMOD_TIMEUNIT unit);

// Channels. A channel's handle stays valid until the channel finishes and FMOD_System_Update reclaims it, or
// until it is stopped or taken for another sound; after that every call gives FMOD_ERR_INVALID_HANDLE.
// Volume is linear, 0 and up (above 1 amplifies; the mix clips, it never wraps; the mixer caps one channel's
// gain at 16). Pitch is a playback-speed factor, 0 and up. Loop count: -1 loops for ever, 0 plays once,
// N plays N + 1 times; it counts only with FMOD_LOOP_NORMAL (or BIDI) in the channel's mode.
FMOD_RESULT FMOD_Channel_SetVolume(FMOD_CHANNEL* channel, float volume);
FMOD_RESULT FMOD_Channel_GetVolume(FMOD_CHANNEL* channel, float* volume);
FMOD_RESULT FMOD_Channel_SetPitch(FMOD_CHANNEL* channel, float pitch);
FMOD_RESULT FMOD_Channel_GetPitch(FMOD_CHANNEL* channel, float* pitch);
FMOD_RESULT FMOD_Channel_SetMode(FMOD_CHANNEL* channel, FMOD_MODE mode);
FMOD_RESULT FMOD_Channel_SetLoopCount(FMOD_CHANNEL* channel, int loopCount);
FMOD_RESULT FMOD_Channel_GetLoopCount(FMOD_CHANNEL* channel, int* loopCount);
FMOD_RESULT FMOD_Channel_SetPaused(FMOD_CHANNEL* channel, FMOD_BOOL paused);
FMOD_RESULT FMOD_Channel_GetPaused(FMOD_CHANNEL* channel, FMOD_BOOL* paused);
FMOD_RESULT FMOD_Channel_IsPlaying(FMOD_CHANNEL* channel, FMOD_BOOL* playing);
FMOD_RESULT FMOD_Channel_Stop(FMOD_CHANNEL* channel);

// Channel groups: a volume (1 at creation) that scales every channel of the group at once, and a paused flag.
// Releasing a group moves its channels to the master group.
FMOD_RESULT FMOD_ChannelGroup_SetVolume(FMOD_CHANNELGROUP* group, float volume);
FMOD_RESULT FMOD_ChannelGroup_GetVolume(FMOD_CHANNELGROUP* group, float* volume);
FMOD_RESULT FMOD_ChannelGroup_SetPaused(FMOD_CHANNELGROUP* group, FMOD_BOOL paused);
FMOD_RESULT FMOD_ChannelGroup_GetPaused(FMOD_CHANNELGROUP* group, FMOD_BOOL* paused);
FMOD_RESULT FMOD_ChannelGroup_Release(FMOD_CHANNELGROUP* group);

// ---- Beyond FMOD: the silent mix and its capture, for the simulator and the tests. ----

enum class FmodLayerOutput {
    Device, // the sound device; the silent mix when none opens (the default)
    Silent, // never opens a device: the silent mix only
};

// Both take effect at the next FMOD_System_Init and stay until changed.
void FmodLayerSetOutput(FmodLayerOutput output);
// The OpenAL device to open; null or "" for the default one. A name that matches no device stands for a
// machine without sound.
void FmodLayerSetDeviceName(const char* name);

// Writes everything the silent mix renders from now on into a WAV file (48 kHz, 16-bit stereo, clipped),
// finished when the system closes or the next capture starts; a null or empty path ends the current capture.
// Asked before FMOD_System_Init, it also makes that init mix silently without trying the device, so a capture
// holds the whole run at simulated time. Gives FMOD_ERR_CAPTURE_FILE when the file cannot be created and
// FMOD_ERR_CAPTURE_NEEDS_SILENT while a system plays on a real device. A simulator run records its whole mix
// by calling it before the engine starts (its fixed time step then paces the mix, see FmodLayerUpdate).
FMOD_RESULT FmodLayerCaptureToWav(const char* path);

// FMOD_System_Update with the time the frame took: in the silent mode the mix advances by the mix step when
// one is set, else by frameSeconds (the game passes its frame time, which the simulator pins to its fixed
// step). FMOD_System_Update itself passes 0, so without a mix step it only starts and reclaims channels.
FMOD_RESULT FmodLayerUpdate(FMOD_SYSTEM* system, double frameSeconds);

// How much time each update mixes in the silent mode. 0 (the default) takes the frame time given to
// FmodLayerUpdate; a positive value is used as it is. A single update mixes at most one second.
void FmodLayerSetMixStep(double seconds);

// Mixes this much time at once in the silent mode, as an update would (tests).
FMOD_RESULT FmodLayerMix(double seconds);

// Whether the current system renders the silent mix (false without a system).
bool FmodLayerIsSilent();

// The sample rate of the silent mix and its capture.
constexpr int FmodLayerMixRate = 48000;
