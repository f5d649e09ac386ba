#pragma once
// The activity log: one time-stamped, coloured line per notable event, shown in
// the activity view and appended to Logs/Server.txt. The view is rebuilt from
// the file's newest lines every LogTrimPeriod entries so it stays small.

#include "core/apppaths.h"
#include "core/clock.h"
#include "core/richtext.h"
#include "core/signal.h"

#include <cstdint>
#include <string>

namespace corvane {

class CriticalErrors;
class Prompts;

// The first line of the activity view: the program's name and version.
std::string bannerLine();

class ActivityLog {
public:
    // The log is silent during a critical-error lock-out; failing to write
    // Logs/Server.txt raises one.
    ActivityLog(const AppPaths& paths, const Clock& clock, CriticalErrors& errors);

    void SMS(const std::string& text, Colour colour = kBlack);
    void CheckSMSLeak();

    // "Clear Server Log": asks, then resets the view to the banner line. The
    // file and the entry counter stay as they are.
    void clearServerLog(Prompts& prompts);

    void setTrimThreshold(std::int32_t entries) { m_threshold = entries; }

    RichText& view() { return m_view; }
    const RichText& view() const { return m_view; }

    // Every entry as written to the file (stamp + text), with its colour.
    Signal<const std::string&, Colour> entryWritten;

private:
    static constexpr std::size_t kTrimLines = 51;

    const AppPaths& m_paths;
    const Clock& m_clock;
    CriticalErrors& m_errors;
    RichText m_view;
    std::int32_t m_counter = 0;
    std::int32_t m_threshold = 100;
};

} // namespace corvane
