#include "rcon/uptime.h"

namespace corvane {
namespace {

std::string unit(long long n, const char* word) {
    return std::to_string(n) + " " + word + (n == 1 ? "" : "s");
}

} // namespace

std::string SetTimeFormat(std::int32_t minutes, bool longForm) {
    const long long days = minutes / 1440;
    const long long hours = (minutes - days * 1440) / 60;
    const long long mins = minutes % 60;
    const std::string dayPart = days ? unit(days, "day") + " - " : std::string();
    if (longForm) return dayPart + unit(hours, "hour") + " and " + unit(mins, "minute");
    return dayPart + std::to_string(hours) + ":" + std::to_string(mins);
}

std::string GetUptime(std::int32_t logMinutes, bool longForm) {
    if (logMinutes == 0) return "Server Uptime: Unknown";
    return "Server Uptime: " + SetTimeFormat(logMinutes, longForm);
}

} // namespace corvane
