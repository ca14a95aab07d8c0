// The game under random input: seeded monkey scripts played through the sanitized simulator from the splash,
// the menu, and a shift whose tutorial a careful player has just finished, so that the monkey has the
// countdown, the alarm, the tasks, the lost shift's newspaper and the way back to the menu to play with. Any
// crash, sanitizer report, hang or non-zero exit fails the run and names its seed.
#include "support/monkey_script.h"
#include "support/sim_runner.h"
#include "tools/autoplay/shift.h"

#include <chrono>
#include <cstdio>
#include <fstream>
#include <gtest/gtest.h>
#include <ostream>
#include <sstream>
#include <string>
#include <vector>

namespace {

enum class MonkeyStart { Splash, Menu, Shift };

struct MonkeyRun {
    MonkeyStart start;
    uint64_t seed;
    uint64_t frames;
};

constexpr const char* Clock = "1700000000";
// Far beyond what a run takes on a loaded machine; a run that takes longer hangs.
constexpr const char* RunTimeLimit = "600";

const char* StartName(MonkeyStart start)
{
    switch (start) {
    case MonkeyStart::Splash:
        return "Splash";
    case MonkeyStart::Menu:
        return "Menu";
    case MonkeyStart::Shift:
        break;
    }
    return "Shift";
}

// Names the run in CTest's listing by its start and seed.
void PrintTo(const MonkeyRun& run, std::ostream* out)
{
    *out << StartName(run.start) << " seed " << run.seed;
}

// The input of a player who starts the game, clicks "Start Game" and works the two tutorial tasks, recorded
// once per process: the countdown starts as it ends.
struct TutorialInput {
    std::string script;
    uint64_t end = 0; // the first frame after the player's last input
    std::string error;
};

const TutorialInput& PlayedTutorial()
{
    static const TutorialInput tutorial = [] {
        TutorialInput played;
        PlayerOptions options;
        options.clockGiven = true;
        options.clock = std::stoll(Clock);
        options.inputLogPath = TempPath("monkey-tutorial.txt");
        ShiftReport report;
        PlayResult run = Player::Run(options, [&](Player& player) {
            ShiftOptions shift;
            shift.solveOnly = 2;
            report = PlayShift(player, shift);
        });
        played.error = run.error + report.failure;
        std::ifstream file(options.inputLogPath);
        std::stringstream text;
        text << file.rdbuf();
        played.script = text.str();
        played.end = LastScriptFrame(options.inputLogPath) + 1;
        return played;
    }();
    return tutorial;
}

// The frames the run played: its last "Frame N" line is frame N, counted from 0.
uint64_t FramesPlayed(const std::string& out)
{
    size_t last = out.rfind("Frame ");
    while (last != std::string::npos && last != 0 && out[last - 1] != '\n') {
        last = out.rfind("Frame ", last - 1);
    }
    return last == std::string::npos ? 0 : std::stoull(out.substr(last + 6)) + 1;
}

std::string Tail(const std::string& text, size_t size = 3000)
{
    return text.size() <= size ? text : "..." + text.substr(text.size() - size);
}

class MonkeyTest : public testing::TestWithParam<MonkeyRun> {};

TEST_P(MonkeyTest, RandomInputNeverCrashesNorHangsTheGame)
{
    const MonkeyRun& run = GetParam();
    std::string prefix;
    uint64_t first = 0;
    if (run.start == MonkeyStart::Shift) {
        const TutorialInput& tutorial = PlayedTutorial();
        ASSERT_EQ(tutorial.error, "") << "the tutorial was not played through";
        prefix = tutorial.script;
        first = tutorial.end;
    }
    uint64_t played = 0;
    auto start = std::chrono::steady_clock::now();
    // When the monkey quits the game by its menu, the rest of the frames go to a fresh start with the next
    // seed of the run's own series.
    for (uint64_t seed = run.seed; played < run.frames; seed += 1000) {
        const uint64_t frames = run.frames - played;
        const std::string input = TempPath("monkey-" + std::to_string(seed) + ".txt");
        std::ofstream(input) << prefix << MonkeyScript(seed, first, frames, 1280, 720);
        std::vector<std::string> arguments = {"--frames", std::to_string(frames), "--clock", Clock, "--input", input};
        if (run.start == MonkeyStart::Menu) {
            arguments.insert(arguments.end(), {"--scene", "MainMenuScene"});
        }
        std::string replay = "seed " + std::to_string(seed) + "; replay with: " + SimPath();
        for (const std::string& argument : arguments) {
            replay += " " + argument;
        }
        arguments.insert(arguments.begin(), {"--signal", "KILL", RunTimeLimit, SimPath(), "--mark-frames"});
        SimResult result = RunProgram("/usr/bin/timeout", arguments);
        ASSERT_EQ(result.status, 0) << replay << "\n" << Tail(result.err);
        for (const char* report : {"runtime error:", "Sanitizer"}) {
            ASSERT_EQ(result.err.find(report), std::string::npos) << replay << "\n" << Tail(result.err);
        }
        const uint64_t ran = FramesPlayed(result.out);
        ASSERT_GT(ran, 0u) << replay;
        played += ran;
    }
    double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    std::printf("monkey run %s, seed %llu: %llu frames in %.1f s (%.0f frames/s)\n", StartName(run.start),
                static_cast<unsigned long long>(run.seed), static_cast<unsigned long long>(played), seconds,
                double(played) / seconds);
}

// 200,000 frames in all. The monkey pauses the desk often and leaves it by the pause menu now and then, so a
// shift's five minutes take it far longer than a player; seed 13 plays on to the lost shift's end.
INSTANTIATE_TEST_SUITE_P(
    Seeds, MonkeyTest,
    testing::Values(MonkeyRun{MonkeyStart::Splash, 1, 20000}, MonkeyRun{MonkeyStart::Splash, 2, 20000},
                    MonkeyRun{MonkeyStart::Menu, 3, 17500}, MonkeyRun{MonkeyStart::Menu, 4, 17500},
                    MonkeyRun{MonkeyStart::Shift, 6, 40000}, MonkeyRun{MonkeyStart::Shift, 9, 40000},
                    MonkeyRun{MonkeyStart::Shift, 13, 45000}),
    [](const testing::TestParamInfo<MonkeyRun>& info) {
        return std::string(StartName(info.param.start)) + "_seed" + std::to_string(info.param.seed);
    });

} // namespace
