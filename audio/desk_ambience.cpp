#include "audio/desk_ambience.h"

#include "audio/audio_cues.h"
#include "audio/sound_system.h"

#include <algorithm>

namespace {

constexpr float FadeSeconds = 0.5f;

struct Loop {
    uint32_t cue;
    FMOD_CHANNEL* channel = nullptr;
    float volume = 0.0f; // the cue's own
    float level = 0.0f;  // share of it heard now
    bool paused = false;
};

Loop safeLoop{CueAmbienceSafe};
Loop unsafeLoop{CueAmbienceUnsafe};

void Stop(Loop& loop)
{
    if (loop.channel != nullptr) {
        SoundCheck(FMOD_Channel_Stop(loop.channel));
    }
    loop.channel = nullptr;
    loop.level = 0.0f;
    loop.paused = false;
}

void Step(Loop& loop, float dt, bool wanted, float share)
{
    bool paused = dt == 0.0f;
    if (loop.channel != nullptr && paused != loop.paused) {
        SoundCheck(FMOD_Channel_SetPaused(loop.channel, paused ? 1 : 0));
        loop.paused = paused;
    }
    if (paused) {
        return;
    }
    if (wanted && loop.channel == nullptr) {
        PlayCueOnChannel(loop.cue, &loop.channel, &loop.volume);
        loop.level = 0.0f;
        if (loop.channel == nullptr) {
            return; // nothing to play: no recording, or its group is muted
        }
    }
    if (loop.channel == nullptr) {
        return;
    }
    float step = dt / FadeSeconds;
    loop.level = wanted ? std::min(1.0f, loop.level + step) : std::max(0.0f, loop.level - step);
    if (!wanted && loop.level == 0.0f) {
        Stop(loop);
        return;
    }
    SoundCheck(FMOD_Channel_SetVolume(loop.channel, loop.volume * loop.level * std::clamp(share, 0.0f, 1.0f)));
}

} // namespace

void StartDeskAmbience()
{
    Stop(safeLoop);
    Stop(unsafeLoop);
    // Begins silent and rises with the desk's first frames.
    if (PlayCueOnChannel(safeLoop.cue, &safeLoop.channel, &safeLoop.volume) && safeLoop.channel != nullptr) {
        SoundCheck(FMOD_Channel_SetVolume(safeLoop.channel, 0.0f));
    }
}

void UpdateDeskAmbience(float dt, bool alarm, float share)
{
    // The hum is wanted for as long as the desk is loaded; it is started again if something stopped it.
    Step(safeLoop, dt, true, share);
    Step(unsafeLoop, dt, alarm, share);
}

void StopDeskAmbience()
{
    Stop(safeLoop);
    Stop(unsafeLoop);
}

float DeskAmbienceLevel(bool unsafe)
{
    const Loop& loop = unsafe ? unsafeLoop : safeLoop;
    return loop.channel != nullptr ? loop.level : 0.0f;
}
