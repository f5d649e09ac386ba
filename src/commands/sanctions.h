#pragma once
// Kick, ban, temporary ban, warning and the admin check of one online player,
// named by a slot number or part of a name, followed by a reason. Each writes
// the operator's activity log, queues the console lines bound to the target's
// slot and GUID, and answers the issuer.

#include "rcon/rconqueue.h"

#include <optional>
#include <string>
#include <string_view>

namespace corvane {

class ActivityLog;
class Groups;
class PlayerLookup;
class Reasons;
class Settings;

class Sanctions {
public:
    Sanctions(PlayerLookup& lookup, const Settings& settings, Groups& groups,
              const Reasons& reasons, RconQueue& queue, ActivityLog& log)
        : m_lookup(lookup), m_settings(settings), m_groups(groups), m_reasons(reasons),
          m_queue(queue), m_log(log) {}

    // text: the target and the reason; an empty text does nothing at all.
    void DOKICK(const CommandIssuer& issuer, std::string_view text);
    void DoBan(const CommandIssuer& issuer, std::string_view text);
    void DoTBan(const CommandIssuer& issuer, std::string_view text);
    void DOWARN(const CommandIssuer& issuer, std::string_view text);
    // Tells the target's stored permission group.
    void DoAdminCheck(const CommandIssuer& issuer, std::string_view text);

private:
    struct Target {
        std::int16_t slot = 0;
        std::string guid;
        std::string displayName;
        std::string reason; // reason codes expanded, safe for a console line
    };

    std::optional<Target> findTarget(const CommandIssuer& issuer, std::string_view text,
                                     const char* nobodyOnlineReply);
    struct Removal;
    void remove(const CommandIssuer& issuer, std::string_view text, const Removal& removal);
    void logSanction(const CommandIssuer& issuer, const char* verb, const Target& target);

    PlayerLookup& m_lookup;
    const Settings& m_settings;
    Groups& m_groups;
    const Reasons& m_reasons;
    RconQueue& m_queue;
    ActivityLog& m_log;
};

} // namespace corvane
