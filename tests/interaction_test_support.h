// A headless 1280 by 720 window with scripted input, for the controls, the terminal and the menus.
#pragma once

#include "engine/screen_scale.h"
#include "engine/system.h"
#include "flow/events.h"
#include "platform/pxl.h"
#include "platform/pxl_control.h"
#include "support/headless_window.h"

#include <gtest/gtest.h>

class HeadlessUi : public ::testing::Test {
protected:
    static constexpr float Dt = 1.0f / 60.0f;

    void SetUp() override
    {
        ASSERT_TRUE(OpenHeadlessWindow());
        ZoomOffset = 0.0f;
        ScreenScaleSystem.update(0.0f);
    }

    void TearDown() override
    {
        InteractionSystem.exit();
        ClearAllEvents();
        const PXL_Vec2 origin = {0, 0};
        PXL_Camera_SetPosition(&origin);
        ZoomOffset = 0.0f;
        PxlSetScriptedInput(false);
        PXL_System_Exit();
    }

    // The window pixel that shows a world point under the current camera.
    static PXL_Vec2 PixelOf(PXL_Vec2 world)
    {
        PXL_Vec2 origin = {0, 0};
        PXL_Vec2 unit = {1, 1};
        PXL_Vec2 a = PXL_Camera_ScreenCoordToWorld(&origin);
        PXL_Vec2 b = PXL_Camera_ScreenCoordToWorld(&unit);
        return {(world.x - a.x) / (b.x - a.x), (world.y - a.y) / (b.y - a.y)};
    }

    static void PointAt(PXL_Vec2 world)
    {
        PXL_Vec2 pixel = PixelOf(world);
        PxlInjectMouse(pixel.x, pixel.y);
    }

    static void Button(bool down) { PxlInjectKey(PXL_KEY_LBUTTON, down); }

    // Input edges of one frame, then the controls, as the engine runs them.
    static void ControlsFrame()
    {
        PXL_System_Update();
        ScreenScaleSystem.update(Dt);
        InteractionSystem.update(Dt);
    }

    // The left button goes down over a world point; that frame's controls are updated.
    static void PressAt(PXL_Vec2 world)
    {
        PointAt(world);
        Button(true);
        ControlsFrame();
    }

    // The button comes up again in a frame of its own.
    static void Release()
    {
        Button(false);
        ControlsFrame();
    }
};
