#include "flow/timer.h"

#include "engine/system.h"
#include "flow/events.h"
#include "scenes/scene_state.h"

#include <cstdio>

TimerState timerState;

namespace {

bool TimerInit()
{
    ResetTimer();
    return true;
}

std::string TwoDigits(int32_t value)
{
    return (value < 10 ? "0" : "") + std::to_string(value);
}

std::string ThreeDigits(int32_t value)
{
    return (value < 100 ? "0" : "") + std::string(value < 10 ? "0" : "") + std::to_string(value);
}

void TimerUpdate(float dt)
{
    TimerState& timer = timerState;
    // Off the desk the countdown stands still, or a shift abandoned for the main menu would still run out there
    // and bring up the newspaper.
    if (!IsDeskActive()) {
        return;
    }
    // The countdown is the desk's: it stands still in exactly the frames the pause holds the desk (the menu
    // comes and goes halfway through a frame, after the desk or before it), sends nothing then, and hears the
    // "start_timer" or "end_game" sent meanwhile when the desk does, in the same frame.
    EventEar& desk = DeskEar();
    if (desk.HeldNow()) {
        return;
    }
    HearingScope hearing(desk);
    if (Listen("end_game")) {
        timer.stopped = true;
    }
    if (!timer.started) {
        timer.markSent = false;
        if (!Listen("start_timer")) {
            return;
        }
        timer.started = true;
        timer.remaining = CountdownMilliseconds;
        Broadcast("timer_30_seconds", "");
        Broadcast("trigger_task", "");
        Broadcast("start_alarm", "");
    }
    if (timer.remaining <= 0.0f && !timer.stopped) {
        timer.remaining = 0.0f;
        timer.stopped = true;
        Broadcast("end_game", "lose");
    }
    if (timer.started && !timer.stopped) {
        timer.remaining -= dt * 1000.0f;
    }

    timer.minutes = static_cast<int32_t>(timer.remaining) / 60000;
    timer.seconds = static_cast<int32_t>(timer.remaining - static_cast<float>(timer.minutes * 60000)) / 1000;
    timer.milliseconds = static_cast<int32_t>(timer.remaining - static_cast<float>(timer.seconds * 1000) -
                                              static_cast<float>(timer.minutes * 60000));

    if (timer.seconds != 30 && timer.seconds != 0) {
        timer.markSent = false;
    } else if (!timer.markSent) {
        Broadcast("timer_30_seconds", "");
        timer.markSent = true;
    }

    timer.displayText =
        TwoDigits(timer.minutes) + ":" + TwoDigits(timer.seconds) + ":" + ThreeDigits(timer.milliseconds);
}

} // namespace

void ResetTimer()
{
    timerState = TimerState{};
}

const BaseSystem TimerSystem = {"TimerSystem", TimerInit, TimerUpdate, SystemNothing, SystemNothing};
