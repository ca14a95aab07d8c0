// The plant alarm: a band pulsing across the top of the screen and a siren a few times per 30 seconds.
#pragma once

#include "platform/pxl.h"

#include <cstdint>

// Written directly by the game manager (start, silence on a win), the pause menu (frozen while it is open) and
// the desk (switched off when a shift is left).
struct AlarmState {
    bool frozen = false;     // pause menu open: the pulse and the siren stand still (on the desk, with the desk)
    bool active = false;     // the alarm is on
    float intensity = 0.0f;  // band strength, 0..1
    int32_t direction = 1;   // +1 rising, -1 falling
    float sinceSound = 0.0f; // seconds since the last siren check
    int32_t played = 0;      // sirens in the current 30-second period
    int32_t allowed = 0;     // sirens allowed in the current period (2..4)
    PXL_Texture texture = nullptr;
};

extern AlarmState alarmState;

// Off, still, no siren due; the band's picture stays loaded. The system's init and the tests call it.
void ResetAlarm();

// What "start_alarm" does (the game manager calls it): on, intensity 0, first siren a second later, and a
// fresh allowance of 2 + GameRand() % 3.
void StartAlarm();
