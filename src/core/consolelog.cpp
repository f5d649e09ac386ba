#include "core/consolelog.h"

#include "core/datafiles.h"
#include "core/textfile.h"

#include <algorithm>

namespace corvane {

void ConsoleLog::SmsConsole(const std::string& text) {
    if (!text.empty() && text.front() == ']') showInView(text);
    // A lost console file line is acceptable; the view line is still shown.
    appendLine(m_paths.file(kConsoleLogFile), fileStamp(m_clock.now()) + text);
}

void ConsoleLog::showInView(const std::string& text) {
    const std::string entry = "\r\n" + formatTime(m_clock.now()) + ": " + text;
    // The oldest lines make room first, so that every entry is announced
    // as appended, whether or not the view was cut before it.
    if (m_view.size() + entry.size() > kViewLimit) {
        // Half the limit remains with the new entry, from the start of a line.
        const std::size_t cut = m_view.size() + entry.size() - kViewLimit / 2;
        m_view.erase(0, std::min(m_view.find("\r\n", cut), m_view.size()));
        viewReset.notify();
    }
    m_view += entry;
    viewAppended.notify(entry);
}

} // namespace corvane
