// Named events with a text payload: broadcast in one frame, heard during the next.
#pragma once

#include <cstdint>
#include <deque>
#include <string>
#include <vector>

struct Event {
    std::string name;
    std::string data;
    int delay = 0;
    // Counts broadcasts from 1: tells apart two events of one name with the same payload.
    uint64_t serial = 0;
};

void Broadcast(std::string name, std::string data);

// True when an event of this name is live; prints "Heard: " with the first one's description.
bool Listen(const std::string& name);

// The payload of the first live event of this name, or empty text.
std::string GetData(const std::string& name);

// What one party of the game (a scene, a system) hears. A party that is paused for some frames would lose
// every event that is live only then; its ear keeps those frames instead, and once the party runs again it
// hears them one kept frame per update, in the order they were live, and then the live events again. A party
// that is never paused hears exactly what is live, frame by frame.
class EventEar {
public:
    // The party runs this frame: Listen and GetData (within a HearingScope) answer from the oldest kept frame,
    // or from the live events when nothing is kept. Only the first call of a frame counts.
    void Hear();
    // The party is paused this frame: it hears nothing, and what is live is kept for it.
    void Hold();
    // The party starts afresh (a new shift, a scene that is unloaded): what was kept is dropped.
    void Forget();
    size_t KeptFrames() const { return kept.size(); }
    // Held in the event system's current frame: whoever hears with this party stands still with it.
    bool HeldNow() const;

    enum class Mode { Live, Replay, Held };
    // How Listen and GetData answer through this ear in the given frame of the event system, and the kept
    // frame they answer from while replaying.
    Mode ModeIn(uint64_t eventFrame) const { return eventFrame == frame ? mode : Mode::Live; }
    const std::vector<Event>& Replayed() const { return replayed; }

private:
    std::deque<std::vector<Event>> kept;
    std::vector<Event> replayed;
    Mode mode = Mode::Live;
    uint64_t frame = UINT64_MAX;
};

// While it lasts, Listen and GetData answer through this ear: set by whoever updates the party. It counts as
// the ear's Hear for the frame unless the ear was held already.
class HearingScope {
public:
    explicit HearingScope(EventEar& ear);
    ~HearingScope();
    HearingScope(const HearingScope&) = delete;
    HearingScope& operator=(const HearingScope&) = delete;

private:
    EventEar* previous;
};

// For hearers that act on every event of a name (a line to type) rather than on whether one is live: an event
// queued behind another of its name stays live for several frames, and an inbox takes it only once.
class EventInbox {
public:
    explicit EventInbox(std::string name);
    // The oldest event of the name heard now that this inbox has not taken yet: true, with its payload, and
    // the "Heard: " line. False while there is none.
    bool Take(std::string& data);

private:
    std::string name;
    uint64_t lastTaken = 0;
};

// A callback-style subscriber, polled by the event system every update.
struct Listener {
    explicit Listener(std::string name);
    ~Listener();
    Listener(const Listener&) = delete;
    Listener& operator=(const Listener&) = delete;

    std::string name;
    void (*callback)(const std::string& data) = nullptr;
    bool heard = false;
    std::string data;
};

// Drops every pending and live event (tests and shutdown).
void ClearAllEvents();
