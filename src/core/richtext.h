#pragma once
// A view of coloured, optionally bold text runs (the activity view, the chat
// view). The core owns the text; windows render it.

#include "core/signal.h"

#include <cstdint>
#include <string>
#include <vector>

namespace corvane {

// Colours are values in blue-green-red order, as stored in files and settings.
using Colour = std::uint32_t;
inline constexpr Colour kBlack = 0;
inline constexpr Colour kRed = 255;
inline constexpr Colour kBlue = 16711680;

struct TextRun {
    std::string text;
    Colour colour = kBlack;
    bool bold = false;

    bool operator==(const TextRun&) const = default;
};

class RichText {
public:
    // Replaces the whole text with one plain black run.
    void setText(const std::string& text);
    void append(const std::string& text, Colour colour = kBlack, bool bold = false);
    // Replaces the whole text with these runs (a loaded document): one reset,
    // no appends, so that no listener takes the old text for new lines.
    void assign(std::vector<TextRun> runs);

    const std::vector<TextRun>& runs() const { return m_runs; }
    std::string plainText() const;
    std::size_t size() const { return m_size; }

    Signal<const TextRun&> appended;
    Signal<> reset; // the whole text was replaced

private:
    std::vector<TextRun> m_runs;
    std::size_t m_size = 0;
};

} // namespace corvane
