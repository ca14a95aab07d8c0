// The shift's task schedule: the pool of announced modules, one task at a time, and the end of the shift.
#pragma once

#include <string>
#include <vector>

struct GameManagerState {
    // Modules that can still be given a task, in the order they announced themselves.
    std::vector<std::string> pool;
    // A task is due at the next opportunity.
    bool pendingTrigger = false;
    // The end countdown is running; the onsite incident module sets it when the last task is solved.
    bool ending = false;
    // Seconds between the end of the shift and the newspaper.
    static constexpr float endDelay = 5.0f;
    // Seconds left before the newspaper.
    float endCountdown = endDelay;
};

extern GameManagerState gameManager;

// A new shift: empty pool, nothing due, not ending, a full end countdown. The system's init, the game scene's Init and
// the tests call it.
void ResetGameManager();
