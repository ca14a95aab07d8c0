// The reactor key: open the drawer by its handle, push the clutter off the key, carry the key along the desk to
// the keyhole left of the terminal (dropping it at the screen's edge and dragging the desk along when it is too
// far for one go), and click the keyhole to turn it. There is no wrong answer to give.
#include "tools/autoplay/solver.h"

#include <algorithm>
#include <cmath>
#include <optional>

namespace {

const char* const Drawer = "Desk/Desk_Drawer.png";
const char* const Objects = "Interactables/Desk_Objects.png";
const char* const Keyhole = "Interactables/Keyhole-Sheet.png";
constexpr uint32_t KeyFrame = 15;
// The drawer's picture in its own units (960 square): the front's handle below its middle, the floor above.
constexpr float DrawerUnits = 960;
constexpr float HandleBelow = 390, FloorAbove = 60;
// How far from the floor's middle a thing can be pushed (half the floor less half a thing).
constexpr float ReachX = 170, ReachY = 230;
// A thing lies on what its middle three quarters cover; the key is grabbed by its shaft, the middle half of
// its width and quarter of its height.
constexpr float ObjectBody = 0.75f;
constexpr float KeyShaftWidth = 0.5f, KeyShaftHeight = 0.25f;

struct Box {
    float left, top, right, bottom;
    bool Contains(float x, float y) const { return x > left && x < right && y > top && y < bottom; }
    bool Overlaps(const Box& b) const { return left < b.right && b.left < right && top < b.bottom && b.top < bottom; }
};

Box BodyOf(const ScreenPicture& p, float sx, float sy)
{
    return {p.x - p.width * sx / 2, p.y - p.height * sy / 2, p.x + p.width * sx / 2, p.y + p.height * sy / 2};
}

// What the drawer shows: its picture, the key and the clutter on it, in drawing order (later lies on top).
struct DrawerView {
    ScreenPicture drawer;
    std::optional<ScreenPicture> key;
    bool keyOnTop = false; // drawn after the clutter: out of the drawer, in the hand or on the desk
    std::vector<ScreenPicture> clutter;
    float Scale() const { return drawer.width / DrawerUnits; }
    PXL_Vec2 Handle() const { return {drawer.x, drawer.y + HandleBelow * Scale()}; }
    PXL_Vec2 Floor() const { return {drawer.x, drawer.y - FloorAbove * Scale()}; }
};

std::optional<DrawerView> ReadDrawer(const ScreenDescription& screen)
{
    const ScreenPicture* drawer = FirstPictureOf(screen, Drawer);
    if (drawer == nullptr) {
        return std::nullopt;
    }
    DrawerView view;
    view.drawer = *drawer;
    for (const ScreenPicture* p : PicturesOf(screen, Objects)) {
        if (p->frame == KeyFrame) {
            view.key = *p;
            view.keyOnTop = !view.clutter.empty();
        } else if (p->frame < KeyFrame) {
            view.clutter.push_back(*p);
        }
    }
    return view;
}

// The key wherever it lies: the last frame of the clutter's sheet.
std::optional<ScreenPicture> KeyShown(const ScreenDescription& screen)
{
    for (const ScreenPicture* p : PicturesOf(screen, Objects)) {
        if (p->frame == KeyFrame) {
            return *p;
        }
    }
    return std::nullopt;
}

// A point of the key's shaft that nothing lies on, if any.
std::optional<PXL_Vec2> FreePointOnKey(const DrawerView& view)
{
    if (!view.key) {
        return std::nullopt;
    }
    const Box shaft = BodyOf(*view.key, KeyShaftWidth, KeyShaftHeight);
    if (view.keyOnTop) {
        return PXL_Vec2{view.key->x, view.key->y};
    }
    for (float fy : {0.5f, 0.25f, 0.75f}) {
        for (float fx : {0.5f, 0.3f, 0.7f, 0.15f, 0.85f}) {
            const float x = shaft.left + (shaft.right - shaft.left) * fx,
                        y = shaft.top + (shaft.bottom - shaft.top) * fy;
            const bool covered = std::any_of(view.clutter.begin(), view.clutter.end(), [&](const ScreenPicture& p) {
                return BodyOf(p, ObjectBody, ObjectBody).Contains(x, y);
            });
            if (!covered) {
                return PXL_Vec2{x, y};
            }
        }
    }
    return std::nullopt;
}

class KeySolver : public Solver {
public:
    KeySolver() : Solver("KeyModule", "Reactor core must be unlocked") {}

    void Solve(Desk& desk) override
    {
        if (!KeyInLock(desk.screen())) {
            PXL_Vec2 grip = FindKey(desk);
            CarryToKeyhole(desk, grip);
        }
        Turn(desk);
    }

private:
    static const ScreenPicture* KeyholeShown(const ScreenDescription& screen)
    {
        return FirstPictureOf(screen, Keyhole);
    }

    static bool KeyInLock(const ScreenDescription& screen)
    {
        const ScreenPicture* keyhole = KeyholeShown(screen);
        return keyhole != nullptr && keyhole->frame == 1;
    }

    static DrawerView Look(Desk& desk)
    {
        std::optional<DrawerView> view = ReadDrawer(desk.screen());
        if (!view) {
            throw StuckError("the key drawer went out of view");
        }
        return *view;
    }

