// The targeting radar worked with the mouse: the slider steers the marker left and right, the dial up and
// down, and the fire button judges the shot against the grid point of the displayed code.
#include "module_test_support.h"
#include "modules/targeting.h"

#include <cmath>

namespace {

constexpr float Pi = 3.14159265f;

class TargetingTest : public DeskModules {
protected:
    void SetUp() override
    {
        DeskModules::SetUp();
        const PXL_Vec2 desk = {2400, 70};
        PXL_Camera_SetPosition(&desk);
        std::srand(7);
        targeting.Init();
        modules = {&targeting};
        Frame(false); // the slider puts its handle on the track
    }

    void TearDown() override
    {
        targeting.Exit();
        modules.clear();
        DeskModules::TearDown();
    }

    PXL_Vec2 World(PXL_Vec2 relative) const
    {
        return {targeting.position.x + relative.x, targeting.position.y + relative.y};
    }

    // Grabs the handle and pulls it along the track to `value` (or beyond its ends), then lets go.
    void DragSliderTo(float value)
    {
        const Slider& slider = *targeting.slider;
        PointAt(slider.position);
        Frame(true);
        const PXL_Vec2 to = {slider.start.x + (slider.end.x - slider.start.x) * value,
                             slider.start.y + (slider.end.y - slider.start.y) * value};
        PointAt(to);
        Frame(true);
        Frame(false);
    }

    // Takes the dial by its rim and turns it by `radians` (counter-clockwise positive) in small steps.
    void TurnDial(float radians)
    {
        const PXL_Vec2 centre = targeting.spinner->position;
        const int steps = static_cast<int>(std::ceil(std::fabs(radians) / (Pi / 12)));
        auto rim = [&](float angle) {
            return PXL_Vec2{centre.x + 40 * std::cos(angle), centre.y + 40 * std::sin(angle)};
        };
        PointAt(rim(0));
        Frame(true);
        for (int i = 1; i <= steps; ++i) {
            PointAt(rim(radians * static_cast<float>(i) / static_cast<float>(steps)));
            Frame(true);
        }
        Frame(false);
    }

    void Fire() { Click(targeting.fireButton->position); }

    float DistanceToGoal() const
    {
        const PXL_Vec2 goal = targeting.goalPoints[static_cast<size_t>(targeting.codeIndex)];
        return std::hypot(targeting.target.x - goal.x, targeting.target.y - goal.y);
    }

