#include "flow/game_manager.h"

#include "engine/random.h"
#include "engine/system.h"
#include "flow/alarm.h"
#include "flow/events.h"
#include "scenes/scene_state.h"

#include <algorithm>
#include <cstdlib>
#include <optional>

GameManagerState gameManager;

namespace {

bool GameManagerInit()
{
    ResetGameManager();
    return true;
}

void RunEndCountdown(GameManagerState& manager, float dt)
{
    if (manager.ending) {
        manager.endCountdown -= dt;
        if (manager.endCountdown <= 0.0f) {
            manager.ending = false;
            ShowEndScreen();
        }
    }
}

void GameManagerUpdate(float dt)
{
    GameManagerState& manager = gameManager;
    // The schedule keeps step with the desk: while the pause holds the desk it hears nothing and hands out
    // nothing (the desk keeps what is sent meanwhile for both), so the task after one solved just before a
    // pause comes in the desk's own time, as it would have. The way to the newspaper runs on regardless.
    if (IsDeskHeld()) {
        DeskEar().Hold();
        RunEndCountdown(manager, dt);
        return;
    }
    std::optional<HearingScope> hearing;
    if (IsDeskActive()) {
        hearing.emplace(DeskEar());
    }

    if (Listen("module_init")) {
        std::string name = GetData("module_init");
        // A repeated announcement ends the frame's work: the six of a new desk are heard one after another,
        // each for two frames.
        if (std::find(manager.pool.begin(), manager.pool.end(), name) != manager.pool.end()) {
            return;
        }
        manager.pool.push_back(std::move(name));
    }

    if (Listen("start_alarm")) {
        StartAlarm();
    }

    if (Listen("trigger_task")) {
        manager.pendingTrigger = true;
    }

    if (manager.pendingTrigger) {
        if (manager.pool.empty()) {
            manager.pendingTrigger = false;
            alarmState.active = false;
            Broadcast("end_game", "win");
            SetShiftResult(true);
        } else {
            size_t index = static_cast<size_t>(GameRand()) % manager.pool.size();
            Broadcast("module_trigger", manager.pool[index]);
            manager.pool.erase(manager.pool.begin() + static_cast<std::ptrdiff_t>(index));
            manager.pendingTrigger = false;
        }
    }

    if (Listen("module_correct")) {
        manager.pendingTrigger = true;
    }

    if (Listen("end_game") && GetData("end_game") == "lose") {
        manager.ending = true;
        SetShiftResult(false);
    }

    RunEndCountdown(manager, dt);
}

} // namespace

void ResetGameManager()
{
    gameManager.pool.clear();
    gameManager.pendingTrigger = false;
    gameManager.ending = false;
    gameManager.endCountdown = GameManagerState::endDelay;
}

const BaseSystem GameManagerSystem = {"GameManagerSystem", GameManagerInit, GameManagerUpdate, SystemNothing,
                                      SystemNothing};
