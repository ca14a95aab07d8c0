// Whole runs of the engine through the simulator (a child process, so every run starts fresh).
#include "support/sim_runner.h"

#include <algorithm>
#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace {

const std::vector<std::string> SystemNames = {
    "EventSystem", "PlatformSystem", "ScreenScaleSystem", "SpriteSheetSystem", "GameManagerSystem", "MeshSystem",
    "SoundSystem", "AudioSystem",    "InteractionSystem", "NineSliceSystem",   "ModuleSystem",      "ShaderSystem",
    "SceneSystem", "TimerSystem",    "AlarmSystem",       "TutorialSystem"};

long CountLines(const std::vector<std::string>& lines, const std::string& line)
{
    return std::count(lines.begin(), lines.end(), line);
}

size_t IndexOf(const std::vector<std::string>& lines, const std::string& line, size_t from = 0)
{
    auto found = std::find(lines.begin() + static_cast<std::ptrdiff_t>(from), lines.end(), line);
    return static_cast<size_t>(found - lines.begin());
}

TEST(EngineRunTest, NormalRunTracesInitsFramesAndExitsInOrder)
{
    SimResult result = RunSim({"--frames", "600", "--clock", "1700000000"});
    ASSERT_EQ(result.status, 0) << result.err;
    std::vector<std::string> trace = ReadTraceLines();
    ASSERT_GT(trace.size(), 20u);
    EXPECT_EQ(trace[0], "Engine: Init");
    for (size_t i = 0; i < SystemNames.size(); ++i) {
        EXPECT_EQ(trace[1 + i], SystemNames[i] + ": Init");
    }
    // The first frame loads the splash screen.
    size_t update = IndexOf(trace, "Engine: Update");
    ASSERT_LT(update, trace.size());
    EXPECT_EQ(trace[update + 1], "SplashScreenScene: Load");
    EXPECT_EQ(trace[update + 2], "SplashScreenScene: Init");
    EXPECT_EQ(trace[update + 3], "SplashScreenScene: Update");
    EXPECT_EQ(CountLines(trace, "Engine: Update"), 600);
    EXPECT_EQ(CountLines(trace, "Engine: Render"), 600);
    // Black for just over 0.1 s and each logo for just over 2 s, then the menu.
    size_t menu = IndexOf(trace, "MainMenuScene: Load");
    ASSERT_LT(menu, trace.size());
    long framesBefore = std::count(trace.begin(), trace.begin() + static_cast<std::ptrdiff_t>(menu), "Engine: Update");
    EXPECT_GE(framesBefore, 250);
    EXPECT_LE(framesBefore, 260);
    // Shutdown: every system's exit, last registered first.
    size_t exit = IndexOf(trace, "Engine: Exit");
    ASSERT_EQ(exit + 1 + SystemNames.size(), trace.size());
    for (size_t i = 0; i < SystemNames.size(); ++i) {
        EXPECT_EQ(trace[exit + 1 + i], SystemNames[SystemNames.size() - 1 - i] + ": Exit");
    }
}

TEST(EngineRunTest, ClosingTheWindowEndsTheGameAfterThatFrame)
{
    SimResult result = RunSim({"--frames", "1000"}, "300 close\n");
    ASSERT_EQ(result.status, 0) << result.err;
    std::vector<std::string> trace = ReadTraceLines();
    EXPECT_EQ(CountLines(trace, "Engine: Update"), 301);
    size_t lastUpdate = trace.size();
    for (size_t i = 0; i < trace.size(); ++i) {
        if (trace[i] == "Engine: Update") {
            lastUpdate = i;
        }
    }
    ASSERT_LT(lastUpdate, trace.size());
    EXPECT_EQ(trace[lastUpdate + 1], "MainMenuScene: Exit");
    EXPECT_LT(IndexOf(trace, "MainMenuScene: Unload", lastUpdate), IndexOf(trace, "Engine: Exit"));
}

