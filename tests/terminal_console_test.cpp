// The console's playback on the 700 by 525 terminal: typing, wrapping, entries, buttons and scrolling.
#include "interaction/buttons.h"
#include "interaction_test_support.h"
#include "render/sprite.h"
#include "terminal/terminal.h"

#include <string>
#include <vector>

namespace {

using Lines = std::vector<std::string>;

class TerminalTest : public HeadlessUi {
protected:
    // One frame as a scene runs its terminal: events, controls, then the terminal.
    void Frame(float dt = Dt)
    {
        EventSystem.update(dt);
        ControlsFrame();
        terminal.Update(dt);
    }

    // Plays the queue to its end (bounded, so that a stuck entry fails instead of hanging).
    void PlayOut()
    {
        for (int frame = 0; frame < 100000 && !terminal.queue.empty(); ++frame) {
            Frame();
        }
        ASSERT_TRUE(terminal.queue.empty());
    }

    Terminal terminal{{0, 0}, {700, 525}};
};

TEST_F(TerminalTest, LayoutOfTheDeskSizedTerminal)
{
    EXPECT_FLOAT_EQ(terminal.GlyphAdvance(), 17.5f);
    EXPECT_EQ(terminal.TextRows(), 15);
    EXPECT_EQ(terminal.WrapWidth(), 36);
    terminal.textOrigin.y = -100; // two rows given up to the date header
    EXPECT_EQ(terminal.TextRows(), 13);
}

TEST_F(TerminalTest, TypesOneCharacterAnUpdateAndNothingInAFrozenFrame)
{
    terminal.typeDelay = 0.001f;
    terminal.AddLine("Hello");
    Frame(0.0f);
    EXPECT_EQ(terminal.lines, Lines{""});
    EXPECT_EQ(terminal.blinkTimer, 0.0f);
    for (int i = 0; i < 3; ++i) {
        Frame();
    }
    EXPECT_EQ(terminal.lines, Lines{"Hel"});

    // At the default delay of 30 ms a character takes two frames of 1/60 s.
    terminal.typeDelay = 30.0f;
    terminal.timer = 0.0f;
    Frame();
    EXPECT_EQ(terminal.lines, Lines{"Hel"});
    Frame();
    EXPECT_EQ(terminal.lines, Lines{"Hell"});

    // The cursor blinks every half second of frames that are not frozen.
    terminal.cursorShown = true;
    terminal.blinkTimer = 0.0f;
    for (int i = 0; i < 31; ++i) {
        Frame();
    }
    EXPECT_FALSE(terminal.cursorShown);
}

struct WrapCase {
    const char* what;
    std::string text;
    Lines expected;
};

TEST_F(TerminalTest, WrapsWholeWordsAtThirtySixCharacters)
{
    const std::string forty(40, 'x');
    const WrapCase cases[] = {
        {"a word without blanks breaks after 37", forty, {std::string(37, 'x'), "xxx"}},
        {"a sentence breaks before the word that would pass 36",
         "The quick brown fox jumps over the lazy dog again",
         {"The quick brown fox jumps over the", "lazy dog again"}},
        {"a last word that would pass 36 moves down", std::string(33, 'a') + " bbbb", {std::string(33, 'a'), "bbbb"}},
        {"a word longer than a line, with more after it, fills lines instead of one letter each",
         "go " + forty + " on",
         {"go " + std::string(34, 'x'), "xxxxxx on"}},
    };
    for (const WrapCase& c : cases) {
        terminal.lines = {""};
        terminal.typeDelay = 0.001f;
        terminal.AddLine(c.text);
        PlayOut();
        EXPECT_EQ(terminal.lines, c.expected) << c.what;
    }
}

TEST_F(TerminalTest, EntriesPlayInQueueOrder)
{
    terminal.typeDelay = 0.001f;
    terminal.AddLine("one").AddSpeed(0).AddDelay(0).AddLine("two").AddText(" more");
    PlayOut();
    // A zero speed and a zero pause show as blank lines, like empty line entries.
    EXPECT_EQ(terminal.lines, (Lines{"one", "", "", "two more"}));

    // A pause holds the queue for its length; then the event fires and the line is typed.
    terminal.AddDelay(500).AddEvent("start_timer").AddLine("go");
    for (int i = 0; i < 25; ++i) {
        Frame();
    }
    EXPECT_EQ(terminal.queue.size(), 3u);
    for (int i = 0; i < 10; ++i) {
        Frame();
    }
    EXPECT_LT(terminal.queue.size(), 3u);
    PlayOut();
    EXPECT_EQ(terminal.lines.back(), "go");

    // A speed entry changes the typing delay for what follows.
    terminal.AddSpeed(60);
    PlayOut();
    EXPECT_EQ(terminal.typeDelay, 60.0f);
}

TEST_F(TerminalTest, AnEventEntryBroadcastsWhenPlaybackReachesIt)
{
    terminal.typeDelay = 0.001f;
    terminal.AddLine("ab").AddEvent("start_timer");
    Frame();
    Frame();
    EXPECT_FALSE(Listen("start_timer"));
    PlayOut();
    EXPECT_TRUE(terminal.queue.empty());
    EventSystem.update(Dt);
    EXPECT_TRUE(Listen("start_timer"));
}

TEST_F(TerminalTest, AModuleLineIsTypedAfterWhatIsAlreadyQueued)
{
    terminal.typeDelay = 0.001f;
    terminal.AddLine("booting").AddLine("done");
    Broadcast("terminal_append_line", "/> Order");
    PlayOut();
    EXPECT_EQ(terminal.lines, (Lines{"booting", "done", "/> Order"}));
}

TEST_F(TerminalTest, LinesSentInOneFrameAreEachTypedOnce)
{
    // A wrong code entered in the frame the order arrives: two lines of one name in one frame, the second of
    // which stays live for two frames.
    terminal.typeDelay = 0.001f;
    Broadcast("terminal_append_line", "/> Boot sequence complete");
    Broadcast("terminal_append_line", "Code Incorrect, please try again");
    for (int frame = 0; frame < 5; ++frame) {
        Frame();
    }
    PlayOut();
    EXPECT_EQ(terminal.lines, (Lines{"/> Boot sequence complete", "Code Incorrect, please try again"}));
}

TEST_F(TerminalTest, AClearEmptiesTheTextButKeepsTheHeader)
{
    terminal.header = "Today is 01/02/1986";
    terminal.typeDelay = 0.001f;
    terminal.AddLine("old").AddClear(0).AddLine("new");
    PlayOut();
    EXPECT_EQ(terminal.lines, Lines{"new"});
    EXPECT_EQ(terminal.header, "Today is 01/02/1986");
}

int clicks = 0;

TEST_F(TerminalTest, ButtonLinesTakeTheirRowsAndStopReactingOnceScrolledOut)
{
    clicks = 0;
    terminal.AddButton("Start Game", [] { ++clicks; }).AddButton("Settings", [] { clicks += 10; }).AddLine("");
    PlayOut();
    // The first button takes the first line; each later one follows a blank line.
    EXPECT_EQ(terminal.lines, (Lines{"Start Game", "", "Settings", "", ""}));
    ASSERT_EQ(terminal.buttons.size(), 2u);
    Frame();
    EXPECT_FLOAT_EQ(terminal.buttons[1]->position.x, -350 + 40 + 17.5f * 7 / 2);
    EXPECT_FLOAT_EQ(terminal.buttons[1]->position.y, 262.5f - 40 - 2 * 30);

    testing::internal::CaptureStdout();
    PressAt(terminal.LabelCentre(2, 8));
    terminal.Update(Dt);
    Release();
    EXPECT_EQ(clicks, 10);
    EXPECT_EQ(testing::internal::GetCapturedStdout(), "Clicked");

    // The hover greys the underline of the entry under the pointer.
    PointAt(terminal.LabelCentre(0, 10));
    Frame();
    PXL_Graphics_StartDrawing();
    terminal.Render();
    PXL_Graphics_FinishDrawing();
    int grey = 0, green = 0;
    for (const PxlDrawRecord& draw : PxlFrameDraws()) {
        if (draw.scale.y == 5.0f && draw.texture == nullptr) {
            (draw.tint.r == 0.5f ? grey : green) += 1;
        }
    }
    EXPECT_EQ(grey, 1);
    EXPECT_EQ(green, 1);

    // Fifteen more lines push both buttons out of the window; their old rows and the origin do nothing.
    terminal.typeDelay = 0.0f;
    for (int i = 0; i < 15; ++i) {
        terminal.AddLine("line " + std::to_string(i));
    }
    PlayOut();
    Frame();
    EXPECT_TRUE(terminal.buttons[0]->hidden && terminal.buttons[1]->hidden);
    for (PXL_Vec2 spot : {terminal.LabelCentre(0, 10), terminal.LabelCentre(2, 8), PXL_Vec2{0, 0}}) {
        PressAt(spot);
        terminal.Update(Dt);
        Release();
    }
    EXPECT_EQ(clicks, 10);
}

TEST_F(TerminalTest, DestroyingATerminalRemovesItsButtonsShownOrNot)
{
    auto* menu = new Terminal({0, 0}, {700, 525});
    menu->AddButton("Start Game", nullptr).AddButton("Exit Game", nullptr);
    menu->Update(Dt); // the first is shown, the second still waits in the queue
    EXPECT_EQ(Interactables().size(), 2u);
    delete menu;
    EXPECT_TRUE(Interactables().empty());
}

} // namespace
