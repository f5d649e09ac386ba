#pragma once
// The server log as the log host publishes it. Only the most recent bytes are
// kept in memory; the total size still counts everything ever written, so byte
// ranges stay consistent.

#include <cstdint>
#include <string>
#include <string_view>

namespace gamesim {

class LogBuffer {
public:
    static constexpr std::size_t kDefaultKeep = 4 * 1024 * 1024;

    explicit LogBuffer(std::size_t keepBytes = kDefaultKeep) : m_keep(keepBytes) {}

    // Appends the line and a line feed.
    void appendLine(std::string_view line) {
        m_text += line;
        m_text += '\n';
        if (m_text.size() > m_keep) {
            const std::size_t drop = m_text.size() - m_keep / 2;
            m_text.erase(0, drop);
            m_dropped += drop;
        }
    }

    // Bytes ever written.
    std::uint64_t totalSize() const { return m_dropped + m_text.size(); }
    // The oldest byte still held, as an offset into the whole log.
    std::uint64_t firstHeld() const { return m_dropped; }
    // The bytes from offset `first` (whole-log numbering) up to, not including, `end`;
    // offsets outside what is held are clamped.
    std::string_view range(std::uint64_t first, std::uint64_t end) const {
        if (first < m_dropped) first = m_dropped;
        if (end > totalSize()) end = totalSize();
        if (end <= first) return {};
        return std::string_view(m_text).substr(static_cast<std::size_t>(first - m_dropped),
                                               static_cast<std::size_t>(end - first));
    }
    const std::string& held() const { return m_text; }

private:
    std::size_t m_keep;
    std::string m_text;
    std::uint64_t m_dropped = 0;
};

} // namespace gamesim
