// The module base: its events, its trigger by exact name, its controls moved onto the desk, its lamp.
#include "engine/system.h"
#include "flow/events.h"
#include "interaction/interactable.h"
#include "modules/module.h"
#include "platform/pxl.h"
#include "platform/pxl_control.h"
#include "support/headless_window.h"

#include <gtest/gtest.h>
#include <vector>

namespace {

class ModuleBaseTest : public testing::Test {
protected:
    void SetUp() override
    {
        previousBackend = PxlCurrentBackend();
        ASSERT_TRUE(OpenHeadlessWindow());
        ClearAllEvents();
    }

    void TearDown() override
    {
        ClearAllEvents();
        PXL_System_Exit();
        PxlSelectBackend(previousBackend);
    }

    // The event system's update: what was broadcast becomes live.
    void NextFrame() { EventSystem.update(1.0f / 60.0f); }

    PxlBackendKind previousBackend{};
};

TEST_F(ModuleBaseTest, TriggersOnlyOnItsExactName)
{
    struct Case {
        const char* payload;
        bool triggers;
    };
    for (const Case& c : {Case{"Reactor Temperature", true}, Case{"reactor temperature", false},
                          Case{"Reactor Temperature ", false}, Case{"Reactor", false}, Case{"", false}}) {
        Module module("Reactor Temperature", {0, 0});
        Broadcast("module_trigger", c.payload);
        module.Update();
        EXPECT_FALSE(module.active) << "heard before the event system moved it live";
        NextFrame();
        module.Update();
        EXPECT_EQ(module.active, c.triggers) << '"' << c.payload << '"';
        NextFrame();
        ClearAllEvents();
    }
}

TEST_F(ModuleBaseTest, AnnouncesItselfAndReportsAnswersWithItsName)
{
    Module module("Phone", {0, 0});
    module.Init();
    NextFrame();
    ASSERT_TRUE(Listen("module_init"));
    EXPECT_EQ(GetData("module_init"), "Phone");

    module.OnTrigger();
    EXPECT_TRUE(module.active);
    module.OnIncorrect();
    EXPECT_TRUE(module.active) << "a wrong answer keeps the task open";
    NextFrame();
    EXPECT_EQ(GetData("module_incorrect"), "Phone");
    EXPECT_FALSE(Listen("module_correct"));

    module.OnCorrect();
    EXPECT_FALSE(module.active);
    NextFrame();
    EXPECT_EQ(GetData("module_correct"), "Phone");
    // A task set again runs again.
    module.OnTrigger();
    EXPECT_TRUE(module.active);
}

TEST_F(ModuleBaseTest, OffsetInteractablesMovesEachControlByThePositionEveryCall)
{
    Module empty("Calendar", {100, 100});
    empty.OffsetInteractables();
    EXPECT_TRUE(empty.interactables.empty());

    Module module("Targeting", {2400, 70});
    auto* button = new Interactable({10, -20}, {50, 50}, KindMomentary, 0, 0.0f, false);
    auto* lever = new Interactable({-30, 40}, {20, 60}, KindToggle, 0, 45.0f, false);
    module.interactables = {button, lever};
    button->cornersDirty = false;
    lever->cornersDirty = false;
    module.OffsetInteractables();
    EXPECT_FLOAT_EQ(button->position.x, 2410.0f);
    EXPECT_FLOAT_EQ(button->position.y, 50.0f);
    EXPECT_FLOAT_EQ(lever->position.x, 2370.0f);
    EXPECT_FLOAT_EQ(lever->position.y, 110.0f);
    EXPECT_TRUE(button->cornersDirty);
    EXPECT_TRUE(lever->cornersDirty);
    module.OffsetInteractables();
    EXPECT_FLOAT_EQ(button->position.x, 4810.0f);
    EXPECT_FLOAT_EQ(button->position.y, 120.0f);

    module.RemoveInteractables();
    EXPECT_TRUE(module.interactables.empty());
    for (Interactable* control : Interactables()) {
        EXPECT_NE(control, button);
        EXPECT_NE(control, lever);
    }
}

TEST_F(ModuleBaseTest, ScreenSpaceControlsAreConvertedAfterTheOffset)
{
    Module module("Key", {100, 50});
    auto* control = new Interactable({0, 0}, {10, 10}, KindMomentary, 0, 0.0f, true);
    control->position = {540, 310};
    module.interactables = {control};
    module.OffsetInteractables();
    PXL_Vec2 pixel{640, 360};
    PXL_Vec2 expected = PXL_Camera_ScreenCoordToWorld(&pixel);
    EXPECT_FLOAT_EQ(control->position.x, expected.x);
    EXPECT_FLOAT_EQ(control->position.y, expected.y);
    module.RemoveInteractables();
}

TEST_F(ModuleBaseTest, ALampDrawsItsBulbInTheColourOfItsState)
{
    StatusLight lamp({300, 200});
    EXPECT_FALSE(lamp.lit);
    EXPECT_EQ(lamp.size.x, 120.0f);
    EXPECT_EQ(lamp.size.y, 120.0f);
    for (bool lit : {false, true}) {
        lamp.lit = lit;
        PXL_Graphics_StartDrawing();
        lamp.Render();
        PXL_Graphics_FinishDrawing();
        ASSERT_EQ(PxlFrameDraws().size(), 1u);
        const PxlDrawRecord& draw = PxlFrameDraws()[0];
        EXPECT_EQ(draw.texture, lamp.bulbTexture);
        EXPECT_FLOAT_EQ(draw.position.x, 300.0f);
        EXPECT_FLOAT_EQ(draw.scale.x, 120.0f);
        EXPECT_FLOAT_EQ(draw.tint.g, lit ? 1.0f : 0.0f);
        EXPECT_FLOAT_EQ(draw.tint.a, 0.75f);
    }
    lamp.onColour = LampRed;
    PXL_Graphics_StartDrawing();
    lamp.Render();
    PXL_Graphics_FinishDrawing();
    EXPECT_FLOAT_EQ(PxlFrameDraws()[0].tint.r, 1.0f);
    EXPECT_FLOAT_EQ(PxlFrameDraws()[0].tint.g, 0.0f);
}

} // namespace
