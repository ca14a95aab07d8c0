// The reactor's heat injector and the decryption screen, worked with the mouse through their real controls on a
// headless 1280 by 720 window, frame by frame on the desk's frame time.
#include "flow/game_manager.h"
#include "interaction/interactable.h"
#include "module_test_support.h"
#include "modules/decryption.h"
#include "modules/module_tables.h"
#include "modules/reactor_temperature.h"
#include "modules/shuffle_generator.h"

#include <algorithm>
#include <cstdlib>
#include <gtest/gtest.h>
#include <set>
#include <sstream>
#include <string>
#include <vector>

namespace {

class TimedModules : public DeskModules {
protected:
    void SetUp() override
    {
        DeskModules::SetUp();
        reactor.Init();
        decryption.Init();
        modules = {&reactor, &decryption};
    }

    // The two machines run on the frame time.
    void UpdateModules() override
    {
        reactor.TimedUpdate(Dt);
        decryption.TimedUpdate(Dt);
    }

    void Trigger(const std::string& name)
    {
        Broadcast("module_trigger", name);
        Frame(false);
    }

    ReactorTemperature reactor{"Reactor Temperature", {1700, -100}};
    Decryption decryption{"Decryption", {-2000, 100}};
};

// ---- Reactor temperature ----

class ReactorTest : public TimedModules {
protected:
    void SetUp() override
    {
        TimedModules::SetUp();
        // The heat button sits far from the decryption screen; point at it once, press by frame.
        PointAt(reactor.heatButton->position);
    }

    int LitLamps() const
    {
        return static_cast<int>(std::count_if(reactor.lights.begin(), reactor.lights.end(),
                                              [](const StatusLight* lamp) { return lamp->lit; }));
    }

