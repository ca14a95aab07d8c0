// brimvale-sim: the real game loop on the headless backend, with a fixed frame time, scripted input and a
// pinned clock, so that a run repeats exactly.
#include "engine/engine.h"
#include "platform/fmod.h"
#include "platform/os.h"
#include "platform/pxl.h"
#include "platform/pxl_control.h"
#include "scenes/overlay_scene.h"
#include "scenes/scene.h"
#include "scenes/settings_file.h"
#include "tools/sim/screen_description.h"
#include "tools/sim/sim_script.h"

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

namespace {

struct Screenshot {
    uint64_t frame;
    std::string path;
};

struct SimRun {
    uint64_t frames = 0;
    double dt = 1.0 / 60.0;
    SimScript script;
    size_t nextEvent = 0;
    std::vector<Screenshot> screenshots;
    std::vector<Screenshot> descriptions;
    int windowWidth = 1280;
    int windowHeight = 720;
    bool windowGiven = false;
    bool clockGiven = false;
    bool recordedFrameTimes = false; // replay a recorded session at the times its frames took
    bool failed = false;
    bool markFrames = false;
};

const char* const Usage =
    "usage: brimvale-sim --frames N [--dt SECONDS] [--input FILE] [--clock EPOCH] [--window WxH]\n"
    "                    [--scene NAME] [--screenshot FRAME:FILE.png]... [--describe FRAME:FILE.json]...\n"
    "                    [--audio-out FILE.wav] [--mark-frames] [--keep-settings] [--fixed-step]\n"
    "A session recorded with brimvale --record replays with the clock and frame times it was played with;\n"
    "--clock and --dt replace them, --fixed-step replays every frame at the recording's (or --dt's) step.\n"
    "With --input, --frames defaults to the length of the input.\n"
    "--keep-settings reads and writes the player's settings file as the game does; without it a run starts\n"
    "from the default settings and leaves the file alone.\n";

int UsageError(const std::string& message)
{
    std::fprintf(stderr, "brimvale-sim: %s\n%s", message.c_str(), Usage);
    return 2;
}

bool ParseUnsigned(const char* text, uint64_t& value)
{
    if (text == nullptr || *text == '\0' || *text == '-') {
        return false;
    }
    char* end = nullptr;
    errno = 0;
    value = std::strtoull(text, &end, 10);
    return errno == 0 && *end == '\0';
}

void ApplyEvent(const SimEvent& event)
{
    switch (event.kind) {
    case SimEventKind::Mouse:
        PxlInjectMouse(event.x, event.y);
        break;
    case SimEventKind::Press:
        PxlInjectKey(event.key, true);
        break;
    case SimEventKind::Release:
        PxlInjectKey(event.key, false);
        break;
    case SimEventKind::FocusLost:
        PxlInjectFocus(false);
        break;
    case SimEventKind::FocusGained:
        PxlInjectFocus(true);
        break;
    case SimEventKind::Resize:
        PxlInjectResize(static_cast<int>(event.x), static_cast<int>(event.y));
        break;
    case SimEventKind::Close:
        PxlInjectClose();
        break;
    case SimEventKind::Clock:
    case SimEventKind::FrameTime:
        break; // both set before the frame's clock step, in BeforeFrame
    }
}

void BeforeFrame(uint64_t frame, void* user)
{
    auto* run = static_cast<SimRun*>(user);
    if (frame == 0 && run->windowGiven) {
        PxlInjectResize(run->windowWidth, run->windowHeight);
    }
    // A clock line takes effect as its frame begins, and its frame already counts one step: the same order as
    // a player who sets the clock between two frames (tools/autoplay records its runs that way).
    double step = run->dt;
    for (size_t i = run->nextEvent; i < run->script.events.size() && run->script.events[i].frame <= frame; ++i) {
        const SimEvent& event = run->script.events[i];
        if (event.kind == SimEventKind::Clock) {
            OsSetSimulatedClock(static_cast<std::time_t>(event.clock));
            run->clockGiven = true;
        } else if (event.kind == SimEventKind::FrameTime && run->recordedFrameTimes && event.frame == frame) {
            step = event.seconds;
            PxlSetFrameTime(step);
        }
    }
    if (frame > 0 && run->clockGiven) {
        OsAdvanceSimulatedClock(step);
    }
    if (run->markFrames) {
        // On the same stream as the event lines, so that a reader can tell in which frame each was printed.
        std::printf("Frame %llu\n", static_cast<unsigned long long>(frame));
        std::fflush(stdout);
    }
    while (run->nextEvent < run->script.events.size() && run->script.events[run->nextEvent].frame <= frame) {
        ApplyEvent(run->script.events[run->nextEvent++]);
    }
}

bool AfterFrame(uint64_t frame, void* user)
{
    auto* run = static_cast<SimRun*>(user);
    for (const Screenshot& shot : run->screenshots) {
        if (shot.frame != frame) {
            continue;
        }
        std::string error;
        if (!PxlWriteFramePng(shot.path, &error)) {
            std::fprintf(stderr, "brimvale-sim: screenshot of frame %llu to %s failed: %s\n",
                         static_cast<unsigned long long>(frame), shot.path.c_str(), error.c_str());
            run->failed = true;
        }
    }
    for (const Screenshot& request : run->descriptions) {
        if (request.frame != frame) {
            continue;
        }
        std::FILE* file = std::fopen(request.path.c_str(), "wb");
        std::string json = ScreenDescriptionJson(DescribeLastFrame(frame));
        if (file == nullptr || std::fwrite(json.data(), 1, json.size(), file) != json.size()) {
            std::fprintf(stderr, "brimvale-sim: description of frame %llu to %s failed: %s\n",
                         static_cast<unsigned long long>(frame), request.path.c_str(), std::strerror(errno));
            run->failed = true;
        }
        if (file != nullptr && std::fclose(file) != 0) {
            run->failed = true;
        }
    }
    return frame + 1 < run->frames;
}

// FRAME:FILE, as --screenshot and --describe take it.
bool ParseFrameFile(const std::string& text, Screenshot& request)
{
    size_t colon = text.find(':');
    if (colon == std::string::npos || colon + 1 >= text.size() ||
        !ParseUnsigned(text.substr(0, colon).c_str(), request.frame)) {
        return false;
    }
    // Absolute, since the run may move into the installed game's data folder.
    std::error_code error;
    request.path = std::filesystem::absolute(text.substr(colon + 1), error).string();
    return !request.path.empty();
}

Scene* FindScene(const std::string& name)
{
    for (Scene* scene : SceneRegistry()) {
        if (name == scene->name) {
            return scene;
        }
    }
    return nullptr;
}

} // namespace

