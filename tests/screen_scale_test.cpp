#include "engine/screen_scale.h"
#include "engine/system.h"
#include "platform/pxl.h"
#include "platform/pxl_control.h"
#include "support/headless_window.h"

#include <gtest/gtest.h>

namespace {

class ScreenScaleTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(OpenHeadlessWindow(1920, 1080));
        ZoomOffset = 0.0f;
    }
    void TearDown() override
    {
        ZoomOffset = 0.0f;
        PXL_System_Exit();
    }
    void Resize(int width, int height)
    {
        PxlInjectResize(width, height);
        PXL_System_Update();
        ScreenScaleSystem.update(0.0f);
    }
};

TEST_F(ScreenScaleTest, InitBringsTheWindowTo1280By720)
{
    ASSERT_TRUE(ScreenScaleSystem.init());
    PXL_System_Update();
    PXL_Vec2 size = PXL_Window_GetSize();
    EXPECT_EQ(size.x, 1280);
    EXPECT_EQ(size.y, 720);
}

struct ZoomCase {
    int width, height;
    float offset, zoom;
};

// 16:9 and wider windows fit the design height; narrower ones (4:3, 16:10) the design width, so nothing of a
// screen falls off the sides.
TEST_F(ScreenScaleTest, ZoomFitsTheDesignHeightOrInNarrowerWindowsTheWidth)
{
    for (ZoomCase c :
         {ZoomCase{1280, 720, 0.0f, 1.5f}, ZoomCase{1920, 1080, 0.0f, 1.0f}, ZoomCase{1920, 1080, 0.5f, 0.5f},
          ZoomCase{1280, 720, 0.5f, 0.75f}, ZoomCase{2560, 1080, 0.0f, 1.0f}, ZoomCase{800, 600, 0.0f, 2.4f},
          ZoomCase{1920, 1200, 0.0f, 1.0f}, ZoomCase{1024, 768, 0.5f, 0.9375f}}) {
        ZoomOffset = c.offset;
        Resize(c.width, c.height);
        EXPECT_FLOAT_EQ(PxlCameraZoom(), c.zoom) << c.width << "x" << c.height << " offset " << c.offset;
    }
}

TEST_F(ScreenScaleTest, ScreenToWorldKeepsDesignPixelsOnScreen)
{
    PXL_Vec2 camera = {300, -40};
    PXL_Camera_SetPosition(&camera);
    for (float offset : {0.0f, 0.5f}) {
        ZoomOffset = offset;
        Resize(1280, 720);
        PXL_Vec2 centre = ScreenToWorld({0, 0});
        EXPECT_FLOAT_EQ(centre.x, 300);
        EXPECT_FLOAT_EQ(centre.y, -40);
        // 300 design pixels right and 150 down are 200 and 100 window pixels at 720 high.
        PXL_Vec2 point = ScreenToWorld({300, 150});
        PXL_Vec2 pixel = {640 + 200, 360 + 100};
        PXL_Vec2 expected = PXL_Camera_ScreenCoordToWorld(&pixel);
        EXPECT_NEAR(point.x, expected.x, 1e-3);
        EXPECT_NEAR(point.y, expected.y, 1e-3);
    }
}

} // namespace
