// The plant boot, the admin authentication and the onsite incident, worked with the mouse through the real
// controls on a headless 1280 by 720 window.
#include "flow/game_manager.h"
#include "interaction/interactable.h"
#include "module_test_support.h"
#include "modules/admin_authentication.h"
#include "modules/calendar.h"
#include "modules/onsite_incident.h"
#include "modules/plant_boot.h"

#include <algorithm>
#include <array>
#include <cstdlib>
#include <gtest/gtest.h>
#include <sstream>
#include <string>
#include <vector>

namespace {

using TutorialModules = DeskModules;

// ---- Plant boot ----

class PlantBootTest : public TutorialModules {
protected:
    void SetUp() override
    {
        TutorialModules::SetUp();
        boot.Init();
        modules = {&boot};
    }

    void SetPattern(const std::vector<bool>& wanted)
    {
        for (size_t i = 0; i < boot.switches.size(); ++i) {
            if ((boot.switches[i]->value == 1.0f) != wanted[i]) {
                Click(boot.switches[i]->position);
            }
        }
    }

    std::vector<bool> Lit() const
    {
        std::vector<bool> lit;
        for (const StatusLight* lamp : boot.lights) {
            lit.push_back(lamp->lit);
        }
        return lit;
    }

    PlantBoot boot{"Plant Boot", {900, 50}};
};

TEST_F(PlantBootTest, SwitchesAndLampsStandWhereThePanelShowsThem)
{
    ASSERT_EQ(boot.switches.size(), 8u);
    ASSERT_EQ(boot.lights.size(), 9u);
    const float xs[4] = {935, 1000, 1065, 1130};
    for (size_t i = 0; i < 8; ++i) {
        EXPECT_FLOAT_EQ(boot.switches[i]->position.x, xs[i % 4]) << i;
        EXPECT_FLOAT_EQ(boot.switches[i]->position.y, i < 4 ? 50.0f : 137.5f) << i;
        EXPECT_EQ(boot.switches[i]->kind, KindToggle);
    }
    for (size_t i = 0; i < 9; ++i) {
        EXPECT_FLOAT_EQ(boot.lights[i]->position.x, 870.0f + 42.5f * static_cast<float>(i));
        EXPECT_NEAR(boot.lights[i]->position.y, 213.33f, 0.01f);
    }
    EXPECT_EQ(boot.interactables.size(), 8u);
}

TEST_F(PlantBootTest, BootsOnlyOnceTriggeredThenLightsTheLampsInTurnAndHandsOver)
{
    SetPattern(PlantBootPattern);
    Frames(120);
    EXPECT_FALSE(boot.booting) << "the pattern means nothing before the task is set";
    EXPECT_EQ(boot.litCount, 0);

    boot.OnTrigger();
    EXPECT_EQ(Broadcasts("terminal_append_line",
                         "/> Please check your manual for instructions on how to start the plant boot sequence."),
              1);
    Frame(false);
    EXPECT_TRUE(boot.booting);
    // One lamp every 0.2 s from the left, white while stepping.
    std::vector<int> stepFrames;
    for (int i = 0; i < 200 && boot.active; ++i) {
        int before = boot.litCount;
        Frame(false);
        if (boot.litCount > before) {
            stepFrames.push_back(i);
            std::vector<bool> lit = Lit();
            EXPECT_EQ(std::count(lit.begin(), lit.end(), true), boot.litCount);
            EXPECT_TRUE(lit[static_cast<size_t>(boot.litCount - 1)]);
        }
    }
    ASSERT_EQ(stepFrames.size(), 9u);
    for (size_t i = 1; i < stepFrames.size(); ++i) {
        EXPECT_EQ(stepFrames[i] - stepFrames[i - 1], 12);
    }
    EXPECT_FALSE(boot.active);
    for (const StatusLight* lamp : boot.lights) {
        EXPECT_EQ(lamp->onColour.g, 1.0f);
        EXPECT_EQ(lamp->onColour.r, 0.0f);
    }

    // Completed exactly once: the hand-over and the report, no pool event.
    Frames(300);
    EXPECT_EQ(Broadcasts("module_trigger", "Admin Authentication"), 1);
    EXPECT_EQ(Broadcasts("terminal_append_line", "/> Boot sequence complete"), 1);
    EXPECT_EQ(Broadcasts("module_correct", "Plant Boot"), 0);
}

TEST_F(PlantBootTest, AChangedSwitchStopsTheRunAndItRestartsFromTheFirstLamp)
{
    boot.OnTrigger();
    SetPattern(PlantBootPattern);
    while (boot.litCount < 5) {
        Frame(false);
    }
    Click(boot.switches[1]->position); // switch 2 on: wrong
    EXPECT_FALSE(boot.booting);
    EXPECT_EQ(boot.litCount, 0);
    std::vector<bool> lit = Lit();
    EXPECT_EQ(std::count(lit.begin(), lit.end(), true), 0);
    Frames(60);
    EXPECT_EQ(boot.litCount, 0);

    Click(boot.switches[1]->position);
    EXPECT_TRUE(boot.booting);
    Frame(false);
    EXPECT_LE(boot.litCount, 1);
    while (boot.litCount < 1) {
        Frame(false);
    }
    EXPECT_EQ(Lit(), (std::vector<bool>{true, false, false, false, false, false, false, false, false}));
    while (boot.active) {
        Frame(false);
    }
    EXPECT_EQ(Broadcasts("module_trigger", "Admin Authentication"), 1);
}

TEST_F(PlantBootTest, TheFlickerAfterCompletionKeepsTheLampsGreenAndSwitchesNoLongerMatter)
{
    boot.OnTrigger();
    SetPattern(PlantBootPattern);
    while (boot.active) {
        Frame(false);
    }
    int changes = 0;
    std::vector<bool> last = Lit();
    for (int i = 0; i < 600; ++i) {
        if (i == 100) {
            Click(boot.switches[0]->position);
        }
        Frame(false);
        std::vector<bool> lit = Lit();
        changes += lit != last;
        last = lit;
        for (const StatusLight* lamp : boot.lights) {
            ASSERT_EQ(lamp->onColour.r, 0.0f) << "a lamp turned white again";
            ASSERT_EQ(lamp->onColour.g, 1.0f);
        }
    }
    EXPECT_GT(changes, 20);
    EXPECT_TRUE(boot.booting);
    EXPECT_EQ(Broadcasts("module_trigger", "Admin Authentication"), 1);
}

// ---- Admin authentication ----

class AdminAuthenticationTest : public TutorialModules {
protected:
    void SetUp() override
    {
        TutorialModules::SetUp();
        admin.Init();
        modules = {&admin};
    }

