#pragma once

// The long operations (scan, refresh, favourites pass) are loops inside one
// handler: send, sleep a few milliseconds, then let every other event run.
class EventPump {
public:
    virtual ~EventPump() = default;
    // Runs the pending events, re-entrantly, and returns.
    virtual void pump() = 0;
    // Blocks the user-interface thread for the given milliseconds.
    virtual void sleep(int milliseconds) = 0;
};

class QtEventPump : public EventPump {
public:
    void pump() override;
    void sleep(int milliseconds) override;
};
