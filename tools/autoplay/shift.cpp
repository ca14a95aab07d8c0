#include "tools/autoplay/shift.h"

#include "engine/screen_scale.h"
#include "tools/autoplay/desk_camera.h"
#include "tools/autoplay/screen_reading.h"
#include "tools/autoplay/solver.h"

#include <algorithm>
#include <cmath>

namespace {

constexpr int Second = 60; // frames at the game's 60 frames a second
const char* const StartGame = "Start Game";
const char* const OnsiteName = "Onsite Incident";
// The terminal has finished typing a line when it has not changed for this long.
constexpr int TypingSettled = 20;
// How long a player waits for the next order before thinking something is wrong.
constexpr int OrderPatience = 40 * Second;

bool DeskZoomedIn(const ScreenDescription& screen)
{
    // At the end of the zoom one desk panel (1920 design units) is as wide as the design height allows, or as
    // the window in one narrower than 16:9.
    float panel =
        1920.0f * DesignScale({static_cast<float>(screen.windowWidth), static_cast<float>(screen.windowHeight)});
    for (const ScreenPicture& picture : screen.pictures) {
        if (picture.file == "Desk/Desk_body_v2.png") {
            return std::fabs(picture.width - panel) < 0.5f;
        }
    }
    return false;
}

Solver* SolverFor(const std::vector<std::unique_ptr<Solver>>& solvers, const std::string& order)
{
    for (const auto& solver : solvers) {
        if (solver->Recognises(order)) {
            return solver.get();
        }
    }
    return nullptr;
}

// Waits at the terminal for an order that has not been handled yet and that a solver knows, once the
// terminal's typing has settled. Lines that look like orders but are reports ("/> Boot sequence complete")
// are passed over; they are named if the wait runs out.
Solver* NextOrder(Player& player, const std::vector<std::unique_ptr<Solver>>& solvers,
                  std::vector<std::string>& handled, std::string& date)
{
    std::vector<std::string> lastRows;
    int unchanged = 0;
    std::string order;
    Solver* solver = nullptr;
    std::string unknown;
    try {
        player.WaitFor("the next order on the terminal", OrderPatience, [&](const ScreenDescription& screen) {
            TerminalReading reading = ReadTerminal(screen);
            if (!reading.visible) {
                return false;
            }
            unchanged = reading.rows == lastRows ? unchanged + 1 : 0;
            lastRows = reading.rows;
            if (unchanged < TypingSettled) {
                return false;
            }
            date = reading.date;
            unknown.clear();
            for (const std::string& line : reading.OrdersBeyond(handled)) {
                solver = SolverFor(solvers, line);
                if (solver != nullptr) {
                    order = line;
                    return true;
                }
                unknown += " \"" + line + "\"";
            }
            return false;
        });
    } catch (const StuckError& error) {
        throw StuckError(std::string(error.what()) + (unknown.empty() ? "" : "; no solver knows:" + unknown));
    }
    handled.push_back(order);
    return solver;
}

// Waits until the menu's "Start Game" stands still (the menu slides in) and returns where it is.
PXL_Vec2 SettledMenu(Player& player, const std::string& what, int limit)
{
    std::optional<PXL_Vec2> last;
    int still = 0;
    player.WaitFor(what, limit, [&](const ScreenDescription& screen) {
        std::optional<PXL_Vec2> now = TextCentre(screen, StartGame);
        bool same = now && last && std::fabs(now->x - last->x) < 0.5f && std::fabs(now->y - last->y) < 0.5f;
        still = same ? still + 1 : 0;
        last = now;
        return still >= 10;
    });
    return *last;
}

void BackToMenu(Player& player)
{
    // The paper stays at least five seconds; then a click anywhere returns to the menu.
    player.Wait(5 * Second + 10);
    for (int attempt = 0; attempt < 5 && !TextCentre(player.Screen(), StartGame); ++attempt) {
        player.TheHand().Click(static_cast<float>(player.WindowWidth()) / 2,
                               static_cast<float>(player.WindowHeight()) / 2);
        player.Wait(Second);
    }
    SettledMenu(player, "the main menu after the paper", 20 * Second);
}

} // namespace

ShiftReport PlayShift(Player& player, const ShiftOptions& options)
{
    ShiftReport report;
    report.clock = options.clock;
    std::vector<std::unique_ptr<Solver>> solvers = MakeSolvers();
    std::uniform_real_distribution<double> uniform(0.0, 1.0);
    uint64_t started = 0;
    try {
        PXL_Vec2 start = SettledMenu(player, "the main menu", 30 * Second);
        if (options.setClock) {
            player.SetClock(options.clock);
        }
        player.TheHand().Click(start.x, start.y);
        started = player.Frame();
        player.WaitFor("the desk to zoom in", 15 * Second, DeskZoomedIn);
        player.SetInterrupt([](const ScreenDescription& screen) { return NewspaperShown(screen) >= 0; });

        DeskCamera camera(player);
        Desk desk{player, camera, std::string()};
        std::vector<std::string> handled;
        for (;;) {
            camera.ShowTerminal();
            if (options.solveOnly >= 0 && static_cast<int>(report.tasks.size()) >= options.solveOnly) {
                if (!options.waitForEnd) {
                    player.SetInterrupt(nullptr);
                    report.frames = player.Frame() - started;
                    return report;
                }
                // Hands off: only the countdown can end the shift now.
                player.WaitFor("the end of the shift", 7 * 60 * Second, [](const ScreenDescription&) { return false; });
            }
            Solver* solver = NextOrder(player, solvers, handled, desk.date);
            report.date = desk.date;
            report.tasks.push_back(solver->Name());
            bool last = solver->Name() == OnsiteName;
            if (last) {
                report.timeLeft = ReadCountdown(player.Screen());
            }
            if (options.mistakes > 0 && options.chance != nullptr && uniform(*options.chance) < options.mistakes &&
                solver->GiveWrongAnswer(desk)) {
                ++report.wrongAnswers;
            }
            solver->Solve(desk);
            if (last) {
                break;
            }
        }
        player.SetInterrupt(nullptr);
        player.WaitFor("the newspaper", 12 * Second,
                       [](const ScreenDescription& screen) { return NewspaperShown(screen) >= 0; });
    } catch (const Interrupted&) {
        // The newspaper came up while a task was open: the countdown ran out.
    } catch (const StuckError& error) {
        report.failure = error.what();
    }
    player.SetInterrupt(nullptr);
    report.frames = player.Frame() - started;
    report.result = NewspaperShown(player.Screen());
    if (report.result < 0) {
        if (report.failure.empty()) {
            report.failure = "the shift ended without a newspaper";
        }
        return report;
    }
    if (report.result == 0 && report.timeLeft.empty()) {
        report.timeLeft = "00:00:000";
    }
    try {
        BackToMenu(player);
    } catch (const StuckError& error) {
        report.failure = error.what();
    }
    return report;
}
