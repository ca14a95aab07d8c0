// The sign counting the days since the last meltdown: its button adds the day that ends the shift.
#include "tools/autoplay/solver.h"

#include <cmath>
#include <optional>

namespace {

const char* const Sign = "Aesthetics/IncidentSign.png";

// The plain white button beside the sign.
const ScreenPicture* DayButton(const ScreenDescription& screen, const ScreenPicture& sign)
{
    for (const ScreenPicture& picture : screen.pictures) {
        bool white = picture.tint.r > 0.95f && picture.tint.g > 0.95f && picture.tint.b > 0.95f;
        if (picture.file.empty() && white && std::fabs(picture.y - sign.y) < sign.height / 4 &&
            picture.x < sign.x - sign.width / 2 && picture.x > sign.x - sign.width) {
            return &picture;
        }
    }
    return nullptr;
}

// The count drawn on the sign.
std::string DaysShown(const ScreenDescription& screen, const ScreenPicture& sign)
{
    for (const ScreenText& run : screen.texts) {
        if (!run.text.empty() && std::isdigit(static_cast<unsigned char>(run.text[0])) && sign.Contains(run.x, run.y)) {
            return run.text;
        }
    }
    return std::string();
}

class OnsiteIncidentSolver : public Solver {
public:
    OnsiteIncidentSolver() : Solver("Onsite Incident", "add another day without incident") {}

    void Solve(Desk& desk) override
    {
        desk.camera.ShowPicture(Sign);
        const ScreenPicture* sign = FirstPictureOf(desk.screen(), Sign);
        const ScreenPicture* button = sign != nullptr ? DayButton(desk.screen(), *sign) : nullptr;
        if (button == nullptr) {
            throw StuckError("the day counter's button is not in view");
        }
        std::string before = DaysShown(desk.screen(), *sign);
        desk.hand().Click(button->x, button->y);
        desk.player.WaitFor("the day counter to count the day", 60, [&](const ScreenDescription& screen) {
            const ScreenPicture* now = FirstPictureOf(screen, Sign);
            return now != nullptr && DaysShown(screen, *now) != before;
        });
    }
};

} // namespace

BRIMVALE_SOLVER(OnsiteIncidentSolver);
