// A whole shift played by the closed-loop player at a pinned clock, with what it broadcast, for tests that
// check how the machines it met were handed out and answered.
#pragma once

#include "tools/autoplay/player.h"
#include "tools/autoplay/shift.h"

#include <cstdint>
#include <ctime>
#include <string>
#include <vector>

struct WholeShift {
    PlayResult run;
    ShiftReport report;
    std::vector<EventLine> events;

    // How often the event was broadcast with that payload.
    long Count(const std::string& name, const std::string& payload) const;
};

// Plays a shift from the menu at `clock`, taking a wrong answer first with the given chance per task.
WholeShift PlayWholeShift(std::time_t clock, double mistakes, uint32_t seed);
