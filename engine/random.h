// The game's draws of chance: the standard generator, seeded with the time at start-up and by the calendar at
// every new desk, but always in the range 0..32767 whatever the C library's own maximum is, so that "a value
// divided by 32767" is uniform over 0..1 and the order of draws is the same everywhere.
#pragma once

#include <cstdlib>

constexpr int GameRandMax = 32767;

inline int GameRand()
{
    return std::rand() % (GameRandMax + 1);
}

// A uniform value over 0..1 from one draw.
inline double GameRandUnit()
{
    return GameRand() / static_cast<double>(GameRandMax);
}
