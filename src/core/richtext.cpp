#include "core/richtext.h"

namespace corvane {

void RichText::setText(const std::string& text) {
    m_runs.clear();
    m_size = 0;
    if (!text.empty()) {
        m_runs.push_back(TextRun{text});
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
    if (m_limit != 0 && m_size > m_limit) {
        keepNewest(m_limit / 2);
        reset.notify();
        return;
    }
    appended.notify(run);
}

void RichText::setLimit(std::size_t maxBytes, std::string firstLine) {
    m_limit = maxBytes;
    m_firstLine = std::move(firstLine);
}

// The first line, then the text from the first line break within the newest
// `bytes` bytes, so that no line is shown cut. Called only over the bound,
// which is more than `bytes`.
void RichText::keepNewest(std::size_t bytes) {
    std::size_t skip = m_size - bytes;
    std::size_t first = 0;
    while (first < m_runs.size() && skip >= m_runs[first].text.size())
        skip -= m_runs[first++].text.size();
    std::vector<TextRun> kept{TextRun{m_firstLine}};
    bool lineStarted = false;
    for (std::size_t i = first; i < m_runs.size(); ++i) {
        std::string text = i == first ? m_runs[i].text.substr(skip) : m_runs[i].text;
        if (!lineStarted) {
            const std::size_t lineBreak = text.find("\r\n");
            if (lineBreak == std::string::npos) continue;
            text.erase(0, lineBreak);
            lineStarted = true;
        }
        kept.push_back(TextRun{std::move(text), m_runs[i].colour, m_runs[i].bold});
    }
    m_runs = std::move(kept);
    m_size = 0;
    for (const TextRun& run : m_runs)
        m_size += run.text.size();
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
    if (m_limit != 0 && m_size > m_limit) keepNewest(m_limit / 2);
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
