#include "tools/autoplay/player.h"

#include "engine/engine.h"
#include "engine/trace.h"
#include "platform/fmod.h"
#include "platform/os.h"
#include "platform/pxl.h"
#include "platform/pxl_control.h"

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <cmath>
#include <condition_variable>
#include <cstdio>
#include <cstring>
#include <mutex>
#include <thread>
#include <time.h>

struct Player::Shared {
    std::mutex mutex;
    std::condition_variable turn;
    bool playerTurn = false; // the game waits between two frames while the player acts
    bool playerDone = false; // the play function has returned: stop the game after this frame
    bool gameOver = false;   // the game has shut down
    uint64_t frame = 0;
    PlayerOptions options;
    // The game thread's CPU time and the clock as its last frame began and ended.
    double cpuAtStart = 0, cpuAtEnd = 0;
    std::chrono::steady_clock::time_point wallAtStart, wallAtEnd;
};

namespace {

void BeforeFrame(uint64_t frame, void* user)
{
    auto* shared = static_cast<Player::Shared*>(user);
    const PlayerOptions& options = shared->options;
    // The OpenGL window opens at the game's own size; the player's is the headless backend's.
    if (frame == 0 && (options.openGl || options.windowWidth != 1280 || options.windowHeight != 720)) {
        PxlInjectResize(options.windowWidth, options.windowHeight);
    }
    if (frame > 0 && options.clockGiven) {
        OsAdvanceSimulatedClock(options.dt);
    }
}

double ThreadCpuSeconds()
{
    timespec now{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
    return static_cast<double>(now.tv_sec) + static_cast<double>(now.tv_nsec) * 1e-9;
}

bool AfterFrame(uint64_t frame, void* user)
{
    auto* shared = static_cast<Player::Shared*>(user);
    shared->cpuAtEnd = ThreadCpuSeconds();
    shared->wallAtEnd = std::chrono::steady_clock::now();
    bool goOn = false;
    {
        std::unique_lock<std::mutex> lock(shared->mutex);
        shared->frame = frame;
        shared->playerTurn = true;
        shared->turn.notify_all();
        shared->turn.wait(lock, [&] { return !shared->playerTurn || shared->playerDone; });
        goOn = !shared->playerDone && frame + 1 < shared->options.frameLimit;
    }
    shared->wallAtStart = std::chrono::steady_clock::now();
    shared->cpuAtStart = ThreadCpuSeconds();
    return goOn;
}

// "Broadcast: NAME (PAYLOAD) (DELAY)", possibly after text printed without a line end ("Clicked").
bool ParseBroadcast(const std::string& printed, EventLine& event)
{
    static const std::string prefix = "Broadcast: ";
    size_t start = printed.find(prefix);
    if (start == std::string::npos) {
        return false;
    }
    std::string line = printed.substr(start);
    size_t open = line.find(" (", prefix.size());
    size_t close = line.rfind(") (");
    if (open == std::string::npos || close == std::string::npos || close < open) {
        return false;
    }
    event.name = line.substr(prefix.size(), open - prefix.size());
    event.payload = line.substr(open + 2, close - open - 2);
    return true;
}

bool ShowsText(const ScreenDescription& screen, const std::string& text)
{
    return std::any_of(screen.texts.begin(), screen.texts.end(),
                       [&](const ScreenText& run) { return run.text.find(text) != std::string::npos; });
}

} // namespace

// ---- Hand ----------------------------------------------------------------------------------------------

void Hand::MoveTo(float tx, float ty)
{
    float fromX = x;
    float fromY = y;
    float distance = std::hypot(tx - fromX, ty - fromY);
    int frames = std::clamp(static_cast<int>(std::ceil(distance / 60.0f)), 2, 15);
    for (int i = 1; i <= frames; ++i) {
        float t = static_cast<float>(i) / static_cast<float>(frames);
        float eased = t < 0.5f ? 2 * t * t : 1 - 2 * (1 - t) * (1 - t);
        x = fromX + (tx - fromX) * eased;
        y = fromY + (ty - fromY) * eased;
        player.InjectMouse(x, y);
        player.Step();
    }
}

void Hand::Press()
{
    if (pressedBefore && player.Frame() < lastPress + ClickSpacing) {
        player.Wait(static_cast<int>(lastPress + ClickSpacing - player.Frame()));
    }
    player.InjectKey(PXL_KEY_LBUTTON, true);
    held = true;
    pressedBefore = true;
    player.Step();
    lastPress = player.Frame();
}

void Hand::Release()
{
    player.InjectKey(PXL_KEY_LBUTTON, false);
    held = false;
    player.Step();
}

void Hand::Click(float tx, float ty)
{
    MoveTo(tx, ty);
    Press();
    player.Wait(2);
    Release();
}

void Hand::Hold(float tx, float ty, int frames)
{
    MoveTo(tx, ty);
    Press();
    player.Wait(std::max(frames - 1, 0));
    Release();
}

void Hand::Drag(float fromX, float fromY, float toX, float toY, int frames)
{
    MoveTo(fromX, fromY);
    Press();
    player.Wait(1);
    frames = std::max(frames, 3);
    for (int i = 1; i <= frames; ++i) {
        float t = static_cast<float>(i) / static_cast<float>(frames);
        x = fromX + (toX - fromX) * t;
        y = fromY + (toY - fromY) * t;
        player.InjectMouse(x, y);
        player.Step();
    }
    player.Wait(1);
    Release();
}

void Hand::TapKey(int key)
{
    player.InjectKey(key, true);
    player.Step();
    player.Wait(2);
    player.InjectKey(key, false);
    player.Step();
}

// ---- Player --------------------------------------------------------------------------------------------

PlayResult Player::Run(const PlayerOptions& options, const std::function<void(Player&)>& play)
{
    PlayResult result;
    // The scene system frees the game's scenes when the engine exits, so the game runs once per process.
    static bool ranBefore = false;
    if (ranBefore) {
        result.engineStatus = 1;
        result.error = "the game runs once per process; start another process for another run";
        return result;
    }
    ranBefore = true;
    Shared shared;
    shared.options = options;

    PxlSelectBackend(options.openGl ? PxlBackendKind::SdlGl : PxlBackendKind::Headless);
    PxlSetHiddenWindow(options.openGl);
    PxlSetRecordDraws(true);
    FmodLayerSetOutput(FmodLayerOutput::Silent);
    PxlSetFixedTimestep(options.dt);
    PxlSetScriptedInput(true);
    PxlSetFrameHook(BeforeFrame, &shared);
    if (options.clockGiven) {
        OsSetSimulatedClock(options.clock);
    }

    Player player(shared);
    if (!options.inputLogPath.empty()) {
        player.inputLog = std::fopen(options.inputLogPath.c_str(), "w");
        if (player.inputLog == nullptr) {
            result.engineStatus = 1;
            result.error = "cannot write the input log " + options.inputLogPath + ": " + std::strerror(errno);
            return result;
        }
        std::fprintf(player.inputLog, "# brimvale-autoplay's input: replay with brimvale-sim --input\n");
        if (options.windowWidth != 1280 || options.windowHeight != 720) {
            std::fprintf(player.inputLog, "0 resize %d %d\n", options.windowWidth, options.windowHeight);
        }
        if (options.clockGiven) {
            std::fprintf(player.inputLog, "0 clock %lld\n", static_cast<long long>(options.clock));
        }
    }
    player.dt = options.dt;
    player.keepConsole = options.keepConsole;
    SetConsoleSink(CollectConsole, &player);

    std::thread playing([&] {
        {
            std::unique_lock<std::mutex> lock(shared.mutex);
            shared.turn.wait(lock, [&] { return shared.playerTurn || shared.gameOver; });
            player.frame = shared.frame;
        }
        try {
            if (!shared.gameOver) {
                play(player);
            }
        } catch (const GameEnded&) {
            // The game shut down by itself (a closed window, or the menu's exit): nothing left to play.
        } catch (const std::exception& error) {
            result.error = error.what();
        }
        std::lock_guard<std::mutex> lock(shared.mutex);
        shared.playerDone = true;
        shared.playerTurn = false;
        shared.turn.notify_all();
    });

    EngineOptions engine;
    engine.showWindow = false;
    engine.afterFrame = AfterFrame;
    engine.user = &shared;
    result.engineStatus = RunEngine(engine);
    {
        std::lock_guard<std::mutex> lock(shared.mutex);
        shared.gameOver = true;
        shared.turn.notify_all();
    }
    playing.join();
    result.frames = shared.frame + 1;

    if (player.inputLog != nullptr) {
        std::fclose(player.inputLog);
    }
    SetConsoleSink(nullptr, nullptr);
    PxlSetFrameHook(nullptr, nullptr);
    PxlSetScriptedInput(false);
    return result;
}

void Player::CollectConsole(const char* text, void* user)
{
    auto* player = static_cast<Player*>(user);
    if (player->keepConsole) {
        std::fputs(text, stdout);
    }
    player->consoleLine += text;
    size_t end;
    while ((end = player->consoleLine.find('\n')) != std::string::npos) {
        EventLine event;
        if (ParseBroadcast(player->consoleLine.substr(0, end), event)) {
            // Printed while the game runs the frame after the one the player last saw.
            event.frame = player->shared.frame + 1;
            player->events.push_back(std::move(event));
        }
        player->consoleLine.erase(0, end + 1);
    }
}

const ScreenDescription& Player::Screen()
{
    // The game waits while the player looks, so the last frame's draw records are still in place.
    if (!described) {
        screen = DescribeLastFrame(frame);
        described = true;
    }
    return screen;
}

double Player::LastFrameCpuSeconds() const
{
    return shared.cpuAtEnd - shared.cpuAtStart;
}

double Player::LastFrameWallSeconds() const
{
    return std::chrono::duration<double>(shared.wallAtEnd - shared.wallAtStart).count();
}

int Player::WindowWidth() const
{
    return static_cast<int>(PXL_Window_GetSize().x);
}

int Player::WindowHeight() const
{
    return static_cast<int>(PXL_Window_GetSize().y);
}

void Player::Step()
{
    {
        std::unique_lock<std::mutex> lock(shared.mutex);
        if (shared.gameOver) {
            throw GameEnded("the game has shut down");
        }
        shared.playerTurn = false;
        shared.turn.notify_all();
        shared.turn.wait(lock, [&] { return shared.playerTurn || shared.gameOver; });
        if (!shared.playerTurn) {
            throw GameEnded("the game has shut down");
        }
        frame = shared.frame;
    }
    described = false;
    if (interrupt && interrupt(Screen())) {
        interrupt = nullptr;
        throw Interrupted("interrupted at frame " + std::to_string(frame));
    }
    TakePauses();
}

void Player::Wait(int frames)
{
    for (int i = 0; i < frames; ++i) {
        Step();
    }
}

int Player::WaitFor(const std::string& what, int limit, const std::function<bool(const ScreenDescription&)>& seen)
{
    for (int waited = 0;; ++waited) {
        if (seen(Screen())) {
            return waited;
        }
        if (waited >= limit) {
            throw StuckError("waited " + std::to_string(limit) + " frames for " + what + " (frame " +
                             std::to_string(frame) + ")");
        }
        Step();
    }
}

void Player::SetInterrupt(std::function<bool(const ScreenDescription&)> condition)
{
    interrupt = std::move(condition);
}

void Player::SetClock(std::time_t clock)
{
    if (inputLog != nullptr) {
        std::fprintf(inputLog, "%llu clock %lld\n", static_cast<unsigned long long>(frame + 1),
                     static_cast<long long>(clock));
    }
    OsSetSimulatedClock(clock);
    shared.options.clockGiven = true;
}

void Player::InjectMouse(float x, float y)
{
    if (inputLog != nullptr) {
        std::fprintf(inputLog, "%llu mouse %.9g %.9g\n", static_cast<unsigned long long>(frame + 1), x, y);
    }
    PxlInjectMouse(x, y);
}

void Player::InjectKey(int key, bool down)
{
    if (inputLog != nullptr) {
        const char* action = down ? "press" : "release";
        const auto next = static_cast<unsigned long long>(frame + 1);
        if (key == PXL_KEY_LBUTTON) {
            std::fprintf(inputLog, "%llu %s left\n", next, action);
        } else if (key == PXL_KEY_ESCAPE) {
            std::fprintf(inputLog, "%llu %s escape\n", next, action);
        } else {
            std::fprintf(inputLog, "%llu %s 0x%X\n", next, action, static_cast<unsigned>(key));
        }
    }
    PxlInjectKey(key, down);
}

void Player::InjectFocus(bool focused)
{
    if (inputLog != nullptr) {
        std::fprintf(inputLog, "%llu focus %s\n", static_cast<unsigned long long>(frame + 1),
                     focused ? "gained" : "lost");
    }
    PxlInjectFocus(focused);
}

void Player::SchedulePause(uint64_t atFrame, PauseKind kind, int frames)
{
    pauses.push_back({atFrame, kind, frames, false});
}

void Player::TakePauses()
{
    if (pausing || hand.Held()) {
        return;
    }
    for (ScheduledPause& pause : pauses) {
        if (pause.done || pause.frame > frame) {
            continue;
        }
        pause.done = true;
        pausing = true;
        if (pause.kind == PauseKind::FocusLoss) {
            InjectFocus(false);
            Wait(std::max(pause.frames, 1));
            InjectFocus(true);
            Wait(2);
        } else {
            hand.TapKey(PXL_KEY_ESCAPE);
        }
        ResumeFromPauseMenu();
        pausing = false;
        ++pausesTaken;
    }
}

void Player::ResumeFromPauseMenu()
{
    const std::string resume = "Resume Game";
    float backX = hand.X();
    float backY = hand.Y();
    WaitFor("the pause menu", 120, [&](const ScreenDescription& shown) { return ShowsText(shown, resume); });
    for (const ScreenText& run : Screen().texts) {
        size_t at = run.text.find(resume);
        if (at != std::string::npos) {
            hand.Click(run.CharacterX(at + resume.size() / 2), run.y);
            break;
        }
    }
    WaitFor("the pause menu to close", 120, [&](const ScreenDescription& shown) { return !ShowsText(shown, resume); });
    hand.MoveTo(backX, backY);
}
