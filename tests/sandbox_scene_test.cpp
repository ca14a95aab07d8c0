// The developers' bench and the template scene: the demo button and the two listeners, the rectangle on the
// frame time, Escape to the pause menu; the template ends the game if it is ever shown.
#include "engine/trace.h"
#include "interaction/interaction_system.h"
#include "manual/manual_scene.h"
#include "menu_test_support.h"
#include "scenes/pause_menu_scene.h"
#include "scenes/sandbox_scene.h"
#include "scenes/stub_scene.h"
#include "support/sim_runner.h"

#include <algorithm>

namespace {

void Collect(const char* text, void* user)
{
    *static_cast<std::string*>(user) += text;
}

size_t Count(const std::string& text, const std::string& part)
{
    size_t count = 0;
    for (size_t at = text.find(part); at != std::string::npos; at = text.find(part, at + 1)) {
        ++count;
    }
    return count;
}

class SandboxTest : public MenuTest {
protected:
    void SetUp() override
    {
        MenuTest::SetUp();
        controlsBefore = Interactables().size();
        SetConsoleSink(Collect, &console);
        SetNextScene(sandboxScene);
        Frames(2);
        ASSERT_TRUE(sandboxScene->active);
    }

    void TearDown() override
    {
        SetConsoleSink(nullptr, nullptr);
        MenuTest::TearDown();
    }

    void Press(int key)
    {
        PxlInjectKey(key, true);
        Frame();
        PxlInjectKey(key, false);
        Frame();
    }

    std::string console;
    size_t controlsBefore = 0;
};

TEST_F(SandboxTest, DemoButtonBroadcastsAndTheListenersSayWhatTheyHeard)
{
    Click(sandboxScene->demoButton->position);
    Frames(3);
    EXPECT_EQ(Count(console, "Demo Button was clicked\n"), 1u) << console;
    EXPECT_EQ(Count(console, "Listener 1 heard an event with data: test.data\n"), 1u) << console;
    EXPECT_TRUE(sandboxScene->switchOn) << "the switch shows the broadcast was heard";

    Broadcast("event_name_2", "from elsewhere");
    Frames(2);
    EXPECT_EQ(Count(console, "Listener 2 heard an event with data: from elsewhere\n"), 1u) << console;

    // Unloaded, the bench leaves no control and no listener behind.
    SetNextScene(nullptr);
    Frame();
    EXPECT_EQ(Interactables().size(), controlsBefore);
    Broadcast("event_name_2", "too late");
    Frames(2);
    EXPECT_EQ(Count(console, "heard an event with data: too late"), 0u) << console;
}

TEST_F(SandboxTest, RectangleCrossesOnTheFrameTimeAndEscapeOpensThePauseMenuOverTheBench)
{
    // 1280 pixels wide: past 640 the rectangle starts again at 0.
    float lastX = sandboxScene->rectanglePosition.x;
    bool wrapped = false;
    for (int i = 0; i < 420; ++i) {
        Frame();
        float x = sandboxScene->rectanglePosition.x;
        EXPECT_LE(x, 640.0f + 100 * Dt);
        if (x < lastX) {
            wrapped = true;
        } else {
            EXPECT_NEAR(x - lastX, 100 * Dt, 1e-3f);
        }
        lastX = x;
    }
    EXPECT_TRUE(wrapped);

    // An open manual closes when the menu opens.
    PushScene(manualScene);
    Frames(40);
    Click(manualScene->manual.toggle->position);
    Frames(30);
    ASSERT_TRUE(manualScene->IsOpen());

    Press(PXL_KEY_ESCAPE);
    ASSERT_TRUE(pauseMenuScene->active);
    EXPECT_EQ(pauseMenuScene->returnScene, sandboxScene);
    EXPECT_FALSE(manualScene->IsOpen());
    EXPECT_FALSE(sandboxScene->updateEnabled);
    float still = sandboxScene->rectanglePosition.x;
    Frames(10);
    EXPECT_EQ(sandboxScene->rectanglePosition.x, still) << "the bench runs on under the pause menu";

    Click(pauseMenuScene->resumeButton->position);
    EXPECT_FALSE(pauseMenuScene->active);
    Frames(2);
    EXPECT_GT(sandboxScene->rectanglePosition.x, still);
    RemoveScene(manualScene);
}

TEST(StubSceneTest, ShownItEndsTheGameAtItsFirstUpdate)
{
    SetNextScene(stubScene);
    SceneSystem.update(0.0f);
    EXPECT_TRUE(stubScene->active);
    EXPECT_EQ(NextScene(), nullptr);
    SceneSystem.update(0.0f);
    EXPECT_FALSE(stubScene->active);
    EXPECT_FALSE(IsRunning());
}

// The bench as a developer opens it: by name, the demo button clicked with the mouse, Escape to the menu.
TEST(SandboxSimTest, OpenedByNameItAnswersTheMouseAndEscape)
{
    // The demo button is 100 design pixels right of and below the centre of the 1280 by 720 window.
    SimResult run =
        RunSim({"--frames", "60", "--scene", "SandboxScene"},
               "10 mouse 706.7 426.7\n20 press left\n21 release left\n30 press escape\n31 release escape\n");
    ASSERT_EQ(run.status, 0) << run.err;
    EXPECT_NE(run.out.find("Demo Button was clicked\n"), std::string::npos) << run.out;
    EXPECT_NE(run.out.find("Listener 1 heard an event with data: test.data\n"), std::string::npos) << run.out;
    std::vector<std::string> trace = ReadTraceLines();
    EXPECT_NE(std::find(trace.begin(), trace.end(), "PauseMenuScene: Load"), trace.end());
    EXPECT_NE(std::find(trace.begin(), trace.end(), "SandboxScene: Update (Paused)"), trace.end());
}

} // namespace
