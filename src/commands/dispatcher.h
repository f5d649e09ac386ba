#pragma once
// The "!" commands typed in the game chat: who is speaking, the command word
// and its aliases, the permission of the speaker's group, and the twenty
// words with their fixed argument positions.

#include "rcon/rconqueue.h"

#include <string>
#include <string_view>
#include <vector>

namespace corvane {

class Groups;
class ReservedSlots;
class Sanctions;
class SlotTable;
struct CommandHost;
struct MapCommands;

// True when a console line would change the server's RCON password: it names
// rcon_password anywhere, in any letter case (as its own command, after
// another command and ";", quoted, or through "set").
bool changesRconPassword(std::string_view line);

class CommandDispatcher {
public:
    CommandDispatcher(RconQueue& queue, const SlotTable& slots, Groups& groups,
                      Sanctions& sanctions, ReservedSlots& reserved, MapCommands& maps,
                      CommandHost& host)
        : m_queue(queue), m_slots(slots), m_groups(groups), m_sanctions(sanctions),
          m_reserved(reserved), m_maps(maps), m_host(host) {}

    // One chat command: the speaker's GUID, slot and name as the chat line
    // gives them, and what he typed (beginning with "!").
    void AdminCheck(const std::string& guid, const std::string& slot, const std::string& name,
                    const std::string& typed);
    // A new batch of log lines: the rules may be said once again.
    void resetBatch() { m_rulesSent = false; }
    bool rulesSent() const { return m_rulesSent; }

private:
    void executeCOMM(const std::string& word);
    void SENDnoPR(const std::string& word);
    void CMDLIST();
    void SendPL();
    void sendMe();
    void sendRules();
    void sendUptime();
    void notFound();
    void rcon(const std::string& line);
    void reply(const std::string& text);

    // Argument positions count as in the logged chat text, whose first
    // character is the game's marker: "from position p" is the text from its
    // p-th character, "after n characters" the text without its first n.
    std::string argFrom(std::size_t position) const;
    std::string argAfter(std::size_t characters) const;

    RconQueue& m_queue;
    const SlotTable& m_slots;
    Groups& m_groups;
    Sanctions& m_sanctions;
    ReservedSlots& m_reserved;
    MapCommands& m_maps;
    CommandHost& m_host;
    bool m_rulesSent = false;

    // The command being handled; emptied when it ends.
    CommandIssuer m_current; // CurrentSlot, CurrentGUID, CurrentName
    std::string m_chatName;  // the name as the chat line gives it
    std::string m_typed;
    std::vector<std::string> CommandArgs;
};

} // namespace corvane
