#pragma once
// The operator warns, kicks, temporarily bans or bans one online player from
// the window: a small modal dialog over the slot he chose. Its lines are tied
// to the player who held the slot when the dialog opened, so a kick confirmed
// after he left never reaches whoever took the slot since.

#include <cstdint>
#include <string>
#include <vector>

namespace corvane {

class ActivityLog;
class AppPaths;
class RconQueue;

enum class AdminActionKind { Warn, Kick, TempBan, Ban };

class AdminAction {
public:
    // ShowWarn, ShowKick, Showtban and ShowBan: the slot, the player's name
    // as the online list shows it, and his GUID at this moment.
    AdminAction(AdminActionKind kind, std::int16_t slot, std::string name, std::string guid,
                RconQueue& queue, ActivityLog& log);

    AdminActionKind kind() const { return m_kind; }
    std::int16_t slot() const { return m_slot; }
    const std::string& name() const { return m_name; }
    const std::string& guid() const { return m_guid; }

    // "Warn Player: " + name, and so on.
    std::string title() const;
    // The question above the reasons; a ban asks only whether to go ahead.
    std::string prompt() const;
    // A ban has neither the reason list nor "No Reason"; its buttons read
    // "Yes" and "No" instead of "OK" and "Cancel".
    bool offersReasons() const { return m_kind != AdminActionKind::Ban; }
    std::string okCaption() const;
    std::string cancelCaption() const;

    // OK (or Enter in the reason box): an empty reason acts as "No Reason".
    void ok(const std::string& reason);
    void noReason();

private:
    void confirm(const std::string& reason);

    AdminActionKind m_kind;
    std::int16_t m_slot;
    std::string m_name;
    std::string m_guid;
    RconQueue& m_queue;
    ActivityLog& m_log;
};

// The predefined reasons the dialog offers: every item of Data/Reasons.txt
// that is not empty, in file order (a blank line is passed over, not the end).
std::vector<std::string> dialogReasons(const AppPaths& paths);

} // namespace corvane
