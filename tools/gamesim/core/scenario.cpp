#include "gamesim/core/scenario.h"

#include "gamesim/core/text.h"

#include <algorithm>
#include <cmath>
#include <optional>

namespace gamesim {
namespace {

constexpr std::int64_t kMaxScenarioMs = 7LL * 24 * 3600 * 1000;

std::optional<std::int64_t> parseDelay(std::string_view word) {
    double scale = 1000;
    if (word.size() > 2 && word.substr(word.size() - 2) == "ms") {
        scale = 1;
        word.remove_suffix(2);
    } else if (word.size() > 1 && word.back() == 's') {
        word.remove_suffix(1);
    }
    const auto value = parseDecimal(word);
    if (!value || *value < 0 || *value * scale > static_cast<double>(kMaxScenarioMs))
        return std::nullopt;
    return static_cast<std::int64_t>(std::llround(*value * scale));
}

} // namespace

Scenario parseScenario(std::string_view text) {
    Scenario out;
    std::int64_t previous = 0;
    int number = 0;
    while (!text.empty()) {
        const std::size_t lf = text.find('\n');
        std::string_view line = text.substr(0, lf);
        text = lf == std::string_view::npos ? std::string_view() : text.substr(lf + 1);
        ++number;
        if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
        line = trimBlanks(line);
        if (line.empty() || line.front() == '#') continue;

        const std::size_t blank = line.find_first_of(" \t");
        std::string_view when = line.substr(0, blank);
        const std::string_view command =
            blank == std::string_view::npos ? std::string_view() : trimBlanks(line.substr(blank));
        const bool relative = !when.empty() && when.front() == '+';
        if (relative) when.remove_prefix(1);
        const auto delay = parseDelay(when);
        if (!delay || command.empty()) {
            out.events.clear();
            out.error =
                "line " + std::to_string(number) +
                (delay ? ": no command after the time" : ": not a time: " + std::string(when));
            return out;
        }
        previous = relative ? previous + *delay : *delay;
        out.events.push_back({previous, std::string(command), number});
    }
    std::stable_sort(
        out.events.begin(), out.events.end(),
        [](const ScenarioEvent& a, const ScenarioEvent& b) { return a.atMs < b.atMs; });
    return out;
}

} // namespace gamesim
