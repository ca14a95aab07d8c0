#include "flow/events.h"

#include "engine/system.h"

#include <algorithm>
#include <cstdio>
#include <memory>
#include <vector>

namespace {

std::vector<std::unique_ptr<Event>> pendingEvents;
std::vector<std::unique_ptr<Event>> liveEvents;
std::vector<Listener*> listeners;

int CountNamed(const std::vector<std::unique_ptr<Event>>& events, const std::string& name)
{
    return static_cast<int>(std::count_if(events.begin(), events.end(),
                                          [&](const std::unique_ptr<Event>& event) { return event->name == name; }));
}

void PrintEventLine(const char* prefix, const Event& event)
{
    std::printf("%s%s (%s) (%d)\n", prefix, event.name.c_str(), event.data.c_str(), event.delay);
    std::fflush(stdout);
}

const Event* FirstLive(const std::string& name)
{
    for (const auto& event : liveEvents) {
        if (event->name == name) {
            return event.get();
        }
    }
    return nullptr;
}

void EventsUpdate(float)
{
    // A callback may broadcast or create listeners: walk by index over a stable snapshot.
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
}

} // namespace

const BaseSystem EventSystem = {"EventSystem", SystemInitNothing, EventsUpdate, SystemNothing, SystemNothing};

void Broadcast(std::string name, std::string data)
{
    auto event = std::make_unique<Event>();
    event->name = std::move(name);
    event->data = std::move(data);
    event->delay = 0;
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
    const Event* event = FirstLive(name);
    if (event == nullptr) {
        return false;
    }
    PrintEventLine("Heard: ", *event);
    return true;
}

std::string GetData(const std::string& name)
{
    const Event* event = FirstLive(name);
    return event != nullptr ? event->data : std::string();
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
