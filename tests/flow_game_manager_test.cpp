// The game manager through events: the pool filled by announcements, one task at a time, the win and the loss.
#include "engine/random.h"
#include "flow_test_support.h"
#include "modules/module.h"

#include <algorithm>
#include <cstdlib>
#include <gtest/gtest.h>
#include <memory>
#include <set>

namespace {

using flowtest::FlowFixture;
using flowtest::HeardEvent;

const std::vector<std::string> PoolNames = {"Wavulon3000",         "Targeting", "KeyModule",
                                            "Reactor Temperature", "Phone",     "Decryption"};

constexpr float Step = 1.0f / 60.0f;

class GameManagerTest : public FlowFixture {
protected:
    void SetUp() override
    {
        FlowFixture::SetUp();
        std::srand(1234);
        for (const std::string& name : PoolNames) {
            modules.push_back(std::make_unique<Module>(name, PXL_Vec2{0, 0}));
        }
        sceneStep = [this]() {
            for (auto& module : modules) {
                module->Update();
            }
        };
    }

    // What the game scene's Init does for the pool: every module announces itself in one frame.
    void AnnounceAll()
    {
        for (auto& module : modules) {
            module->Init();
        }
    }

    void RunUntilPoolFull()
    {
        AnnounceAll();
        for (int i = 0; i < 20 && gameManager.pool.size() < PoolNames.size(); ++i) {
            Frame(Step);
        }
        ASSERT_EQ(gameManager.pool, PoolNames);
        // Let the last announcement expire.
        Frames(2, Step);
    }

    std::vector<Module*> ActiveModules() const
    {
        std::vector<Module*> found;
        for (const auto& module : modules) {
            if (module->active) {
                found.push_back(module.get());
            }
        }
        return found;
    }

