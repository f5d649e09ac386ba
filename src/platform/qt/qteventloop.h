#pragma once
// The event loop port on Qt's own loop. It is the program's error boundary:
// what a timer, socket or posted handler lets through is caught here,
// reported once through the fault handler and never unwinds through Qt.

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
    void setFaultHandler(FaultHandler handler) override { m_faultHandler = std::move(handler); }

    // Runs one handler at the edge of the loop.
    template <typename F> void guard(F&& handler) const {
        try {
            handler();
        } catch (const std::exception& e) {
            report(e.what());
        } catch (...) {
            report("unknown failure");
        }
    }

private:
    void report(const std::string& what) const;

    FaultHandler m_faultHandler;
};

} // namespace corvane::qt
