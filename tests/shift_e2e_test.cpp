// A whole shift through the simulator, played with the mouse alone: start from the menu, boot the plant with
// the manual's pattern, authenticate with answers read off the terminal's date, add a day, read the paper.
#include "modules/calendar.h"
#include "support/sim_runner.h"

#include <algorithm>
#include <gtest/gtest.h>
#include <regex>
#include <sstream>
#include <string>
#include <vector>

namespace {

constexpr const char* Clock = "1700000000";

// The window is 1280 by 720 and the desk's camera shows 1.5 world units per pixel once the zoom is over.
struct View {
    float cameraX = 0;
    int PixelX(float worldX) const { return static_cast<int>(640 + (worldX - cameraX) / 1.5f); }
    static int PixelY(float worldY) { return static_cast<int>(360 - worldY / 1.5f); }
};

class Player {
public:
    int frame = 0;
    std::ostringstream script;

    void Wait(int frames) { frame += frames; }
    void Click(int x, int y)
    {
        script << frame << " mouse " << x << " " << y << "\n";
        script << frame + 2 << " press left\n";
        script << frame + 4 << " release left\n";
        frame += 10;
    }
    // Drags the desk sideways by dx window pixels, starting on bare desk below the terminal.
    void Drag(int dx, View& view)
    {
        int x = 640;
        const int y = 560;
        script << frame << " mouse " << x << " " << y << "\n";
        script << frame + 2 << " press left\n";
        int steps = 10;
        for (int i = 1; i <= steps; ++i) {
            script << frame + 2 + i << " mouse " << x + dx * i / steps << " " << y << "\n";
        }
        script << frame + 4 + steps << " release left\n";
        frame += 10 + steps;
        view.cameraX -= dx * 1.5f;
    }
};

// What a player reads on the terminal's header: "Today is <date>".
std::string ShiftDate(const std::string& out)
{
    std::smatch match;
    static const std::regex line(R"(Broadcast: calendar_date \(([^)]*)\))");
    return std::regex_search(out, match, line) ? match[1].str() : std::string();
}

// The opening of every run: the menu appears after the splash, "Start Game" is its first line.
void StartShift(Player& player)
{
    player.Wait(300);
    player.Click(330, 60);
    player.Wait(700); // the ten-second zoom from the menu's close-up to the desk
}

TEST(ShiftEndToEndTest, PlayerWinsTheShiftWithTheMouseAlone)
{
    // First look at the desk to read today's date, as a player would.
    Player look;
    StartShift(look);
    SimResult first = RunSim({"--frames", std::to_string(look.frame), "--clock", Clock}, look.script.str());
    ASSERT_EQ(first.status, 0) << first.err;
    std::string date = ShiftDate(first.out);
    ASSERT_FALSE(date.empty()) << first.out.substr(0, 2000);
    CalendarDate today = ParseDate(date);

    Player player;
    View view;
    StartShift(player);

    // The plant boot panel lies right of the terminal: pull the desk to the left to reach it.
    player.Drag(-300, view);
    // The manual's pattern: 1 on, 2 off, 3 on, 4 on (lower row), 5 off, 6 off, 7 on, 8 off (upper row).
    const float lowerRow = 50, upperRow = 137.5f;
    for (float x : {935.0f, 1065.0f, 1130.0f}) {
        player.Click(view.PixelX(x), View::PixelY(lowerRow));
    }
    player.Click(view.PixelX(1065.0f), View::PixelY(upperRow));
    player.Wait(240); // nine lamps at 0.2 s each, then the authentication's order

    // Admin authentication: one switch per question about today's date.
    bool answers[4] = {today.month <= 5, today.weekday >= 1 && today.weekday <= 3, today.day % 2 == 0, today.day < 15};
    const float switchX[4] = {300, 375, 450, 525};
    for (int i = 0; i < 4; ++i) {
        if (answers[i]) {
            player.Click(view.PixelX(switchX[i]), View::PixelY(400));
        }
    }
    player.Click(view.PixelX(637.5f), View::PixelY(400));

    // Back to the safety sign left of the terminal; its button adds the day once the order comes.
    player.Drag(300, view);
    player.Wait(600);
    for (int i = 0; i < 40; ++i) {
        player.Click(view.PixelX(-650), View::PixelY(430));
        player.Wait(50);
    }
    player.Wait(60 * 8);

    SimResult run = RunSim({"--frames", std::to_string(player.frame), "--clock", Clock}, player.script.str());
    ASSERT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(ShiftDate(run.out), date) << "the same clock gives the same shift";
    const std::string& out = run.out;
    auto saw = [&](const std::string& text) { return out.find(text) != std::string::npos; };
    EXPECT_TRUE(saw("Broadcast: module_trigger (Admin Authentication)")) << "the plant boot completed";
    EXPECT_TRUE(saw("Broadcast: tutorial_complete ()")) << "the authentication was accepted";
    EXPECT_FALSE(saw("Code Incorrect")) << "the answers were read right off the date " << date;
    EXPECT_TRUE(saw("Broadcast: start_timer ()")) << "the end-of-tutorial script starts the countdown";
    EXPECT_TRUE(saw("Broadcast: end_game (win)")) << "no task left: the shift is won";
    EXPECT_TRUE(saw("Broadcast: module_correct (OnsiteIncident)")) << "the day was added";
    EXPECT_FALSE(saw("end_game (lose)"));

    std::vector<std::string> trace = ReadTraceLines();
    EXPECT_NE(std::find(trace.begin(), trace.end(), "EndGameScene: Load"), trace.end()) << "the newspaper shows";
}

} // namespace
