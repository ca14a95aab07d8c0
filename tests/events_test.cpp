#include "engine/system.h"
#include "flow/events.h"

#include <gtest/gtest.h>
#include <optional>
#include <string>
#include <vector>

namespace {

class EventsTest : public ::testing::Test {
protected:
    void SetUp() override { ClearAllEvents(); }
    void TearDown() override { ClearAllEvents(); }
    // One engine frame as far as events are concerned: the event system updates first.
    void NextFrame() { EventSystem.update(1.0f / 60.0f); }
};

TEST_F(EventsTest, HeardForExactlyTheNextFrame)
{
    Broadcast("zoom_done", "");
    EXPECT_FALSE(Listen("zoom_done")) << "not hearable in the frame it was broadcast";
    NextFrame();
    EXPECT_TRUE(Listen("zoom_done"));
    EXPECT_TRUE(Listen("zoom_done")) << "hearable for the whole frame, by everybody";
    NextFrame();
    EXPECT_FALSE(Listen("zoom_done"));
}

TEST_F(EventsTest, SameNameEventsQueueOneAfterAnother)
{
    // Six announcements in one frame: delays 0, 2, 4, ...; the first is heard for one frame, each later one for two.
    const char* names[] = {"Wavulon3000", "Targeting", "KeyModule", "Reactor Temperature", "Phone", "Decryption"};
    for (const char* name : names) {
        Broadcast("module_init", name);
    }
    std::vector<std::string> heard;
    for (int frame = 0; frame < 14; ++frame) {
        NextFrame();
        heard.push_back(GetData("module_init"));
    }
    std::vector<std::string> expected = {"Wavulon3000",
                                         "Targeting",
                                         "Targeting",
                                         "KeyModule",
                                         "KeyModule",
                                         "Reactor Temperature",
                                         "Reactor Temperature",
                                         "Phone",
                                         "Phone",
                                         "Decryption",
                                         "Decryption",
                                         "",
                                         "",
                                         ""};
    EXPECT_EQ(heard, expected);
}

TEST_F(EventsTest, BroadcastWhileOneIsLiveWaitsForIt)
{
    Broadcast("credits", "first");
    NextFrame();
    Broadcast("credits", "second"); // one live, none pending: delay 0
    EXPECT_EQ(GetData("credits"), "first");
    NextFrame();
    EXPECT_EQ(GetData("credits"), "second");
    NextFrame();
    EXPECT_EQ(GetData("credits"), "");
}

TEST_F(EventsTest, ConsoleLinesDescribeTheEvent)
{
    testing::internal::CaptureStdout();
    Broadcast("module_trigger", "Calendar");
    Broadcast("module_trigger", "Phone");
    NextFrame();
    EXPECT_TRUE(Listen("module_trigger"));
    EXPECT_FALSE(Listen("nothing_like_it"));
    std::string out = testing::internal::GetCapturedStdout();
    EXPECT_EQ(out, "Broadcast: module_trigger (Calendar) (0)\n"
                   "Broadcast: module_trigger (Phone) (2)\n"
                   "Heard: module_trigger (Calendar) (0)\n");
}

TEST_F(EventsTest, ListenersSeeEveryLiveEventOfTheirName)
{
    static std::vector<std::string> calls;
    calls.clear();
    Listener listener("event_name_2");
    listener.callback = [](const std::string& data) { calls.push_back(data); };
    Broadcast("event_name_2", "a");
    NextFrame(); // moved to live
    EXPECT_TRUE(calls.empty());
    Broadcast("other", "");
    NextFrame(); // polled: sees "a"
    EXPECT_EQ(calls, std::vector<std::string>{"a"});
    EXPECT_TRUE(listener.heard);
    EXPECT_EQ(listener.data, "a");
    NextFrame();
    EXPECT_FALSE(listener.heard);
}

// What a party hears in one update through its ear: every name of the shift that it would listen for.
std::string HeardThrough(EventEar* ear)
{
    std::optional<HearingScope> hearing;
    if (ear != nullptr) {
        hearing.emplace(*ear);
    }
    std::string heard;
    for (const char* name : {"module_trigger", "terminal_append_line", "end_game"}) {
        if (Listen(name)) {
            heard += std::string(heard.empty() ? "" : " ") + name + "(" + GetData(name) + ")";
        }
    }
    return heard;
}

TEST_F(EventsTest, AHeldEarHearsWhatWentLiveMeanwhileOnceItRunsAgainInOrderAndOnce)
{
    EventEar desk;
    EventEar neverHeld;
    // Frame by frame: what is broadcast during the frame, and whether the desk is paused in it.
    struct Step {
        const char* name;
        const char* data;
        bool deskHeld;
    };
    const Step steps[] = {
        {"module_trigger", "Admin Authentication", false},
        {"terminal_append_line", "/> order", true}, // the trigger is live while the desk is paused
        {nullptr, nullptr, true},                   // the order is live
        {"end_game", "win", true},                  // nothing live
        {nullptr, nullptr, false},                  // the desk runs again: the trigger
        {nullptr, nullptr, false},                  // the order
        {nullptr, nullptr, false},                  // the win, late by the two frames it missed
        {nullptr, nullptr, false},
    };
    std::vector<std::string> live, unheld, held;
    for (const Step& step : steps) {
        live.push_back(HeardThrough(nullptr));
        unheld.push_back(HeardThrough(&neverHeld));
        if (step.deskHeld) {
            desk.Hold();
        }
        held.push_back(HeardThrough(&desk));
        if (step.name != nullptr) {
            Broadcast(step.name, step.data);
        }
        NextFrame();
    }
    const std::vector<std::string> expectedLive = {
        "", "module_trigger(Admin Authentication)", "terminal_append_line(/> order)", "", "end_game(win)", "", "", ""};
    EXPECT_EQ(live, expectedLive);
    EXPECT_EQ(unheld, expectedLive) << "a party never paused hears exactly what is live";
    const std::vector<std::string> expectedHeld = {
        "", "", "", "", "module_trigger(Admin Authentication)", "terminal_append_line(/> order)", "end_game(win)", ""};
    EXPECT_EQ(held, expectedHeld);
    EXPECT_EQ(desk.KeptFrames(), 0u);
}

TEST_F(EventsTest, AnEarReplaysQueuedEventsAsTheyWereLiveAndForgetsOnRequest)
{
    // Two of one name sent together while the party is paused: once it runs it hears them as it would have,
    // the first for one frame, the second for two, and the "Heard: " lines are the usual ones.
    EventEar ear;
    Broadcast("credits", "first");
    Broadcast("credits", "second");
    std::vector<std::string> heard;
    for (int frame = 0; frame < 3; ++frame) {
        NextFrame();
        ear.Hold();
    }
    testing::internal::CaptureStdout();
    for (int frame = 0; frame < 4; ++frame) {
        NextFrame();
        HearingScope hearing(ear);
        heard.push_back(Listen("credits") ? GetData("credits") : "-");
    }
    std::string out = testing::internal::GetCapturedStdout();
    EXPECT_EQ(heard, (std::vector<std::string>{"first", "second", "second", "-"}));
    EXPECT_EQ(out, "Heard: credits (first) (0)\n"
                   "Heard: credits (second) (1)\n"
                   "Heard: credits (second) (0)\n");

    // A party that starts afresh (a new shift) does not hear the last one's leftovers.
    Broadcast("end_game", "lose");
    NextFrame();
    ear.Hold();
    ear.Forget();
    NextFrame();
    HearingScope hearing(ear);
    EXPECT_FALSE(Listen("end_game"));
}

TEST_F(EventsTest, AnInboxTakesEachEventOnceAndNoneThatAQueueWouldHide)
{
    // Two lines in one frame, then a third in the next: the second stays live for three frames and hides the
    // third all the while, so listening for the first match types the second twice and never the third.
    EventInbox inbox("terminal_append_line");
    Broadcast("terminal_append_line", "a");
    Broadcast("terminal_append_line", "b");
    std::vector<std::string> taken;
    for (int frame = 0; frame < 6; ++frame) {
        NextFrame();
        if (frame == 0) {
            Broadcast("terminal_append_line", "c");
        }
        std::string line;
        if (inbox.Take(line)) {
            taken.push_back(line);
        }
    }
    EXPECT_EQ(taken, (std::vector<std::string>{"a", "b", "c"}));
}

} // namespace
