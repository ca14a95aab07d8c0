// A closed-loop player: the real game loop on the headless backend with a fixed frame time, and a player who
// looks at each finished frame (its screen description) and acts with the mouse alone, at a human pace.
//
// The game runs on the calling thread; the play function runs on a thread of its own, and the two strictly
// take turns: while the play function runs, the game waits between two frames, and each step of the hand
// hands exactly one frame back to the game. A run therefore repeats exactly.
#pragma once

#include "tools/sim/screen_description.h"

#include <cstdint>
#include <ctime>
#include <functional>
#include <stdexcept>
#include <string>
#include <vector>

// A wait that lasted longer than a player would wait: the shift is stuck.
class StuckError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// The condition set with Player::SetInterrupt came true (for example the newspaper came up mid-task).
class Interrupted : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// The game shut down while the player was acting (thrown out of the hand's and the waits' calls).
class GameEnded : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// One "Broadcast:" line of the console, with the frame in which it was printed. For tests only: a player
// never sees the console, so no decision may be taken from it.
struct EventLine {
    uint64_t frame = 0;
    std::string name;
    std::string payload;
};

enum class PauseKind {
    FocusLoss, // the window loses focus for a while, then the pause menu's "Resume Game" is clicked
    Escape,    // Escape, then the pause menu's "Resume Game" is clicked
};

struct PlayerOptions {
    double dt = 1.0 / 60.0;
    bool clockGiven = false;
    std::time_t clock = 0; // the calendar time at the first frame, advancing with the simulated time
    int windowWidth = 1280;
    int windowHeight = 720;
    uint64_t frameLimit = 60ull * 60 * 60 * 10; // ten hours of play: a safety net, never a pacing rule
    bool keepConsole = false;                   // print the game's console lines instead of only collecting them
    bool openGl = false; // draw with OpenGL in a hidden window (needs a display) rather than on the headless backend
    // When set, every input and clock change is written there as brimvale-sim script lines, so that
    // `brimvale-sim --input FILE` replays the run frame for frame (for screenshots on the real backend).
    std::string inputLogPath;
};

struct PlayResult {
    int engineStatus = 0;
    uint64_t frames = 0;
    std::string error; // what stopped the play function, empty when it returned normally
};

class Player;

// The mouse, moved and pressed like a person would: a move takes several frames, a click at least six frames
// after the one before, a drag moves over several frames with the button held.
class Hand {
public:
    explicit Hand(Player& player) : player(player) {}

    float X() const { return x; }
    float Y() const { return y; }
    bool Held() const { return held; }

    // Glides to (tx, ty) in window pixels over a few frames.
    void MoveTo(float tx, float ty);
    void Press();
    void Release();
    void Click(float tx, float ty);
    // Press at (tx, ty), hold for `frames`, release.
    void Hold(float tx, float ty, int frames);
    // Press at `from`, move to `to` over `frames` frames with the button held, release.
    void Drag(float fromX, float fromY, float toX, float toY, int frames = 12);
    // A tap of a key (PXL key code), for the pause menu's Escape.
    void TapKey(int key);

    // Fewest frames between two presses of the button.
    static constexpr int ClickSpacing = 6;

private:
    Player& player;
    float x = 640, y = 360;
    bool held = false;
    uint64_t lastPress = 0;
    bool pressedBefore = false;
};

class Player {
public:
    // Starts the game at its splash screen and runs `play` against it. Returns when the game has shut down:
    // after `play` returned (the game is then stopped after that frame), or when the game ended by itself.
    // The game runs once per process (its scenes are freed at exit): a second call returns an error.
    static PlayResult Run(const PlayerOptions& options, const std::function<void(Player&)>& play);

    // The last finished frame as the player sees it.
    const ScreenDescription& Screen();
    uint64_t Frame() const { return frame; }
    int WindowWidth() const;
    int WindowHeight() const;
    Hand& TheHand() { return hand; }

    // Lets the game run `frames` frames.
    void Wait(int frames);
    // Lets the game run until `seen` holds for the screen; throws StuckError naming `what` after `limit`
    // frames. Returns the frames waited.
    int WaitFor(const std::string& what, int limit, const std::function<bool(const ScreenDescription&)>& seen);
    // Checked after every frame; when it holds, the waiting call throws Interrupted. Null clears it.
    void SetInterrupt(std::function<bool(const ScreenDescription&)> interrupt);

    // Sets the calendar clock from now on (the next shift's date is drawn from it when the desk loads).
    void SetClock(std::time_t clock);

    // For tests: the console's "Broadcast:" lines so far.
    const std::vector<EventLine>& Events() const { return events; }
    // For tests: a pause at the first frame from `atFrame` on at which the hand is not holding the button;
    // for FocusLoss the window stays unfocused for `frames` frames.
    void SchedulePause(uint64_t atFrame, PauseKind kind, int frames = 30);
    int PausesTaken() const { return pausesTaken; }
    // For benchmarks: the CPU time the game's thread spent on the last frame, and the time it took on the clock
    // (the player's turn between frames left out of both).
    double LastFrameCpuSeconds() const;
    double LastFrameWallSeconds() const;

    // One frame: the game runs it, then the player looks again. Used by the hand and the waits.
    void Step();

    // The mouse, keys and focus as the next frame will see them; written to the input log as well.
    void InjectMouse(float x, float y);
    void InjectKey(int key, bool down);
    void InjectFocus(bool focused);

    // What the game's thread and the player's thread share to take turns.
    struct Shared;

private:
    struct ScheduledPause {
        uint64_t frame;
        PauseKind kind;
        int frames;
        bool done;
    };

    explicit Player(Shared& shared) : shared(shared), hand(*this) {}
    void TakePauses();
    void ResumeFromPauseMenu();
    static void CollectConsole(const char* text, void* user);

    Shared& shared;
    Hand hand;
    uint64_t frame = 0;
    bool described = false;
    ScreenDescription screen;
    std::function<bool(const ScreenDescription&)> interrupt;
    std::vector<EventLine> events;
    std::string consoleLine;
    bool keepConsole = false;
    std::FILE* inputLog = nullptr;
    std::vector<ScheduledPause> pauses;
    bool pausing = false;
    int pausesTaken = 0;
    double dt = 1.0 / 60.0;
};
