#include "core/activitylog.h"

#include "core/buildversion.h"
#include "core/criticalerrors.h"
#include "core/datafiles.h"
#include "core/prompts.h"
#include "core/textfile.h"

namespace corvane {

std::string bannerLine() {
    return std::string("-Corvane Mod ") + kBuildVersion +
           " - administration for your game server, by the Corvane Mod team";
}

ActivityLog::ActivityLog(const AppPaths& paths, const Clock& clock, CriticalErrors& errors)
    : m_paths(paths), m_clock(clock), m_errors(errors) {
    m_view.setText(bannerLine());
}

void ActivityLog::SMS(const std::string& text, Colour colour) {
    if (m_errors.active()) return;
    const std::string line = fileStamp(m_clock.now()) + text;
    if (!appendLine(m_paths.file(kActivityLogFile), line)) {
        m_errors.raise(CriticalSource::ActivityLog);
        return;
    }
    m_view.append("\r\n" + line, colour);
    entryWritten.notify(line, colour);
    CheckSMSLeak();
}

void ActivityLog::CheckSMSLeak() {
    // Compared for equality: a threshold of 0 or less never trims.
    if (++m_counter != m_threshold) return;
    m_counter = 0;
    m_view.setText(bannerLine());
    // Only the file's tail is read, so the cost does not grow with the file.
    const auto newest = readLastLines(m_paths.file(kActivityLogFile), kTrimLines);
    if (!newest) return;
    std::string text;
    for (const std::string& line : *newest)
        text += "\r\n" + line;
    m_view.append(text);
}

void ActivityLog::clearServerLog(Prompts& prompts) {
    const MessageResult answer =
        prompts.messageBox("Clear Server Log",
                           "Are you sure you want to clear the server log? Everything is still "
                           "saved in a file.",
                           MessageButtons::YesNo, MessageIcon::Question);
    if (answer == MessageResult::Yes) m_view.setText(bannerLine());
}

} // namespace corvane