    // A player pulsing the button: heat while the needle is below the aim, let it cool above.
    void HoldNear(float aim, int frames)
    {
        for (int i = 0; i < frames; ++i) {
            Frame(reactor.temperature < aim);
        }
    }
};

TEST_F(ReactorTest, TheButtonAndLampsStandWhereTheDeskShowsThem)
{
    EXPECT_EQ(Broadcasts("module_init", "Reactor Temperature"), 1);
    EXPECT_FLOAT_EQ(reactor.heatButton->position.x, 1700.0f);
    EXPECT_FLOAT_EQ(reactor.heatButton->position.y, -200.0f);
    ASSERT_EQ(reactor.lights.size(), 10u);
    for (size_t i = 0; i < reactor.lights.size(); ++i) {
        EXPECT_NEAR(reactor.lights[i]->position.x, 1512.5f + 41.667f * static_cast<float>(i), 0.01f) << i;
        EXPECT_NEAR(reactor.lights[i]->position.y, 120.59f, 0.01f);
    }
    EXPECT_FLOAT_EQ(reactor.temperature, -75.0f);
}

TEST_F(ReactorTest, LeftAloneTheNeedleSinksToTheStopAndNoLampStaysLit)
{
    Frames(120, true);
    EXPECT_FLOAT_EQ(reactor.temperature, -75.0f) << "the gauge is frozen until the task is set";

    Trigger("Reactor Temperature");
    ASSERT_TRUE(reactor.active);
    EXPECT_EQ(
        Broadcasts("terminal_append_line", "/> Reactor Core underheating! Use the Heat Injectors| to restabalize it."),
        1);
    Frames(600);
    EXPECT_FLOAT_EQ(reactor.temperature, -80.0f);
    EXPECT_FLOAT_EQ(reactor.stableTime, -1.0f);
    EXPECT_EQ(LitLamps(), 0);
    EXPECT_TRUE(reactor.active);
}

TEST_F(ReactorTest, HoldingAllTheTimeDrivesTheNeedleToTheTopAndLosesTheGatheredTime)
{
    Trigger("Reactor Temperature");
    float enteredBand = 0.0f, leftBand = 0.0f;
    for (int i = 0; i < 600; ++i) {
        const float before = reactor.temperature;
        Frame(true);
        if (before < -45.0f && reactor.temperature >= -45.0f) {
            enteredBand = reactor.stableTime;
        }
        if (before <= 45.0f && reactor.temperature > 45.0f) {
            leftBand = reactor.stableTime;
        }
    }
    EXPECT_NEAR(leftBand - enteredBand, 0.9f, 0.05f) << "90 degrees of band at 100 a second";
    EXPECT_FLOAT_EQ(reactor.temperature, 80.0f);
    EXPECT_FLOAT_EQ(reactor.stableTime, -1.0f);
    EXPECT_TRUE(reactor.active);
}

TEST_F(ReactorTest, BothEndsOfTheBandCountAsInside)
{
    reactor.active = true;
    const struct {
        float temperature;
        bool inside;
    } cases[] = {{45.0f, true}, {-45.0f, true}, {0.0f, true}, {45.01f, false}, {-45.01f, false}};
    for (const auto& c : cases) {
        reactor.temperature = c.temperature;
        reactor.stableTime = 2.0f;
        reactor.TimedUpdate(0.1f);
        EXPECT_FLOAT_EQ(reactor.stableTime, c.inside ? 2.1f : 1.7f) << c.temperature;
    }
}

TEST_F(ReactorTest, TimeInTheBandAddsUpAcrossVisitsAndTheLampsCountIt)
{
    Trigger("Reactor Temperature");
    HoldNear(0.0f, 240); // climb into the band and hold there
    ASSERT_GT(reactor.stableTime, 2.0f);
    EXPECT_EQ(LitLamps(), static_cast<int>(reactor.stableTime / 0.6f) + 1);

    // Half a second below the band costs three times as much of the gathered time, not all of it.
    while (reactor.temperature >= -45.0f) {
        Frame(false);
    }
    const float leaving = reactor.stableTime;
    Frames(30);
    EXPECT_NEAR(reactor.stableTime, leaving - 30 * 3 * Dt, 1e-3f);

    while (reactor.temperature < -45.0f) {
        Frame(true);
    }
    const float back = reactor.stableTime;
    ASSERT_GT(back, 0.0f);
    HoldNear(0.0f, 60);
    EXPECT_NEAR(reactor.stableTime, back + 60 * Dt, 1e-3f) << "the second visit counts on from the first";
    EXPECT_EQ(LitLamps(), static_cast<int>(reactor.stableTime / 0.6f + 1e-4f) + 1);
}

TEST_F(ReactorTest, OnceTheTimeIsGatheredTheCoreSettlesAtZeroWhateverThePlayerDoes)
{
    Trigger("Reactor Temperature");
    HoldNear(30.0f, 2000);
    ASSERT_GE(reactor.stableTime, 6.0f) << "six seconds in the band";
    // Settling from 30 down to 0 at 30 a second, with the button held throughout: input is ignored.
    float last = reactor.temperature;
    int frames = 0;
    while (reactor.active && frames < 600) {
        Frame(true);
        EXPECT_LE(reactor.temperature, last);
        last = reactor.temperature;
        ++frames;
    }
    EXPECT_FALSE(reactor.active);
    EXPECT_FLOAT_EQ(reactor.temperature, 0.0f);
    EXPECT_EQ(LitLamps(), 10);
    for (const StatusLight* lamp : reactor.lights) {
        EXPECT_EQ(lamp->onColour.g, 1.0f);
        EXPECT_EQ(lamp->onColour.r, 0.0f);
    }
    Frames(60, true);
    EXPECT_FLOAT_EQ(reactor.temperature, 0.0f) << "frozen once complete";
    EXPECT_EQ(Broadcasts("module_correct", "Reactor Temperature"), 1);
    EXPECT_EQ(Broadcasts("terminal_append_line", "Core temperature stabalizing."), 1);
}

// ---- Decryption ----

class DecryptionTest : public TimedModules {
protected:
    size_t AnswerSlot() const
    {
        return static_cast<size_t>(std::find(decryption.choices.begin(), decryption.choices.end(), decryption.answer) -
                                   decryption.choices.begin());
    }

