#include "engine/system.h"
#include "engine/trace.h"
#include "scenes/scene.h"
#include "support/sim_runner.h"

#include <algorithm>
#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace {

std::vector<std::string> calls;

class RecordingScene : public Scene {
public:
    explicit RecordingScene(const char* name) : Scene(name) {}
    void Load() override { Note("Load"); }
    void Init() override { Note("Init"); }
    void Update(float dt) override
    {
        Note("Update " + std::to_string(dt));
        if (onUpdate) {
            onUpdate(this);
        }
    }
    void Render() override { Note("Render"); }
    void Exit() override { Note("Exit"); }
    void Unload() override { Note("Unload"); }
    void Note(const std::string& what) { calls.push_back(std::string(name) + " " + what); }
    void (*onUpdate)(RecordingScene*) = nullptr;
};

class SceneSystemTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        calls.clear();
        SetNextScene(&bottom);
        SceneSystem.update(0.5f);
        calls.clear();
    }
    void TearDown() override
    {
        SetNextScene(nullptr);
        SceneSystem.update(0.0f);
    }
    void Frame(float dt = 0.5f)
    {
        SceneSystem.update(dt);
        SceneSystem.render();
    }
    RecordingScene bottom{"Bottom"};
    RecordingScene overlay{"Overlay"};
    RecordingScene other{"Other"};
};

TEST_F(SceneSystemTest, SwitchWithOverlaysUnloadsTopFirstThenLoadsTheNewScene)
{
    PushScene(&overlay);
    calls.clear();
    SetNextScene(&other);
    Frame();
    std::vector<std::string> expected = {
        "Bottom Exit", // the bottom scene is exited once before the sweep, and again in it
        "Overlay Exit", "Overlay Unload", "Bottom Exit",           "Bottom Unload",
        "Other Load",   "Other Init",     "Other Update 0.500000", "Other Render",
    };
    EXPECT_EQ(calls, expected);
    EXPECT_FALSE(bottom.active);
    EXPECT_FALSE(overlay.active);
    EXPECT_TRUE(bottom.firstFrame);
    ASSERT_EQ(SceneStack().size(), 1u);
    EXPECT_EQ(SceneStack()[0], &other);
}

TEST_F(SceneSystemTest, NullNextSceneEmptiesTheStackAndStopsRunning)
{
    PushScene(&overlay);
    SetNextScene(nullptr);
    EXPECT_TRUE(IsRunning()) << "the switch waits for the next update";
    calls.clear();
    Frame();
    EXPECT_EQ(calls, (std::vector<std::string>{"Bottom Exit", "Overlay Exit", "Overlay Unload", "Bottom Exit",
                                               "Bottom Unload"}));
    EXPECT_FALSE(IsRunning());
    ASSERT_EQ(SceneStack().size(), 1u);
    EXPECT_EQ(SceneStack()[0], nullptr);
}

TEST_F(SceneSystemTest, PausedAndDisabledScenes)
{
    TraceInit();
    bottom.updateEnabled = false;
    bottom.renderEnabled = false;
    bottom.firstFrame = true;
    Frame(0.25f);
    TraceClose();
    EXPECT_EQ(calls, std::vector<std::string>{"Bottom Update 0.000000"});
    EXPECT_TRUE(bottom.firstFrame) << "a scene that did not render keeps its first frame";
    std::vector<std::string> trace = ReadTraceLines();
    EXPECT_EQ(trace, (std::vector<std::string>{"Bottom: Update (Paused)", "Bottom: Render (Disabled)"}));
}

TEST_F(SceneSystemTest, PushAndRemoveAreIdempotent)
{
    PushScene(&overlay);
    PushScene(&overlay);
    RemoveScene(&other); // not active: ignored
    PushScene(nullptr);
    RemoveScene(nullptr);
    EXPECT_EQ(calls, (std::vector<std::string>{"Overlay Load", "Overlay Init"}));
    EXPECT_EQ(SceneStack().size(), 2u);
    RemoveScene(&overlay);
    RemoveScene(&overlay);
    EXPECT_EQ(SceneStack().size(), 1u);
    EXPECT_TRUE(overlay.firstFrame);
}

TEST_F(SceneSystemTest, SceneRequestingItsOwnSwitchSeesItNextFrame)
{
    static RecordingScene* target = nullptr;
    target = &other;
    bottom.onUpdate = [](RecordingScene*) { SetNextScene(target); };
    Frame();
    EXPECT_TRUE(bottom.active);
    bottom.onUpdate = nullptr;
    calls.clear();
    Frame();
    EXPECT_FALSE(bottom.active);
    EXPECT_TRUE(other.active);
}

TEST_F(SceneSystemTest, OverlayPushedDuringTheUpdatePassIsUpdatedInTheSamePass)
{
    static RecordingScene* toPush = nullptr;
    toPush = &overlay;
    bottom.onUpdate = [](RecordingScene*) { PushScene(toPush); };
    Frame();
    bottom.onUpdate = nullptr;
    EXPECT_EQ(calls, (std::vector<std::string>{"Bottom Update 0.500000", "Overlay Load", "Overlay Init",
                                               "Overlay Update 0.500000", "Bottom Render", "Overlay Render"}));
}

TEST_F(SceneSystemTest, SettingTheCurrentBottomSceneAgainDoesNothing)
{
    SetNextScene(&bottom);
    Frame();
    EXPECT_EQ(calls, (std::vector<std::string>{"Bottom Update 0.500000", "Bottom Render"}));
}

TEST(SceneRegistryTest, AllTenScenesExistUnderTheirNames)
{
    std::vector<std::string> names;
    for (Scene* scene : SceneRegistry()) {
        names.push_back(scene->name);
    }
    for (const char* name :
         {"SplashScreenScene", "MainMenuScene", "SettingsScene", "GameScene", "ManualScene", "PauseMenuScene",
          "ExitConfirm_OverlayScene", "EndGameScene", "SandboxScene", "StubScene"}) {
        EXPECT_EQ(std::count(names.begin(), names.end(), name), 1) << name;
    }
}

} // namespace
