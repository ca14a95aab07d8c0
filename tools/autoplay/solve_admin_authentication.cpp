// Admin authentication: four switches answer the manual's four questions about today's date; the button
// checks them (four green lamps, or four red ones).
#include "modules/calendar.h"
#include "tools/autoplay/solver.h"

#include <cmath>
#include <optional>

namespace {

const char* const Switch = "Interactables/Switch_1-Sheet.png";
const char* const Button = "Interactables/Button_2-Sheet.png";

struct Panel {
    std::vector<const ScreenPicture*> switches; // left to right
    const ScreenPicture* button = nullptr;
};

// A row of four switches with a push button at its right end.
std::optional<Panel> FindPanel(const ScreenDescription& screen)
{
    for (const auto& row : RowsOf(screen, Switch)) {
        if (row.size() != 4) {
            continue;
        }
        for (const ScreenPicture* button : PicturesOf(screen, Button)) {
            float beyond = button->x - row.back()->x;
            if (std::fabs(button->y - row.back()->y) < 3.0f && beyond > 0 && beyond < 3 * row.back()->width) {
                return Panel{row, button};
            }
        }
    }
    return std::nullopt;
}

// The manual's questions, switch by switch: January to June; Monday to Wednesday; an even day; before the 15th.
std::vector<bool> Answers(const std::string& date)
{
    CalendarDate today = ParseDate(date);
    return {today.month <= 5, today.weekday >= 1 && today.weekday <= 3, today.day % 2 == 0, today.day < 15};
}

class AdminAuthenticationSolver : public Solver {
public:
    AdminAuthenticationSolver() : Solver("Admin Authentication", "Admin Authentication required") {}

    void Solve(Desk& desk) override { Enter(desk, Answers(desk.date), LampColour::Green); }
    bool GiveWrongAnswer(Desk& desk) override
    {
        std::vector<bool> wrong = Answers(desk.date);
        wrong[0] = !wrong[0];
        Enter(desk, wrong, LampColour::Red);
        return true;
    }

private:
    static void Enter(Desk& desk, const std::vector<bool>& answers, LampColour expected)
    {
        desk.camera.Show("Admin Authentication", [](const ScreenDescription& screen) -> std::optional<float> {
            auto panel = FindPanel(screen);
            if (!panel) {
                return std::nullopt;
            }
            return (panel->switches.front()->x + panel->button->x) / 2;
        });
        for (size_t i = 0; i < answers.size(); ++i) {
            auto panel = FindPanel(desk.screen());
            if (!panel) {
                throw StuckError("the authentication panel went out of view");
            }
            if ((panel->switches[i]->frame == 1) != answers[i]) {
                desk.hand().Click(panel->switches[i]->x, panel->switches[i]->y);
            }
        }
        auto panel = FindPanel(desk.screen());
        if (!panel) {
            throw StuckError("the authentication panel went out of view");
        }
        desk.hand().Click(panel->button->x, panel->button->y);
        // The four lamps above the switches show the verdict.
        desk.player.WaitFor("the authentication lamps", 2 * 60, [&](const ScreenDescription& screen) {
            auto now = FindPanel(screen);
            if (!now) {
                return false;
            }
            float size = now->switches[0]->height;
            auto lamps = LampsIn(screen, now->switches[0]->x - size / 4, now->switches[0]->y - 2 * size,
                                 now->switches[3]->x + size / 4, now->switches[0]->y);
            int shown = 0;
            for (const ScreenPicture* lamp : lamps) {
                shown += LampShown(*lamp) == expected ? 1 : 0;
            }
            return shown >= 4;
        });
    }
};

} // namespace

BRIMVALE_SOLVER(AdminAuthenticationSolver);