    // The desk's load announces the date; the module reads it whether or not its task is set.
    void AnnounceDate(const std::string& text)
    {
        Broadcast("calendar_date", text);
        Frame(false);
    }

    void SetSwitches(const std::array<bool, 4>& wanted)
    {
        for (size_t i = 0; i < 4; ++i) {
            if ((admin.codeSwitches[i]->value == 1.0f) != wanted[i]) {
                Click(admin.codeSwitches[i]->position);
            }
        }
    }

    AdminAuthentication admin{"Admin Authentication", {300, 400}};
};

TEST_F(AdminAuthenticationTest, TheDateDecidesEachSwitch)
{
    struct Case {
        const char* date;
        std::array<bool, 4> code;
    };
    const Case cases[] = {
        {"Sunday June 14th", {true, false, true, true}},         {"Thursday July 15th", {false, false, false, false}},
        {"Monday January 16th", {true, true, true, false}},      {"Wednesday December 1st", {false, true, false, true}},
        {"Tuesday September 31st", {false, true, false, false}}, {"Saturday May 2nd", {true, false, true, true}},
    };
    for (const Case& c : cases) {
        AnnounceDate(c.date);
        EXPECT_EQ(admin.expected, c.code) << c.date;
    }
}

TEST_F(AdminAuthenticationTest, TheRightCodeEndsTheTutorialAndTheButtonDoesNothingBeforeTheTask)
{
    EXPECT_FLOAT_EQ(admin.enterButton->position.x, 637.5f);
    EXPECT_FLOAT_EQ(admin.codeSwitches[3]->position.x, 525.0f);
    AnnounceDate("Thursday March 14th");
    SetSwitches({true, false, true, true});
    Click(admin.enterButton->position);
    Frames(3);
    EXPECT_EQ(Broadcasts("tutorial_complete", ""), 0);

    Broadcast("module_trigger", "Admin Authentication");
    Frame(false);
    ASSERT_TRUE(admin.active);
    EXPECT_EQ(Broadcasts("terminal_append_line", "/> Admin Authentication required to continue"), 1);
    Click(admin.enterButton->position);
    EXPECT_FALSE(admin.active);
    for (const StatusLight* lamp : admin.codeLights) {
        EXPECT_TRUE(lamp->lit);
        EXPECT_EQ(lamp->onColour.g, 1.0f);
        EXPECT_EQ(lamp->onColour.r, 0.0f);
    }
    Frames(3);
    EXPECT_EQ(Broadcasts("tutorial_complete", ""), 1);
    EXPECT_EQ(Broadcasts("module_correct", "Admin Authentication"), 0);
}

TEST_F(AdminAuthenticationTest, AWrongAnswerTurnsTheLampsRedThenASwitchShowsThePositionsInWhite)
{
    AnnounceDate("Sunday October 16th"); // code: off, off, on, off
    admin.OnTrigger();
    SetSwitches({true, false, true, false});
    Click(admin.enterButton->position);
    EXPECT_TRUE(admin.active);
    for (const StatusLight* lamp : admin.codeLights) {
        EXPECT_TRUE(lamp->lit);
        EXPECT_EQ(lamp->onColour.r, 1.0f);
        EXPECT_EQ(lamp->onColour.g, 0.0f);
    }
    Frames(2);
    EXPECT_EQ(Broadcasts("terminal_append_line", "Code Incorrect, please try again"), 1);
    EXPECT_EQ(Broadcasts("tutorial_complete", ""), 0);

    Click(admin.codeSwitches[0]->position); // now off, off, on, off
    const bool shown[4] = {false, false, true, false};
    for (size_t i = 0; i < 4; ++i) {
        EXPECT_EQ(admin.codeLights[i]->lit, shown[i]) << i;
        EXPECT_EQ(admin.codeLights[i]->onColour.b, 1.0f) << "white";
    }
    Click(admin.enterButton->position);
    EXPECT_FALSE(admin.active);
}

// ---- Onsite incident ----

class OnsiteIncidentTest : public TutorialModules {
protected:
    void SetUp() override
    {
        TutorialModules::SetUp();
        incident.Init();
        modules = {&incident};
    }

