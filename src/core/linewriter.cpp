#include "core/linewriter.h"

#include <charconv>

namespace corvane {

std::string signedNumberText(long long value) {
    return value < 0 ? std::to_string(value) : " " + std::to_string(value);
}

std::string signedSingleText(float value) {
    // Seven significant digits, as "%.7g" writes them in the "C" locale,
    // whatever the user's locale.
    char buf[64];
    const auto result = std::to_chars(buf, buf + sizeof buf, static_cast<double>(value),
                                      std::chars_format::general, 7);
    const std::string digits(buf, result.ptr);
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
