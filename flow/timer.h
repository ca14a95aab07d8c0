// The shift's five-minute countdown, kept as the text the desk shows.
#pragma once

#include <cstdint>
#include <string>

constexpr float CountdownMilliseconds = 300000.0f;

struct TimerState {
    // Before the countdown starts it reads "00:00.000", with a point; once it runs, every part is joined by a
    // colon ("04:59:983"). Kept as the desk has always shown it.
    std::string displayText = "00:00.000";
    float remaining = 0.0f; // milliseconds
    bool started = false;
    bool stopped = false;  // the shift ended or the time ran out
    bool markSent = false; // the current 30-second mark has been announced
    int32_t minutes = 0;
    int32_t seconds = 0;
    int32_t milliseconds = 0;
};

extern TimerState timerState;

// A new shift: "00:00.000", nothing left, neither started nor stopped, no mark announced. The system's init,
// the game scene's Init and the tests call it.
void ResetTimer();
