#include "commands/sanctions.h"

#include "commands/reasons.h"
#include "core/activitylog.h"
#include "core/gametext.h"
#include "core/settings.h"
#include "players/groups.h"
#include "players/playerlookup.h"

namespace corvane {
namespace {

constexpr const char* kNotFound = "Player not found";
constexpr const char* kNotFoundMarked = "^1Player not found";
constexpr std::size_t kAdminCheckAnnounce = 6;

} // namespace

// An ambiguous name has been listed to the issuer already; nobody online and
// nobody found are said to him.
std::optional<Sanctions::Target> Sanctions::findTarget(const CommandIssuer& issuer,
                                                       std::string_view text,
                                                       const char* nobodyOnlineReply) {
    const PlayerMatch match = m_lookup.FindPlayer(issuer, text);
    if (match.kind == PlayerMatch::Kind::Ambiguous) return std::nullopt;
    if (match.kind == PlayerMatch::Kind::NobodyOnline) {
        m_queue.SendPM(issuer, nobodyOnlineReply);
        return std::nullopt;
    }
    // The GUID of whoever holds the slot found binds every line to him.
    const std::string guid = m_lookup.targetGUID(match, m_settings.config.MaxClients);
    if (guid.empty()) {
        m_queue.SendPM(issuer, kNotFound);
        return std::nullopt;
    }
    return Target{match.slot, guid, match.displayName,
                  neutralize(expandReasonCodes(match.rest, ConsoleReasons(m_reasons)))};
}

void Sanctions::logSanction(const CommandIssuer& issuer, const char* verb, const Target& target) {
    m_log.SMS(issuer.CurrentName + verb + target.displayName + " [Slot " +
              std::to_string(target.slot) + "] for " + target.reason);
}

// The three ways of removing a player differ only in their words.
struct Sanctions::Removal {
    const char* verb;         // in the activity log
    const char* command;      // the console command
    bool reasonInLine;        // the reason goes to the server too
    const char* announcement; // said to everybody
};

void Sanctions::remove(const CommandIssuer& issuer, std::string_view text, const Removal& r) {
    if (text.empty()) return;
    const auto target = findTarget(issuer, text, kNotFound);
    if (!target) return;
    logSanction(issuer, r.verb, *target);
    std::string line = std::string(r.command) + " " + std::to_string(target->slot);
    // Only the closing quote: the pump writes the opening part of the reason.
    if (r.reasonInLine) line += " " + target->reason + "\"";
    m_queue.List3A(line, target->slot, target->guid);
    // A plain entry: the removal that empties the slot first must not take
    // its own announcement with it.
    m_queue.pushBack("say ^1" + std::string(r.announcement) + ": ^2" +
                     neutralize(target->displayName) + " ^1Reason: ^2" + target->reason);
}

void Sanctions::DOKICK(const CommandIssuer& issuer, std::string_view text) {
    remove(issuer, text, {" kicked ", "clientkick", true, "Kicking player"});
}

void Sanctions::DoBan(const CommandIssuer& issuer, std::string_view text) {
    remove(issuer, text, {" banned ", "banclient", false, "Banning player"});
}

void Sanctions::DoTBan(const CommandIssuer& issuer, std::string_view text) {
    remove(issuer, text, {" tempbanned ", "tempbanclient", true, "Temp Banning player"});
}

void Sanctions::DOWARN(const CommandIssuer& issuer, std::string_view text) {
    if (text.empty()) return;
    const auto target = findTarget(issuer, text, kNotFoundMarked);
    if (!target) return;
    logSanction(issuer, " warned ", *target);
    m_queue.SendPM(issuer, "Warn send to player");
    m_queue.List3A("tell " + std::to_string(target->slot) + " ^1You have been warned for: ^2" +
                       target->reason,
                   target->slot, target->guid);
}

void Sanctions::DoAdminCheck(const CommandIssuer& issuer, std::string_view text) {
    const auto target = findTarget(issuer, trimBlanks(text), kNotFoundMarked);
    if (!target) return;
    const std::string group = m_groups.CheckAdminGroup(target->guid);
    const bool isDefault = group == m_groups.table.DefaultGroupName;
    const std::string message = "^2" + target->displayName + " is in the " +
                                (isDefault ? "default " : "") + "group: ^1" + group;
    if (m_settings.mod.AnnounceMode[kAdminCheckAnnounce] != 0)
        m_queue.SendPM(issuer, message);
    else
        m_queue.SendSay(message);
}

} // namespace corvane
