#include "commands/sanctions.h"

#include "commands/reasons.h"
#include "commands/replies.h"
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

// The lookup answers "null" when nobody is online and "null2" when the name
// fits several players (they have been listed to the issuer). Those answers
// are told apart by the kind of match, so that a typed reason "null" is a reason.
std::optional<Sanctions::Target> Sanctions::findTarget(const CommandIssuer& issuer,
                                                       std::string_view text,
                                                       const char* nobodyOnlineReply) {
    const IssuerScope scope(m_queue, issuer);
    const std::string rest = m_lookup.FindPlayer(text);
    const PlayerLookup::Match match = m_lookup.lastMatch();
    if (match == PlayerLookup::Match::Ambiguous) return std::nullopt;
    if (match == PlayerLookup::Match::None && rest == PlayerLookup::kNobodyOnline) {
        sendPrivate(m_queue, issuer, nobodyOnlineReply);
        return std::nullopt;
    }
    // The GUID of whoever holds the slot found binds every line to him.
    const std::string guid = m_lookup.targetGUID(m_settings.config.MaxClients);
    if (guid.empty()) {
        sendPrivate(m_queue, issuer, kNotFound);
        return std::nullopt;
    }
    const ReasonLookup reasons = [this](int n) { return m_reasons.forConsole(n); };
    return Target{m_lookup.TargetSlot, guid, m_lookup.TargetDisplayName,
                  neutralize(expandReasonCodes(rest, reasons))};
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
    sendPrivate(m_queue, issuer, "Warn send to player");
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
        sendPrivate(m_queue, issuer, message);
    else
        m_queue.SendSay(message);
}

} // namespace corvane