    // Lets the drawer finish sliding: its picture stands still.
    static void Settle(Desk& desk)
    {
        float last = -1e9f;
        int still = 0;
        desk.player.WaitFor("the drawer to stop sliding", 2 * 60, [&](const ScreenDescription& screen) {
            std::optional<DrawerView> view = ReadDrawer(screen);
            const float y = view ? view->drawer.y : -1e9f;
            still = std::fabs(y - last) < 0.01f ? still + 1 : 0;
            last = y;
            return still >= 3;
        });
    }

    // Opens the drawer and moves the clutter off the key; returns where to take hold of the key.
    PXL_Vec2 FindKey(Desk& desk)
    {
        desk.camera.ShowPicture(Drawer);
        DrawerView view = Look(desk);
        if (view.keyOnTop) {
            return {view.key->x, view.key->y};
        }
        // Shut, its floor above the window: open it by the handle.
        if (view.Floor().y < 0 || view.clutter.empty()) {
            desk.hand().Click(view.Handle().x, view.Handle().y);
            desk.player.Wait(2);
            Settle(desk);
            view = Look(desk);
        }
        for (int move = 0; move < 30; ++move) {
            if (!view.key) {
                throw StuckError("no key in the open drawer");
            }
            if (std::optional<PXL_Vec2> free = FreePointOnKey(view)) {
                return *free;
            }
            PushOffTheKey(desk, view);
            view = Look(desk);
        }
        throw StuckError("the clutter could not be moved off the key");
    }

    // Takes the topmost thing lying on the key's shaft and pushes it to the end of the drawer farthest from the
    // key, where it cannot cover it.
    static void PushOffTheKey(Desk& desk, const DrawerView& view)
    {
        const Box shaft = BodyOf(*view.key, KeyShaftWidth, KeyShaftHeight);
        const ScreenPicture* top = nullptr;
        size_t topIndex = 0;
        for (size_t i = 0; i < view.clutter.size(); ++i) {
            if (BodyOf(view.clutter[i], ObjectBody, ObjectBody).Overlaps(shaft)) {
                top = &view.clutter[i];
                topIndex = i;
            }
        }
        if (top == nullptr) {
            throw StuckError("the key is covered by nothing that can be moved");
        }
        // Take hold of it where nothing later lies on it.
        const Box body = BodyOf(*top, ObjectBody, ObjectBody);
        auto uncovered = [&](float x, float y) {
            for (size_t j = topIndex + 1; j < view.clutter.size(); ++j) {
                if (BodyOf(view.clutter[j], ObjectBody, ObjectBody).Contains(x, y)) {
                    return false;
                }
            }
            return true;
        };
        PXL_Vec2 grip{top->x, top->y};
        bool found = false;
        for (float f : {0.5f, 0.2f, 0.8f}) {
            for (float g : {0.5f, 0.2f, 0.8f}) {
                const float x = body.left + (body.right - body.left) * g, y = body.top + (body.bottom - body.top) * f;
                if (!found && uncovered(x, y)) {
                    grip = {x, y};
                    found = true;
                }
            }
        }
        const float s = view.Scale();
        const PXL_Vec2 floor = view.Floor();
        const float farEnd = view.key->y < floor.y ? floor.y + ReachY * s : floor.y - ReachY * s;
        desk.hand().Drag(grip.x, grip.y, grip.x, grip.y + (farEnd - top->y), 10);
        desk.player.Wait(2);
    }

    // Carries the key to the keyhole; when the keyhole is not in view, drops the key at the window's edge on
    // that side and drags the desk along.
    static void CarryToKeyhole(Desk& desk, PXL_Vec2 grip)
    {
        const float width = static_cast<float>(desk.screen().windowWidth);
        const float height = static_cast<float>(desk.screen().windowHeight);
        for (int leg = 0; leg < 6; ++leg) {
            std::optional<ScreenPicture> key = KeyShown(desk.screen());
            if (!key) {
                throw StuckError("the reactor key went out of view");
            }
            const PXL_Vec2 offset{key->x - grip.x, key->y - grip.y};
            if (const ScreenPicture* keyhole = KeyholeShown(desk.screen())) {
                desk.hand().Drag(grip.x, grip.y, keyhole->x - offset.x, keyhole->y - offset.y, 16);
                desk.player.WaitFor("the key to go into the keyhole", 30,
                                    [](const ScreenDescription& screen) { return KeyInLock(screen); });
                return;
            }
            // The keyhole is left of the terminal, so left of the drawer: drop the key at the left edge, in the
            // middle of the desk, and bring the desk along by most of a window.
            const float edge = 60, middle = 0.45f * height;
            desk.hand().Drag(grip.x, grip.y, edge - offset.x, middle - offset.y, 16);
            desk.player.Wait(2);
            desk.camera.PanBy(width - 2 * edge - 80);
            key = KeyShown(desk.screen());
            if (!key) {
                throw StuckError("the reactor key went out of view");
            }
            grip = {key->x, key->y};
        }
        throw StuckError("the keyhole was not found along the desk");
    }

    static void Turn(Desk& desk)
    {
        if (KeyholeShown(desk.screen()) == nullptr) {
            desk.camera.ShowPicture(Keyhole);
        }
        const ScreenPicture* keyhole = KeyholeShown(desk.screen());
        desk.hand().Click(keyhole->x, keyhole->y);
        desk.player.WaitFor("the key to turn in the keyhole", 60, [](const ScreenDescription& screen) {
            const ScreenPicture* now = FirstPictureOf(screen, Keyhole);
            return now != nullptr && now->frame == 1 && std::fabs(std::fabs(now->rotation) - 1.5707963f) < 0.01f;
        });
    }
};

} // namespace

BRIMVALE_SOLVER(KeySolver);
