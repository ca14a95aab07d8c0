// Named events with a text payload: broadcast in one frame, heard during the next.
#pragma once

#include <string>

struct Event {
    std::string name;
    std::string data;
    int delay = 0;
};

void Broadcast(std::string name, std::string data);

// True when an event of this name is live; prints "Heard: " with the first one's description.
bool Listen(const std::string& name);

// The payload of the first live event of this name, or empty text.
std::string GetData(const std::string& name);

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
