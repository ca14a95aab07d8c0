// The countdown through events: its start, its display, its 30-second marks, the loss at zero and the freezes.
#include "flow_test_support.h"

#include <gtest/gtest.h>
#include <vector>

namespace {

using flowtest::FlowFixture;
using flowtest::HeardEvent;

constexpr float Step = 1.0f / 60.0f;

class TimerTest : public FlowFixture {
protected:
    void SetUp() override
    {
        FlowFixture::SetUp();
        PoolWithOneSilentModule();
    }
};

TEST_F(TimerTest, StartsOnStartTimerAnnouncesItselfAndShowsTheFirstRunningFrame)
{
    watched = {"timer_30_seconds", "trigger_task", "start_alarm"};
    Frames(5, Step);
    EXPECT_FALSE(timerState.started);
    EXPECT_EQ(timerState.displayText, "00:00.000");

    StartTimer(Step);
    EXPECT_TRUE(timerState.started);
    EXPECT_EQ(timerState.displayText, "04:59:983");
    Frame(Step);
    // The three announcements of the start, each heard in the next frame.
    ASSERT_EQ(heard.size(), 3u);
    EXPECT_EQ(heard[0].name, "timer_30_seconds");
    EXPECT_EQ(heard[1].name, "trigger_task");
    EXPECT_EQ(heard[2].name, "start_alarm");
    EXPECT_EQ(timerState.displayText, "04:59:966");

    // A second start while running changes nothing.
    float remaining = timerState.remaining;
    Broadcast("start_timer", "");
    Frame(Step);
    EXPECT_NEAR(timerState.remaining, remaining - 1000.0f * Step, 0.05f);
    Frame(Step);
    EXPECT_EQ(HeardNamed("trigger_task").size(), 1u);
}

TEST_F(TimerTest, RunsOutWithTheMarksThenTheLossThenStandsAtZero)
{
    watched = {"timer_30_seconds", "end_game"};
    StartTimer(Step);
    uint64_t startFrame = frame - 1;
    int guard = 0;
    while (timerState.remaining > 0.0f && ++guard < 20000) {
        Frame(Step);
    }
    ASSERT_LT(guard, 20000);
    uint64_t zeroFrame = frame - 1;
    // The frame the time drops to zero or below: minutes and seconds 00, no loss yet.
    EXPECT_EQ(timerState.displayText.substr(0, 6), "00:00:");
    EXPECT_GT(timerState.milliseconds, -20);
    EXPECT_LE(timerState.milliseconds, 0);
    EXPECT_FALSE(timerState.stopped);
    EXPECT_NEAR(static_cast<double>(zeroFrame - startFrame), 17999.0, 2.0);

    Frame(Step);
    EXPECT_TRUE(timerState.stopped);
    EXPECT_EQ(timerState.remaining, 0.0f);
    EXPECT_EQ(timerState.displayText, "00:00:000");
    Frame(Step);
    std::vector<HeardEvent> endings = HeardNamed("end_game");
    ASSERT_EQ(endings.size(), 1u);
    EXPECT_EQ(endings[0].data, "lose");
    EXPECT_EQ(endings[0].frame, zeroFrame + 2);

    // The start, then 4:30, 4:00 ... 0:30 and 0:00, once each; the 0:00 mark comes as the last second begins.
    std::vector<HeardEvent> marks = HeardNamed("timer_30_seconds");
    ASSERT_EQ(marks.size(), 11u);
    EXPECT_EQ(marks[0].frame, startFrame + 1);
    for (size_t i = 1; i < marks.size(); ++i) {
        EXPECT_NEAR(static_cast<double>(marks[i].frame - startFrame), 1800.0 * static_cast<double>(i) - 59.0, 2.0)
            << "mark " << i;
    }

    // Stopped for good: the display stays at zero and no second loss follows.
    Frames(120, Step);
    EXPECT_EQ(timerState.displayText, "00:00:000");
    EXPECT_EQ(HeardNamed("end_game").size(), 1u);
}

TEST_F(TimerTest, AWonShiftFreezesTheDisplayAtTheTimeLeft)
{
    watched = {"end_game"};
    StartTimer(Step);
    Frames(600, Step);
    Broadcast("end_game", "win");
    Frame(Step);
    EXPECT_TRUE(timerState.stopped);
    std::string shown = timerState.displayText;
    EXPECT_EQ(shown.substr(0, 5), "04:49");
    Frames(20000, Step);
    EXPECT_EQ(timerState.displayText, shown);
    EXPECT_EQ(HeardNamed("end_game").size(), 1u);
}

TEST_F(TimerTest, ThePauseMenuFreezesTheTimeAndItHearsWhatWasSentMeanwhileOnceItCloses)
{
    watched = {"timer_30_seconds", "trigger_task"};
    pauseMenuScene->active = true;
    Broadcast("start_timer", "");
    Frames(3, Step);
    EXPECT_FALSE(timerState.started);
    EXPECT_TRUE(heard.empty()) << "frozen: the countdown sends nothing";
    pauseMenuScene->active = false;
    Frame(Step);
    EXPECT_TRUE(timerState.started) << "the start sent while the menu was open";
    Frames(100, Step);
    EXPECT_EQ(HeardNamed("trigger_task").size(), 1u);

    // The last task solved just before the pause: the win comes while the menu is open.
    pauseMenuScene->active = true;
    std::string shown = timerState.displayText;
    size_t heardBefore = heard.size();
    Broadcast("end_game", "win");
    Frames(3600, Step);
    EXPECT_EQ(timerState.displayText, shown);
    EXPECT_EQ(heard.size(), heardBefore);
    pauseMenuScene->active = false;
    Frames(20000, Step);
    EXPECT_TRUE(timerState.stopped);
    EXPECT_EQ(timerState.displayText, shown) << "a won shift keeps the time it had left";
}

TEST_F(TimerTest, TheCountdownAndTheAlarmKeepStepWithTheDeskRatherThanWithTheMenu)
{
    // Escape in frame 0: the desk runs that frame, sends "start_timer" and opens the menu after its update;
    // Escape in frame 30 closes the menu after the desk was held. The desk runs frame 0 and again from 31.
    StartAlarm();
    Frames(10, Step);
    int pauseFrame = 0;
    sceneStep = [&] {
        if (pauseFrame == 0) {
            Broadcast("start_timer", "");
        }
        bool open = pauseFrame < 30;
        pauseMenuScene->active = open;
        alarmState.frozen = open;
        ++pauseFrame;
    };
    float before = alarmState.intensity;
    std::vector<float> intensity;
    std::vector<bool> started;
    for (int i = 0; i < 32; ++i) {
        Frame(Step);
        intensity.push_back(alarmState.intensity);
        started.push_back(timerState.started);
    }
    EXPECT_GT(intensity[0], before) << "the desk ran frame 0, and so did the alarm";
    EXPECT_EQ(intensity[30], intensity[0]) << "the alarm stood still while the desk was held";
    EXPECT_FALSE(started[30]) << "the countdown waits for the desk";
    EXPECT_GT(intensity[31], intensity[30]);
    EXPECT_TRUE(started[31]) << "the start sent as the menu opened is heard as the desk resumes";
}

TEST_F(TimerTest, AShiftAbandonedForTheMainMenuDoesNotRunOutThere)
{
    watched = {"end_game", "timer_30_seconds"};
    StartTimer(Step);
    Frames(60, Step);
    gameScene->active = false; // "Main Menu" confirmed from the pause menu
    std::string shown = timerState.displayText;
    size_t heardBefore = heard.size();
    Frames(60 * 301, Step);
    EXPECT_EQ(timerState.displayText, shown);
    EXPECT_EQ(heard.size(), heardBefore);
    EXPECT_FALSE(gameManager.ending);
    EXPECT_EQ(NextScene(), nullptr);
}

TEST_F(TimerTest, ResetShowsTheResetTextAndAwaitsANewStart)
{
    StartTimer(Step);
    Broadcast("end_game", "lose");
    Frames(3, Step);
    ASSERT_TRUE(timerState.stopped);
    ResetTimer();
    EXPECT_EQ(timerState.displayText, "00:00.000");
    EXPECT_FALSE(timerState.started);
    EXPECT_FALSE(timerState.stopped);
    EXPECT_EQ(timerState.remaining, 0.0f);
    StartTimer(Step);
    EXPECT_EQ(timerState.displayText, "04:59:983");
}

} // namespace
