#pragma once
// Turns each batch of new server-log lines into program events: chat into the
// chat view and the archive, "!" commands to the dispatcher, joins and quits
// into the slot table, kills and damage to the enforcement, match starts and
// ends to the link. It also guards against a log stamp format it cannot read.

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace corvane {

class ActivityLog;
class ChatLog;
class OnlinePlayers;
class RconQueue;
class Settings;
class SlotTable;
struct LinkState;

// What the parser hands to the parts above it. Any left unset does nothing.
struct LogParserHooks {
    // Start of every batch: the rules-sent flag, the name-match list and its
    // counters, and the once-per-batch tables of the language and weapon checks.
    std::function<void()> resetBatchState;
    // The speaker's group level (decimal text) and the default group's level.
    std::function<std::string(const std::string& guid)> CheckAdminGroupNODB;
    std::function<std::int16_t()> DefaultRank;
    // Every chat line: name, GUID, typed text, slot, and whether it is a "!" command.
    std::function<void(const std::string& name, const std::string& guid, const std::string& text,
                       const std::string& slot, bool isCommand)>
        BadWordFilter;
    // A "!" command; it reads ChatFields.
    std::function<void()> AdminCheck;
    std::function<void(const std::string& line)> AlphaD;
    std::function<void(const std::string& line)> AlphaKill;
    // A quitting player's record ID, and the update of his last-seen date.
    std::function<std::int32_t(const std::string& guid)> FindGUIDDatabase;
    std::function<void(const std::string& idText)> UpdateLastSeen;
    std::function<void(std::int16_t playlist)> SetMaxHealth;
    // A match began (a forced next map has been taken).
    std::function<void()> matchStarted;
    // One status poll a little later (match start, end of the first batch).
    std::function<void()> startStatusPoll;
    // The player-log view's "Refresh" (only with "Auto Update" ticked).
    std::function<void()> refreshPlayerList;
    std::function<std::string()> defaultGroupName;
    // End of every batch, in this order after the player count.
    std::function<void()> resetDamageMarker;
    std::function<void()> ClearHP;
    std::function<void()> DoVotingSystem;
};

class LogParser {
public:
    static constexpr const char* kStampFixCommand = "g_logTimeStampInSeconds 0";

    LogParser(ActivityLog& log, ChatLog& chat, RconQueue& queue, LinkState& link, SlotTable& slots,
              OnlinePlayers& players, const Settings& settings, LogParserHooks hooks = {});

    // Handles one batch of new lines, in log order.
    void ParseChat(const std::vector<std::string>& NewLines);
    // Handles one line whose event text starts after the blank at stampEnd.
    void ParseTex(const std::string& line, std::size_t stampEnd);

    // Until the first batch is done nothing is handled: it only primes the feed.
    bool FirstBatchDone() const { return m_firstBatchDone; }
    bool AwaitingStampFix() const { return m_awaitingStampFix; }
    const std::string& LastChatLine() const { return m_lastChatLine; }

    // The fields of the chat line being handled: 0 stamp and event word, 1 GUID,
    // 2 slot, 3 name without clan tag, 4 the text, whose second character is
    // the first one typed.
    std::vector<std::string> ChatFields;
    LogParserHooks hooks;

private:
    void handleChat(const std::string& line);
    void showChat(const std::string& stamp, const std::string& name, bool defaultGroup,
                  const std::string& typed);
    void handleMatchStart(const std::string& line);
    void handleQuit(const std::string& line);
    bool speakerInDefaultGroup(const std::string& guid) const;
    void endBatch();
    bool queued(const std::string& line) const;

    ActivityLog& m_log;
    ChatLog& m_chat;
    RconQueue& m_queue;
    LinkState& m_link;
    SlotTable& m_slots;
    OnlinePlayers& m_players;
    const Settings& m_settings;

    bool m_firstBatchDone = false;
    bool m_awaitingStampFix = false;
    std::string m_lastChatLine;
};

} // namespace corvane
