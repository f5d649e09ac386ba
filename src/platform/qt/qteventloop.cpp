#include "platform/qt/qteventloop.h"

#include <QCoreApplication>
#include <QTimer>

#include <cstdio>

namespace corvane::qt {
namespace {

class QtTimer : public Timer {
public:
    QtTimer(const QtEventLoop& loop, int intervalMs, bool singleShot,
            std::function<void()> callback) {
        m_timer.setInterval(intervalMs);
        m_timer.setSingleShot(singleShot);
        m_timer.setTimerType(Qt::PreciseTimer);
        QObject::connect(&m_timer, &QTimer::timeout,
                         [&loop, cb = std::move(callback)] { loop.guard(cb); });
    }
    void start() override { m_timer.start(); }
    void stop() override { m_timer.stop(); }
    bool isActive() const override { return m_timer.isActive(); }
    void setInterval(int ms) override {
        m_timer.setInterval(ms);
        if (m_timer.isActive()) m_timer.start();
    }
    int interval() const override { return m_timer.interval(); }

private:
    QTimer m_timer;
};

} // namespace

std::unique_ptr<Timer> QtEventLoop::createTimer(int intervalMs, bool singleShot,
                                                std::function<void()> callback) {
    return std::make_unique<QtTimer>(*this, intervalMs, singleShot, std::move(callback));
}

void QtEventLoop::post(std::function<void()> callback) {
    QMetaObject::invokeMethod(
        QCoreApplication::instance(), [this, cb = std::move(callback)] { guard(cb); },
        Qt::QueuedConnection);
}

void QtEventLoop::report(const std::string& what) const {
    if (m_faultHandler) {
        try {
            m_faultHandler(what);
            return;
        } catch (...) {
            // The report itself failed (the log cannot be written): say it below.
        }
    }
    std::fprintf(stderr, "corvane: unexpected failure: %s\n", what.c_str());
}

void QtEventLoop::processPendingEvents() {
    QCoreApplication::processEvents();
}

void QtEventLoop::quit(int exitCode) {
    QMetaObject::invokeMethod(
        QCoreApplication::instance(), [exitCode] { QCoreApplication::exit(exitCode); },
        Qt::QueuedConnection);
}

} // namespace corvane::qt
