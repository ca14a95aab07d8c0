// The Wavulon 3000 and the targeting radar played by the closed-loop player within a shift: each is solved
// when it is handed out, from the wave and the code the screen shows, after one deliberate wrong answer.
#include "tools/autoplay/player.h"
#include "tools/autoplay/shift.h"

#include <algorithm>
#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace {

TEST(RandomTasksEndToEndTest, TheWavulonAndTheRadarAreSolvedWhenGiven)
{
    PlayerOptions options;
    options.clockGiven = true;
    options.clock = 1700003000; // a shift that hands out both, the radar with a code away from its start
    ShiftReport report;
    std::vector<EventLine> events;
    std::mt19937 chance(3);
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
    int given = 0;
    for (const char* machine : {"Wavulon3000", "Targeting"}) {
        if (count("module_trigger", machine) == 0) {
            continue; // machines of other tasks may end the run first
        }
        ++given;
        EXPECT_EQ(count("module_correct", machine), 1) << machine << ": " << report.failure;
        EXPECT_GE(count("module_incorrect", machine), 1) << machine << " took the deliberate wrong answer";
    }
    EXPECT_GT(given, 0) << "neither machine was handed out: " << report.failure;
}

} // namespace
