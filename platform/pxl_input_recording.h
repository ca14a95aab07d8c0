// The recording of a player's session (brimvale --record FILE): what the real window reported each frame,
// written as the simulator's input script so that brimvale-sim replays it. The core hands over each frame's
// input just before applying it; only the real window's input is recorded, never a script's.
#pragma once

#include "platform/pxl.h"

#include <cstdint>
#include <vector>

struct PxlKeyEvent {
    int key;
    bool down;
};

// One frame's input as the core is about to apply it.
struct PxlFrameInput {
    uint64_t frame = 0;
    double frameTime = 0; // the seconds the game is told the frame took
    const std::vector<PxlKeyEvent>* keys = nullptr;
    PXL_Vec2 mouse{0, 0};
    bool focused = true;
    bool resized = false;
    int width = 0, height = 0;
    bool closed = false;
};

bool PxlRecordingInput();
// The first line: the calendar clock and the frame time the run starts with.
void PxlRecordRunStart(int frameRate);
void PxlRecordFrame(const PxlFrameInput& input);