    std::vector<std::unique_ptr<Module>> modules;
};

TEST_F(GameManagerTest, AnnouncementsHeardOneAfterAnotherFillThePoolAndARepeatEndsTheFrame)
{
    AnnounceAll();
    // Six announcements in one frame are heard one after another: the first for one frame, each later one
    // for two. The manager appends in the first of those frames and stops short in the second.
    std::vector<size_t> poolSizes;
    for (int i = 0; i < 12; ++i) {
        Frame(Step);
        poolSizes.push_back(gameManager.pool.size());
    }
    EXPECT_EQ(poolSizes, (std::vector<size_t>{1, 2, 2, 3, 3, 4, 4, 5, 5, 6, 6, 6}));
    EXPECT_EQ(gameManager.pool, PoolNames);

    // A task due in a frame whose first announcement is a repeat is not handed out: the update ends first.
    ResetGameManager();
    watched = {"module_trigger"};
    AnnounceAll();
    Frame(Step); // "Wavulon3000" appended
    Frame(Step); // "Targeting" appended
    Broadcast("trigger_task", "");
    Frame(Step); // "Targeting" again: the trigger is live now and missed
    EXPECT_FALSE(gameManager.pendingTrigger);
    Frames(12, Step);
    EXPECT_TRUE(HeardNamed("module_trigger").empty());
    EXPECT_EQ(gameManager.pool, PoolNames);

    // A module announcing itself again later changes nothing.
    modules[2]->Init();
    Frames(3, Step);
    EXPECT_EQ(gameManager.pool, PoolNames);
}

TEST_F(GameManagerTest, SixTasksOneAtATimeEachModuleOnceThenTheWin)
{
    RunUntilPoolFull();
    watched = {"module_trigger", "end_game"};
    Broadcast("trigger_task", "");

    std::set<std::string> given;
    uint64_t correctFrame = 0;
    for (int task = 0; task < 6; ++task) {
        // The task is handed out the frame "trigger_task" or "module_correct" is heard, the module hears it the
        // frame after.
        for (int i = 0; i < 5 && ActiveModules().empty(); ++i) {
            Frame(Step);
        }
        std::vector<Module*> active = ActiveModules();
        ASSERT_EQ(active.size(), 1u) << "task " << task;
        EXPECT_TRUE(given.insert(active[0]->name).second) << active[0]->name << " given twice";
        EXPECT_EQ(gameManager.pool.size(), 5u - static_cast<size_t>(task));
        EXPECT_EQ(std::count(gameManager.pool.begin(), gameManager.pool.end(), active[0]->name), 0);
        if (task > 0) {
            // Solved in frame F: heard in F+1, handed out in F+2, heard by the module in F+3.
            EXPECT_EQ(HeardNamed("module_trigger").back().frame, correctFrame + 3);
        }
        Frames(30, Step);
        EXPECT_EQ(ActiveModules().size(), 1u);
        correctFrame = frame - 1;
        active[0]->OnCorrect();
    }
    EXPECT_EQ(given.size(), 6u);
    EXPECT_EQ(HeardNamed("module_trigger").size(), 6u);

    // The next task due finds the pool empty: the win, and the manager silences the alarm itself.
    alarmState.active = true;
    Frames(2, Step);
    EXPECT_EQ(endGameScene->won, 1);
    EXPECT_FALSE(alarmState.active);
    EXPECT_FALSE(gameManager.pendingTrigger);
    Frame(Step);
    std::vector<HeardEvent> endings = HeardNamed("end_game");
    ASSERT_EQ(endings.size(), 1u);
    EXPECT_EQ(endings[0].data, "win");
    EXPECT_EQ(endings[0].frame, correctFrame + 3);

    // The win alone does not end the shift: only the onsite incident's solved task sets the countdown going.
    Frames(600, Step);
    EXPECT_FALSE(gameManager.ending);
    EXPECT_EQ(NextScene(), nullptr);
}

TEST_F(GameManagerTest, ATriggerWhileATaskIsOpenHandsOutASecondAtOnce)
{
    RunUntilPoolFull();
    Broadcast("trigger_task", "");
    Frames(3, Step);
    ASSERT_EQ(ActiveModules().size(), 1u);
    Broadcast("trigger_task", "");
    Frame(Step); // handed out
    EXPECT_EQ(gameManager.pool.size(), 4u);
    Frame(Step); // heard by the module
    EXPECT_EQ(ActiveModules().size(), 2u);
}

TEST_F(GameManagerTest, LoseReachesTheEndScreenAfterExactlyFiveSecondsOfFrameTime)
{
    constexpr float dt = 1.0f / 64.0f; // exact in binary: 320 frames make five seconds
    Broadcast("end_game", "lose");
    Frame(dt);
    EXPECT_TRUE(gameManager.ending);
    EXPECT_EQ(endGameScene->won, 0);
    Frames(318, dt);
    EXPECT_EQ(NextScene(), nullptr);
    EXPECT_TRUE(gameManager.ending);
    Frame(dt);
    EXPECT_EQ(NextScene(), endGameScene);
    EXPECT_FALSE(gameManager.ending);

    // The next shift's reset gives a full countdown again.
    ResetGameManager();
    EXPECT_EQ(gameManager.endCountdown, 5.0f);
    EXPECT_TRUE(gameManager.pool.empty());
}

TEST_F(GameManagerTest, WinSetsTheFlagButOnlyTheEndingFlagStartsTheCountdown)
{
    constexpr float dt = 0.25f;
    Broadcast("end_game", "win");
    Frames(40, dt);
    EXPECT_FALSE(gameManager.ending);
    EXPECT_EQ(NextScene(), nullptr);

    // What the onsite incident module does when its button is pressed.
    gameManager.ending = true;
    Frames(19, dt);
    EXPECT_EQ(NextScene(), nullptr);
    Frame(dt);
    EXPECT_EQ(NextScene(), endGameScene);
}

TEST_F(GameManagerTest, TheEndCountdownRunsOnWhileThePauseMenuFreezesTheTimer)
{
    constexpr float dt = 1.0f / 64.0f;
    PoolWithOneSilentModule();
    StartTimer(dt);
    Frames(10, dt);
    Broadcast("end_game", "lose");
    Frame(dt); // heard: the way to the newspaper begins
    pauseMenuScene->active = true;
    std::string shown = timerState.displayText;
    float remaining = timerState.remaining;
    Frames(320, dt);
    EXPECT_EQ(NextScene(), endGameScene);
    EXPECT_EQ(timerState.displayText, shown);
    EXPECT_EQ(timerState.remaining, remaining);
}

TEST_F(GameManagerTest, TheTaskAfterOneSolvedAsThePauseBeginsComesInTheDesksOwnTime)
{
    gameManager.pool = {"Wavulon3000", "Targeting"};
    watched = {"module_trigger"};
    Broadcast("module_correct", "Decryption"); // in the desk's last frame before the pause
    pauseMenuScene->active = true;
    Frames(30, Step);
    EXPECT_TRUE(HeardNamed("module_trigger").empty()) << "nothing is handed out to a held desk";
    pauseMenuScene->active = false;
    Frames(3, Step);
    // Unpaused the answer is heard in frame 0, the task handed out in 1 and heard in 2.
    std::vector<flowtest::HeardEvent> triggers = HeardNamed("module_trigger");
    ASSERT_EQ(triggers.size(), 1u);
    EXPECT_EQ(triggers[0].frame, 32u);
}

TEST_F(GameManagerTest, StartAlarmDrawsTheAllowanceFromRand)
{
    std::set<int32_t> allowances;
    for (unsigned seed = 1; seed < 40; ++seed) {
        std::srand(seed);
        int expected = 2 + GameRand() % 3;
        std::srand(seed);
        Broadcast("start_alarm", "");
        Frame(Step);
        EXPECT_TRUE(alarmState.active);
        EXPECT_EQ(alarmState.allowed, expected);
        allowances.insert(alarmState.allowed);
        ResetAlarm();
    }
    EXPECT_EQ(allowances, (std::set<int32_t>{2, 3, 4}));
}

} // namespace
