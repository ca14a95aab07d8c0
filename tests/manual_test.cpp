// The manual on its own, frame by frame on the headless backend, over a small folder of pages.
#include "engine/screen_scale.h"
#include "engine/system.h"
#include "flow/events.h"
#include "interaction/interactable.h"
#include "manual/manual_scene.h"
#include "platform/os.h"
#include "platform/pxl.h"
#include "platform/pxl_control.h"
#include "support/assets_copy.h"
#include "support/headless_window.h"
#include "support/sim_runner.h"

#include <climits>
#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <gtest/gtest.h>
#include <string>
#include <unistd.h>

namespace {

void WritePage(const std::string& path)
{
    // The smallest valid PNG: one opaque white pixel.
    static const unsigned char png[] = {
        0x89, 0x50, 0x4E, 0x47, 0x0D, 0x0A, 0x1A, 0x0A, 0x00, 0x00, 0x00, 0x0D, 0x49, 0x48, 0x44, 0x52, 0x00, 0x00,
        0x00, 0x01, 0x00, 0x00, 0x00, 0x01, 0x08, 0x02, 0x00, 0x00, 0x00, 0x90, 0x77, 0x53, 0xDE, 0x00, 0x00, 0x00,
        0x0C, 0x49, 0x44, 0x41, 0x54, 0x08, 0xD7, 0x63, 0xF8, 0xFF, 0xFF, 0x3F, 0x00, 0x05, 0xFE, 0x02, 0xFE, 0xDC,
        0xCC, 0x59, 0xE7, 0x00, 0x00, 0x00, 0x00, 0x49, 0x45, 0x4E, 0x44, 0xAE, 0x42, 0x60, 0x82};
    FILE* file = std::fopen(path.c_str(), "wb");
    ASSERT_NE(file, nullptr) << path;
    std::fwrite(png, 1, sizeof png, file);
    std::fclose(file);
}

class ManualTest : public ::testing::Test {
protected:
    // Pages "A.png", "B.png" and the blank: an odd count of three, listed as A, B, ManualBlankPage.jpg.
    void SetUp() override
    {
        ASSERT_NE(getcwd(previousFolder, sizeof previousFolder), nullptr);
        std::string folder = TempPath("manual-" + std::to_string(reinterpret_cast<uintptr_t>(this)));
        OsCreateDirectory(folder);
        OsCreateDirectory(folder + "/Assets");
        OsCreateDirectory(folder + "/Assets/Pages");
        OsCreateDirectory(folder + "/Assets/Pages/Drafts"); // folders are not pages
        WritePage(folder + "/Assets/Pages/A.png");
        WritePage(folder + "/Assets/Pages/B.png");
        WritePage(folder + "/Assets/Pages/ManualBlankPage.jpg");
        ASSERT_EQ(chdir(folder.c_str()), 0);

        ASSERT_TRUE(OpenHeadlessWindow(1920, 1080));
        PxlInjectResize(1280, 720);
        ZoomOffset = 0.0f;
        ClearAllEvents();
        manualScene->Init();
        Frames(30); // the book glides up from below and settles at its closed height
    }
    void TearDown() override
    {
        manualScene->Unload();
        InteractionSystem.exit();
        PXL_System_Exit();
        ClearAllEvents();
        ASSERT_EQ(chdir(previousFolder), 0);
    }
    void Frame()
    {
        PXL_System_Update();
        EventSystem.update(dt);
        ScreenScaleSystem.update(dt);
        InteractionSystem.update(dt);
        manualScene->Update(dt);
        PXL_Graphics_StartDrawing();
        manualScene->Render();
        PXL_Graphics_FinishDrawing();
    }
    void Frames(int count)
    {
        for (int i = 0; i < count; ++i) {
            Frame();
        }
    }
    void ClickAt(PXL_Vec2 pixel)
    {
        PxlInjectMouse(pixel.x, pixel.y);
        Frame();
        PxlInjectKey(PXL_KEY_LBUTTON, true);
        Frame();
        PxlInjectKey(PXL_KEY_LBUTTON, false);
        Frame();
    }
    // Window pixel of a world point (the camera is at the origin, 1.5 units a pixel).
    static PXL_Vec2 PixelOf(PXL_Vec2 world) { return {640 + world.x / 1.5f, 360 - world.y / 1.5f}; }
    PXL_Vec2 NextArrowPixel() const { return PixelOf(manualScene->manual.nextArrow->position); }
    PXL_Vec2 PreviousArrowPixel() const { return PixelOf(manualScene->manual.previousArrow->position); }
    void Open()
    {
        ClickAt({640, 700});
        Frames(30);
    }

