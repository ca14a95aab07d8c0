// A whole shift as a careful player plays it: from the main menu's "Start Game", through every order the
// terminal gives, to the newspaper and back to the main menu.
#pragma once

#include "tools/autoplay/player.h"

#include <cstdint>
#include <ctime>
#include <random>
#include <string>
#include <vector>

struct ShiftOptions {
    bool setClock = false;
    std::time_t clock = 0;          // the calendar time set just before "Start Game"
    double mistakes = 0;            // chance of one wrong answer at each task before the right one
    std::mt19937* chance = nullptr; // draws for the mistakes; needed when mistakes > 0
    // For tests: when not negative, the player works only this many tasks, then stops touching the desk.
    int solveOnly = -1;
    // With solveOnly: wait at the terminal for the shift to end (a loss) rather than return at once.
    bool waitForEnd = false;
};

struct ShiftReport {
    std::time_t clock = 0;
    std::string date;               // as the terminal's header showed it
    int result = -1;                // 1 won, 0 lost, -1 not finished (stuck, or stopped by solveOnly)
    std::string timeLeft;           // the countdown when the last order came, as shown
    std::vector<std::string> tasks; // in the order given (tutorial and the day counter included)
    int wrongAnswers = 0;
    uint64_t frames = 0; // from "Start Game" to the newspaper
    std::string failure; // why the shift did not finish
};

// Plays one shift from the main menu and returns to it. Never throws for the game's sake: a stuck shift
// comes back with result -1 and the reason in `failure`.
ShiftReport PlayShift(Player& player, const ShiftOptions& options);
