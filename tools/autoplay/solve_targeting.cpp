// The targeting radar: read the code on the code display, look its grid point up in the manual's table, steer
// the green marker onto it (the slider moves it left and right, the dial up and down) and fire.
#include "modules/module_tables.h"
#include "tools/autoplay/solver.h"

#include <cmath>
#include <optional>

namespace {

const char* const Dial = "Interactables/Spinner_1.png";
const char* const Handle = "Interactables/Handle_1.png";
const char* const FireButton = "Interactables/Button_1-Sheet.png";
// The radar's black backing reaches this far past the screen's frame on each side, as a share of the screen.
constexpr float BackingWidthPerScreen = 262.5f / 225.0f;
constexpr float BackingHeightPerScreen = 150.0f / 112.5f;
constexpr float Pi = 3.14159265f;

const targeting_table::Code* CodeShown(const ScreenDescription& screen, float* x)
{
    for (const ScreenText& text : screen.texts) {
        for (const targeting_table::Code& code : targeting_table::Codes) {
            if (text.text == code.text) {
                if (x != nullptr) {
                    *x = text.x;
                }
                return &code;
            }
        }
    }
    return nullptr;
}

bool IsPlain(const ScreenPicture& p, float r, float g, float b)
{
    return p.file.empty() && std::fabs(p.tint.r - r) < 0.05f && std::fabs(p.tint.g - g) < 0.05f &&
           std::fabs(p.tint.b - b) < 0.05f;
}

// What the radar shows: its controls, its screen (window pixels) and the marker, if any. Copies: a frame's
// description does not outlive the next frame.
struct Radar {
    ScreenPicture dial, handle, fire;
    float left = 0, right = 0, top = 0, bottom = 0;
    std::optional<PXL_Vec2> marker;
};

std::optional<Radar> ReadRadar(const ScreenDescription& screen)
{
    const ScreenPicture* dial = FirstPictureOf(screen, Dial);
    const ScreenPicture* handle = FirstPictureOf(screen, Handle);
    const ScreenPicture* fire = FirstPictureOf(screen, FireButton);
    if (dial == nullptr || handle == nullptr || fire == nullptr) {
        return std::nullopt;
    }
    Radar radar;
    radar.dial = *dial;
    radar.handle = *handle;
    radar.fire = *fire;
    // The black backing of the screen: the wide black box above the dial.
    const ScreenPicture* backing = nullptr;
    for (const ScreenPicture& p : screen.pictures) {
        if (IsPlain(p, 0, 0, 0) && p.y < radar.dial.y && std::fabs(p.x - radar.dial.x) < 5 &&
            p.width > p.height * 1.4f && p.width < radar.dial.width * 3) {
            backing = &p;
        }
    }
    if (backing == nullptr) {
        return std::nullopt;
    }
    const float w = backing->width / BackingWidthPerScreen, h = backing->height / BackingHeightPerScreen;
    radar.left = backing->x - w / 2;
    radar.right = backing->x + w / 2;
    radar.top = backing->y - h / 2;
    radar.bottom = backing->y + h / 2;
    for (const ScreenPicture& p : screen.pictures) {
        if (IsPlain(p, 0, 1, 0) && p.width < 20 && std::fabs(p.x - backing->x) < backing->width &&
            std::fabs(p.y - backing->y) < backing->height) {
            radar.marker = PXL_Vec2{p.x, p.y};
        }
    }
    return radar;
}

PXL_Vec2 GoalOnScreen(const Radar& radar, const targeting_table::Code& code)
{
    using namespace targeting_table;
    return {radar.left + (radar.right - radar.left) * static_cast<float>(code.column) / GridColumns,
            radar.bottom - (radar.bottom - radar.top) * static_cast<float>(code.row) / GridRows};
}

LampColour FireLamp(const ScreenDescription& screen, const Radar& radar)
{
    auto lamps = LampsIn(screen, radar.fire.x - 20, radar.fire.y - 80, radar.fire.x + 20, radar.fire.y - 20);
    return lamps.empty() ? LampColour::Other : LampShown(*lamps.front());
}

class TargetingSolver : public Solver {
public:
    TargetingSolver() : Solver("Targeting", "Target and eliminate them") {}

    void Solve(Desk& desk) override
    {
        const targeting_table::Code& code = ReadCode(desk);
        if (AlreadyHit(desk)) {
            return; // an order read a second time (the terminal ran its report onto it)
        }
        for (int shot = 0; shot < 3; ++shot) {
            Radar radar = LookAtRadar(desk);
            Steer(desk, GoalOnScreen(radar, code));
            if (Fire(desk) == LampColour::Green) {
                return;
            }
        }
        throw StuckError("the radar took no shot on the code's point");
    }

