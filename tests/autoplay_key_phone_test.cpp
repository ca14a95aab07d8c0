// The drawer with the reactor key and the telephone played by the closed-loop player within a whole shift:
// the drawer opened, the clutter pushed off the key, the key carried along the desk to the keyhole and turned;
// the month read off the terminal, looked up in the phone book, dialled after one deliberate wrong number.
#include "tools/autoplay/player.h"
#include "tools/autoplay/shift.h"

#include <algorithm>
#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace {

TEST(KeyAndPhoneLongRun, BothAreSolvedWhenGivenAndTheShiftIsWon)
{
    PlayerOptions options;
    options.clockGiven = true;
    options.clock = 1700012000;
    ShiftReport report;
    std::vector<EventLine> events;
    std::mt19937 chance(5);
    PlayResult run = Player::Run(options, [&](Player& player) {
        ShiftOptions shift;
        shift.mistakes = 1.0;
        shift.chance = &chance;
        report = PlayShift(player, shift);
        events = player.Events();
    });
    ASSERT_TRUE(run.error.empty()) << run.error;
    auto count = [&](const std::string& name, const std::string& payload) {
        return std::count_if(events.begin(), events.end(),
                             [&](const EventLine& line) { return line.name == name && line.payload == payload; });
    };
    for (const char* machine : {"KeyModule", "Phone"}) {
        EXPECT_EQ(count("module_trigger", machine), 1) << machine << ": " << report.failure;
        EXPECT_EQ(count("module_correct", machine), 1) << machine << ": " << report.failure;
    }
    EXPECT_GE(count("module_incorrect", "Phone"), 1) << "the phone took the deliberate wrong number";
    EXPECT_EQ(report.result, 1) << report.failure;
}

} // namespace
