// Writes a session as "FRAME EVENT" lines. Besides the input, every frame's measured time is kept ("N dt
// SECONDS"), and the calendar clock is written whenever the simulator, stepping the recorded times from the
// first line's clock, would read a different second than the player's clock did ("N clock EPOCH"): the
// replay then sees the same date and the same chance at every frame. Each frame is flushed, so a game that
// is killed leaves a recording that replays up to its last whole line.
#include "platform/pxl_input_recording.h"

#include "platform/pxl_control.h"
#include "platform/pxl_key_names.h"

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>

namespace {

struct Recording {
    std::FILE* file = nullptr;
    std::string path;
    // What the replay will have seen so far, to write only what changes.
    PXL_Vec2 mouse{0, 0};
    bool focused = true;
    // The simulator's clock as it will run: a start and the recorded frame times added to it.
    std::time_t clockStart = 0;
    double clockSeconds = 0;
};

Recording recording;

void WriteKey(const PxlKeyEvent& event, uint64_t frame)
{
    const char* action = event.down ? "press" : "release";
    if (const char* name = PxlKeyName(event.key)) {
        std::fprintf(recording.file, "%llu %s %s\n", static_cast<unsigned long long>(frame), action, name);
    } else {
        std::fprintf(recording.file, "%llu %s 0x%02X\n", static_cast<unsigned long long>(frame), action, event.key);
    }
}

// The frame time as it reads back, so that the clock kept here adds exactly what the replay will add.
double WriteFrameTime(uint64_t frame, double seconds)
{
    char text[64];
    std::snprintf(text, sizeof text, "%.17g", seconds);
    std::fprintf(recording.file, "%llu dt %s\n", static_cast<unsigned long long>(frame), text);
    return std::strtod(text, nullptr);
}

void Finish()
{
    if (recording.file == nullptr) {
        return;
    }
    if (std::fclose(recording.file) != 0) {
        std::fprintf(stderr, "Brimvale: the recording %s is incomplete: %s\n", recording.path.c_str(),
                     std::strerror(errno));
    }
    recording.file = nullptr;
}

} // namespace

bool PxlRecordInput(const std::string& path, std::string& error)
{
    PxlStopRecordingInput();
    std::FILE* file = std::fopen(path.c_str(), "w");
    if (file == nullptr) {
        error = "cannot write the recording to " + path + ": " + std::strerror(errno);
        return false;
    }
    recording = Recording{};
    recording.file = file;
    recording.path = path;
    return true;
}

void PxlStopRecordingInput()
{
    Finish();
}

bool PxlRecordingInput()
{
    return recording.file != nullptr;
}

void PxlRecordRunStart(int frameRate)
{
    if (recording.file == nullptr) {
        return;
    }
    recording.clockStart = std::time(nullptr);
    recording.clockSeconds = 0;
    std::fprintf(recording.file,
                 "# clock %lld dt %.17g\n"
                 "# A session recorded by brimvale --record; replay it with brimvale-sim --input FILE.\n",
                 static_cast<long long>(recording.clockStart), 1.0 / (frameRate > 0 ? frameRate : 60));
    std::fflush(recording.file);
}

void PxlRecordFrame(const PxlFrameInput& input)
{
    if (recording.file == nullptr) {
        return;
    }
    const unsigned long long frame = input.frame;
    const double frameTime = WriteFrameTime(input.frame, input.frameTime);
    // The replay sets a clock line first and then adds the frame's time (from the second frame on).
    const double added = input.frame > 0 && frameTime > 0 ? frameTime : 0;
    recording.clockSeconds += added;
    const std::time_t now = std::time(nullptr);
    if (recording.clockStart + static_cast<std::time_t>(recording.clockSeconds) != now) {
        recording.clockStart = now - static_cast<std::time_t>(added);
        recording.clockSeconds = added;
        std::fprintf(recording.file, "%llu clock %lld\n", frame, static_cast<long long>(recording.clockStart));
    }
    if (input.resized) {
        std::fprintf(recording.file, "%llu resize %d %d\n", frame, input.width, input.height);
    }
    if (input.focused != recording.focused) {
        recording.focused = input.focused;
        std::fprintf(recording.file, "%llu focus %s\n", frame, input.focused ? "gained" : "lost");
    }
    if (input.mouse.x != recording.mouse.x || input.mouse.y != recording.mouse.y) {
        recording.mouse = input.mouse;
        std::fprintf(recording.file, "%llu mouse %.9g %.9g\n", frame, input.mouse.x, input.mouse.y);
    }
    if (input.keys != nullptr) {
        for (const PxlKeyEvent& event : *input.keys) {
            WriteKey(event, input.frame);
        }
    }
    if (input.closed) {
        std::fprintf(recording.file, "%llu close\n", frame);
    }
    if (std::fflush(recording.file) != 0 || std::ferror(recording.file)) {
        std::fprintf(stderr, "Brimvale: recording stopped, %s cannot be written: %s\n", recording.path.c_str(),
                     std::strerror(errno));
        Finish();
    }
}
