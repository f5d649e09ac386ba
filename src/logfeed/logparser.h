#pragma once
// Turns each batch of new server-log lines into program events: chat into the
// chat view and the archive, joins and quits into the slot table, and the
// rest handed to whoever listens - "!" commands to the dispatcher, chat,
// kills and damage to the enforcement, match starts and the batch's end to
// the link, the players and the map vote. It also guards against a log stamp
// format it cannot read.

#include "core/signal.h"
#include "logfeed/logline.h"

#include <cstdint>
#include <string>
#include <vector>

namespace corvane {

class ActivityLog;
class ChatLog;
class OnlinePlayers;
class PlayerDirectory;
class RconQueue;
class Settings;
class SlotTable;
struct LinkState;

class LogParser {
public:
    static constexpr const char* kStampFixCommand = "g_logTimeStampInSeconds 0";

    // The directory tells whether a speaker is an administrator (his name is
    // shown in blue) and names the default group for counting them.
    LogParser(ActivityLog& log, ChatLog& chat, RconQueue& queue, LinkState& link, SlotTable& slots,
              OnlinePlayers& players, const Settings& settings, const PlayerDirectory& directory);

    // Handles one batch of new lines, in log order.
    void ParseChat(const std::vector<std::string>& NewLines);

    // Until the first batch is done nothing is handled: it only primes the feed.
    bool FirstBatchDone() const { return m_firstBatchDone; }
    bool AwaitingStampFix() const { return m_awaitingStampFix; }
    const std::string& LastChatLine() const { return m_lastChatLine; }

    // A batch begins: once-per-batch state (rules sent, name matches, the
    // language and weapon tables) starts afresh.
    Signal<> batchStarted;
    // Every chat line, then (for a "!" command) the command itself.
    Signal<const ChatLine&> chatLine;
    Signal<const ChatLine&> commandTyped;
    Signal<const DamageLine&> damage;
    Signal<const KillLine&> kill;
    // A match started; the playlist as now current.
    Signal<std::int16_t> matchStarted;
    // A player with a GUID left: his last-seen day is updated.
    Signal<const std::string&> playerLeft;
    // A status poll is due a little later (match start, first batch done).
    Signal<> statusPollWanted;
    // The batch changed the list of online players.
    Signal<> playersChanged;
    // The batch is done and the players are counted (health tracking, vote).
    Signal<> batchEnded;

private:
    void handleLine(const std::string& line, std::size_t stampEnd);
    void handleChat(const std::string& line, const ChatLine& chat);
    void showChat(const ChatLine& chat);
    void handleMatchStart(const MatchStart& start);
    void handleQuit(const QuitLine& quit);
    void endBatch();
    bool queued(const std::string& line) const;
    // Runs one listener's or one step's work; a failure is reported and the
    // batch goes on.
    template <typename F> void isolated(F&& work);
    void report(const std::exception& e);

    ActivityLog& m_log;
    ChatLog& m_chat;
    RconQueue& m_queue;
    LinkState& m_link;
    SlotTable& m_slots;
    OnlinePlayers& m_players;
    const Settings& m_settings;
    const PlayerDirectory& m_directory;

    bool m_firstBatchDone = false;
    bool m_awaitingStampFix = false;
    std::string m_lastChatLine;
};

} // namespace corvane
