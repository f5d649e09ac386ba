#include "core/clock.h"

namespace corvane {
namespace {

// The number with leading zeros to the width given.
std::string padded(int value, std::size_t width) {
    std::string digits = std::to_string(value);
    if (digits.size() < width) digits.insert(0, width - digits.size(), '0');
    return digits;
}

} // namespace

std::string formatDate(const LocalDateTime& t) {
    return padded(t.year, 4) + "-" + padded(t.month, 2) + "-" + padded(t.day, 2);
}

std::string formatTime(const LocalDateTime& t) {
    return padded(t.hour, 2) + ":" + padded(t.minute, 2) + ":" + padded(t.second, 2);
}

std::string formatDateTime(const LocalDateTime& t) {
    return formatDate(t) + " " + formatTime(t);
}

std::string fileStamp(const LocalDateTime& t) {
    return "[" + formatDateTime(t) + "] ";
}

} // namespace corvane