int main(int argc, char** argv)
{
    static SimRun run;
    bool framesGiven = false;
    bool dtGiven = false;
    bool fixedStep = false;
    std::string sceneName;
    std::string audioOut;
    for (int i = 1; i < argc; ++i) {
        std::string option = argv[i];
        const char* value = i + 1 < argc ? argv[i + 1] : nullptr;
        auto needValue = [&]() { return value != nullptr; };
        if (option == "--help" || option == "-h") {
            std::printf("%s", Usage);
            return 0;
        }
        if (option == "--mark-frames") {
            run.markFrames = true;
            continue;
        }
        if (option == "--fixed-step") {
            fixedStep = true;
            continue;
        }
        if (option == "--keep-settings") {
            settingsFileInUse = true;
            continue;
        }
        if (!needValue()) {
            return UsageError(option + " needs a value (or is unknown)");
        }
        ++i;
        if (option == "--frames") {
            if (!ParseUnsigned(value, run.frames)) {
                return UsageError("--frames takes a whole number");
            }
            framesGiven = true;
        } else if (option == "--dt") {
            char* end = nullptr;
            run.dt = std::strtod(value, &end);
            if (*end != '\0' || !(run.dt > 0.0) || run.dt > 10.0) {
                return UsageError("--dt takes a number of seconds above 0 and at most 10");
            }
            dtGiven = true;
        } else if (option == "--input") {
            std::ifstream file(value);
            if (!file) {
                return UsageError(std::string("cannot read input file ") + value + ": " + std::strerror(errno));
            }
            std::stringstream text;
            text << file.rdbuf();
            std::string error;
            if (!ParseSimScript(text.str(), run.script, error)) {
                std::fprintf(stderr, "brimvale-sim: %s: %s\n", value, error.c_str());
                return 2;
            }
            if (run.script.cutOff) {
                std::fprintf(stderr, "brimvale-sim: %s ends in a cut-off line; replaying up to the line before it\n",
                             value);
            }
        } else if (option == "--clock") {
            uint64_t epoch = 0;
            if (!ParseUnsigned(value, epoch) || epoch > LatestSimClock) {
                return UsageError("--clock takes seconds since 1970, from 0 to " + std::to_string(LatestSimClock));
            }
            OsSetSimulatedClock(static_cast<std::time_t>(epoch));
            run.clockGiven = true;
        } else if (option == "--window") {
            int w = 0, h = 0;
            char extra = 0;
            if (std::sscanf(value, "%dx%d%c", &w, &h, &extra) != 2 || w < 1 || h < 1 || w > 16384 || h > 16384) {
                return UsageError("--window takes WIDTHxHEIGHT, for example 1280x720");
            }
            run.windowWidth = w;
            run.windowHeight = h;
            run.windowGiven = true;
        } else if (option == "--scene") {
            sceneName = value;
        } else if (option == "--screenshot") {
            Screenshot request;
            if (!ParseFrameFile(value, request)) {
                return UsageError("--screenshot takes FRAME:FILE.png");
            }
            run.screenshots.push_back(request);
        } else if (option == "--describe") {
            Screenshot request;
            if (!ParseFrameFile(value, request)) {
                return UsageError("--describe takes FRAME:FILE.json");
            }
            run.descriptions.push_back(request);
        } else if (option == "--audio-out") {
            std::error_code error;
            audioOut = std::filesystem::absolute(value, error).string();
        } else {
            return UsageError("unknown option " + option);
        }
    }
    if (!framesGiven && !run.script.events.empty()) {
        run.frames = run.script.events.back().frame + 1;
        framesGiven = true;
    }
    if (!framesGiven) {
        return UsageError("--frames is required (or an --input with events)");
    }
    if (run.script.recorded) {
        if (run.clockGiven) {
            // The whole session moves to the clock asked for, its corrections along with it.
            const long long shift = static_cast<long long>(OsCalendarTime()) - run.script.startClock;
            for (SimEvent& event : run.script.events) {
                if (event.kind == SimEventKind::Clock) {
                    event.clock += shift;
                }
            }
        } else {
            OsSetSimulatedClock(static_cast<std::time_t>(run.script.startClock));
            run.clockGiven = true;
        }
        if (!dtGiven) {
            run.dt = run.script.frameTime;
        }
    }
    run.recordedFrameTimes = !dtGiven && !fixedStep;
    if (run.frames == 0) {
        return 0;
    }

    // Every file named on the command line is open or absolute by now.
    OsEnterGameDataFolder();
    EngineOptions options;
    options.showWindow = false;
    if (!sceneName.empty()) {
        options.startScene = FindScene(sceneName);
        if (options.startScene == nullptr) {
            std::string known;
            for (Scene* scene : SceneRegistry()) {
                known += std::string(known.empty() ? "" : ", ") + scene->name;
            }
            return UsageError("no scene named " + sceneName + " (scenes: " + known + ")");
        }
        if (dynamic_cast<OverlayScene*>(options.startScene) != nullptr) {
            return UsageError(sceneName + " opens over another screen and cannot start a run; start from the screen "
                                          "beneath it (MainMenuScene or GameScene) and open it from there");
        }
    }
    if (!run.screenshots.empty()) {
        const char* display = std::getenv("DISPLAY");
        if (display == nullptr || *display == '\0') {
            std::fprintf(stderr, "brimvale-sim: --screenshot renders with OpenGL and needs a display; none is set "
                                 "(run under xvfb-run)\n");
            return 2;
        }
        PxlSelectBackend(PxlBackendKind::SdlGl);
        PxlSetHiddenWindow(true);
    } else {
        PxlSelectBackend(PxlBackendKind::Headless);
    }
    // The simulator never plays through speakers: it mixes silently at the simulated time, and can record it.
    FmodLayerSetOutput(FmodLayerOutput::Silent);
    if (!audioOut.empty() && FmodLayerCaptureToWav(audioOut.c_str()) != FMOD_OK) {
        return UsageError("cannot write the audio to " + audioOut + ": " + std::strerror(errno));
    }
    // The draws are kept only for the descriptions: keeping every draw of a long run costs a third of its time.
    PxlSetRecordDraws(!run.descriptions.empty());
    PxlSetFixedTimestep(run.dt);
    PxlSetScriptedInput(true);
    PxlSetFrameHook(BeforeFrame, &run);
    options.afterFrame = AfterFrame;
    options.user = &run;
    int status = RunEngine(options);
    if (status != 0) {
        return status;
    }
    return run.failed ? 1 : 0;
}
