#include "engine/trace.h"
#include "support/sim_runner.h"

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <gtest/gtest.h>
#include <string>

namespace {

class TraceTest : public ::testing::Test {
protected:
    void TearDown() override
    {
        TraceClose();
        TraceSetByteLimit(TraceByteLimit);
    }
};

TEST_F(TraceTest, EachRunReplacesTheLastAndClosedTraceWritesNothing)
{
    Trace("before %s", "init"); // no log yet: nothing, and no failure
    TraceInit();
    Trace("first run %d", 1);
    TraceClose();
    TraceInit();
    Trace("second run");
    TraceClose();
    Trace("after close");
    EXPECT_EQ(ReadTraceLines(), std::vector<std::string>{"second run"});
}

TEST_F(TraceTest, StopsAtTheBoundWithOneLastLine)
{
    TraceSetByteLimit(100);
    TraceInit();
    for (int i = 0; i < 50; ++i) {
        Trace("Engine: Update"); // 15 bytes with the line end
    }
    TraceClose();
    std::vector<std::string> lines = ReadTraceLines();
    ASSERT_EQ(lines.size(), 7u);
    for (int i = 0; i < 6; ++i) {
        EXPECT_EQ(lines[i], "Engine: Update");
    }
    EXPECT_EQ(lines[6], "Trace: cut here after 90 bytes; later lines are not written");
}

TEST_F(TraceTest, LongLinesAreWrittenWhole)
{
    std::string longText(3000, 'x');
    TraceInit();
    Trace("%s", longText.c_str());
    TraceClose();
    EXPECT_EQ(ReadTraceLines(), std::vector<std::string>{longText});
}

TEST_F(TraceTest, UnwritableFolderReportsAndTheGameRunsOn)
{
    // A plain file where the folder should be makes the log impossible to create.
    std::string home = TempPath("blocked-home");
    std::string documents = home + "/Documents";
    ASSERT_EQ(std::system(("mkdir -p " + documents + " && touch " + documents + "/Tessaro").c_str()), 0);
    SimResult result = RunProgram(SimPath(), {"--frames", "30"}, {"HOME=" + home, "XDG_CONFIG_HOME=" + home});
    EXPECT_EQ(result.status, 0) << result.err;
    EXPECT_NE(result.out.find("Error opening file: Trace.log\n"), std::string::npos) << result.out;
}

TEST_F(TraceTest, AFifoInTheLogsPlaceIsRefusedAndTheGameRunsOn)
{
    // Opened for writing, a FIFO blocks until a reader comes: the game would never start.
    std::string home = TempPath("fifo-home");
    std::string folder = home + "/Documents/Tessaro/Brimvale";
    ASSERT_EQ(std::system(("mkdir -p " + folder + " && mkfifo " + folder + "/Trace.log").c_str()), 0);
    SimResult result = RunProgram(SimPath(), {"--frames", "30"}, {"HOME=" + home, "XDG_CONFIG_HOME=" + home});
    EXPECT_EQ(result.status, 0) << result.err;
    EXPECT_NE(result.out.find("Error opening file: Trace.log\n"), std::string::npos) << result.out;
}

TEST_F(TraceTest, AFullDiskIsSaidOnceAndTheTraceStops)
{
    // The log's place is a link to /dev/full: every write that reaches it fails with "No space left".
    std::string home = TempPath("full-disk-home");
    std::string folder = home + "/Documents/Tessaro/Brimvale";
    ASSERT_EQ(std::system(("mkdir -p " + folder + " && ln -sf /dev/full " + folder + "/Trace.log").c_str()), 0);
    SimResult result = RunProgram(SimPath(), {"--frames", "600"}, {"HOME=" + home, "XDG_CONFIG_HOME=" + home});
    EXPECT_EQ(result.status, 0) << result.err;
    const std::string said = "Trace: cannot write " + folder + "/Trace.log (No space left on device)";
    size_t first = result.err.find(said);
    EXPECT_NE(first, std::string::npos) << result.err;
    EXPECT_EQ(result.err.find(said, first + 1), std::string::npos) << "said once";
}

} // namespace
