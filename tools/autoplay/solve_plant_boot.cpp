// The plant boot panel: eight switches in two rows; the manual's pattern lights the nine lamps, which turn green.
#include "modules/plant_boot.h"
#include "tools/autoplay/solver.h"

#include <cmath>
#include <optional>

namespace {

const char* const Switch = "Interactables/Switch_1-Sheet.png";

// The panel's switches: two rows of four, one above the other. Switches 1 to 4 are the lower row, 5 to 8 the
// upper one, each left to right.
std::vector<const ScreenPicture*> BootSwitches(const ScreenDescription& screen)
{
    auto rows = RowsOf(screen, Switch);
    for (size_t upper = 0; upper + 1 < rows.size(); ++upper) {
        const auto& top = rows[upper];
        const auto& bottom = rows[upper + 1];
        if (top.size() != 4 || bottom.size() != 4) {
            continue;
        }
        bool stacked = true;
        for (size_t i = 0; i < 4; ++i) {
            stacked = stacked && std::fabs(top[i]->x - bottom[i]->x) < 3.0f;
        }
        if (stacked) {
            std::vector<const ScreenPicture*> switches(bottom.begin(), bottom.end());
            switches.insert(switches.end(), top.begin(), top.end());
            return switches;
        }
    }
    return {};
}

class PlantBootSolver : public Solver {
public:
    PlantBootSolver() : Solver("Plant Boot", "start the plant boot sequence") {}

    void Solve(Desk& desk) override
    {
        desk.camera.Show("Plant Boot", [](const ScreenDescription& screen) -> std::optional<float> {
            auto switches = BootSwitches(screen);
            if (switches.empty()) {
                return std::nullopt;
            }
            return (switches.front()->x + switches.back()->x) / 2;
        });
        for (size_t i = 0; i < PlantBootPattern.size(); ++i) {
            auto switches = BootSwitches(desk.screen());
            if (switches.size() != PlantBootPattern.size()) {
                throw StuckError("the plant boot panel went out of view");
            }
            bool on = switches[i]->frame == 1;
            if (on != PlantBootPattern[i]) {
                desk.hand().Click(switches[i]->x, switches[i]->y);
            }
        }
        // The nine lamps above the panel light white one by one, then turn green together (and flicker).
        desk.player.WaitFor("the plant boot lamps to turn green", 6 * 60, [](const ScreenDescription& screen) {
            auto switches = BootSwitches(screen);
            if (switches.empty()) {
                return false;
            }
            float left = switches[0]->x - 2 * switches[0]->width;
            float right = switches[3]->x + 2 * switches[0]->width;
            float top = switches[4]->y - 3 * switches[0]->height;
            int green = 0, white = 0;
            for (const ScreenPicture* lamp : LampsIn(screen, left, top, right, switches[4]->y)) {
                green += LampShown(*lamp) == LampColour::Green ? 1 : 0;
                white += LampShown(*lamp) == LampColour::White ? 1 : 0;
            }
            return green > 0 && white == 0;
        });
    }
};

} // namespace

BRIMVALE_SOLVER(PlantBootSolver);
