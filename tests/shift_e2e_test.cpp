// Shifts played by the closed-loop player: from the main menu, with the mouse alone, deciding only from
// what the screen shows and what the manual teaches. The console's event lines are only checked, never used.
#include "engine/asset_table.h"
#include "support/assets_copy.h"
#include "tools/autoplay/player.h"
#include "tools/autoplay/screen_reading.h"
#include "tools/autoplay/shift.h"

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <string>
#include <sys/stat.h>
#include <vector>

namespace {

struct PlayedShift {
    PlayResult run;
    ShiftReport report;
    std::vector<EventLine> events;
    int pauses = 0;
    std::string firstOrder;

    bool Broadcast(const std::string& name, const std::string& payload) const
    {
        return std::any_of(events.begin(), events.end(),
                           [&](const EventLine& line) { return line.name == name && line.payload == payload; });
    }
};

// Plays the tutorial, then waits at the terminal for the first order of the shift proper.
PlayedShift PlayTutorial(double mistakes, const std::vector<std::pair<uint64_t, PauseKind>>& pauses = {})
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
        shift.solveOnly = 2;
        played.report = PlayShift(player, shift);
        played.events = player.Events();
        // The first order that is not one of the tutorial's lines.
        auto fresh = [](const ScreenDescription& screen) {
            for (const std::string& order : ReadTerminal(screen).Orders()) {
                if (order.find("plant boot") == std::string::npos && order.find("Boot sequence") == std::string::npos &&
                    order.find("Admin Authentication") == std::string::npos) {
                    return order;
                }
            }
            return std::string();
        };
        player.WaitFor("the first order after the tutorial", 40 * 60,
                       [&](const ScreenDescription& screen) { return !fresh(screen).empty(); });
        played.firstOrder = fresh(player.Screen());
        played.events = player.Events();
        played.pauses = player.PausesTaken();
    });
    return played;
}

void ExpectTutorialDone(const PlayedShift& played)
{
    ASSERT_TRUE(played.run.error.empty()) << played.run.error;
    EXPECT_TRUE(played.report.failure.empty()) << played.report.failure;
    EXPECT_EQ(played.report.tasks, (std::vector<std::string>{"Plant Boot", "Admin Authentication"}));
    EXPECT_TRUE(played.Broadcast("tutorial_complete", ""));
    EXPECT_TRUE(played.Broadcast("start_timer", "")) << "the end of the tutorial starts the countdown";
    EXPECT_EQ(played.firstOrder.rfind("/> ", 0), 0u) << played.firstOrder;
    EXPECT_FALSE(played.Broadcast("end_game", "lose"));
}

TEST(ShiftEndToEndTest, ThePlayerSolvesTheTutorialFromWhatTheScreenShows)
{
    PlayedShift played = PlayTutorial(0);
    ExpectTutorialDone(played);
    EXPECT_EQ(played.report.wrongAnswers, 0);
    EXPECT_FALSE(played.Broadcast("terminal_append_line", "Code Incorrect, please try again"));
    // The date read off the terminal's header is the one the desk drew.
    auto date = std::find_if(played.events.begin(), played.events.end(),
                             [](const EventLine& line) { return line.name == "calendar_date"; });
    ASSERT_NE(date, played.events.end());
    EXPECT_EQ(played.report.date, date->payload);
    auto trigger = std::find_if(played.events.begin(), played.events.end(), [](const EventLine& line) {
        return line.name == "module_trigger" && line.payload != "Admin Authentication";
    });
    EXPECT_NE(trigger, played.events.end()) << "the game manager hands out the first random task";
}

TEST(ShiftEndToEndTest, AWrongCodeAndPausesOnTheWayStillGetThrough)
{
    // One pause while the desk zooms in (focus lost), one with Escape during the tutorial.
    PlayedShift played = PlayTutorial(1.0, {{700, PauseKind::FocusLoss}, {1600, PauseKind::Escape}});
    ExpectTutorialDone(played);
    EXPECT_EQ(played.report.wrongAnswers, 1);
    EXPECT_TRUE(played.Broadcast("terminal_append_line", "Code Incorrect, please try again"))
        << "the authentication's red lamps came from a wrong code";
    EXPECT_EQ(played.pauses, 2);
}

} // namespace

// The end-of-tutorial script starts the countdown. Played in a copy of the Assets folder whose script is
// missing, empty or a FIFO: the shift must still reach its countdown and its first order.
enum class BrokenScript { Missing, Empty, Fifo };

class ShiftLongRun : public testing::TestWithParam<BrokenScript> {};

TEST_P(ShiftLongRun, TheCountdownStartsWhenTheEndOfTutorialScriptIsBroken)
{
    namespace fs = std::filesystem;
    const fs::path build = fs::current_path();
    const std::string script = AssetInfo(Asset::EndTutorialScript).path;
    const fs::path copy = AssetsCopyWithout(script, "broken-script-" + std::to_string(static_cast<int>(GetParam())));
    const fs::path broken = copy / "Assets" / script;
    if (GetParam() == BrokenScript::Empty) {
        std::ofstream(broken).flush();
    } else if (GetParam() == BrokenScript::Fifo) {
        ASSERT_EQ(mkfifo(broken.c_str(), 0600), 0);
    }
    fs::current_path(copy);
    testing::internal::CaptureStderr();
    PlayedShift played = PlayTutorial(0);
    std::string said = testing::internal::GetCapturedStderr();
    fs::current_path(build);
    fs::remove_all(copy);

    ExpectTutorialDone(played);
    EXPECT_NE(said.find(script), std::string::npos) << said;
}

INSTANTIATE_TEST_SUITE_P(BrokenScripts, ShiftLongRun,
                         testing::Values(BrokenScript::Missing, BrokenScript::Empty, BrokenScript::Fifo));
