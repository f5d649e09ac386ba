// Any log text, line by line through the pure line parser and then as batches
// through a primed parser with a listener on every event: no crash, no hang,
// every event well formed, and nothing but the stamp repair is ever queued
// for the server.

#include "core/activitylog.h"
#include "core/apppaths.h"
#include "core/chatlog.h"
#include "core/clock.h"
#include "core/criticalerrors.h"
#include "core/settings.h"
#include "logfeed/logparser.h"
#include "logfeed/logtail.h"
#include "rcon/linkstate.h"
#include "rcon/onlinegrid.h"
#include "rcon/onlineplayers.h"
#include "rcon/rconqueue.h"
#include "rcon/slottable.h"

#include <cstddef>
#include <cstdint>
#include <string_view>

using namespace corvane;

namespace {

class FixedClock : public Clock {
public:
    LocalDateTime now() const override { return {}; }
};

void check(bool condition) {
    if (!condition) __builtin_trap();
}

struct Directory : PlayerDirectory, NameChecks {
    std::string CheckAdminGroup(const std::string& guid) override { return guid.substr(0, 3); }
    std::string defaultGroupName() const override { return "Guest"; }
    bool inDefaultGroup(const std::string& guid) const override { return guid.size() % 2 == 0; }
    bool CheckBadNames(const std::string& name, const std::string&, const std::string&) override {
        return name.size() == 7;
    }
    bool CheckBadxBox(const std::string&, const std::string&, const std::string&) override {
        return false;
    }
};

void checkEvent(const LogEvent& event) {
    if (const auto* player = std::get_if<JoinLine>(&event))
        check(SlotTable::slotNumber(player->slot) >= 0);
    if (const auto* player = std::get_if<QuitLine>(&event))
        check(SlotTable::slotNumber(player->slot) >= 0);
    if (const auto* chat = std::get_if<ChatLine>(&event))
        check(chat->text.find(';') == std::string::npos);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    const std::vector<std::string> lines = completeLines(text, false);
    for (const std::string& line : lines)
        if (const auto end = stampEnd(line))
            if (const auto event = parseLogEvent(line, *end)) checkEvent(*event);

    // Nothing is written: the directory does not exist.
    const AppPaths paths("/nonexistent/corvane-fuzz");
    FixedClock clock;
    CriticalErrors critical;
    ActivityLog log(paths, clock, critical);
    ChatLog chat(paths, clock);
    Settings settings(paths, log, critical);
    settings.config.MaxClients = 18;
    RconQueue queue;
    LinkState link;
    SlotTable slots;
    OnlineGrid grid;
    grid.SetOnlineView(18);
    Directory directory;
    OnlinePlayers players(slots, grid, settings.config, settings.mod, directory, directory);
    LogParser parser(log, chat, queue, link, slots, players, settings, directory);

    std::size_t seen = 0;
    Connections listeners;
    listeners += parser.chatLine.connect([&](const ChatLine& c) { seen += c.text.size(); });
    listeners += parser.commandTyped.connect([&](const ChatLine& c) { check(c.isCommand()); });
    listeners += parser.damage.connect([&](const DamageLine& d) { seen += d.line.size(); });
    listeners += parser.kill.connect([&](const KillLine& k) { seen += k.line.size(); });
    listeners += parser.playerLeft.connect([&](const std::string& guid) { seen += guid.size(); });
    listeners += parser.matchStarted.connect(
        [&](std::int16_t p) { seen += static_cast<std::size_t>(p & 0xFF); });

    parser.ParseChat({}); // primes
    parser.ParseChat(lines);
    parser.ParseChat(lines);

    for (std::size_t i = 0; i < queue.size(); ++i)
        check(queue.at(i).line == LogParser::kStampFixCommand);
    [[maybe_unused]] static volatile std::size_t sink;
    sink = seen;
    return 0;
}
