#include "logfeed/logparser.h"

#include "core/activitylog.h"
#include "core/chatlog.h"
#include "core/gametext.h"
#include "core/numbers.h"
#include "core/settings.h"
#include "logfeed/logline.h"
#include "rcon/linkstate.h"
#include "rcon/onlineplayers.h"
#include "rcon/rconqueue.h"
#include "rcon/slottable.h"

#include <algorithm>
#include <exception>
#include <limits>

namespace corvane {
namespace {

constexpr char kChatTextMark = 21; // the game writes it in front of every chat text

// One step of handling a line. A malformed line (a missing field, a slot that
// is not a number) makes the step fail; the next step still runs.
template <typename F> void step(F&& f) {
    try {
        f();
    } catch (const std::exception&) {
    }
}

} // namespace

bool LogParser::queued(const std::string& line) const {
    for (std::size_t i = 0; i < m_queue.size(); ++i)
        if (m_queue.at(i).line == line) return true;
    return false;
}

LogParser::LogParser(ActivityLog& log, ChatLog& chat, RconQueue& queue, LinkState& link,
                     SlotTable& slots, OnlinePlayers& players, const Settings& settings,
                     LogParserHooks parserHooks)
    : hooks(std::move(parserHooks)), m_log(log), m_chat(chat), m_queue(queue), m_link(link),
      m_slots(slots), m_players(players), m_settings(settings) {}

void LogParser::ParseChat(const std::vector<std::string>& NewLines) {
    // The archive is written once per batch, however the batch ends.
    struct ArchiveBatch {
        ChatLog& chat;
        explicit ArchiveBatch(ChatLog& c) : chat(c) { chat.holdArchive(); }
        ~ArchiveBatch() { chat.flushArchive(); }
    } archive(m_chat);

    if (hooks.resetBatchState) step(hooks.resetBatchState);
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
        ParseTex(line, *end);
    }
    endBatch();
}

void LogParser::ParseTex(const std::string& line, std::size_t stampEnd) {
    if (!m_firstBatchDone) return;
    const std::string_view event =
        std::string_view(line).substr(std::min(line.size(), stampEnd + 1));

    if (event.starts_with("say")) step([&] { handleChat(line); });
    if (event.starts_with("Shut")) m_link.RconAllowed = false;
    if (event.starts_with("Init")) handleMatchStart(line);

    const char kind = event.empty() ? '\0' : event.front();
    if (kind == 'D' && hooks.AlphaD) step([&] { hooks.AlphaD(line); });
    if (kind == 'Q') handleQuit(line);
    if (kind == 'K' && hooks.AlphaKill) step([&] { hooks.AlphaKill(line); });
    if (kind == 'J') {
        m_link.RconAllowed = true;
        step([&] { m_players.AddPlayertoList(line); });
    }
}

void LogParser::handleChat(const std::string& line) {
    if (line == m_lastChatLine) return;
    m_lastChatLine = line;

    std::vector<std::string> fields = splitFields(line);
    if (fields.size() < 5) return;
    fields[3] = RemoveCTag(fields[3]);
    if (fields[4].empty() || fields[4].front() != kChatTextMark) fields[4].insert(0, 1, ' ');
    ChatFields = std::move(fields);
    const std::string& guid = ChatFields[1];
    const std::string& slot = ChatFields[2];
    const std::string& name = ChatFields[3];
    const std::string typed = ChatFields[4].substr(1);
    const bool command = !typed.empty() && typed.front() == '!';

    step([&] { showChat(chatStamp(ChatFields[0]), name, speakerInDefaultGroup(guid), typed); });
    if (hooks.BadWordFilter) step([&] { hooks.BadWordFilter(name, guid, typed, slot, command); });
    step([&] { m_chat.SaveChatF(name + ": " + typed); });
    if (command && hooks.AdminCheck) step(hooks.AdminCheck);
}

bool LogParser::speakerInDefaultGroup(const std::string& guid) const {
    if (!hooks.CheckAdminGroupNODB || !hooks.DefaultRank) return true;
    const auto level = toInt32(hooks.CheckAdminGroupNODB(guid));
    return !level || *level == hooks.DefaultRank();
}

void LogParser::showChat(const std::string& stamp, const std::string& name, bool defaultGroup,
                         const std::string& typed) {
    RichText& view = m_chat.view();
    view.append("\r\n" + stamp + ": ", kBlack, true);
    view.append(name + ": ", defaultGroup ? kBlack : kBlue, true);
    if (typed.empty() || typed.front() != '!') {
        view.append(typed, kBlack, false);
        return;
    }
    // The command word stands out; its arguments do not.
    const std::size_t blank = typed.find(' ');
    view.append(typed.substr(0, blank), kRed, false);
    if (blank != std::string::npos) view.append(typed.substr(blank), kBlack, false);
}

void LogParser::handleMatchStart(const std::string& line) {
    if (hooks.startStatusPoll) step(hooks.startStatusPoll);
    if (const auto playlist = matchPlaylist(line)) m_link.CurrentPlaylist = *playlist;
    if (auto gametype = matchGametype(line)) m_link.CurrentGametype = std::move(*gametype);
    const std::int32_t playlist = m_link.CurrentPlaylist;
    if (hooks.SetMaxHealth && playlist >= std::numeric_limits<std::int16_t>::min() &&
        playlist <= std::numeric_limits<std::int16_t>::max())
        step([&] { hooks.SetMaxHealth(static_cast<std::int16_t>(playlist)); });
    if (hooks.matchStarted) step(hooks.matchStarted);
}

void LogParser::handleQuit(const std::string& line) {
    const std::vector<std::string> fields = splitFields(line);
    if (fields.size() < 3) return;
    step([&] {
        const auto slot = toInt16(fields[2]);
        if (slot && *slot >= 0 && *slot < SlotTable::kSlots) m_slots[*slot].SlotDbID.clear();
    });
    if (!isZeroNumber(fields[1])) {
        step([&] {
            if (!hooks.FindGUIDDatabase) return;
            const std::int32_t id = hooks.FindGUIDDatabase(fields[1]);
            if (hooks.UpdateLastSeen) hooks.UpdateLastSeen(decimal(id));
        });
    }
    step([&] { m_players.RemovePlayerFromList(line); });
}

void LogParser::endBatch() {
    // Each step belongs to another part; one failing must not stop the others.
    auto run = [this](const std::function<void()>& f) {
        if (!f) return;
        try {
            f();
        } catch (const std::exception& e) {
            m_log.SMS(std::string("Log parser: ") + e.what(), kRed);
        }
    };
    run([this] { m_chat.saveChatView(); });
    if (m_players.PlayerListChanged && m_settings.mod.AutoRefreshPlayers != 0)
        run(hooks.refreshPlayerList);
    if (!m_firstBatchDone) {
        m_log.SMS("You can now send commands");
        run(hooks.startStatusPoll);
    }
    m_firstBatchDone = true;
    run([this] {
        const std::string defaultGroup = hooks.defaultGroupName ? hooks.defaultGroupName() : "";
        m_slots.DetectNumofPlayers(m_settings.config.MaxClients, defaultGroup);
    });
    run(hooks.resetDamageMarker);
    run(hooks.ClearHP);
    m_players.PlayerListChanged = false;
    run(hooks.DoVotingSystem);
}

} // namespace corvane
