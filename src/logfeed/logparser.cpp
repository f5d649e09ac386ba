#include "logfeed/logparser.h"

#include "core/activitylog.h"
#include "core/chatlog.h"
#include "core/settings.h"
#include "rcon/linkstate.h"
#include "rcon/onlineplayers.h"
#include "rcon/playerevents.h"
#include "rcon/rconqueue.h"
#include "rcon/slottable.h"

#include <exception>

namespace corvane {

LogParser::LogParser(ActivityLog& log, ChatLog& chat, RconQueue& queue, LinkState& link,
                     SlotTable& slots, OnlinePlayers& players, const Settings& settings,
                     const PlayerDirectory& directory)
    : m_log(log), m_chat(chat), m_queue(queue), m_link(link), m_slots(slots), m_players(players),
      m_settings(settings), m_directory(directory) {}

void LogParser::report(const std::exception& e) {
    m_log.SMS(std::string("Log parser: ") + e.what(), kRed);
}

template <typename F> void LogParser::isolated(F&& work) {
    try {
        work();
    } catch (const std::exception& e) {
        report(e);
    }
}

bool LogParser::queued(const std::string& line) const {
    for (std::size_t i = 0; i < m_queue.size(); ++i)
        if (m_queue.at(i).line == line) return true;
    return false;
}

void LogParser::ParseChat(const std::vector<std::string>& NewLines) {
    // The archive is written once per batch, however the batch ends.
    struct ArchiveBatch {
        ChatLog& chat;
        explicit ArchiveBatch(ChatLog& c) : chat(c) { chat.holdArchive(); }
        ~ArchiveBatch() { chat.flushArchive(); }
    } archive(m_chat);

    batchStarted.notifyEach([this](const std::exception& e) { report(e); });
    m_link.RconAllowed = true;

    for (const std::string& line : NewLines) {
        const auto end = stampEnd(line);
        if (!end) continue;
        const std::string_view stamp = std::string_view(line).substr(0, *end);
        if (isSecondsStamp(stamp)) {
            // Nothing in this log can be read until the server writes minutes
            // again; ask it to, every batch until it does (once in the queue).
            if (!m_awaitingStampFix)
                m_log.SMS("Invalid dvar - resetting g_logTimeStampInSeconds to '0' - (Chat log "
                          "unavailable until set)",
                          kRed);
            m_awaitingStampFix = true;
            if (!queued(kStampFixCommand)) m_queue.pushBack(kStampFixCommand);
            return;
        }
        if (m_awaitingStampFix && stamp.find(':') != std::string_view::npos) {
            m_log.SMS("g_logTimeStampInSeconds successfully set!", kBlue);
            m_awaitingStampFix = false;
        }
        if (m_firstBatchDone) handleLine(line, *end);
    }
    endBatch();
}

void LogParser::handleLine(const std::string& line, std::size_t stampEnd) {
    const std::optional<LogEvent> event = parseLogEvent(line, stampEnd);
    if (!event) return;
    auto onError = [this](const std::exception& e) { report(e); };
    if (const auto* chat = std::get_if<ChatLine>(&*event)) {
        handleChat(line, *chat);
    } else if (const auto* join = std::get_if<JoinLine>(&*event)) {
        m_link.RconAllowed = true;
        isolated([&] { m_players.AddPlayertoList(join->guid, join->slot, join->name); });
    } else if (const auto* quit = std::get_if<QuitLine>(&*event)) {
        handleQuit(*quit);
    } else if (const auto* hit = std::get_if<DamageLine>(&*event)) {
        damage.notifyEach(onError, *hit);
    } else if (const auto* death = std::get_if<KillLine>(&*event)) {
        kill.notifyEach(onError, *death);
    } else if (const auto* start = std::get_if<MatchStart>(&*event)) {
        handleMatchStart(*start);
    } else if (std::holds_alternative<MatchEnd>(*event)) {
        m_link.RconAllowed = false;
    }
}

void LogParser::handleChat(const std::string& line, const ChatLine& chat) {
    // An overlapping reply may hand the same line over again.
    if (line == m_lastChatLine) return;
    m_lastChatLine = line;
    auto onError = [this](const std::exception& e) { report(e); };
    isolated([&] { showChat(chat); });
    chatLine.notifyEach(onError, chat);
    m_chat.SaveChatF(chat.name + ": " + chat.text);
    if (chat.isCommand()) commandTyped.notifyEach(onError, chat);
}

void LogParser::showChat(const ChatLine& chat) {
    RichText& view = m_chat.view();
    view.append("\r\n" + chat.stamp + ": ", kBlack, true);
    view.append(chat.name + ": ", m_directory.inDefaultGroup(chat.guid) ? kBlack : kBlue, true);
    if (!chat.isCommand()) {
        view.append(chat.text, kBlack, false);
        return;
    }
    // The command word stands out; its arguments do not.
    const std::size_t blank = chat.text.find(' ');
    view.append(chat.text.substr(0, blank), kRed, false);
    if (blank != std::string::npos) view.append(chat.text.substr(blank), kBlack, false);
}

void LogParser::handleMatchStart(const MatchStart& start) {
    statusPollWanted.notifyEach([this](const std::exception& e) { report(e); });
    if (start.playlist) m_link.CurrentPlaylist = *start.playlist;
    if (start.gametype) m_link.CurrentGametype = *start.gametype;
    // Always a 16-bit number: the log gives two characters, the server's reply
    // is read as a 16-bit number.
    matchStarted.notifyEach([this](const std::exception& e) { report(e); },
                            static_cast<std::int16_t>(m_link.CurrentPlaylist));
}

void LogParser::handleQuit(const QuitLine& quit) {
    m_slots[SlotTable::slotNumber(quit.slot)].SlotDbID.clear();
    if (!isZeroNumber(quit.guid))
        playerLeft.notifyEach([this](const std::exception& e) { report(e); }, quit.guid);
    isolated([&] { m_players.RemovePlayerFromList(quit.slot, quit.name); });
}

void LogParser::endBatch() {
    // Each step belongs to another part; one failing must not stop the others.
    auto onError = [this](const std::exception& e) { report(e); };
    isolated([this] { m_chat.saveChatView(); });
    const bool listChanged = m_players.takeListChanged();
    if (listChanged) playersChanged.notifyEach(onError);
    if (!m_firstBatchDone) {
        m_log.SMS("You can now send commands");
        statusPollWanted.notifyEach(onError);
    }
    m_firstBatchDone = true;
    isolated([this] {
        m_slots.DetectNumofPlayers(m_settings.config.MaxClients, m_directory.defaultGroupName());
    });
    batchEnded.notifyEach(onError);
}

} // namespace corvane
