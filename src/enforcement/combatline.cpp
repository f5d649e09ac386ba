#include "enforcement/combatline.h"

#include "core/gametext.h"
#include "core/numbers.h"

#include <vector>

namespace corvane {

std::optional<CombatLine> splitCombatLine(std::string_view line) {
    constexpr std::size_t kFieldsUsed = 12;
    std::vector<std::string> f = splitAt(line, ";");
    if (f.size() < kFieldsUsed) return std::nullopt;
    return CombatLine{std::move(f[0]),  std::move(f[1]), std::move(f[2]), std::move(f[4]),
                      std::move(f[5]),  std::move(f[6]), std::move(f[8]), std::move(f[9]),
                      std::move(f[10]), std::move(f[11])};
}

std::optional<std::int32_t> stampSeconds(std::string_view stampField) {
    const std::string trimmed = trimBlanks(stampField);
    const std::string stamp = trimmed.substr(0, trimmed.find(' '));
    const std::size_t colon = stamp.find(':');
    if (colon == std::string::npos) return std::nullopt;
    const std::string_view minutesText = std::string_view(stamp).substr(0, colon);
    const std::string_view secondsText = std::string_view(stamp).substr(colon + 1);
    const bool digitsOnly = !minutesText.empty() && !secondsText.empty() &&
                            minutesText.find_first_not_of("0123456789") == std::string::npos &&
                            secondsText.find_first_not_of("0123456789") == std::string::npos;
    if (!digitsOnly) return std::nullopt;
    const auto minutes = toInt32(minutesText);
    const auto seconds = toInt32(secondsText);
    constexpr std::int32_t kMaxMinutes = 30'000'000; // keeps minutes * 60 in range
    if (!minutes || !seconds || *minutes > kMaxMinutes || *seconds > 59) return std::nullopt;
    return *minutes * 60 + *seconds;
}

} // namespace corvane
