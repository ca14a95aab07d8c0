#include "engine/system.h"
#include "flow/events.h"

#include <gtest/gtest.h>

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

} // namespace
