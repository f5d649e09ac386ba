#pragma once
// Waiting on Qt's own event loop, for tests that talk to real sockets and
// processes.

#include <functional>

namespace corvane::testing {

// Runs the Qt event loop until done() holds; false after ms milliseconds.
bool waitUntil(const std::function<bool()>& done, int ms = 10000);
// Runs the Qt event loop for ms milliseconds.
void runFor(int ms);

} // namespace corvane::testing
