// A shift the autoplayer played, replayed by the simulator from its input log: the same events in the same
// frames, so a recorded run can be watched (and photographed) on the real backend.
#include "support/sim_runner.h"

#include <gtest/gtest.h>
#include <sstream>
#include <string>
#include <vector>

namespace {

// The "Broadcast:" lines of a console, in order.
std::vector<std::string> Broadcasts(const std::string& console)
{
    std::vector<std::string> lines;
    std::istringstream in(console);
    for (std::string line; std::getline(in, line);) {
        size_t at = line.find("Broadcast: ");
        if (at != std::string::npos) {
            lines.push_back(line.substr(at));
        }
    }
    return lines;
}

} // namespace

TEST(AutoplayReplayLongRun, RecordedShiftReplaysInTheSimulatorWithTheSameEvents)
{
    const std::string log = TempPath("shift-input.txt");
    SimResult played =
        RunProgram("./brimvale-autoplay",
                   {"--shifts", "1", "--first-clock", "1700000000", "--mistakes", "0.5", "--record-input", log},
                   {"BRIMVALE_AUTOPLAY_CONSOLE=1"});
    ASSERT_EQ(played.status, 0) << played.out << played.err;
    std::vector<std::string> expected = Broadcasts(played.out);
    ASSERT_GT(expected.size(), 20u);

    // Up to a little after the run's last input (the autoplayer's click back to the menu).
    unsigned long long lastFrame = LastScriptFrame(log);
    SimResult replayed = RunSim({"--frames", std::to_string(lastFrame + 60), "--input", log});
    ASSERT_EQ(replayed.status, 0) << replayed.err;
    std::vector<std::string> seen = Broadcasts(replayed.out);
    ASSERT_GE(seen.size(), expected.size());
    seen.resize(expected.size());
    EXPECT_EQ(seen, expected);
}
