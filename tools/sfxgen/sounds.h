// The recipes of every recording the game plays, by cue folder.
#pragma once

#include "dsp.h"

#include <string>
#include <vector>

namespace sfx {

struct Recording {
    std::string folder; // the cue's name, e.g. "interactables/keycap"
    std::string file;   // e.g. "keycap_01.wav"
    Buffer left;
    Buffer right; // empty for a mono recording
};

// Peak levels are set so that the cue volumes of the game give a balanced mix at the default group volume.
std::vector<Recording> AllRecordings();

} // namespace sfx
