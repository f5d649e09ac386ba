#include "headless/operatorinput.h"

#include "core/cp1252.h"
#include "rcon/rconlink.h"

namespace corvane {

void OperatorInput::feed(std::string_view bytes) {
    while (!bytes.empty()) {
        const std::size_t end = bytes.find('\n');
        const std::string_view piece = bytes.substr(0, end);
        if (!m_tooLong && m_line.size() + piece.size() <= kMaxLine + 1)
            m_line += piece;
        else
            m_tooLong = true;
        if (end == std::string_view::npos) return;
        bytes.remove_prefix(end + 1);
        finish();
    }
}

void OperatorInput::finish() {
    std::string line = std::move(m_line);
    const bool tooLong = m_tooLong;
    m_line.clear();
    m_tooLong = false;
    if (!line.empty() && line.back() == '\r') line.pop_back();
    if (tooLong || line.size() > kMaxLine) {
        m_notices << "Input line ignored: longer than " << kMaxLine << " characters." << std::endl;
        return;
    }
    takeLine(line);
}

void OperatorInput::takeLine(std::string_view line) {
    // An empty line (Enter pressed by mistake) says nothing in the game.
    if (line.empty()) return;
    if (line.front() == '/') {
        line.remove_prefix(1);
        if (!line.empty()) m_rcon.operatorCommand(utf8ToCp1252(line));
        return;
    }
    m_rcon.operatorSay(utf8ToCp1252(line));
}

} // namespace corvane
