#include "core/numbers.h"

#include "core/ascii.h"

#include <charconv>
#include <cmath>
#include <limits>

namespace corvane {
namespace {

bool isBlank(char c) {
    return c == ' ' || c == '\t';
}

std::string_view trimBlanks(std::string_view s) {
    while (!s.empty() && isBlank(s.front()))
        s.remove_prefix(1);
    while (!s.empty() && isBlank(s.back()))
        s.remove_suffix(1);
    return s;
}

// Sign, digits, optional "." and digits; at least one digit in all.
bool isPlainDecimal(std::string_view s) {
    std::size_t i = 0;
    if (i < s.size() && (s[i] == '+' || s[i] == '-')) ++i;
    std::size_t digits = 0;
    while (i < s.size() && isAsciiDigit(s[i]))
        ++i, ++digits;
    if (i < s.size() && s[i] == '.') {
        ++i;
        while (i < s.size() && isAsciiDigit(s[i]))
            ++i, ++digits;
    }
    return digits > 0 && i == s.size();
}

// The value of a decimal number with a point, whatever the user's locale
// (std::from_chars never looks at it). A leading "+" is allowed.
std::optional<double> decimalValue(std::string_view s) {
    if (!s.empty() && s.front() == '+') {
        s.remove_prefix(1);
        if (!s.empty() && (s.front() == '+' || s.front() == '-')) return std::nullopt;
    }
    double value = 0;
    const auto [end, error] = std::from_chars(s.data(), s.data() + s.size(), value);
    if (error != std::errc() || end != s.data() + s.size() || !std::isfinite(value))
        return std::nullopt;
    return value;
}

std::optional<double> roundedValue(std::string_view text) {
    const std::string_view s = trimBlanks(text);
    if (!isPlainDecimal(s)) return std::nullopt;
    const auto value = decimalValue(s);
    if (!value) return std::nullopt;
    return std::nearbyint(*value); // the default rounding mode rounds half to even
}

template <typename Int> std::optional<Int> toInteger(std::string_view text) {
    const auto value = roundedValue(text);
    if (!value || *value < static_cast<double>(std::numeric_limits<Int>::min()) ||
        *value > static_cast<double>(std::numeric_limits<Int>::max()))
        return std::nullopt;
    return static_cast<Int>(*value);
}

} // namespace

std::optional<std::int16_t> toInt16(std::string_view text) {
    return toInteger<std::int16_t>(text);
}
std::optional<std::int32_t> toInt32(std::string_view text) {
    return toInteger<std::int32_t>(text);
}

std::optional<float> toSingle(std::string_view text) {
    const std::string_view s = trimBlanks(text);
    // Only decimal forms: no hexadecimal, "inf" or "nan".
    for (char c : s)
        if (!(isAsciiDigit(c) || c == '+' || c == '-' || c == '.' || c == 'e' || c == 'E'))
            return std::nullopt;
    const auto value = decimalValue(s);
    if (!value || std::fabs(*value) > std::numeric_limits<float>::max()) return std::nullopt;
    return static_cast<float>(*value);
}

bool isINT(std::string_view text) {
    return toInt16(text).has_value();
}
bool isLong(std::string_view text) {
    return toInt32(text).has_value();
}

std::string decimal(long long value) {
    return std::to_string(value);
}

} // namespace corvane
