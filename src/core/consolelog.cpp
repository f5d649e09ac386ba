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
        const std::size_t keep = kViewLimit / 2 > entry.size() ? kViewLimit / 2 - entry.size() : 0;
        std::size_t cut = m_view.size() > keep ? m_view.size() - keep : 0;
        cut = std::min(m_view.find("\r\n", cut), m_view.size());
        m_view.erase(0, cut);
        viewReset.notify();
    }
    m_view += entry;
    viewAppended.notify(entry);
}

} // namespace corvane