    bool GiveWrongAnswer(Desk& desk) override
    {
        const targeting_table::Code& code = ReadCode(desk);
        if (AlreadyHit(desk)) {
            return false;
        }
        // The point of another code, far from this one.
        const targeting_table::Code* far = &code;
        for (const targeting_table::Code& other : targeting_table::Codes) {
            const float d = std::hypot(float(other.column - code.column), float(other.row - code.row));
            if (d > std::hypot(float(far->column - code.column), float(far->row - code.row))) {
                far = &other;
            }
        }
        Radar radar = LookAtRadar(desk);
        Steer(desk, GoalOnScreen(radar, *far));
        Fire(desk);
        return true;
    }

private:
    const targeting_table::Code& ReadCode(Desk& desk)
    {
        desk.camera.Show("Targeting code", [](const ScreenDescription& screen) -> std::optional<float> {
            float x = 0;
            return CodeShown(screen, &x) != nullptr ? std::optional<float>(x) : std::nullopt;
        });
        const targeting_table::Code* code = CodeShown(desk.screen(), nullptr);
        if (code == nullptr) {
            throw StuckError("no code of the manual's table on the code display");
        }
        return *code;
    }

    // A solved radar hides its marker and keeps its lamp green.
    static bool AlreadyHit(Desk& desk)
    {
        desk.camera.ShowPicture(Dial);
        std::optional<Radar> radar = ReadRadar(desk.screen());
        return radar && !radar->marker && FireLamp(desk.screen(), *radar) == LampColour::Green;
    }

    static Radar Current(Desk& desk)
    {
        std::optional<Radar> radar = ReadRadar(desk.screen());
        if (!radar || !radar->marker) {
            throw StuckError("the radar shows no marker");
        }
        return *radar;
    }

    Radar LookAtRadar(Desk& desk)
    {
        desk.camera.ShowPicture(Dial);
        std::optional<Radar> radar = ReadRadar(desk.screen());
        if (!radar || !radar->marker) {
            throw StuckError("the radar shows no marker");
        }
        return *radar;
    }

    // Closed loop: the slider for left-right (the handle moves as far as the marker, up for left), the dial for
    // up-down (the marker swings with the sine of a fifth of the dial's turn), until the marker sits on the goal.
    void Steer(Desk& desk, PXL_Vec2 goal)
    {
        for (int pass = 0; pass < 6; ++pass) {
            Radar radar = Current(desk);
            const float dx = goal.x - radar.marker->x;
            if (std::fabs(dx) > 1.5f) {
                desk.hand().Drag(radar.handle.x, radar.handle.y, radar.handle.x, radar.handle.y + dx, 10);
                desk.player.Wait(2);
                radar = Current(desk);
            }
            const float half = (radar.bottom - radar.top) / 2, centre = (radar.bottom + radar.top) / 2;
            auto swing = [&](float y) { return std::asin(std::clamp((centre - y) / half, -1.0f, 1.0f)); };
            const float turn = 5 * (swing(goal.y) - swing(radar.marker->y));
            if (std::fabs(goal.y - radar.marker->y) > 1.5f) {
                TurnDial(desk, radar.dial, turn * direction);
                desk.player.Wait(2);
                Radar after = Current(desk);
                // Past a quarter swing the dial runs the other way: learn which way it goes now.
                if (std::fabs(goal.y - after.marker->y) > std::fabs(goal.y - radar.marker->y) + 1) {
                    direction = -direction;
                }
            }
            radar = Current(desk);
            if (std::hypot(goal.x - radar.marker->x, goal.y - radar.marker->y) < 3) {
                return;
            }
        }
    }

    // Takes the dial by its rim and turns it by `radians` (anticlockwise positive), a little at a time.
    void TurnDial(Desk& desk, const ScreenPicture& dial, float radians)
    {
        const float r = dial.width * 0.3f;
        const int steps = std::max(1, static_cast<int>(std::ceil(std::fabs(radians) / (Pi / 8))));
        const float start = Pi / 2; // the top of the dial
        auto rimX = [&](float a) { return dial.x + r * std::cos(a); };
        auto rimY = [&](float a) { return dial.y - r * std::sin(a); };
        desk.hand().MoveTo(rimX(start), rimY(start));
        desk.hand().Press();
        for (int i = 1; i <= steps; ++i) {
            const float a = start + radians * static_cast<float>(i) / static_cast<float>(steps);
            desk.hand().MoveTo(rimX(a), rimY(a));
        }
        desk.hand().Release();
    }

    LampColour Fire(Desk& desk)
    {
        Radar radar = Current(desk);
        desk.hand().Click(radar.fire.x, radar.fire.y);
        LampColour shown = LampColour::Other;
        desk.player.WaitFor("the radar's lamp to show the shot", 60, [&](const ScreenDescription& screen) {
            std::optional<Radar> now = ReadRadar(screen);
            if (!now) {
                return false;
            }
            shown = FireLamp(screen, *now);
            return shown == LampColour::Green || shown == LampColour::Red;
        });
        return shown;
    }

    float direction = 1;
};

} // namespace

BRIMVALE_SOLVER(TargetingSolver);
