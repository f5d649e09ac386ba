#include "qtwait.h"

#include <QCoreApplication>
#include <QElapsedTimer>

namespace corvane::testing {

bool waitUntil(const std::function<bool()>& done, int ms) {
    QElapsedTimer timer;
    timer.start();
    while (!done()) {
        if (timer.elapsed() > ms) return false;
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
    }
    return true;
}

void runFor(int ms) {
    waitUntil([] { return false; }, ms);
}

} // namespace corvane::testing
