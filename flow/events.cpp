#include "flow/events.h"

#include "engine/system.h"
#include "engine/trace.h"

#include <algorithm>
#include <cstdio>
#include <memory>
#include <vector>

namespace {

std::vector<std::unique_ptr<Event>> pendingEvents;
std::vector<std::unique_ptr<Event>> liveEvents;
std::vector<Listener*> listeners;
uint64_t broadcastCount = 0;
// Counts the event system's updates: an ear keeps at most one frame per update.
uint64_t eventFrame = 0;
EventEar* hearingEar = nullptr;

int CountNamed(const std::vector<std::unique_ptr<Event>>& events, const std::string& name)
{
    return static_cast<int>(std::count_if(events.begin(), events.end(),
                                          [&](const std::unique_ptr<Event>& event) { return event->name == name; }));
}

void PrintEventLine(const char* prefix, const Event& event)
{
    DebugPrint("%s%s (%s) (%d)\n", prefix, event.name.c_str(), event.data.c_str(), event.delay);
    std::fflush(stdout);
}

std::vector<Event> LiveCopy()
{
    std::vector<Event> copy;
    copy.reserve(liveEvents.size());
    for (const auto& event : liveEvents) {
        copy.push_back(*event);
    }
    return copy;
}

// The first event heard now, through the ear in charge, that the predicate accepts.
template <typename Predicate> const Event* FirstHeard(Predicate accepts)
{
    EventEar::Mode mode = hearingEar != nullptr ? hearingEar->ModeIn(eventFrame) : EventEar::Mode::Live;
    if (mode == EventEar::Mode::Held) {
        return nullptr;
    }
    if (mode == EventEar::Mode::Replay) {
        for (const Event& event : hearingEar->Replayed()) {
            if (accepts(event)) {
                return &event;
            }
        }
        return nullptr;
    }
    for (const auto& event : liveEvents) {
        if (accepts(*event)) {
            return event.get();
        }
    }
    return nullptr;
}

const Event* FirstHeardNamed(const std::string& name)
{
    return FirstHeard([&](const Event& event) { return event.name == name; });
}

void EventsUpdate(float)
{
    // A callback may broadcast or create listeners: walk a snapshot, skipping listeners removed meanwhile.
    std::vector<Listener*> snapshot = listeners;
    for (Listener* listener : snapshot) {
        if (std::find(listeners.begin(), listeners.end(), listener) == listeners.end()) {
            continue;
        }
        listener->heard = false;
        listener->data.clear();
        for (size_t i = 0; i < liveEvents.size(); ++i) {
            if (liveEvents[i]->name != listener->name) {
                continue;
            }
            listener->data = liveEvents[i]->data;
            if (listener->callback != nullptr) {
                std::string copy = listener->data;
                listener->callback(copy);
            }
            listener->heard = true;
        }
    }
    liveEvents.erase(std::remove_if(liveEvents.begin(), liveEvents.end(),
                                    [](const std::unique_ptr<Event>& event) { return event->delay < 1; }),
                     liveEvents.end());
    for (auto& event : liveEvents) {
        --event->delay;
    }
    for (auto& event : pendingEvents) {
        liveEvents.push_back(std::move(event));
    }
    pendingEvents.clear();
    ++eventFrame;
}

} // namespace

const BaseSystem EventSystem = {"EventSystem", SystemInitNothing, EventsUpdate, SystemNothing, SystemNothing};

void Broadcast(std::string name, std::string data)
{
    auto event = std::make_unique<Event>();
    event->name = std::move(name);
    event->data = std::move(data);
    event->delay = 0;
    event->serial = ++broadcastCount;
    int live = CountNamed(liveEvents, event->name);
    if (live > 0) {
        event->delay += live - 1;
    }
    event->delay += 2 * CountNamed(pendingEvents, event->name);
    PrintEventLine("Broadcast: ", *event);
    pendingEvents.push_back(std::move(event));
}

bool Listen(const std::string& name)
{
    const Event* event = FirstHeardNamed(name);
    if (event == nullptr) {
        return false;
    }
    PrintEventLine("Heard: ", *event);
    return true;
}

std::string GetData(const std::string& name)
{
    const Event* event = FirstHeardNamed(name);
    return event != nullptr ? event->data : std::string();
}

void EventEar::Hear()
{
    if (frame == eventFrame) {
        return;
    }
    frame = eventFrame;
    if (kept.empty()) {
        mode = Mode::Live;
        return;
    }
    // Still catching up: this frame waits its turn behind the kept ones.
    if (!liveEvents.empty()) {
        kept.push_back(LiveCopy());
    }
    replayed = std::move(kept.front());
    kept.pop_front();
    mode = Mode::Replay;
}

void EventEar::Hold()
{
    if (frame == eventFrame) {
        return;
    }
    frame = eventFrame;
    mode = Mode::Held;
    // A frame with nothing live costs the party no update once it runs again.
    if (!liveEvents.empty()) {
        kept.push_back(LiveCopy());
    }
}

bool EventEar::HeldNow() const
{
    return ModeIn(eventFrame) == Mode::Held;
}

void EventEar::Forget()
{
    kept.clear();
    replayed.clear();
    mode = Mode::Live;
    frame = UINT64_MAX;
}

HearingScope::HearingScope(EventEar& ear) : previous(hearingEar)
{
    ear.Hear();
    hearingEar = &ear;
}

HearingScope::~HearingScope()
{
    hearingEar = previous;
}

EventInbox::EventInbox(std::string inboxName) : name(std::move(inboxName)) {}

bool EventInbox::Take(std::string& data)
{
    const Event* event =
        FirstHeard([&](const Event& candidate) { return candidate.name == name && candidate.serial > lastTaken; });
    if (event == nullptr) {
        return false;
    }
    PrintEventLine("Heard: ", *event);
    lastTaken = event->serial;
    data = event->data;
    return true;
}

Listener::Listener(std::string listenerName) : name(std::move(listenerName))
{
    listeners.push_back(this);
}

Listener::~Listener()
{
    auto found = std::find(listeners.begin(), listeners.end(), this);
    if (found != listeners.end()) {
        listeners.erase(found);
    }
}

void ClearAllEvents()
{
    pendingEvents.clear();
    liveEvents.clear();
}
