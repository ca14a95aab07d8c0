// Whole shifts played by the closed-loop player: from the main menu, with the mouse alone, deciding only from
// what the screen shows and what the manual teaches. The console's event lines are only checked, never used.
#include "tools/autoplay/player.h"
#include "tools/autoplay/screen_reading.h"
#include "tools/autoplay/shift.h"

#include <algorithm>
#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace {

struct PlayedShift {
    PlayResult run;
    ShiftReport report;
    std::vector<EventLine> events;
    int pauses = 0;

    bool Broadcast(const std::string& name, const std::string& payload) const
    {
        return std::any_of(events.begin(), events.end(),
                           [&](const EventLine& line) { return line.name == name && line.payload == payload; });
    }
};

PlayedShift Play(double mistakes, const std::vector<std::pair<uint64_t, PauseKind>>& pauses = {})
{
    PlayerOptions options;
    options.clockGiven = true;
    options.clock = 1700000000;
    PlayedShift played;
    std::mt19937 chance(1);
    played.run = Player::Run(options, [&](Player& player) {
        for (const auto& [frame, kind] : pauses) {
            player.SchedulePause(frame, kind);
        }
        ShiftOptions shift;
        shift.mistakes = mistakes;
        shift.chance = &chance;
        played.report = PlayShift(player, shift);
        played.events = player.Events();
        played.pauses = player.PausesTaken();
    });
    return played;
}

void ExpectWon(const PlayedShift& played)
{
    ASSERT_TRUE(played.run.error.empty()) << played.run.error;
    ASSERT_EQ(played.report.result, 1) << played.report.failure;
    EXPECT_TRUE(played.report.failure.empty()) << played.report.failure;
    const std::vector<std::string>& tasks = played.report.tasks;
    ASSERT_GE(tasks.size(), 3u);
    EXPECT_EQ(tasks[0], "Plant Boot");
    EXPECT_EQ(tasks[1], "Admin Authentication");
    EXPECT_EQ(tasks.back(), "Onsite Incident");
    EXPECT_TRUE(played.Broadcast("tutorial_complete", ""));
    EXPECT_TRUE(played.Broadcast("end_game", "win"));
    EXPECT_TRUE(played.Broadcast("module_correct", "OnsiteIncident")) << "the day was added";
    EXPECT_FALSE(played.Broadcast("end_game", "lose"));
}

TEST(ShiftEndToEndTest, ThePlayerWinsTheShiftFromWhatTheScreenShows)
{
    PlayedShift played = Play(0);
    ExpectWon(played);
    EXPECT_EQ(played.report.wrongAnswers, 0);
    EXPECT_FALSE(played.Broadcast("terminal_append_line", "Code Incorrect, please try again"));
    // The date read off the terminal's header is the one the desk drew.
    auto date = std::find_if(played.events.begin(), played.events.end(),
                             [](const EventLine& line) { return line.name == "calendar_date"; });
    ASSERT_NE(date, played.events.end());
    EXPECT_EQ(played.report.date, date->payload);
    EXPECT_GT(CountdownSeconds(played.report.timeLeft), 0.0) << "the countdown was read when the last order came";
}

TEST(ShiftEndToEndTest, WrongAnswersAndPausesOnTheWayStillWin)
{
    // One pause while the desk zooms in (focus lost), one with Escape during the tutorial.
    PlayedShift played = Play(1.0, {{700, PauseKind::FocusLoss}, {1600, PauseKind::Escape}});
    ExpectWon(played);
    EXPECT_GE(played.report.wrongAnswers, 1);
    EXPECT_TRUE(played.Broadcast("terminal_append_line", "Code Incorrect, please try again"))
        << "the authentication's red lamps came from a wrong code";
    EXPECT_EQ(played.pauses, 2);
}

} // namespace