TEST(EngineRunTest, WindowThatCannotBeCreatedEndsWithAnErrorAndRunsEveryExit)
{
    std::string game = SimPath();
    game = game.substr(0, game.rfind('/') + 1) + "brimvale";
    // A driver that fails outright; no display at all and a dead one, where SDL would fall back to drawing
    // nowhere and the game would run unseen for good.
    for (const std::vector<std::string>& environment :
         std::vector<std::vector<std::string>>{{"DISPLAY", "WAYLAND_DISPLAY", "SDL_VIDEODRIVER=x11"},
                                               {"DISPLAY", "WAYLAND_DISPLAY", "SDL_VIDEODRIVER"},
                                               {"DISPLAY=:77", "WAYLAND_DISPLAY", "SDL_VIDEODRIVER"}}) {
        SCOPED_TRACE(environment[0] + " " + environment[2]);
        SimResult result = RunProgram(game, {}, environment);
        EXPECT_EQ(result.status, 1);
        EXPECT_NE(result.err.find("PlatformSystemInit Error: The Tessaro Graphics Library could not be initialized!"),
                  std::string::npos)
            << result.err;
        EXPECT_EQ(result.err.find("The object handle is null"), std::string::npos) << result.err;
        if (environment[2] == "SDL_VIDEODRIVER") {
            EXPECT_NE(result.err.find("no display: "), std::string::npos) << result.err;
        }
        std::vector<std::string> trace = ReadTraceLines();
        EXPECT_EQ(CountLines(trace, "Engine: Update"), 0);
        size_t exit = IndexOf(trace, "Engine: Exit");
        ASSERT_LT(exit, trace.size());
        EXPECT_EQ(trace.size() - exit - 1, SystemNames.size() - 1) << "the platform system was never registered";
        EXPECT_EQ(trace.back(), "EventSystem: Exit");
    }
}

TEST(EngineRunTest, StartsOnTheNamedScene)
{
    SimResult result = RunSim({"--frames", "2", "--scene", "MainMenuScene"});
    ASSERT_EQ(result.status, 0) << result.err;
    std::vector<std::string> trace = ReadTraceLines();
    EXPECT_EQ(CountLines(trace, "SplashScreenScene: Load"), 0);
    EXPECT_EQ(CountLines(trace, "MainMenuScene: Load"), 1);
}

struct ScriptErrorCase {
    const char* script;
    const char* message;
};

class SimScriptErrorTest : public ::testing::TestWithParam<ScriptErrorCase> {};

TEST_P(SimScriptErrorTest, MalformedLineStopsBeforeAnythingRuns)
{
    SimResult result = RunSim({"--frames", "10"}, GetParam().script);
    EXPECT_EQ(result.status, 2);
    EXPECT_NE(result.err.find(GetParam().message), std::string::npos) << result.err;
    EXPECT_EQ(result.out, "") << "nothing ran";
}

INSTANTIATE_TEST_SUITE_P(
    Lines, SimScriptErrorTest,
    ::testing::Values(ScriptErrorCase{"0 mouse 10 10\n1 jump\n", "input line 2: unknown event"},
                      ScriptErrorCase{"# comment\nfive press left\n", "input line 2: expected a frame number"},
                      ScriptErrorCase{"3 press\n", "input line 1: press takes one key"},
                      ScriptErrorCase{"3 press banana\n", "input line 1: press takes one key"},
                      ScriptErrorCase{"4 mouse 10\n", "input line 1: mouse takes two numbers"},
                      ScriptErrorCase{"9 close\n2 close\n", "input line 2: frame numbers must not go back"},
                      ScriptErrorCase{"1 focus away\n", "input line 1: focus takes"},
                      ScriptErrorCase{"1 resize 0 720\n", "input line 1: resize takes"},
                      ScriptErrorCase{"1 clock soon\n", "input line 1: clock takes seconds"},
                      ScriptErrorCase{"1 clock -5\n", "input line 1: clock takes seconds"},
                      ScriptErrorCase{"1 dt -0.1\n", "input line 1: dt takes the frame's seconds"},
                      ScriptErrorCase{"\n# clock 1700000000 dt 0\n", "input line 2: a recording starts"},
                      ScriptErrorCase{"# clock yesterday dt 0.016\n", "input line 1: a recording starts"}));

TEST(SimOptionsTest, BadOptionsAreClearErrors)
{
    for (const std::vector<std::string>& arguments :
         std::vector<std::vector<std::string>>{{},
                                               {"--frames", "x"},
                                               {"--frames", "5", "--dt", "0"},
                                               {"--frames", "5", "--window", "12"},
                                               {"--frames", "5", "--scene", "NoSuchScene"},
                                               {"--frames", "5", "--scene", "SettingsScene"},
                                               {"--frames", "5", "--scene", "ExitConfirm_OverlayScene"},
                                               {"--frames", "5", "--clock", "9223372036854775807"},
                                               {"--frames", "5", "--bogus", "1"},
                                               {"--frames", "5", "--input", "/nonexistent/script"}}) {
        SimResult result = RunSim(arguments);
        EXPECT_EQ(result.status, 2) << arguments.size();
        EXPECT_NE(result.err.find("brimvale-sim:"), std::string::npos);
    }
}

} // namespace
