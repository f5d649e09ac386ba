#pragma once
// Removal of players whose names the server should not accept: names that
// begin with "Unknown Soldier", and names holding "½" or "¼" (console names).
// Each check runs for every player the slot table learns of, from a status
// reply or a join line, while its box is ticked.

#include <string>
#include <string_view>

namespace corvane {

class ActivityLog;
class RconQueue;

// "Unknown Soldier" as the first 15 characters, exact case.
bool isUnknownSoldier(std::string_view name);
// "½" or "¼" anywhere (Windows-1252 bytes 0xBD and 0xBC).
bool hasConsoleMark(std::string_view name);

class NameChecks {
public:
    static constexpr const char* kKickReason = "Please change your name in Steam Settings";

    NameChecks(ActivityLog& log, RconQueue& queue) : m_log(log), m_queue(queue) {}

    // True when the player is being removed: his removal was queued now, or
    // is still waiting in the queue (it is never queued twice). The kick is
    // tied to his slot and GUID, so it can never hit the next player there.
    bool CheckBadNames(const std::string& name, const std::string& slot, const std::string& guid);
    bool CheckBadxBox(const std::string& name, const std::string& slot, const std::string& guid);

private:
    bool removeIf(bool invalid, const std::string& name, const std::string& slot,
                  const std::string& guid);
    bool removalQueued(const std::string& kickLine, const std::string& guid) const;

    ActivityLog& m_log;
    RconQueue& m_queue;
};

} // namespace corvane
