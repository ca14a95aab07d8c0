// The alarm: its siren allowance per 30-second period, its pulse, its fade after the end, the freeze, the band.
#include "flow_test_support.h"
#include "render/sprite.h"

#include <cmath>
#include <cstdlib>
#include <gtest/gtest.h>
#include <vector>

namespace {

using flowtest::FlowFixture;

constexpr float Step = 1.0f / 60.0f;

class AlarmTest : public FlowFixture {
protected:
    // Frames (counted from the start) in which a siren played, over `count` frames.
    std::vector<int> SirenFrames(int count)
    {
        std::vector<int> frames;
        for (int i = 0; i < count; ++i) {
            int before = alarmState.played;
            Frame(Step);
            if (alarmState.played > before) {
                frames.push_back(i);
            }
        }
        return frames;
    }
};

TEST_F(AlarmTest, FirstSirenASecondAfterTheStartThenEveryTwoSecondsUpToTheAllowance)
{
    // Seed 0 ... gives allowances of each size; the run must hold for all of them.
    for (unsigned seed : {1u, 2u, 3u, 5u, 8u, 13u}) {
        ResetAlarm();
        ClearAllEvents();
        std::srand(seed);
        Broadcast("start_alarm", "");
        Frame(Step); // heard: the manager starts the alarm
        ASSERT_TRUE(alarmState.active);
        int allowed = alarmState.allowed;
        ASSERT_GE(allowed, 2);
        ASSERT_LE(allowed, 4);
        std::vector<int> sirens = SirenFrames(60 * 29);
        ASSERT_EQ(sirens.size(), static_cast<size_t>(allowed)) << "seed " << seed;
        // About a second after the start, then one every two seconds.
        EXPECT_NEAR(sirens[0], 60, 2);
        for (size_t i = 1; i < sirens.size(); ++i) {
            EXPECT_NEAR(sirens[i] - sirens[i - 1], 121, 2);
        }
    }
}

TEST_F(AlarmTest, EveryMarkRenewsTheAllowanceSoNoPeriodHasMoreThanFour)
{
    std::srand(7);
    PoolWithOneSilentModule();
    watched = {"timer_30_seconds"};
    StartTimer(Step);
    // The countdown's own marks renew the allowance: count sirens per period over the whole five minutes.
    std::vector<int> perPeriod(1, 0);
    size_t marks = 0;
    for (int i = 0; i < 60 * 300; ++i) {
        int before = alarmState.played;
        Frame(Step);
        if (HeardNamed("timer_30_seconds").size() > marks) {
            marks = HeardNamed("timer_30_seconds").size();
            EXPECT_EQ(alarmState.played, 0);
            EXPECT_GE(alarmState.allowed, 2);
            EXPECT_LE(alarmState.allowed, 4);
            perPeriod.push_back(0);
        } else if (alarmState.played > before) {
            ++perPeriod.back();
        }
    }
    EXPECT_EQ(marks, 11u);
    for (int count : perPeriod) {
        EXPECT_LE(count, 4);
    }
    // Every full period rings at least twice.
    for (size_t i = 1; i + 1 < perPeriod.size(); ++i) {
        EXPECT_GE(perPeriod[i], 2) << "period " << i;
    }
}

TEST_F(AlarmTest, PulsesOnceASecondAndFadesOutAfterTheEnd)
{
    StartAlarm();
    float highest = 0.0f;
    for (int i = 0; i < 60; ++i) {
        Frame(Step);
        highest = std::max(highest, alarmState.intensity);
    }
    EXPECT_NEAR(highest, 1.0f, 0.02f);
    Frames(30, Step);
    EXPECT_EQ(alarmState.direction, -1);
    EXPECT_NEAR(alarmState.intensity, 0.5f, 0.05f);

    Broadcast("end_game", "lose");
    Frame(Step);
    EXPECT_FALSE(alarmState.active);
    // The pulse finishes falling, then stays at nothing.
    Frames(40, Step);
    EXPECT_EQ(alarmState.intensity, 0.0f);
    float since = alarmState.sinceSound;
    Frames(300, Step);
    EXPECT_EQ(alarmState.intensity, 0.0f);
    EXPECT_EQ(alarmState.sinceSound, since);
}

TEST_F(AlarmTest, FrozenStandsStillWithoutSirensButIsStillDrawn)
{
    StartAlarm();
    Frames(30, Step);
    // The pause menu over the desk.
    pauseMenuScene->active = true;
    alarmState.frozen = true;
    float intensity = alarmState.intensity;
    int played = alarmState.played;
    Frames(600, Step);
    EXPECT_EQ(alarmState.intensity, intensity);
    EXPECT_EQ(alarmState.played, played);

    PXL_Graphics_StartDrawing();
    AlarmSystem.render();
    PXL_Graphics_FinishDrawing();
    ASSERT_EQ(PxlFrameDraws().size(), 1u);
    EXPECT_NEAR(PxlFrameDraws()[0].alpha, intensity, 1e-6f);

    pauseMenuScene->active = false;
    alarmState.frozen = false;
    Frames(200, Step);
    EXPECT_GT(alarmState.played, played);
}

TEST_F(AlarmTest, TheBandSpansTheTopOfA1280By720Window)
{
    PXL_Graphics_StartDrawing();
    AlarmSystem.render();
    PXL_Graphics_FinishDrawing();
    EXPECT_TRUE(PxlFrameDraws().empty()) << "an alarm that is off draws nothing";

    StartAlarm();
    Frames(30, Step);
    PXL_Graphics_StartDrawing();
    AlarmSystem.render();
    PXL_Graphics_FinishDrawing();
    ASSERT_EQ(PxlFrameDraws().size(), 1u);
    const PxlDrawRecord& band = PxlFrameDraws()[0];
    EXPECT_FLOAT_EQ(band.scale.x, 1920.0f);
    EXPECT_FLOAT_EQ(band.scale.y, 50.0f);
    PXL_Vec2 topMiddle{640.0f, 12.5f};
    PXL_Vec2 expected = PXL_Camera_ScreenCoordToWorld(&topMiddle);
    EXPECT_FLOAT_EQ(band.position.x, expected.x);
    EXPECT_FLOAT_EQ(band.position.y, expected.y);
    EXPECT_NEAR(band.alpha, alarmState.intensity, 1e-6f);
    EXPECT_EQ(band.filter, 1);
    EXPECT_EQ(band.rotation, 0.0f);
}

} // namespace
