// The real SDL + OpenGL backend under a display: the simulator's screenshots show the splash's black and the
// main menu's beige around its terminal.
#include "stb_image.h"
#include "support/sim_runner.h"

#include <cstdlib>
#include <gtest/gtest.h>
#include <string>

namespace {

struct Picture {
    int width = 0, height = 0;
    unsigned char* pixels = nullptr;
    ~Picture() { stbi_image_free(pixels); }
    const unsigned char* At(int x, int y) const { return pixels + 4 * (y * width + x); }
};

bool HaveDisplay()
{
    const char* display = std::getenv("DISPLAY");
    return display != nullptr && *display != '\0';
}

void Load(const std::string& path, Picture& picture)
{
    int channels = 0;
    picture.pixels = stbi_load(path.c_str(), &picture.width, &picture.height, &channels, 4);
    ASSERT_NE(picture.pixels, nullptr) << path;
}

TEST(EngineScreenshotTest, SplashIsBlackAndTheMenuIsBeige)
{
    if (!HaveDisplay()) {
        GTEST_SKIP() << "needs a display (run under xvfb-run)";
    }
    std::string splash = TempPath("splash.png");
    std::string menu = TempPath("menu.png");
    SimResult first = RunSim({"--frames", "3", "--screenshot", "2:" + splash});
    ASSERT_EQ(first.status, 0) << first.err;
    SimResult second = RunSim({"--frames", "3", "--scene", "MainMenuScene", "--screenshot", "2:" + menu});
    ASSERT_EQ(second.status, 0) << second.err;

    Picture black, beige;
    Load(splash, black);
    Load(menu, beige);
    ASSERT_EQ(black.width, 1280);
    ASSERT_EQ(black.height, 720);
    for (int y : {10, 360, 700}) {
        for (int x : {10, 640, 1270}) {
            const unsigned char* p = black.At(x, y);
            EXPECT_LT(p[0] + p[1] + p[2], 10) << x << "," << y;
        }
    }
    // The menu's background (0.933, 0.765, 0.604) at the edges; the terminal's black in the middle.
    const unsigned char* edge = beige.At(20, 360);
    EXPECT_NEAR(edge[0], 238, 3);
    EXPECT_NEAR(edge[1], 195, 3);
    EXPECT_NEAR(edge[2], 154, 3);
    const unsigned char* screen = beige.At(800, 500);
    EXPECT_LT(screen[0] + screen[1] + screen[2], 40);
}

} // namespace
