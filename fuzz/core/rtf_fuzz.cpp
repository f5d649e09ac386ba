// Two ways through the chat transcript's rich text:
//  - any bytes as a document: the reader never crashes, and what it read is
//    written and read back to the same runs;
//  - any bytes as text runs: written and read back they are the same text in
//    the same colours and weights (line breaks come back as CR LF).

#include "core/rtf.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

using namespace corvane;

namespace {

void check(bool condition) {
    if (!condition) __builtin_trap();
}

// What a reader can give back for these runs: line breaks as CR LF, no empty
// run, neighbours of the same look joined.
std::vector<TextRun> canonical(const std::vector<TextRun>& runs) {
    std::vector<TextRun> out;
    for (const TextRun& run : runs) {
        std::string text;
        for (std::size_t i = 0; i < run.text.size(); ++i) {
            const char c = run.text[i];
            if (c == '\r' || c == '\n') {
                if (c == '\r' && i + 1 < run.text.size() && run.text[i + 1] == '\n') ++i;
                text += "\r\n";
            } else {
                text += c;
            }
        }
        if (text.empty()) continue;
        if (!out.empty() && out.back().colour == run.colour && out.back().bold == run.bold)
            out.back().text += text;
        else
            out.push_back(TextRun{text, run.colour, run.bold});
    }
    return out;
}

// Pieces split at byte 0x1E; a piece's first byte picks its look.
std::vector<TextRun> runsOf(std::string_view bytes) {
    static constexpr Colour kColours[] = {kBlack, kRed, kBlue, 0x00A0B0C0};
    std::vector<TextRun> runs;
    while (!bytes.empty()) {
        const std::size_t end = bytes.find('\x1E');
        std::string_view piece = bytes.substr(0, end);
        bytes.remove_prefix(end == std::string_view::npos ? bytes.size() : end + 1);
        if (piece.empty()) continue;
        const auto look = static_cast<unsigned char>(piece.front());
        piece.remove_prefix(1);
        runs.push_back(TextRun{std::string(piece), kColours[(look >> 1) & 3], (look & 1) != 0});
    }
    return runs;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);

    if (const auto read = fromRtf(bytes)) {
        const auto again = fromRtf(toRtf(*read));
        check(again && *again == canonical(*read));
    }

    const std::vector<TextRun> runs = runsOf(bytes);
    const auto back = fromRtf(toRtf(runs));
    check(back && *back == canonical(runs));
    return 0;
}
