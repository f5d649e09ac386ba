#pragma once
// The event loop port: every timer tick, socket event and operator action runs
// on one loop, one handler at a time, each to its end.

#include <functional>
#include <memory>
#include <string>

namespace corvane {

class Timer {
public:
    virtual ~Timer() = default;
    // (Re)starts the countdown from now with the current interval.
    virtual void start() = 0;
    virtual void stop() = 0;
    virtual bool isActive() const = 0;
    // Changing the interval of a running timer restarts its countdown.
    virtual void setInterval(int ms) = 0;
    virtual int interval() const = 0;
};

class EventLoop {
public:
    virtual ~EventLoop() = default;
    // A repeating timer fires every interval until stopped; a one-shot timer
    // stops itself just before its callback runs. Timers start stopped.
    virtual std::unique_ptr<Timer> createTimer(int intervalMs, bool singleShot,
                                               std::function<void()> callback) = 0;
    // Runs the callback later on the loop, after the current handler ends.
    virtual void post(std::function<void()> callback) = 0;
    // Lets pending events run once, then returns.
    virtual void processPendingEvents() = 0;
    // Ends the program with the given status once the current handler returns.
    virtual void quit(int exitCode) = 0;

    // Where a failure that a timer, socket or posted handler lets through is
    // reported (the activity log). The program's loop catches it at its edge,
    // reports it and goes on; the tests' loop lets it through to the test.
    using FaultHandler = std::function<void(const std::string& what)>;
    virtual void setFaultHandler(FaultHandler handler) = 0;
};

} // namespace corvane
