#include "core/clock.h"

#include <cstdio>

namespace corvane {

std::string formatDate(const LocalDateTime& t) {
    char buf[32];
    std::snprintf(buf, sizeof buf, "%04d-%02d-%02d", t.year, t.month, t.day);
    return buf;
}

std::string formatTime(const LocalDateTime& t) {
    char buf[32];
    std::snprintf(buf, sizeof buf, "%02d:%02d:%02d", t.hour, t.minute, t.second);
    return buf;
}

std::string formatDateTime(const LocalDateTime& t) {
    return formatDate(t) + " " + formatTime(t);
}

std::string fileStamp(const LocalDateTime& t) {
    return "[" + formatDateTime(t) + "] ";
}

} // namespace corvane
