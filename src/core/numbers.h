#pragma once
// Whole-number tests and conversions as the settings files and console lines
// use them: a decimal number, optionally signed, optionally with a fraction
// (rounded half to even), blanks around it allowed, within the type's range.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace corvane {

std::optional<std::int16_t> toInt16(std::string_view text);
std::optional<std::int32_t> toInt32(std::string_view text);
// A decimal number with an optional fraction and exponent, blanks around it allowed.
std::optional<float> toSingle(std::string_view text);

// True when the text converts to a 16-bit signed integer.
bool isINT(std::string_view text);
// True when the text converts to a 32-bit signed integer.
bool isLong(std::string_view text);

// Decimal text of a number, as the game and the files show it ("-3", "17").
std::string decimal(long long value);

} // namespace corvane
