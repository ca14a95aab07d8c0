#include "tools/bench/desk_frame_bench.h"

#include "platform/pxl_control.h"
#include "tools/autoplay/player.h"
#include "tools/autoplay/screen_reading.h"
#include "tools/autoplay/shift.h"
#include "tools/sim/screen_description.h"

#include <algorithm>
#include <benchmark/benchmark.h>
#include <cstdio>
#include <map>
#include <optional>
#include <stdexcept>
#include <string>
#include <utility>
#include <vector>

namespace {

constexpr int Second = 60;
// Frames per measurement: a fixed count, so that the shift's countdown (a few minutes left) never runs out
// under the benchmark, however many repetitions are asked for.
constexpr int MeasuredFrames = 1500;

// The top edge of the manual's closed book, in window pixels (its pages are the pictures under Pages/).
float ManualTop(const ScreenDescription& screen)
{
    float top = static_cast<float>(screen.windowHeight);
    for (const ScreenPicture& picture : screen.pictures) {
        if (picture.file.rfind("Pages/", 0) == 0) {
            top = std::min(top, picture.y - picture.height / 2);
        }
    }
    return top;
}

bool AlarmBandShown(const ScreenDescription& screen)
{
    return std::any_of(screen.pictures.begin(), screen.pictures.end(),
                       [](const ScreenPicture& picture) { return picture.file == "Aesthetics/Alarm_Effect.png"; });
}

// Plays the tutorial and three tasks by the mouse, as the autoplayer does, so that the terminal has filled;
// then waits at the terminal for the next order (a task open), and rests the mouse on the manual at the
// bottom edge so that it peeks up.
void ReachTheBusiestDesk(Player& player)
{
    ShiftOptions shift;
    shift.solveOnly = 5;
    ShiftReport report = PlayShift(player, shift);
    if (static_cast<int>(report.tasks.size()) != shift.solveOnly) {
        throw std::runtime_error("the shift did not get through its first tasks: " + report.failure);
    }
    std::string lastOrder = ReadTerminal(player.Screen()).Orders().back();
    std::vector<std::string> lastRows;
    int settled = 0;
    player.WaitFor("the next order", 40 * Second, [&](const ScreenDescription& screen) {
        TerminalReading reading = ReadTerminal(screen);
        settled = reading.rows == lastRows ? settled + 1 : 0;
        lastRows = reading.rows;
        return settled > 20 && !reading.lines.empty() && reading.lines.back().rfind("/> ", 0) == 0 &&
               reading.lines.back() != lastOrder;
    });
    float closedTop = ManualTop(player.Screen());
    player.TheHand().MoveTo(static_cast<float>(player.WindowWidth()) / 2,
                            static_cast<float>(player.WindowHeight()) - 8);
    player.WaitFor("the manual to peek", 2 * Second,
                   [&](const ScreenDescription& screen) { return ManualTop(screen) < closedTop - 20; });
    player.Wait(Second / 2);
    player.WaitFor("the alarm band", Second, AlarmBandShown);
    TerminalReading terminal = ReadTerminal(player.Screen());
    std::fprintf(stderr,
                 "brimvale-bench: the desk at frame %llu: %zu terminal rows, the countdown at %s, order \"%s\"\n",
                 static_cast<unsigned long long>(player.Frame()), terminal.rows.size(),
                 ReadCountdown(player.Screen()).c_str(), terminal.lines.back().c_str());
}

// Where the GL draw calls go: the recorded draws of one frame run through the GL layer's batching rule (one
// call while the shaders, the blending and four texture slots allow), each break named by its cause and by
// the picture that caused it.
void PrintDrawCallBreaks(const std::vector<PxlDrawRecord>& draws)
{
    struct Key {
        int pixel, vertex;
        PXL_PixelShader customPixel;
        PXL_VertexShader customVertex;
        bool textured, blend;
        bool operator==(const Key&) const = default;
    };
    std::optional<Key> current;
    std::vector<std::pair<PXL_Texture, int>> slots; // texture and sampler
    int calls = 0;
    std::map<std::string, int> causes, pictures;
    for (const PxlDrawRecord& draw : draws) {
        Key key{draw.pixelShader,  draw.vertexShader,       draw.customPixel,
                draw.customVertex, draw.texture != nullptr, draw.blend != PXL_BLEND_OPAQUE};
        std::string cause;
        if (!current) {
            cause = "first";
        } else if (key.blend != current->blend) {
            cause = "blending";
        } else if (!(key == *current)) {
            cause = "shader";
        }
        std::pair<PXL_Texture, int> slot{draw.texture, draw.filter * 2 + draw.address};
        bool inSlot = draw.texture == nullptr || std::find(slots.begin(), slots.end(), slot) != slots.end();
        if (cause.empty() && !inSlot && slots.size() == 4) {
            cause = "a fifth texture";
        }
        if (!cause.empty()) {
            ++calls;
            ++causes[cause];
            std::string file = draw.texture != nullptr ? AssetRelativePath(PxlTexturePath(draw.texture)) : "(plain)";
            ++pictures[(file.empty() ? "(made in memory)" : file) + " after " + cause];
            slots.clear();
            current = key;
        }
        if (draw.texture != nullptr && std::find(slots.begin(), slots.end(), slot) == slots.end()) {
            slots.push_back(slot);
        }
    }
    std::fprintf(stderr, "brimvale-bench: the desk frame's %zu draws in %d batches by the GL rule:", draws.size(),
                 calls);
    for (const auto& [cause, count] : causes) {
        std::fprintf(stderr, " %d by %s;", count, cause.c_str());
    }
    std::vector<std::pair<int, std::string>> ranked;
    for (const auto& [picture, count] : pictures) {
        ranked.emplace_back(count, picture);
    }
    std::sort(ranked.rbegin(), ranked.rend());
    std::fprintf(stderr, "\nbrimvale-bench: breaks most often at:");
    for (size_t i = 0; i < ranked.size() && i < 10; ++i) {
        std::fprintf(stderr, "%s %d x %s", i == 0 ? "" : ",", ranked[i].first, ranked[i].second.c_str());
    }
    std::fprintf(stderr, "\n");
}

void CheckStillBusy(benchmark::State& state, Player& player)
{
    const ScreenDescription& screen = player.Screen();
    if (CountdownSeconds(ReadCountdown(screen)) < 5 || NewspaperShown(screen) >= 0) {
        state.SkipWithError("the shift ended under the benchmark");
    }
}

// One engine frame per iteration, the game's own loop on its own thread; the time is that thread's CPU time
// for the frame. The draws are not recorded while measuring (only the simulator reads them).
void DeskFrame(benchmark::State& state, Player& player)
{
    PxlSetRecordDraws(false);
    double wall = 0;
    for (auto _ : state) {
        player.Step();
        state.SetIterationTime(player.LastFrameCpuSeconds());
        wall += player.LastFrameWallSeconds();
    }
    state.counters["wall_ms"] = 1000 * wall / static_cast<double>(state.iterations());
    state.counters["draw_calls"] = PxlLastFrameDrawCalls();
    PxlSetRecordDraws(true);
    player.Step();
    state.counters["quads"] = static_cast<double>(PxlFrameDraws().size());
    PrintDrawCallBreaks(PxlFrameDraws());
    CheckStillBusy(state, player);
}

} // namespace

int RunDeskBenchmarks(bool headless, benchmark::BenchmarkReporter& reporter)
{
    PlayerOptions options;
    options.openGl = !headless;
    options.clockGiven = true;
    options.clock = 1700000000;
    PlayResult run = Player::Run(options, [&](Player& player) {
        ReachTheBusiestDesk(player);
        benchmark::ClearRegisteredBenchmarks();
        benchmark::RegisterBenchmark("BM_DeskFrame", [&](benchmark::State& state) { DeskFrame(state, player); })
            ->Iterations(MeasuredFrames)
            ->UseManualTime()
            ->Unit(benchmark::kMillisecond);
        benchmark::RunSpecifiedBenchmarks(&reporter);
    });
    if (!run.error.empty()) {
        std::fprintf(stderr, "brimvale-bench: BM_DeskFrame: %s\n", run.error.c_str());
        return 1;
    }
    return run.engineStatus;
}