    const float dt = 1.0f / 60.0f;
    char previousFolder[PATH_MAX] = {};
    Manual& manual = manualScene->manual;
};

TEST_F(ManualTest, OddPageCountIsPaddedWithTheBlankPage)
{
    EXPECT_EQ(manual.pageCount, 3u);
    EXPECT_EQ(manual.evenPageCount, 4u);
    ASSERT_EQ(manual.pages.size(), 4u);
    ASSERT_NE(manual.blankPage, nullptr);
    EXPECT_EQ(manual.pages[2], manual.blankPage) << "the blank sorts after the capital-letter pages";
    EXPECT_EQ(manual.pages[3], manual.blankPage);
}

TEST_F(ManualTest, OpensFromTheStripAndClosesOnAClickBeside)
{
    EXPECT_FALSE(manual.open);
    float closedY = manual.currentY;
    EXPECT_GT(closedY, 720.0f) << "the closed book lies mostly below the window";
    Open();
    EXPECT_TRUE(manual.open);
    EXPECT_FLOAT_EQ(manual.currentY, 360.0f) << "slid to the middle of the window";
    ClickAt({30, 30});
    Frames(30);
    EXPECT_FALSE(manual.open);
    EXPECT_FLOAT_EQ(manual.currentY, closedY);
}

TEST_F(ManualTest, ArrowsTurnPagesOnlyWithinTheBookAndAfterItHasOpened)
{
    ClickAt({640, 700}); // opens; the arrows wake 0.3 s later
    ClickAt(NextArrowPixel());
    EXPECT_EQ(manual.spread, 0) << "too soon after opening";
    Frames(20);
    ClickAt(PreviousArrowPixel());
    EXPECT_EQ(manual.spread, 0) << "nothing before the first spread";
    ClickAt(NextArrowPixel());
    EXPECT_EQ(manual.spread, 1);
    ClickAt(NextArrowPixel());
    EXPECT_EQ(manual.spread, 1) << "nothing after the last spread";
    EXPECT_TRUE(manual.open) << "a click on an arrow does not close the book";
    ClickAt(PreviousArrowPixel());
    EXPECT_EQ(manual.spread, 0);
}

// While the book rises, a player clicks an arrow where a frame showed it, a few frames late; the book has moved
// on, but the click is still the arrow's and never closes the book. Each frame draws the arrows beside the
// pages they belong to.
TEST_F(ManualTest, AnArrowClickedWhileTheBookRisesDoesNotCloseIt)
{
    for (int seenAfter : {1, 3, 6, 9, 13}) {
        SCOPED_TRACE("arrow seen " + std::to_string(seenAfter) + " frames after opening");
        ClickAt({640, 700});
        ASSERT_TRUE(manual.open);
        for (int i = 0; i < seenAfter; ++i) {
            Frame();
            float pageY = 0, arrowY = 0;
            for (const PxlDrawRecord& draw : PxlFrameDraws()) {
                if (draw.scale.x == 800 && draw.scale.y == 1032) {
                    pageY = draw.position.y;
                } else if (draw.scale.x == 100 && draw.scale.y == 100) {
                    arrowY = draw.position.y;
                }
            }
            EXPECT_FLOAT_EQ(arrowY, pageY) << "frame " << i;
        }
        PXL_Vec2 seen = NextArrowPixel();
        Frames(3);
        ClickAt(seen);
        Frames(30);
        EXPECT_TRUE(manual.open);
        EXPECT_EQ(manual.spread, 0) << "too soon after opening to turn";
        ClickAt({30, 30});
        Frames(30);
        ASSERT_FALSE(manual.open);
    }
}

// In windows of every shape, 4:3 and 16:10 among them, the open book's pages and both arrows lie whole inside
// the window, and a click in a corner beside the book still closes it.
TEST_F(ManualTest, TheOpenBookLiesInsideWindowsOfEveryShape)
{
    struct Size {
        int width, height;
    };
    for (Size window : {Size{800, 600}, Size{1920, 1200}, Size{1280, 720}, Size{1920, 1080}, Size{2560, 1080}}) {
        SCOPED_TRACE(std::to_string(window.width) + "x" + std::to_string(window.height));
        PxlInjectResize(window.width, window.height);
        Frames(30);
        PxlInjectMouse(static_cast<float>(window.width) / 2, static_cast<float>(window.height) - 5);
        Frame();
        PxlInjectKey(PXL_KEY_LBUTTON, true);
        Frame();
        PxlInjectKey(PXL_KEY_LBUTTON, false);
        Frames(30);
        ASSERT_TRUE(manual.open);
        int pages = 0, arrows = 0;
        for (const PxlDrawRecord& draw : PxlFrameDraws()) {
            bool page = draw.scale.x == 800 && draw.scale.y == 1032;
            bool arrow = std::fabs(draw.scale.x) == 100 && draw.scale.y == 100;
            if (!page && !arrow) {
                continue;
            }
            (page ? pages : arrows) += 1;
            // World units to window pixels under the frame's camera.
            float left = (draw.position.x - std::fabs(draw.scale.x) / 2 - draw.cameraPosition.x) / draw.cameraZoom;
            float right = (draw.position.x + std::fabs(draw.scale.x) / 2 - draw.cameraPosition.x) / draw.cameraZoom;
            float top = (draw.cameraPosition.y - draw.position.y - draw.scale.y / 2) / draw.cameraZoom;
            float bottom = (draw.cameraPosition.y - draw.position.y + draw.scale.y / 2) / draw.cameraZoom;
            EXPECT_GE(left, -window.width / 2.0f - 0.5f);
            EXPECT_LE(right, window.width / 2.0f + 0.5f);
            EXPECT_GE(top, -window.height / 2.0f - 0.5f);
            EXPECT_LE(bottom, window.height / 2.0f + 0.5f);
        }
        EXPECT_EQ(pages, 2);
        EXPECT_EQ(arrows, 2);
        ClickAt({3, 3});
        Frames(30);
        EXPECT_FALSE(manual.open) << "a click in the window's corner closes the book";
    }
}

TEST_F(ManualTest, ClickDuringASlideTurnsBackFromWhereTheBookIs)
{
    float closedY = manual.currentY;
    ClickAt({640, 700});
    Frames(5);
    float midway = manual.currentY;
    ASSERT_LT(midway, closedY);
    ASSERT_GT(midway, 360.0f);
    // The open book's toggle covers the window: a click anywhere closes it, from where it is.
    PxlInjectMouse(20, 20);
    PxlInjectKey(PXL_KEY_LBUTTON, true);
    Frame();
    PxlInjectKey(PXL_KEY_LBUTTON, false);
    EXPECT_FALSE(manual.open);
    float afterTurn = manual.currentY;
    EXPECT_NEAR(afterTurn, midway, 40.0f) << "no jump back to either end";
    Frames(40);
    EXPECT_FLOAT_EQ(manual.currentY, closedY);
}

} // namespace

TEST(ManualPagesMissingTest, AnEmptyBookIsSaidOnceAndTheGameRunsOn)
{
    namespace fs = std::filesystem;
    const fs::path build = fs::current_path();
    const fs::path sim = fs::absolute(SimPath());
    const fs::path copy = AssetsCopyWithout("Pages", "no-pages");
    fs::current_path(copy);
    SimResult result = RunProgram(sim.string(), {"--frames", "30", "--scene", "GameScene"});
    fs::current_path(build);
    fs::remove_all(copy);
    EXPECT_EQ(result.status, 0) << result.err;
    const std::string said = "The manual has no pages: nothing found in ./Assets/Pages/";
    size_t first = result.err.find(said);
    EXPECT_NE(first, std::string::npos) << result.err;
    EXPECT_EQ(result.err.find(said, first + 1), std::string::npos) << result.err;
}