    TargetingModule targeting{"Targeting", {2400, 70}, {450, 200}};
};

TEST_F(TargetingTest, TheGoalPointsAndTheCrosshairLieOnTheFiveByThreeGrid)
{
    const PXL_Vec2 expected[5] = {
        {-67.5f, 143.75f}, {22.5f, 68.75f}, {67.5f, 181.25f}, {112.5f, 106.25f}, {22.5f, 143.75f}};
    for (size_t i = 0; i < 5; ++i) {
        EXPECT_FLOAT_EQ(targeting.goalPoints[i].x, expected[i].x) << i;
        EXPECT_FLOAT_EQ(targeting.goalPoints[i].y, expected[i].y) << i;
    }
    const float column = (targeting.crosshairPoint.x + 112.5f) / 45.0f;
    const float row = (targeting.crosshairPoint.y - 68.75f) / 37.5f;
    EXPECT_TRUE(column == 1 || column == 2 || column == 3) << column;
    EXPECT_TRUE(row == 1 || row == 2) << row;
    EXPECT_STREQ(targeting.Code(), targeting_table::Codes[static_cast<size_t>(targeting.codeIndex)].text.data());
}

TEST_F(TargetingTest, TheSliderEndsAreTheScreensLeftAndRightEdges)
{
    targeting.OnTrigger();
    DragSliderTo(-0.5f); // past the upper end
    EXPECT_EQ(targeting.slider->value, 0.0f);
    EXPECT_FLOAT_EQ(targeting.target.x, -112.5f);
    DragSliderTo(1.5f);
    EXPECT_EQ(targeting.slider->value, 1.0f);
    EXPECT_FLOAT_EQ(targeting.target.x, 112.5f);
}

TEST_F(TargetingTest, TheDialSwingsTheMarkerBetweenTheTopAndBottomEdges)
{
    targeting.OnTrigger();
    const struct {
        float turn;
        float y;
    } cases[] = {{2.5f * Pi, 181.25f}, {-2.5f * Pi, 68.75f}, {5.0f * Pi, 125.0f}};
    for (const auto& c : cases) {
        TurnDial(c.turn - targeting.spinner->totalTurn);
        EXPECT_NEAR(targeting.spinner->totalTurn, c.turn, 1e-3f);
        EXPECT_NEAR(targeting.target.y, c.y, 0.05f) << c.turn;
    }
}

TEST_F(TargetingTest, AShotExactlyThirtyAwayIsAMissThatChangesNeitherCodeNorGoalNorCrosshair)
{
    // Code 2 lies on the top edge at x 67.5; the dial at a quarter swing holds the marker on that edge.
    targeting.codeIndex = 2;
    const PXL_Vec2 crosshair = targeting.crosshairPoint;
    const PXL_Vec2 goal = targeting.goalPoints[2];
    targeting.OnTrigger();
    targeting.spinner->totalTurn = 2.5f * Pi;
    targeting.slider->value = 2.0f / 3.0f;
    Frame(false);
    ASSERT_EQ(DistanceToGoal(), 30.0f);
    Fire();
    EXPECT_EQ(Broadcasts("module_incorrect", "Targeting"), 1);
    EXPECT_TRUE(targeting.active);
    EXPECT_TRUE(targeting.light->lit);
    EXPECT_EQ(targeting.light->onColour.r, 1.0f);
    EXPECT_EQ(targeting.codeIndex, 2);
    EXPECT_EQ(targeting.goalPoints[2].x, goal.x);
    EXPECT_EQ(targeting.goalPoints[2].y, goal.y);
    EXPECT_EQ(targeting.crosshairPoint.x, crosshair.x);
    EXPECT_EQ(targeting.crosshairPoint.y, crosshair.y);

    // Touching a control again puts the lamp out; a little closer is a hit.
    DragSliderTo(2.0f / 3.0f + 0.01f);
    EXPECT_FALSE(targeting.light->lit);
    ASSERT_LT(DistanceToGoal(), 30.0f);
    Fire();
    EXPECT_EQ(Broadcasts("module_correct", "Targeting"), 1);
    EXPECT_EQ(Broadcasts("terminal_append_line", "Beta particle eliminated."), 1);
    EXPECT_TRUE(targeting.solved);
    EXPECT_FALSE(targeting.active);
    EXPECT_TRUE(targeting.light->lit);
    EXPECT_EQ(targeting.light->onColour.g, 1.0f);
    EXPECT_EQ(targeting.light->onColour.r, 0.0f);
}

TEST_F(TargetingTest, OnlyTheMiddleHalfOfTheFireButtonTakesTheClick)
{
    targeting.OnTrigger();
    const PXL_Vec2 button = targeting.fireButton->position;
    Click({button.x + 45, button.y}); // on the drawn button, outside its middle half
    Click({button.x - 45, button.y});
    EXPECT_EQ(Broadcasts("module_incorrect", "Targeting") + Broadcasts("module_correct", "Targeting"), 0);
    Click({button.x + 25, button.y + 55});
    EXPECT_EQ(Broadcasts("module_incorrect", "Targeting") + Broadcasts("module_correct", "Targeting"), 1);
}

TEST_F(TargetingTest, GoalPointsOnTheBottomAndRightEdgesAreReachedWithTheControls)
{
    for (int code : {1, 3}) {
        targeting.codeIndex = code;
        targeting.solved = false;
        targeting.OnTrigger();
        const PXL_Vec2 goal = targeting.goalPoints[static_cast<size_t>(code)];
        DragSliderTo((goal.x + 112.5f) / 225.0f);
        const float swing = std::asin(std::clamp((goal.y - 125.0f) / 56.25f, -1.0f, 1.0f)) * 5.0f;
        TurnDial(swing - targeting.spinner->totalTurn);
        EXPECT_LT(DistanceToGoal(), 5.0f) << code;
        Fire();
        EXPECT_TRUE(targeting.solved) << code;
        EXPECT_FALSE(targeting.active) << code;
    }
    EXPECT_EQ(Broadcasts("module_correct", "Targeting"), 2);
}

} // namespace
