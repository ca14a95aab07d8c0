// Reactor temperature: the needle shows the core's temperature; holding the heat button raises it, letting go
// lets it cool. Keep the needle inside the manual's safe band until the ten lamps above the gauge are green,
// then the core settles at zero by itself.
#include "modules/module_tables.h"
#include "tools/autoplay/solver.h"

#include <cmath>
#include <optional>

namespace {

const char* const Gauge = "Modules/ReactorTemperature/temperature-gauge.png";
const char* const Needle = "Modules/ReactorTemperature/temperature-needle.png";
const char* const Button = "Interactables/Button_2-Sheet.png";

struct Reading {
    float degrees = 0; // the needle's deflection, clockwise from straight up, as the dial reads it
    float buttonX = 0, buttonY = 0;
    int greenLamps = 0;
};

std::optional<Reading> Read(const ScreenDescription& screen)
{
    const ScreenPicture* gauge = FirstPictureOf(screen, Gauge);
    const ScreenPicture* needle = FirstPictureOf(screen, Needle);
    if (gauge == nullptr || needle == nullptr) {
        return std::nullopt;
    }
    Reading reading;
    reading.degrees = -needle->rotation * 180.0f / static_cast<float>(M_PI);
    // The heat button sits over the lower half of the gauge.
    const ScreenPicture* button = nullptr;
    for (const ScreenPicture* candidate : PicturesOf(screen, Button)) {
        if (std::fabs(candidate->x - gauge->x) < gauge->width / 4 && candidate->y > gauge->y &&
            candidate->y < gauge->y + gauge->height / 2) {
            button = candidate;
        }
    }
    if (button == nullptr) {
        return std::nullopt;
    }
    reading.buttonX = button->x;
    reading.buttonY = button->y;
    // The row of lamps above the gauge.
    for (const ScreenPicture* lamp : LampsIn(screen, gauge->x - gauge->width * 0.6f, gauge->y - gauge->height * 0.8f,
                                             gauge->x + gauge->width * 0.6f, gauge->y - gauge->height * 0.4f)) {
        reading.greenLamps += LampShown(*lamp) == LampColour::Green ? 1 : 0;
    }
    return reading;
}

class ReactorSolver : public Solver {
public:
    ReactorSolver() : Solver("Reactor Temperature", "Reactor Core underheating") {}

    void Solve(Desk& desk) override
    {
        desk.camera.ShowPicture(Gauge);
        Hand& hand = desk.hand();
        // Pulse the button around the middle of the band, well clear of its edges.
        const float margin = (reactor_table::SafeHigh - reactor_table::SafeLow) / 6;
        int still = 0;
        float last = 1000;
        for (int frame = 0; frame < 90 * 60; ++frame) {
            std::optional<Reading> reading = Read(desk.screen());
            if (!reading) {
                throw StuckError("the reactor gauge went out of view");
            }
            // Every lamp green and the needle resting at zero on its own: the core has settled.
            if (reading->greenLamps == reactor_table::LampCount && reading->degrees == last &&
                std::fabs(reading->degrees) < 0.01f) {
                if (++still >= 10) {
                    if (hand.Held()) {
                        hand.Release();
                    }
                    return;
                }
            } else {
                still = 0;
            }
            last = reading->degrees;
            // Once the time is gathered the needle goes home by itself; the pulsing then does no harm.
            if (!hand.Held() && reading->degrees < -margin) {
                hand.MoveTo(reading->buttonX, reading->buttonY);
                hand.Press();
            } else if (hand.Held() && reading->degrees > margin) {
                hand.Release();
            } else {
                desk.player.Step();
            }
        }
        if (hand.Held()) {
            hand.Release();
        }
        throw StuckError("the reactor's lamps never all turned green");
    }
};

} // namespace

BRIMVALE_SOLVER(ReactorSolver);
