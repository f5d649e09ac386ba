#include "logfeed/logtail.h"

#include "core/gametext.h"
#include "core/numbers.h"
#include "core/textfile.h"

#include <algorithm>
#include <iterator>

namespace corvane {

bool bodyStartsMidLine(const std::string* contentRange, std::size_t bodySize,
                       std::uint64_t bytesDropped, std::size_t tailAsked) {
    if (bytesDropped > 0) return true;
    if (contentRange) {
        // "bytes <first>-<last>/<length>"
        const std::string_view range = *contentRange;
        const std::size_t start = range.find_first_of("0123456789");
        if (start != std::string_view::npos) {
            const std::size_t end = range.find_first_not_of("0123456789", start);
            const std::string_view first = range.substr(start, end - start);
            return first.find_first_not_of('0') != std::string_view::npos;
        }
    }
    return bodySize >= tailAsked;
}

std::vector<std::string> completeLines(std::string_view body, bool firstLineIsFragment) {
    const std::size_t lastEnd = body.find_last_of("\r\n");
    if (lastEnd == std::string_view::npos) return {};
    body = body.substr(0, lastEnd + 1);
    if (firstLineIsFragment) {
        const std::size_t firstEnd = body.find_first_of("\r\n");
        body.remove_prefix(firstEnd + 1);
    }
    std::vector<std::string> lines;
    for (std::string& line : splitLines(body))
        if (line.find_first_not_of(' ') != std::string::npos) lines.push_back(std::move(line));
    return lines;
}

NewLogLines takeNewLines(const std::vector<std::string>& lines, std::string_view anchor) {
    NewLogLines out;
    if (lines.empty()) {
        out.anchor = std::string(anchor);
        return out;
    }
    std::size_t first = 0;
    const std::string wanted = trimBlanks(anchor);
    if (!wanted.empty()) {
        for (std::size_t i = 0; i < lines.size(); ++i) {
            if (trimBlanks(lines[i]) == wanted) {
                first = i + 1;
                out.anchorFound = true;
                break;
            }
        }
    }
    out.lines.assign(lines.begin() + static_cast<std::ptrdiff_t>(first), lines.end());
    out.anchor = lines.back();
    return out;
}

std::vector<std::vector<std::string>> inBatches(std::vector<std::string> lines) {
    std::vector<std::vector<std::string>> batches;
    for (std::size_t first = 0; first < lines.size(); first += kMaxNewLines) {
        const std::size_t last = std::min(lines.size(), first + kMaxNewLines);
        batches.emplace_back(
            std::make_move_iterator(lines.begin() + static_cast<std::ptrdiff_t>(first)),
            std::make_move_iterator(lines.begin() + static_cast<std::ptrdiff_t>(last)));
    }
    return batches;
}

std::size_t nextCatchUpBytes(std::size_t asked) {
    if (asked >= kMaxCatchUpBytes) return 0;
    return std::min(kMaxCatchUpBytes, asked * kCatchUpGrowth);
}

std::string quotedStamp(std::string_view line) {
    constexpr std::size_t kMaxStamp = 12;
    const std::size_t start = line.find_first_not_of(' ');
    if (start == std::string_view::npos) return "?";
    line.remove_prefix(start);
    std::string stamp(line.substr(0, std::min(line.find(' '), kMaxStamp)));
    for (char& c : stamp)
        if (static_cast<unsigned char>(c) < 0x20 || c == 0x7f) c = '?';
    return stamp;
}

std::optional<std::int32_t> stampMinutes(std::string_view trimmedLine) {
    const std::size_t colon = trimmedLine.find(':');
    if (colon == std::string_view::npos) return std::nullopt;
    return toInt32(trimmedLine.substr(0, colon));
}

} // namespace corvane
