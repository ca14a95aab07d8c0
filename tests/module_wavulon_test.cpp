// The Wavulon 3000 worked with the mouse: three presses make an attempt, the lamps count them, a wrong
// attempt changes the wave and a right one ends the task.
#include "module_test_support.h"
#include "modules/wavulon.h"

#include <array>

namespace {

class WavulonTest : public DeskModules {
protected:
    void SetUp() override
    {
        DeskModules::SetUp();
        wavulon.Init();
        modules = {&wavulon};
        // The desk draws the machine before any task comes: the first check empties the start history.
        wavulon.Render();
    }

    void Press(uint32_t button) { Click(wavulon.buttons[button]->position); }

    // The order the manual gives for the wave on the screen.
    std::array<uint32_t, 3> RightOrder() const
    {
        std::array<uint32_t, 3> order{};
        for (size_t i = 0; i < order.size(); ++i) {
            order[i] =
                static_cast<uint32_t>(wavulon_table::Patterns[static_cast<size_t>(wavulon.patternIndex) * 3 + i]);
        }
        return order;
    }

    // Lamps as drawn: 0 dark, 'r' red, 'g' green.
    std::string Lamps()
    {
        wavulon.Render();
        std::string shown;
        for (const StatusLight* lamp : wavulon.lights) {
            shown += !lamp->lit ? '0' : (lamp->onColour.g == 1.0f && lamp->onColour.r == 0.0f ? 'g' : 'r');
        }
        return shown;
    }

    WavulonModule wavulon{"Wavulon3000", {-800, 0}};
};

TEST(WavulonPatternTest, TheThreeThirdsOfChanceGiveTheThreePatterns)
{
    const struct {
        int roll;
        int32_t pattern;
    } cases[] = {{0, 0}, {10921, 0}, {10922, 1}, {21843, 1}, {21844, 2}, {32766, 2}, {32767, 2}};
    for (const auto& c : cases) {
        EXPECT_EQ(WavulonModule::PatternForRoll(c.roll), c.pattern) << c.roll;
    }
}

TEST_F(WavulonTest, TheZeroStartIsEmptiedByTheFirstDrawAndTheWaveChanges)
{
    WavulonModule fresh{"Wavulon3000", {-800, 0}};
    fresh.Init();
    EXPECT_EQ(fresh.inputHistory, (std::array<uint32_t, 3>{0, 0, 0}));
    const int32_t drawn = fresh.patternIndex;
    fresh.Render();
    EXPECT_EQ(fresh.FilledPlaces(), 0);
    EXPECT_NE(fresh.patternIndex, drawn);
    fresh.Exit();
}

TEST_F(WavulonTest, PressesBeforeTheTaskAreNotRememberedAndTwoPressesGiveNoVerdict)
{
    Press(0);
    Press(1);
    EXPECT_EQ(wavulon.FilledPlaces(), 0);
    EXPECT_EQ(Lamps(), "000");

    wavulon.OnTrigger();
    EXPECT_EQ(Broadcasts("terminal_append_line", "/> WARNING: Radon Waves reaching unprecedented levels! Regulate "
                                                 "them using the Wavulon 3000."),
              1);
    const std::array<uint32_t, 3> order = RightOrder();
    Press(order[0]);
    EXPECT_EQ(Lamps(), "r00");
    Press(order[1]);
    Frames(120);
    EXPECT_EQ(Lamps(), "rr0");
    EXPECT_EQ(Broadcasts("module_correct", "Wavulon3000") + Broadcasts("module_incorrect", "Wavulon3000"), 0);
    EXPECT_TRUE(wavulon.active);
}

TEST_F(WavulonTest, AWrongThirdPressIsOneWrongAnswerAndAlwaysShowsAnotherWave)
{
    wavulon.OnTrigger();
    int wrongs = 0;
    for (int attempt = 0; attempt < 12; ++attempt) {
        const int32_t shown = wavulon.patternIndex;
        std::array<uint32_t, 3> order = RightOrder();
        std::swap(order[attempt % 2], order[2]); // the last or the first two pressed out of turn
        for (uint32_t button : order) {
            Press(button);
        }
        ++wrongs;
        EXPECT_NE(wavulon.patternIndex, shown) << attempt;
        EXPECT_EQ(wavulon.FilledPlaces(), 0);
        EXPECT_EQ(Lamps(), "000");
        EXPECT_TRUE(wavulon.active);
    }
    EXPECT_EQ(Broadcasts("module_incorrect", "Wavulon3000"), wrongs);
    EXPECT_EQ(Broadcasts("module_correct", "Wavulon3000"), 0);
}

TEST_F(WavulonTest, TheRightOrderTurnsTheLampsGreenEndsTheTaskAndLaterPressesAreIgnored)
{
    wavulon.OnTrigger();
    const std::array<uint32_t, 3> order = RightOrder();
    for (uint32_t button : order) {
        Press(button);
    }
    EXPECT_FALSE(wavulon.active);
    EXPECT_EQ(Lamps(), "ggg");
    EXPECT_EQ(Broadcasts("module_correct", "Wavulon3000"), 1);
    EXPECT_EQ(Broadcasts("terminal_append_line", "Radon waves successfully regulated"), 1);

    // Even with the task open again, a full right history takes no more presses.
    wavulon.active = true;
    Press((order[2] + 1) % 3);
    EXPECT_EQ(wavulon.inputHistory, order);
    EXPECT_EQ(Lamps(), "ggg");
}

} // namespace
