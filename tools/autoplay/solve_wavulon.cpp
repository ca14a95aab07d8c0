// The Wavulon 3000: read the wave on its screen, press its three round buttons in the manual's order for that
// wave, and watch the three lamps beside the screen turn green.
#include "modules/module_tables.h"
#include "tools/autoplay/solver.h"

#include <cmath>
#include <optional>

namespace {

const char* const RoundButton = "Interactables/Button_2-Sheet.png";

std::string WaveFile(int pattern)
{
    return AssetInfo(wavulon_table::WavePictures[static_cast<size_t>(pattern)]).path;
}

// Which wave the screen shows, and where: none while the machine is idle (its screen is dark).
struct WaveShown {
    int pattern = -1;
    const ScreenPicture* picture = nullptr;
};

WaveShown ReadWave(const ScreenDescription& screen)
{
    for (int p = 0; p < wavulon_table::PatternCount; ++p) {
        if (const ScreenPicture* picture = FirstPictureOf(screen, WaveFile(p))) {
            return {p, picture};
        }
    }
    return {};
}

// The machine's three buttons: the row of three round buttons right under the wave screen, left to right.
std::vector<const ScreenPicture*> Buttons(const ScreenDescription& screen, const ScreenPicture& wave)
{
    for (const auto& row : RowsOf(screen, RoundButton)) {
        if (row.size() != wavulon_table::ButtonCount) {
            continue;
        }
        const float middle = row[1]->x;
        if (std::fabs(middle - wave.x) < wave.width / 4 && row[1]->y > wave.y && row[1]->y < wave.y + wave.height) {
            return {row.begin(), row.end()};
        }
    }
    return {};
}

class WavulonSolver : public Solver {
public:
    WavulonSolver() : Solver("Wavulon3000", "Regulate them using the Wavulon 3000") {}

    void Solve(Desk& desk) override
    {
        for (int attempt = 0; attempt < 4; ++attempt) {
            const int shown = Look(desk);
            if (shown < 0) {
                return; // an order read a second time: the machine is done, dark with three green lamps
            }
            Press(desk, Order(shown));
            bool done = false;
            desk.player.WaitFor("the Wavulon's lamps to turn green or its wave to change", 3 * 60,
                                [&](const ScreenDescription& screen) {
                                    WaveShown wave = ReadWave(screen);
                                    if (wave.picture == nullptr) {
                                        // The screen goes dark when the task is done; the lamps stay green.
                                        done = GreenLamps(screen) == wavulon_table::ButtonCount;
                                        return done;
                                    }
                                    return wave.pattern != shown;
                                });
            if (done) {
                solvedOnce = true;
                return;
            }
        }
        throw StuckError("the Wavulon 3000 took none of the manual's orders");
    }

    bool GiveWrongAnswer(Desk& desk) override
    {
        const int shown = Look(desk);
        if (shown < 0) {
            return false;
        }
        std::vector<int> order = Order(shown);
        std::swap(order.front(), order.back()); // the right buttons in the wrong order
        Press(desk, order);
        desk.player.WaitFor("the Wavulon to show another wave", 3 * 60, [&](const ScreenDescription& screen) {
            WaveShown wave = ReadWave(screen);
            return wave.picture != nullptr && wave.pattern != shown;
        });
        return true;
    }

private:
    // Brings the machine into view and reads its wave; -1 when the machine is done already.
    int Look(Desk& desk)
    {
        desk.camera.Show("Wavulon3000", [this](const ScreenDescription& screen) -> std::optional<float> {
            WaveShown wave = ReadWave(screen);
            if (wave.picture != nullptr) {
                return wave.picture->x;
            }
            // Once solved, the dark screen is known by the three green lamps beside it.
            if (solvedOnce) {
                for (const auto& row : RowsOf(screen, RoundButton)) {
                    if (row.size() == wavulon_table::ButtonCount) {
                        screenX = row[1]->x;
                        if (GreenLamps(screen) == wavulon_table::ButtonCount) {
                            return row[1]->x;
                        }
                    }
                }
            }
            return std::nullopt;
        });
        WaveShown wave = ReadWave(desk.screen());
        if (wave.picture == nullptr) {
            if (solvedOnce) {
                return -1;
            }
            throw StuckError("the Wavulon's screen shows no wave");
        }
        screenX = wave.picture->x;
        return wave.pattern;
    }

    static std::vector<int> Order(int pattern)
    {
        std::vector<int> order;
        for (int i = 0; i < wavulon_table::ButtonCount; ++i) {
            order.push_back(wavulon_table::Patterns[static_cast<size_t>(pattern * wavulon_table::ButtonCount + i)]);
        }
        return order;
    }

    void Press(Desk& desk, const std::vector<int>& order)
    {
        for (int button : order) {
            WaveShown wave = ReadWave(desk.screen());
            if (wave.picture == nullptr) {
                throw StuckError("the Wavulon's screen went dark during an attempt");
            }
            auto buttons = Buttons(desk.screen(), *wave.picture);
            if (buttons.size() != wavulon_table::ButtonCount) {
                throw StuckError("the Wavulon's buttons are not in view");
            }
            desk.hand().Click(buttons[static_cast<size_t>(button)]->x, buttons[static_cast<size_t>(button)]->y);
        }
    }

    // Green lamps beside the (dark) screen where the wave was last seen.
    int GreenLamps(const ScreenDescription& screen) const
    {
        int green = 0;
        for (const ScreenPicture* lamp : LampsIn(screen, screenX + 90, 0, screenX + 160, float(screen.windowHeight))) {
            green += LampShown(*lamp) == LampColour::Green ? 1 : 0;
        }
        return green;
    }

    float screenX = 0;
    bool solvedOnce = false;
};

} // namespace

BRIMVALE_SOLVER(WavulonSolver);
