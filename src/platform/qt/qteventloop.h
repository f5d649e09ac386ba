#pragma once
// The event loop port on Qt's own loop.

#include "core/eventloop.h"

namespace corvane::qt {

class QtEventLoop : public EventLoop {
public:
    std::unique_ptr<Timer> createTimer(int intervalMs, bool singleShot,
                                       std::function<void()> callback) override;
    void post(std::function<void()> callback) override;
    void processPendingEvents() override;
    // Takes effect when control returns to the loop (also before exec() runs).
    void quit(int exitCode) override;
};

} // namespace corvane::qt
