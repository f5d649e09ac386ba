#include "commands/dispatcher.h"

#include "commands/commandports.h"
#include "commands/replies.h"
#include "commands/reservedslots.h"
#include "commands/sanctions.h"
#include "core/gametext.h"
#include "core/numbers.h"
#include "players/groups.h"
#include "rcon/slottable.h"
#include "rcon/uptime.h"

#include <algorithm>
#include <functional>
#include <utility>

namespace corvane {
namespace {

std::int16_t speakerSlot(const std::string& slot) {
    // A slot the server cannot have gets no private replies (like slot 0).
    const auto number = toInt16(slot);
    return number && *number >= 0 && *number < SlotTable::kSlots ? *number : std::int16_t{0};
}

// The word as checked and run: the aliases become their upper-case word.
std::string canonicalWord(const std::string& typed) {
    if (equalsIgnoringCase(typed, "CHECKADMIN")) return "ADMINCHECK";
    if (equalsIgnoringCase(typed, "CMDS") || equalsIgnoringCase(typed, "CMDLIST")) return "CMD";
    return typed;
}

// "^1Commands: ^2A, ^2B" for the non-empty words of a list.
std::string commandListReply(const std::vector<std::string>& words) {
    std::string reply;
    for (const std::string& w : words) {
        if (w.empty()) continue;
        reply += (reply.empty() ? "^1Commands: ^2" : ", ^2") + w;
    }
    return reply;
}

} // namespace

bool changesRconPassword(std::string_view line) {
    return findIgnoringCase(line, "rcon_password") != std::string_view::npos;
}

void CommandDispatcher::AdminCheck(const std::string& guid, const std::string& slot,
                                   const std::string& name, const std::string& typed) {
    m_current = CommandIssuer{speakerSlot(slot), guid, RemoveCTag(name)};
    m_chatName = name;
    m_typed = typed;
    CommandArgs = splitAt(typed, " ");
    // The issuer is forgotten when the command ends, however it ends.
    struct Forget {
        CommandDispatcher& d;
        ~Forget() {
            d.m_current = CommandIssuer{};
            d.m_chatName.clear();
            d.m_typed.clear();
            d.CommandArgs.clear();
        }
    } forget{*this};
    const IssuerScope scope(m_queue, m_current);

    const std::string& first = CommandArgs.front();
    const std::string word = canonicalWord(first.substr(std::min<std::size_t>(1, first.size())));
    if (m_groups.table.mayRun(m_groups.levelOf(guid), word))
        executeCOMM(word);
    else
        SENDnoPR(word);
}

std::string CommandDispatcher::argFrom(std::size_t position) const {
    return argAfter(position - 1);
}

std::string CommandDispatcher::argAfter(std::size_t characters) const {
    // The marker is not part of what was typed.
    const std::size_t skip = characters - 1;
    return skip < m_typed.size() ? m_typed.substr(skip) : std::string();
}

void CommandDispatcher::reply(const std::string& text) {
    sendPrivate(m_queue, m_current, text);
}

void CommandDispatcher::SENDnoPR(const std::string& word) {
    reply("^2You do not have permission to execute: " + word);
}

void CommandDispatcher::executeCOMM(const std::string& word) {
    const CommandIssuer& me = m_current;
    const std::pair<const char*, std::function<void()>> words[] = {
        {"SAY", [&] { m_queue.SendSay(argAfter(5)); }},
        {"KICK", [&] { m_sanctions.DOKICK(me, argFrom(8)); }},
        {"BAN", [&] { m_sanctions.DoBan(me, argAfter(5)); }},
        {"TEMPBAN", [&] { m_sanctions.DoTBan(me, argAfter(9)); }},
        {"ADMINCHECK", [&] { m_sanctions.DoAdminCheck(me, argFrom(13)); }},
        {"WARN", [&] { m_sanctions.DOWARN(me, argFrom(8)); }},
        {"RULES", [&] { sendRules(); }},
        {"ME", [&] { sendMe(); }},
        {"NEXTMAP", [&] { m_maps.DisplayNextMap(); }},
        {"KILL", [&] { m_host.ENDALL(); }},
        {"GROUPS", [&] { m_groups.PMGROUPS(); }},
        {"PL", [&] { SendPL(); }},
        {"CMD", [&] { CMDLIST(); }},
        {"RESERVED", [&] { m_reserved.requestInGame(me); }},
        {"RCON", [&] { rcon(argFrom(8)); }},
        {"UPTIME", [&] { sendUptime(); }},
        {"DEFAULTMAP",
         [&] {
             m_maps.startDefaultRotation();
             reply("Map reset to default rotation");
         }},
        {"SETGROUP", [&] { m_groups.SetGroup(argFrom(12)); }},
        {"MAP", [&] { m_maps.Amap(me, argFrom(7)); }},
        {"SKIP", [&] { m_maps.skip(me); }},
    };
    for (const auto& [name, run] : words) {
        if (!equalsIgnoringCase(word, name)) continue;
        run();
        return;
    }
    notFound();
}

void CommandDispatcher::notFound() {
    reply("^1That command cannot be found");
}

// Once per batch of log lines; a second request in the same batch is not found.
void CommandDispatcher::sendRules() {
    if (m_rulesSent) {
        notFound();
        return;
    }
    m_rulesSent = true;
    m_maps.SendRules(m_current);
}

void CommandDispatcher::sendUptime() {
    m_queue.pushBack("say ^2" + GetUptime(m_host.serverUptimeMinutes(), true));
}

void CommandDispatcher::sendMe() {
    const int level = m_groups.levelOf(m_current.CurrentGUID);
    reply("^3GUID: ^2" + m_current.CurrentGUID + " ^3NAME:^2 " + m_chatName + " ^3GROUP:^2 " +
          m_groups.table.GroupName[static_cast<std::size_t>(level)] + " [" + decimal(level) + "]");
}

// A raw console line from a group that holds the word. It goes out as typed,
// except that nobody changes the server's password from the game.
void CommandDispatcher::rcon(const std::string& line) {
    if (changesRconPassword(line)) {
        reply("Server password cannot be changed in-game!");
        return;
    }
    m_queue.pushBack(line);
}

void CommandDispatcher::CMDLIST() {
    const int level = m_groups.levelOf(m_current.CurrentGUID);
    const GroupTable& table = m_groups.table;
    std::vector<std::string> words;
    if (level != 0) {
        words = splitAt(table.GroupCommands[static_cast<std::size_t>(level)], ";");
    } else {
        for (int i = 1; i <= table.commandCount(); ++i)
            words.push_back(table.CommandList[static_cast<std::size_t>(i)]);
    }
    const std::string text = commandListReply(words);
    if (!text.empty()) sendPrivateLong(m_queue, m_current, text);
}

void CommandDispatcher::SendPL() {
    if (m_current.CurrentSlot == 0 || m_slots.OnlineCount == 0) return;
    std::string list;
    for (int slot = 1; slot < SlotTable::kSlots; ++slot) {
        const std::string& name = m_slots[slot].SlotName;
        if (name.empty()) continue;
        list += (list.empty() ? "^3" : ", ^3") + name + "[^2" + decimal(slot) + "^3]";
    }
    if (!list.empty()) sendPrivateLong(m_queue, m_current, list);
}

} // namespace corvane
