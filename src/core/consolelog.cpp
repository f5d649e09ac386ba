#include "core/consolelog.h"

#include "core/textfile.h"

namespace corvane {

void ConsoleLog::SmsConsole(const std::string& text) {
    if (!text.empty() && text.front() == ']') showInView(text);
    // A lost console file line is acceptable; the view line is still shown.
    appendLine(m_paths.file("Logs/Console.txt"), fileStamp(m_clock.now()) + text);
}

void ConsoleLog::showInView(const std::string& text) {
    const std::string entry = "\r\n" + formatTime(m_clock.now()) + ": " + text;
    m_view += entry;
    if (m_view.size() > kViewLimit) {
        std::size_t cut = m_view.find("\r\n", m_view.size() - kViewLimit / 2);
        if (cut == std::string::npos) cut = m_view.size() - kViewLimit / 2;
        m_view.erase(0, cut);
        viewReset.notify();
        return;
    }
    viewAppended.notify(entry);
}

} // namespace corvane
