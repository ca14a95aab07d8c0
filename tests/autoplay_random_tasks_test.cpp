// The Wavulon 3000 and the targeting radar played by the closed-loop player within a shift: each is solved
// when it is handed out, from the wave and the code the screen shows, after one deliberate wrong answer.
#include "support/played_shift.h"

#include <gtest/gtest.h>

namespace {

TEST(RandomTasksEndToEndTest, TheWavulonAndTheRadarAreSolvedWhenGiven)
{
    // A shift that hands out both, the radar with a code away from its start.
    WholeShift played = PlayWholeShift(1700003000, 1.0, 3);
    ASSERT_TRUE(played.run.error.empty()) << played.run.error;
    int given = 0;
    for (const char* machine : {"Wavulon3000", "Targeting"}) {
        if (played.Count("module_trigger", machine) == 0) {
            continue; // machines of other tasks may end the run first
        }
        ++given;
        EXPECT_EQ(played.Count("module_correct", machine), 1) << machine << ": " << played.report.failure;
        EXPECT_GE(played.Count("module_incorrect", machine), 1) << machine << " took the deliberate wrong answer";
    }
    EXPECT_GT(given, 0) << "neither machine was handed out: " << played.report.failure;
}

} // namespace
