// The simulator's input script: one event a line, "FRAME EVENT".
#pragma once

#include <cstdint>
#include <string>
#include <vector>

// Events: "mouse X Y", "press KEY", "release KEY", "focus lost|gained", "resize W H", "close", "clock EPOCH",
// "dt SECONDS" (the time that frame took, in a recorded session).
//
// A session recorded by `brimvale --record` starts with the comment line "# clock EPOCH dt SECONDS": the
// calendar clock and the frame time it started with.

enum class SimEventKind { Mouse, Press, Release, FocusLost, FocusGained, Resize, Close, Clock, FrameTime };

struct SimEvent {
    uint64_t frame = 0;
    SimEventKind kind = SimEventKind::Mouse;
    int key = 0;
    float x = 0, y = 0; // mouse position, or width and height of a resize
    int64_t clock = 0;  // "clock EPOCH": the calendar time from this frame on, advancing with the frames
    double seconds = 0; // "dt SECONDS"
};

struct SimScript {
    std::vector<SimEvent> events; // in file order; frames never decrease
    // From the first line of a recorded session.
    bool recorded = false;
    int64_t startClock = 0;
    double frameTime = 0;
    // A recorded session that was cut off (the game killed mid-line): its last, partial line is left out.
    bool cutOff = false;
};

// The latest clock a run may set, in seconds since 1970: the year 3000 is far enough, and it keeps the
// simulated clock's arithmetic clear of overflow.
inline constexpr unsigned long long LatestSimClock = 32503680000ull;

// Parses a whole script. On a malformed line returns false with an error naming the line and its number.
bool ParseSimScript(const std::string& text, SimScript& script, std::string& error);

// A key name of the script: "left", "right", "middle", "escape", "space", "return", "tab", "backspace", a
// single letter or digit, or a virtual-key code ("0x41" or "65"). -1 when it is none of these.
int ParseSimKey(const std::string& name);
