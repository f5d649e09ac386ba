#pragma once
// The RCON console log: every command line and reply, appended to
// Logs/Console.txt; outgoing commands and replies also show in the console view.

#include "core/apppaths.h"
#include "core/clock.h"
#include "core/signal.h"

#include <string>

namespace corvane {

class ConsoleLog {
public:
    ConsoleLog(const AppPaths& paths, const Clock& clock) : m_paths(paths), m_clock(clock) {}

    // Outgoing commands are passed with a leading "]" and also shown in the view.
    void SmsConsole(const std::string& text);
    // A reply handler shows the cleaned reply in the view itself.
    void showInView(const std::string& text);

    const std::string& viewText() const { return m_view; }
    Signal<const std::string&> viewAppended;
    Signal<> viewReset;

private:
    // The view keeps about this much text; older lines are dropped (the file
    // keeps everything).
    static constexpr std::size_t kViewLimit = 256 * 1024;

    const AppPaths& m_paths;
    const Clock& m_clock;
    std::string m_view;
};

} // namespace corvane
