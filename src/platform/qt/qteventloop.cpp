#include "platform/qt/qteventloop.h"

#include <QCoreApplication>
#include <QTimer>

namespace corvane::qt {
namespace {

class QtTimer : public Timer {
public:
    QtTimer(int intervalMs, bool singleShot, std::function<void()> callback) {
        m_timer.setInterval(intervalMs);
        m_timer.setSingleShot(singleShot);
        m_timer.setTimerType(Qt::PreciseTimer);
        QObject::connect(&m_timer, &QTimer::timeout, [cb = std::move(callback)] { cb(); });
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
    return std::make_unique<QtTimer>(intervalMs, singleShot, std::move(callback));
}

void QtEventLoop::post(std::function<void()> callback) {
    QMetaObject::invokeMethod(QCoreApplication::instance(), std::move(callback),
                              Qt::QueuedConnection);
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
