#include "flow/alarm.h"

#include "audio/audio_cues.h"
#include "engine/asset_table.h"
#include "engine/random.h"
#include "engine/screen_scale.h"
#include "engine/system.h"
#include "flow/events.h"
#include "render/sprite.h"
#include "scenes/scene_state.h"

#include <cstdlib>
#include <optional>

AlarmState alarmState;

namespace {

constexpr float SirenInterval = 2.0f;
constexpr float BandHeight = 50.0f;
constexpr float BandPixelsDown = 12.5f;

int32_t DrawAllowance()
{
    return 2 + GameRand() % 3;
}

bool AlarmInit()
{
    ResetAlarm();
    alarmState.texture = PXL_Graphics_LoadTexture(AssetPath(Asset::AlarmBand));
    return true;
}

void AlarmUpdate(float dt)
{
    AlarmState& alarm = alarmState;
    // On the desk the alarm is the desk's: it stands still in exactly the frames the pause holds the desk
    // (`frozen` says the pause menu is up, from halfway through the frame it opens to halfway through the one it
    // closes) and hears what was sent meanwhile when the desk does. Off the desk `frozen` alone decides.
    std::optional<HearingScope> hearing;
    bool still = alarm.frozen;
    if (IsDeskActive()) {
        if (DeskEar().HeldNow()) {
            return;
        }
        hearing.emplace(DeskEar());
        still = false;
    }
    if (!still) {
        if (alarm.active || alarm.intensity > 0.0f) {
            alarm.intensity += static_cast<float>(alarm.direction) * dt;
            alarm.sinceSound += dt;
        }
        if (alarm.intensity > 1.0f || alarm.intensity < 0.0f) {
            alarm.direction = -alarm.direction;
            alarm.intensity = alarm.intensity < 0.0f ? 0.0f : 1.0f;
        }
        if (alarm.sinceSound > SirenInterval) {
            alarm.sinceSound = 0.0f;
            if (alarm.played < alarm.allowed) {
                PlayCue(CueAlarm);
                ++alarm.played;
            }
        }
    }
    if (Listen("timer_30_seconds")) {
        alarm.played = 0;
        alarm.allowed = DrawAllowance();
    }
    if (Listen("end_game")) {
        alarm.active = false;
    }
}

void AlarmRender()
{
    if (!alarmState.active && !(alarmState.intensity > 0.0f)) {
        return;
    }
    PXL_Vec2 window = PXL_Window_GetSize();
    float scale = DesignScale(window);
    PXL_Vec2 topMiddle{window.x / 2.0f, BandPixelsDown};
    PXL_Vec2 position = PXL_Camera_ScreenCoordToWorld(&topMiddle);
    PXL_Vec2 size{window.x / scale, BandHeight};
    DrawAlpha = alarmState.intensity;
    DrawTexture(alarmState.texture, &position, &size, PXL_FILTER_LINEAR, 0.0f);
}

void AlarmExit()
{
    PXL_Graphics_FreeTexture(&alarmState.texture);
}

} // namespace

void ResetAlarm()
{
    PXL_Texture texture = alarmState.texture;
    alarmState = AlarmState{};
    alarmState.texture = texture;
}

void StartAlarm()
{
    alarmState.active = true;
    alarmState.intensity = 0.0f;
    alarmState.sinceSound = 1.0f;
    alarmState.allowed = DrawAllowance();
}

const BaseSystem AlarmSystem = {"AlarmSystem", AlarmInit, AlarmUpdate, AlarmRender, AlarmExit};
