#pragma once
// The server's uptime as the operator and players read it.

#include <cstdint>
#include <string>

namespace corvane {

// "1 day - 1:1" (short) or "1 day - 1 hour and 1 minute" (long); without days
// "2:0" or "2 hours and 0 minutes". Minutes are not zero-padded.
std::string SetTimeFormat(std::int32_t minutes, bool longForm);
// "Server Uptime: Unknown" before the first log time stamp, otherwise
// "Server Uptime: " + SetTimeFormat(logMinutes, longForm).
std::string GetUptime(std::int32_t logMinutes, bool longForm);

} // namespace corvane
