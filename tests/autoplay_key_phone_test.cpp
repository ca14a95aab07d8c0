// The drawer with the reactor key and the telephone played by the closed-loop player within a whole shift:
// the drawer opened, the clutter pushed off the key, the key carried along the desk to the keyhole and turned;
// the month read off the terminal, looked up in the phone book, dialled after one deliberate wrong number.
#include "support/played_shift.h"

#include <gtest/gtest.h>

namespace {

TEST(KeyAndPhoneLongRun, BothAreSolvedWhenGivenAndTheShiftIsWon)
{
    WholeShift played = PlayWholeShift(1700012000, 1.0, 5);
    ASSERT_TRUE(played.run.error.empty()) << played.run.error;
    for (const char* machine : {"KeyModule", "Phone"}) {
        EXPECT_EQ(played.Count("module_trigger", machine), 1) << machine << ": " << played.report.failure;
        EXPECT_EQ(played.Count("module_correct", machine), 1) << machine << ": " << played.report.failure;
    }
    EXPECT_GE(played.Count("module_incorrect", "Phone"), 1) << "the phone took the deliberate wrong number";
    EXPECT_EQ(played.report.result, 1) << played.report.failure;
}

} // namespace
