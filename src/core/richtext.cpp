#include "core/richtext.h"

namespace corvane {

void RichText::setText(const std::string& text) {
    m_runs.clear();
    m_size = 0;
    if (!text.empty()) {
        m_runs.push_back(TextRun{text, kBlack, false});
        m_size = text.size();
    }
    reset.notify();
}

void RichText::append(const std::string& text, Colour colour, bool bold) {
    if (text.empty()) return;
    TextRun run{text, colour, bold};
    m_size += text.size();
    if (!m_runs.empty() && m_runs.back().colour == colour && m_runs.back().bold == bold)
        m_runs.back().text += text;
    else
        m_runs.push_back(run);
    appended.notify(run);
}

void RichText::assign(std::vector<TextRun> runs) {
    m_runs.clear();
    m_size = 0;
    for (TextRun& run : runs) {
        if (run.text.empty()) continue;
        m_size += run.text.size();
        if (!m_runs.empty() && m_runs.back().colour == run.colour && m_runs.back().bold == run.bold)
            m_runs.back().text += run.text;
        else
            m_runs.push_back(std::move(run));
    }
    reset.notify();
}

std::string RichText::plainText() const {
    std::string out;
    out.reserve(m_size);
    for (const TextRun& run : m_runs)
        out += run.text;
    return out;
}

} // namespace corvane
