#include "core/linewriter.h"

#include <cstdio>

namespace corvane {

std::string signedNumberText(long long value) {
    return value < 0 ? std::to_string(value) : " " + std::to_string(value);
}

std::string signedSingleText(float value) {
    char buf[64];
    std::snprintf(buf, sizeof buf, "%.7g", static_cast<double>(value));
    const std::string digits = buf;
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
