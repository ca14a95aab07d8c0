// Random input for the simulator, the way a monkey at the keyboard and mouse would give it: moves inside and
// outside the window, clicks, drags, keys, lost and regained focus, resizes and idle stretches. The same seed
// gives the same script on every machine.
#pragma once

#include <cstdint>
#include <string>

// A script for the frames from `first` up to `end` (its last event may fall a little short of the end), for a
// window that is width by height at `first`.
std::string MonkeyScript(uint64_t seed, uint64_t first, uint64_t end, int width, int height);