    std::map<std::string, std::string> Book() const
    {
        std::map<std::string, std::string> book;
        for (const auto& entry : decryption_table::CodeBook) {
            book[std::string(1, entry.key)] = std::string(entry.word);
        }
        return book;
    }
};

TEST_F(DecryptionTest, ButtonsLampAndBookStandReady)
{
    EXPECT_EQ(Broadcasts("module_init", "Decryption"), 1);
    const float xs[3] = {-2125, -2000, -1875};
    for (size_t i = 0; i < 3; ++i) {
        EXPECT_FLOAT_EQ(decryption.choiceButtons[i]->position.x, xs[i]);
        EXPECT_FLOAT_EQ(decryption.choiceButtons[i]->position.y, -112.5f);
    }
    EXPECT_FLOAT_EQ(decryption.statusLight->position.x, -1750.0f);
    EXPECT_FLOAT_EQ(decryption.statusLight->position.y, -125.0f);
    EXPECT_EQ(decryption.codeBook, Book());
    EXPECT_EQ(decryption.messagePool.size(), 11u);
}

TEST_F(DecryptionTest, TheAnswerIsTheFirstCodeBookWordInReadingOrder)
{
    const struct {
        std::string message;
        std::string key;
    } cases[] = {
        {std::string(decryption_table::Messages[0]), "b"},  // reactor
        {std::string(decryption_table::Messages[1]), "i"},  // must
        {std::string(decryption_table::Messages[4]), "b"},  // "completely" is not "complete"
        {std::string(decryption_table::Messages[5]), "g"},  // left comes before reactor
        {std::string(decryption_table::Messages[6]), "a"},  // this, before complete
        {std::string(decryption_table::Messages[8]), "f"},  // "meltdown," and "yourself," are no words
        {std::string(decryption_table::Messages[9]), "h"},  // state
        {std::string(decryption_table::Messages[10]), "b"}, // reactor, and very later
        {"very free reactor very", "f"},                    // a word twice still gives one answer
        {"reactor, this", "a"},                             // punctuation stays with its word
        {"Reactor this", "a"},                              // words match case and all
        {"nothing \n here", ""},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(FirstCodeWordKey(c.message, Book()), c.key) << c.message;
    }
    for (std::string_view message : decryption_table::Messages) {
        EXPECT_FALSE(FirstCodeWordKey(std::string(message), Book()).empty()) << "no answer in: " << message;
    }
}

TEST_F(DecryptionTest, EveryPuzzleShowsThreeDifferentSymbolsWithExactlyOneAnswer)
{
    for (unsigned seed = 0; seed < 40; ++seed) {
        std::srand(seed);
        decryption.NewPuzzle();
        ASSERT_EQ(decryption.choices.size(), 3u);
        std::set<std::string> distinct(decryption.choices.begin(), decryption.choices.end());
        EXPECT_EQ(distinct.size(), 3u) << decryption.message;
        EXPECT_EQ(std::count(decryption.choices.begin(), decryption.choices.end(), decryption.answer), 1);
        EXPECT_EQ(decryption.answer, FirstCodeWordKey(decryption.message, Book()));
        for (const std::string& key : decryption.choices) {
            EXPECT_EQ(decryption.codeBook.count(key), 1u) << key;
        }
    }
}

TEST_F(DecryptionTest, NoMessageRepeatsUntilAllElevenHaveBeenShown)
{
    std::set<std::string> seen;
    for (int i = 0; i < 11; ++i) {
        decryption.NewPuzzle();
        seen.insert(decryption.message);
    }
    EXPECT_EQ(seen.size(), 11u);
    EXPECT_TRUE(decryption.messagePool.empty());
    decryption.NewPuzzle();
    EXPECT_EQ(decryption.messagePool.size(), 10u) << "the pool is refilled, then one is taken";
    EXPECT_EQ(seen.count(decryption.message), 1u);
}

TEST_F(DecryptionTest, TheShuffleFollowsOneFixedSequenceWhateverMessageComes)
{
    // The generator's first outputs are fixed by its definition, so the shuffles are the same on every
    // platform: from a fresh generator the nine keys come out in this order, then three slots in this one.
    std::mt19937 fresh{decryption_table::ShuffleSeed};
    EXPECT_EQ(fresh(), 3499211612u);
    fresh.seed(decryption_table::ShuffleSeed);
    std::vector<char> keys = {'a', 'b', 'c', 'd', 'e', 'f', 'g', 'h', 'i'};
    Shuffle(keys, fresh);
    EXPECT_EQ(std::string(keys.begin(), keys.end()), "eadbfhgci");
    std::vector<int> slots = {0, 1, 2};
    Shuffle(slots, fresh);
    EXPECT_EQ(slots, (std::vector<int>{1, 2, 0}));

    // Two runs that reach the same point of the sequence with different clocks: different messages, the
    // answer in the same place and the decoys taken in the same order.
    const std::mt19937 saved = ShuffleGenerator();
    std::srand(1);
    decryption.NewPuzzle();
    const std::string firstMessage = decryption.message;
    const std::vector<std::string> firstChoices = decryption.choices;
    const size_t firstSlot = AnswerSlot();
    std::string secondMessage;
    for (unsigned seed = 2; seed < 50 && (secondMessage.empty() || secondMessage == firstMessage ||
                                          decryption.answer == firstChoices[firstSlot]);
         ++seed) {
        ShuffleGenerator() = saved;
        decryption.messagePool.assign(decryption_table::Messages.begin(), decryption_table::Messages.end());
        std::srand(seed);
        decryption.NewPuzzle();
        secondMessage = decryption.message;
    }
    ASSERT_NE(secondMessage, firstMessage);
    ASSERT_NE(decryption.answer, firstChoices[firstSlot]);
    EXPECT_EQ(AnswerSlot(), firstSlot);
}

TEST_F(DecryptionTest, AWrongPressBringsANewMessageAndARedLampTheRightOneEndsTheTask)
{
    Click(decryption.choiceButtons[0]->position);
    EXPECT_TRUE(decryption.message.empty()) << "nothing happens before the task";
    EXPECT_EQ(Broadcasts("module_incorrect", "Decryption"), 0);

    Trigger("Decryption");
    ASSERT_TRUE(decryption.active);
    EXPECT_EQ(Broadcasts("terminal_append_line", "/> Secret passphrases urgently need decrypting!"), 1);
    ASSERT_FALSE(decryption.message.empty()) << "the first active frame draws a puzzle";

    const std::string before = decryption.message;
    const size_t wrong = (AnswerSlot() + 1) % 3;
    Click(decryption.choiceButtons[wrong]->position);
    EXPECT_TRUE(decryption.active);
    EXPECT_NE(decryption.message, before);
    EXPECT_TRUE(decryption.statusLight->lit);
    EXPECT_EQ(decryption.statusLight->onColour.r, 1.0f);
    EXPECT_EQ(decryption.statusLight->onColour.g, 0.0f);
    Frame(false);
    EXPECT_EQ(Broadcasts("module_incorrect", "Decryption"), 1);
    EXPECT_EQ(Broadcasts("module_correct", "Decryption"), 0);

    Click(decryption.choiceButtons[AnswerSlot()]->position);
    EXPECT_FALSE(decryption.active);
    EXPECT_EQ(decryption.statusLight->onColour.g, 1.0f);
    EXPECT_EQ(decryption.statusLight->onColour.r, 0.0f);
    Frame(false);
    EXPECT_EQ(Broadcasts("module_correct", "Decryption"), 1);
    EXPECT_EQ(Broadcasts("terminal_append_line", "Messages successfully decrypted"), 1);
    Click(decryption.choiceButtons[0]->position);
    EXPECT_EQ(Broadcasts("module_incorrect", "Decryption"), 1) << "the buttons are dead once solved";
}

} // namespace
