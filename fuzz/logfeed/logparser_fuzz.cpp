// Any log text through a primed parser with every hook connected: no crash,
// no hang, and nothing but the stamp repair is ever queued for the server.

#include "core/activitylog.h"
#include "core/apppaths.h"
#include "core/chatlog.h"
#include "core/clock.h"
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

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    // Nothing is written: the directory does not exist.
    const AppPaths paths("/nonexistent/corvane-fuzz");
    FixedClock clock;
    bool critical = false;
    ActivityLog log(paths, clock, critical);
    ChatLog chat(paths, clock);
    Settings settings(paths, log, critical);
    settings.config.MaxClients = 18;
    settings.mod.AutoRefreshPlayers = 1;
    RconQueue queue;
    LinkState link;
    SlotTable slots;
    OnlineGrid grid;
    grid.SetOnlineView(18);
    PlayerHooks playerHooks;
    playerHooks.CheckAdminGroup = [](const std::string& guid) { return guid.substr(0, 3); };
    OnlinePlayers players(slots, grid, settings.config, settings.mod, playerHooks);
    LogParser parser(log, chat, queue, link, slots, players, settings);

    std::size_t seen = 0;
    LogParserHooks& h = parser.hooks;
    h.CheckAdminGroupNODB = [](const std::string& guid) { return guid; };
    h.DefaultRank = [] { return std::int16_t{100}; };
    h.BadWordFilter = [&](const std::string& a, const std::string& b, const std::string& c,
                          const std::string& d,
                          bool) { seen += a.size() + b.size() + c.size() + d.size(); };
    h.AdminCheck = [&] {
        check(parser.ChatFields.size() >= 5 && !parser.ChatFields[4].empty());
        seen += parser.ChatFields[4].size();
    };
    h.AlphaD = [&](const std::string& l) { seen += l.size(); };
    h.AlphaKill = [&](const std::string& l) { seen += l.size(); };
    h.FindGUIDDatabase = [](const std::string& guid) {
        return static_cast<std::int32_t>(guid.size());
    };
    h.UpdateLastSeen = [&](const std::string& id) { seen += id.size(); };
    h.SetMaxHealth = [&](std::int16_t p) { seen += static_cast<std::size_t>(p & 0xFF); };

    const std::vector<std::string> lines = completeLines(text, false);
    parser.ParseChat({}); // primes
    parser.ParseChat(lines);
    parser.ParseChat(lines);

    for (std::size_t i = 0; i < queue.size(); ++i)
        check(queue.at(i).line == LogParser::kStampFixCommand);
    static volatile std::size_t sink;
    sink = seen;
    return 0;
}
