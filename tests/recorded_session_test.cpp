// What a session recorded with brimvale --record tells the simulator: the clock and frame time on its first
// line (the command line's own still win), its frame times, and a last line cut off when the game was killed.
#include "support/sim_runner.h"
#include "tools/sim/sim_script.h"

#include <gtest/gtest.h>
#include <string>

namespace {

TEST(RecordedSessionTest, FirstLineFrameTimesAndACutOffLastLine)
{
    SimScript script;
    std::string error;
    ASSERT_TRUE(ParseSimScript("# clock 1700000000 dt 0.02\n# a note\n0 dt 0.02\n1 dt 0.25\n1 mouse 3 4\n2 press le",
                               script, error))
        << error;
    EXPECT_TRUE(script.recorded);
    EXPECT_EQ(script.startClock, 1700000000);
    EXPECT_DOUBLE_EQ(script.frameTime, 0.02);
    EXPECT_TRUE(script.cutOff);
    ASSERT_EQ(script.events.size(), 3u) << "the half-written line is left out";
    EXPECT_EQ(script.events[1].kind, SimEventKind::FrameTime);
    EXPECT_DOUBLE_EQ(script.events[1].seconds, 0.25);
    EXPECT_EQ(script.events[2].kind, SimEventKind::Mouse);

    // A script written by hand may end without a newline: its last line counts, and a clock comment that is
    // not on the first line is only a comment.
    ASSERT_TRUE(ParseSimScript("# hand-written\n# clock 5 dt 1\n0 mouse 1 2\n3 press left", script, error)) << error;
    EXPECT_FALSE(script.recorded);
    EXPECT_FALSE(script.cutOff);
    EXPECT_EQ(script.events.size(), 2u);
}

// The date the desk shows after "Start Game", from the broadcast of the calendar.
std::string DeskDate(const std::vector<std::string>& arguments, const std::string& script)
{
    SimResult run = RunSim(arguments, script);
    EXPECT_EQ(run.status, 0) << run.err;
    size_t at = run.out.find("calendar_date (");
    return at == std::string::npos ? "" : run.out.substr(at, run.out.find(')', at) - at);
}

TEST(RecordedSessionTest, TheFirstLinesClockIsTheSessionsAndTheCommandLineWins)
{
    const std::string clicks = "300 mouse 330 63\n301 press left\n302 release left\n";
    const std::vector<std::string> frames = {"--frames", "420"};
    const std::string recorded = "# clock 1750000000 dt 0.016666666666666666\n" + clicks;
    auto with = [&](std::vector<std::string> extra) {
        extra.insert(extra.begin(), frames.begin(), frames.end());
        return extra;
    };
    const std::string recordedDate = DeskDate(frames, recorded);
    ASSERT_NE(recordedDate, "") << "the desk was not reached";
    EXPECT_EQ(recordedDate, DeskDate(with({"--clock", "1750000000"}), clicks));
    const std::string otherDate = DeskDate(with({"--clock", "1700000000"}), clicks);
    EXPECT_NE(otherDate, recordedDate);
    EXPECT_EQ(DeskDate(with({"--clock", "1700000000"}), recorded), otherDate);
}

} // namespace
