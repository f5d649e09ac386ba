#include "core/linewriter.h"

#include <charconv>

namespace corvane {

std::string signedNumberText(long long value) {
    return value < 0 ? std::to_string(value) : " " + std::to_string(value);
}

namespace {

std::string generalDigits(float value, int precision) {
    char buf[64];
    const auto result = std::to_chars(buf, buf + sizeof buf, static_cast<double>(value),
                                      std::chars_format::general, precision);
    return std::string(buf, result.ptr);
}

} // namespace

std::string signedSingleText(float value) {
    // Seven significant digits, as "%.7g" writes them in the "C" locale,
    // whatever the user's locale; nine when seven would not read back as the
    // same number (nine always do).
    std::string digits = generalDigits(value, 7);
    float back = 0;
    const auto read = std::from_chars(digits.data(), digits.data() + digits.size(), back);
    if (read.ec != std::errc() || back != value) digits = generalDigits(value, 9);
    return value < 0 ? digits : " " + digits;
}

LineWriter& LineWriter::text(std::string_view value) {
    m_out.append(value);
    m_out += "\r\n";
    return *this;
}

LineWriter& LineWriter::quoted(std::string_view value) {
    m_out += '"';
    m_out.append(value);
    m_out += "\"\r\n";
    return *this;
}

LineWriter& LineWriter::field(std::string_view value) {
    const auto isBlank = [](char c) { return c == ' ' || c == '\t'; };
    const bool bareReadsBack = value.find_first_of(",\r\n") == std::string_view::npos &&
                               (value.empty() || (!isBlank(value.front()) &&
                                                  !isBlank(value.back()) && value.front() != '"'));
    return bareReadsBack ? text(value) : quoted(value);
}

LineWriter& LineWriter::number(long long value) {
    return text(signedNumberText(value));
}

LineWriter& LineWriter::single(float value) {
    return text(signedSingleText(value));
}

LineWriter& LineWriter::boolean(bool value) {
    return text(value ? "True" : "False");
}

} // namespace corvane
