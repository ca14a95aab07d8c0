// One solver per machine: it recognises the machine's order on the terminal, then works the machine from
// what the screen shows and what the manual teaches (the tables in modules/module_tables.h that the manual
// pages are drawn from), acting only through the hand.
//
// A machine's solver lives in tools/autoplay/solve_<machine>.cpp and registers itself with one line:
//
//     BRIMVALE_SOLVER(ReactorSolver);
#pragma once

#include "tools/autoplay/desk_camera.h"
#include "tools/autoplay/player.h"
#include "tools/autoplay/screen_reading.h"

#include <memory>
#include <random>
#include <string>
#include <utility>
#include <vector>

// What a solver works with: the player (the screen, the waits), the hand, and the camera along the desk.
struct Desk {
    Player& player;
    DeskCamera& camera;
    std::string date; // today's date as the terminal's header shows it ("Tuesday March 3rd")

    Hand& hand() { return player.TheHand(); }
    const ScreenDescription& screen() { return player.Screen(); }
};

class Solver {
public:
    // The task's name in reports (e.g. "Reactor Temperature") and a phrase that only this machine's order holds.
    Solver(std::string name, std::string orderPhrase) : name(std::move(name)), orderPhrase(std::move(orderPhrase)) {}
    virtual ~Solver() = default;
    const std::string& Name() const { return name; }
    // Whether a line of the terminal (an order, beginning with "/> ") is this machine's order.
    bool Recognises(const std::string& order) const { return order.find(orderPhrase) != std::string::npos; }
    // Works the machine until its task is done, as the machine shows it (a lamp turning green, a report on
    // the terminal). Throws StuckError when the machine does not respond as the manual says it would.
    virtual void Solve(Desk& desk) = 0;
    // Gives one wrong answer, if the machine has such a thing, and waits until the machine has shown that it
    // was wrong. Returns false (doing nothing) for a machine that cannot be answered wrongly.
    virtual bool GiveWrongAnswer(Desk&) { return false; }

private:
    std::string name;
    std::string orderPhrase;
};

using SolverFactory = std::unique_ptr<Solver> (*)();

// Adds a solver to the autoplayer (at static initialisation, through BRIMVALE_SOLVER).
bool RegisterSolver(SolverFactory make);
// One fresh instance of every registered solver.
std::vector<std::unique_ptr<Solver>> MakeSolvers();

#define BRIMVALE_SOLVER(Type)                                                                                          \
    [[maybe_unused]] static const bool Type##Registered =                                                              \
        RegisterSolver([]() -> std::unique_ptr<Solver> { return std::make_unique<Type>(); })