    long OrderLines()
    {
        return Broadcasts("terminal_append_line", "/> Nuclear meltdown crisis averted. Before you clock out, add "
                                                  "another day without incident to the counter.");
    }

    OnsiteIncidentModule incident{"OnsiteIncident", {-500, 430}};
};

TEST_F(OnsiteIncidentTest, StartsWithFiveToTenDays)
{
    std::vector<uint32_t> seen;
    for (unsigned seed = 0; seed < 60; ++seed) {
        incident.Exit();
        std::srand(seed);
        incident.Init();
        EXPECT_GE(incident.days, 5u);
        EXPECT_LE(incident.days, 10u);
        seen.push_back(incident.days);
    }
    std::sort(seen.begin(), seen.end());
    seen.erase(std::unique(seen.begin(), seen.end()), seen.end());
    EXPECT_EQ(seen.size(), 6u);
    EXPECT_FLOAT_EQ(incident.button->position.x, -650.0f);
    EXPECT_FLOAT_EQ(incident.button->position.y, 430.0f);
}

TEST_F(OnsiteIncidentTest, TheWinAsksForADayAndTheButtonAddsItAndEndsTheShift)
{
    uint32_t days = incident.days;
    Click(incident.button->position);
    EXPECT_EQ(incident.days, days) << "a click while idle does nothing";
    Broadcast("end_game", "lose");
    Frames(2);
    EXPECT_FALSE(incident.active);

    Broadcast("end_game", "win");
    Frame(false);
    EXPECT_TRUE(incident.active);
    Broadcast("end_game", "win");
    Frames(2);
    EXPECT_EQ(OrderLines(), 2) << "a second win while the task is open asks again";

    Click(incident.button->position);
    EXPECT_EQ(incident.days, days + 1);
    EXPECT_FALSE(incident.active);
    EXPECT_TRUE(gameManager.ending);
    Frames(2);
    EXPECT_EQ(Broadcasts("module_correct", "OnsiteIncident"), 1);
}

TEST_F(OnsiteIncidentTest, TheManagersFollowUpWinDoesNotAskForTheDayAgain)
{
    // With the pool empty the manager answers the module's own "module_correct" with another "win".
    runManager = true;
    Broadcast("end_game", "win");
    Frame(false);
    uint32_t days = incident.days;
    Click(incident.button->position);
    Frames(10);
    EXPECT_EQ(Broadcasts("end_game", "win"), 2);
    EXPECT_FALSE(incident.active);
    EXPECT_EQ(OrderLines(), 1);
    Click(incident.button->position);
    EXPECT_EQ(incident.days, days + 1);
}

} // namespace
