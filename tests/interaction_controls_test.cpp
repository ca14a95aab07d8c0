// Controls on the headless window: hit tests, the overlap rule, dragging, and the menu buttons.
#include "interaction/buttons.h"
#include "interaction/interactable.h"
#include "interaction_test_support.h"

#include <cmath>

namespace {

using InteractionTest = HeadlessUi;

constexpr float Pi = 3.14159265f;

Interactable* Control(PXL_Vec2 position, PXL_Vec2 size, uint32_t kind, int32_t order, float rotation = 0.0f,
                      bool screenSpace = false)
{
    return new Interactable(position, size, kind, order, rotation, screenSpace);
}

TEST_F(InteractionTest, OnlyAStrictlyHigherOrderTakesTheFrame)
{
    // Orders 3 and 5 on the same spot: the higher one has the click; the lower momentary keeps its value.
    Interactable* low = Control({0, 0}, {100, 100}, KindMomentary, 3);
    Interactable* high = Control({10, 0}, {100, 100}, KindMomentary, 5);
    // A toggle under a higher control keeps its value, on and off.
    Interactable* toggleOff = Control({0, 0}, {100, 100}, KindToggle, 2);
    Interactable* toggleOn = Control({0, 0}, {100, 100}, KindToggle, 2);
    toggleOn->value = 1.0f;
    // Equal orders both keep their flags.
    Interactable* twinA = Control({400, 0}, {100, 100}, KindMomentary, 7);
    Interactable* twinB = Control({400, 0}, {100, 100}, KindMomentary, 7);

    PressAt({0, 0});
    EXPECT_TRUE(high->hovered && high->clicked && high->held);
    EXPECT_FALSE(low->hovered || low->clicked || low->held);
    EXPECT_EQ(low->value, 1.0f);
    EXPECT_FALSE(toggleOff->clicked);
    EXPECT_EQ(toggleOff->value, 0.0f);
    EXPECT_EQ(toggleOn->value, 1.0f);

    Release();
    PressAt({400, 0});
    EXPECT_TRUE(twinA->clicked && twinB->clicked);
    EXPECT_FALSE(high->hovered);
}

struct HitCase {
    const char* what;
    float rotation;
    bool screenSpace;
    PXL_Vec2 point;
    bool hit;
};

TEST_F(InteractionTest, HitTestFollowsTheTurnAndItsTolerance)
{
    // A 100 by 100 square at the origin; turned by 45 degrees it is a diamond reaching 70.7 along the axes.
    const HitCase cases[] = {
        {"turned corner", 45, false, {0, 64}, true},
        {"unturned corner of a turned square", 45, false, {45, 45}, false},
        {"unturned corner", 0, false, {45, 45}, true},
        {"just past an edge, within the tolerance", 0, false, {50.05f, 0}, true},
        {"past an edge beyond the tolerance", 0, false, {50.4f, 0}, false},
        {"screen space ignores the turn", 45, true, {45, 45}, true},
        {"screen space outside", 45, true, {0, 64}, false},
    };
    for (const HitCase& c : cases) {
        // A screen-space control is placed in window pixels: put it where the origin shows.
        PXL_Vec2 place = c.screenSpace ? PixelOf({0, 0}) : PXL_Vec2{0, 0};
        Interactable* control = Control(place, {100, 100}, KindMomentary, 0, c.rotation, c.screenSpace);
        PointAt(c.point);
        ControlsFrame();
        EXPECT_EQ(control->hovered, c.hit) << c.what;
        RemoveInteractable(control);
    }
}

TEST_F(InteractionTest, ADisabledControlReportsNothing)
{
    Interactable* control = Control({0, 0}, {100, 100}, KindMomentary, 0);
    control->enabled = false;
    PressAt({0, 0});
    EXPECT_FALSE(control->hovered || control->clicked || control->held);
    EXPECT_EQ(control->value, 0.0f);
}

TEST_F(InteractionTest, SliderDragsUnderAHigherControlAndClampsAtBothEnds)
{
    auto* slider = new Slider({-100, 0}, {100, 0}, {20, 40}, 0.5f, 0.0f, 1);
    Control({0, 0}, {60, 60}, KindMomentary, 9); // something on top of the handle
    ControlsFrame();

    PressAt({0, 0});
    EXPECT_TRUE(slider->dragging);
    EXPECT_FALSE(slider->hovered || slider->clicked);

    for (auto [x, expected] : {std::pair{50.0f, 0.75f}, {400.0f, 1.0f}, {-400.0f, 0.0f}, {-50.0f, 0.25f}}) {
        PointAt({x, 30});
        ControlsFrame();
        EXPECT_NEAR(slider->value, expected, 1e-3) << "cursor at x " << x;
    }
    EXPECT_NEAR(slider->position.x, -50.0f, 0.2f);

    // Released anywhere, the drag ends and the handle stays where it was left.
    PointAt({300, 300});
    Release();
    ControlsFrame();
    EXPECT_FALSE(slider->dragging);
    EXPECT_NEAR(slider->value, 0.25f, 1e-3);
}

TEST_F(InteractionTest, SpinnerTurnedThroughPiTurnsSmoothly)
{
    auto* spinner = new Spinner({0, 0}, {200, 200});
    auto at = [](float degrees) {
        float a = degrees * Pi / 180.0f;
        return PXL_Vec2{80.0f * std::cos(a), 80.0f * std::sin(a)};
    };
    PressAt(at(150));
    // Counter-clockwise across the point where atan2 jumps from pi to -pi.
    for (float degrees = 160; degrees <= 220; degrees += 10) {
        PointAt(at(degrees));
        ControlsFrame();
        EXPECT_NEAR(spinner->lastTurn, 10 * Pi / 180, 0.01f) << degrees;
    }
    EXPECT_NEAR(spinner->totalTurn, 70 * Pi / 180, 0.02f);
    // The hit box turns with the dial.
    EXPECT_NEAR(spinner->rotation, spinner->angle * 180 / Pi, 1e-3);
}

TEST_F(InteractionTest, UIButtonKeepsItsScreenPlaceAndSizeUnderZoom)
{
    auto* button = new UIButton({300, -200}, {400, 100}, "Confirm", 10);
    InteractionSystem.update(Dt);
    PXL_Vec2 pixelAtZoom0 = PixelOf(button->position);

    ZoomOffset = 0.5f;
    ControlsFrame();
    EXPECT_FLOAT_EQ(button->size.x, 200.0f);
    EXPECT_FLOAT_EQ(button->size.y, 50.0f);
    EXPECT_FLOAT_EQ(button->currentGlyphSize.x, 35.0f);
    EXPECT_FLOAT_EQ(button->currentGlyphSize.y, 35.0f);
    PXL_Vec2 pixel = PixelOf(button->position);
    EXPECT_NEAR(pixel.x, pixelAtZoom0.x, 0.01f);
    EXPECT_NEAR(pixel.y, pixelAtZoom0.y, 0.01f);
    // 300 design pixels right of the centre and 200 up, at two thirds in a 720-high window.
    EXPECT_NEAR(pixel.x, 640 + 200, 0.01f);
    EXPECT_NEAR(pixel.y, 360 - 400.0f / 3, 0.01f);
}

int upperClicks = 0;
int lowerClicks = 0;

TEST_F(InteractionTest, OverlappingUIButtonsBothFireBeforeTheOverlapIsSettled)
{
    upperClicks = lowerClicks = 0;
    auto* lower = new UIButton({0, 0}, {400, 100}, "Lower", 1);
    auto* upper = new UIButton({0, 0}, {400, 100}, "Upper", 2);
    lower->onClick = [] { ++lowerClicks; };
    upper->onClick = [] { ++upperClicks; };
    auto* silent = new UIButton({0, 0}, {400, 100}, "", 0); // no handler: only the click cue
    PressAt({0, 0});
    EXPECT_EQ(lowerClicks, 1);
    EXPECT_EQ(upperClicks, 1);
    EXPECT_FALSE(lower->clicked || lower->hovered);
    EXPECT_TRUE(upper->clicked);
    EXPECT_FALSE(silent->clicked);
}

Interactable* doomed[2] = {};
Interactable* survivor = nullptr;

TEST_F(InteractionTest, AHandlerMayRemoveItsOwnButtonAndOthersDuringTheUpdate)
{
    // A "Cancel" that closes its own panel frees its button while the button is still being updated.
    auto* first = new UIButton({0, 0}, {400, 100}, "Cancel", 1);
    auto* second = new UIButton({0, 0}, {400, 100}, "Other", 1);
    survivor = Control({0, 0}, {100, 100}, KindMomentary, 1);
    doomed[0] = first;
    doomed[1] = second;
    first->onClick = [] {
        RemoveInteractable(doomed[0]);
        RemoveInteractable(doomed[1]);
    };
    second->onClick = [] { FAIL() << "a removed button was still updated"; };
    PressAt({0, 0});
    ASSERT_EQ(Interactables().size(), 1u);
    EXPECT_EQ(Interactables()[0], survivor);
    EXPECT_TRUE(survivor->clicked);
}

} // namespace
