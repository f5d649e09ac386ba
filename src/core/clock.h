#pragma once
// Wall clock (local date and time) and the formats used in files and views.

#include <string>

namespace corvane {

struct LocalDateTime {
    int year = 2000;
    int month = 1; // 1..12
    int day = 1;   // 1..31
    int hour = 0;
    int minute = 0;
    int second = 0;

    auto operator<=>(const LocalDateTime&) const = default;
};

class Clock {
public:
    virtual ~Clock() = default;
    virtual LocalDateTime now() const = 0;
};

// "2026-12-05"
std::string formatDate(const LocalDateTime& t);
// "09:18:28"
std::string formatTime(const LocalDateTime& t);
// "2026-12-05 09:18:28"
std::string formatDateTime(const LocalDateTime& t);
// "[2026-12-05 09:18:28] " - the stamp in front of every log file line.
std::string fileStamp(const LocalDateTime& t);

} // namespace corvane
