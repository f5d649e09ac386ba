#include "gamesim/app/options.h"

#include "gamesim/core/text.h"

#include <functional>
#include <map>

namespace gamesim::app {
namespace {

bool toNumber(const std::string& text, long long low, long long high, long long& out) {
    const auto n = parseInteger(text);
    if (!n || *n < low || *n > high) return false;
    out = *n;
    return true;
}

} // namespace

const char* usageText() {
    return "usage: gamesim [options]\n"
           "  --bind ADDR              address of all doors (127.0.0.1)\n"
           "  --rcon-port N            UDP remote-console port (0 = a free port)\n"
           "  --http-port N            log host port (0 = a free port)\n"
           "  --control-port N         control port (0 = a free port)\n"
           "  --password TEXT          remote-console password (corvane)\n"
           "  --hostname TEXT          sv_hostname (Corvane Test Server)\n"
           "  --max-clients N          sv_maxclients, 1-64 (18)\n"
           "  --gametype NAME          g_gametype (tdm)\n"
           "  --ranked VALUE           sv_ranked (2)\n"
           "  --playlist N             playlist (22)\n"
           "  --exclude \"MAPS\"         playlist_excludeMap at start-up (empty)\n"
           "  --map NAME               first map (the first map of the rotation)\n"
           "  --no-democlient          no demo recorder in slot 0\n"
           "  --seconds-stamps         start with g_logTimeStampInSeconds 1\n"
           "  --uptime SECONDS         process clock at start-up (0)\n"
           "  --tempban-seconds N      length of a temporary ban (300)\n"
           "  --log-path PATH          URL path of the log (/logs/games_mp.log)\n"
           "  --split-bytes N          text bytes per reply datagram (1157)\n"
           "  --journal FILE           JSON-lines journal of everything that happens\n"
           "  --log-file FILE          also append every log line to this file\n"
           "  --scenario FILE          timed control commands\n"
           "  --lively                 bots play (see also: lively on|off)\n"
           "  --lively-interval-ms N   pace of the lively mode (1500)\n"
           "  --seed N                 seed of the lively mode and the faults\n"
           "  --help\n";
}

std::optional<Options> parseOptions(const std::vector<std::string>& args, std::string& error) {
    Options o;
    ServerSettings& s = o.sim.server;
    long long n = 0;
    auto number = [&](long long low, long long high, auto assign) {
        return [=, &n](const std::string& v) {
            if (!toNumber(v, low, high, n)) return false;
            assign(n);
            return true;
        };
    };
    auto text = [](std::string& target) {
        return [&target](const std::string& v) {
            target = v;
            return true;
        };
    };
    const std::map<std::string, std::function<bool(const std::string&)>> withValue = {
        {"--bind", text(o.bind)},
        {"--rcon-port", number(0, 65535, [&](long long v) { o.rconPort = static_cast<int>(v); })},
        {"--http-port", number(0, 65535, [&](long long v) { o.httpPort = static_cast<int>(v); })},
        {"--control-port",
         number(0, 65535, [&](long long v) { o.controlPort = static_cast<int>(v); })},
        {"--password", text(o.sim.password)},
        {"--hostname", text(s.hostname)},
        {"--max-clients", number(1, 64, [&](long long v) { s.maxClients = static_cast<int>(v); })},
        {"--gametype", text(s.gametype)},
        {"--ranked", text(s.ranked)},
        {"--playlist", number(0, 999, [&](long long v) { s.playlist = static_cast<int>(v); })},
        {"--exclude", text(s.excludedMaps)},
        {"--map", text(s.startMap)},
        {"--uptime", number(0, 100000000, [&](long long v) { s.startUptime = v; })},
        {"--tempban-seconds",
         number(0, 100000000, [&](long long v) { s.tempBanSeconds = static_cast<int>(v); })},
        {"--log-path", text(o.sim.logPath)},
        {"--split-bytes",
         number(64, 60000, [&](long long v) { o.sim.replyChunk = static_cast<std::size_t>(v); })},
        {"--journal", text(o.journalPath)},
        {"--log-file", text(o.logFilePath)},
        {"--scenario", text(o.scenarioPath)},
        {"--lively-interval-ms",
         number(10, 3600000, [&](long long v) { o.livelyIntervalMs = static_cast<int>(v); })},
        {"--seed", number(0, 0x7FFFFFFFFFFFFFFFll,
                          [&](long long v) {
                              o.sim.seed = static_cast<std::uint64_t>(v);
                              o.seedGiven = true;
                          })},
    };
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& a = args[i];
        if (a == "--help" || a == "-h") {
            o.help = true;
        } else if (a == "--no-democlient") {
            s.democlient = false;
        } else if (a == "--seconds-stamps") {
            s.secondsStamps = true;
        } else if (a == "--lively") {
            o.sim.lively = true;
        } else if (const auto it = withValue.find(a); it != withValue.end()) {
            if (i + 1 >= args.size()) {
                error = a + " needs a value";
                return std::nullopt;
            }
            if (!it->second(args[++i])) {
                error = "bad value for " + a + ": " + args[i];
                return std::nullopt;
            }
        } else {
            error = "unknown option: " + a;
            return std::nullopt;
        }
    }
    if (o.sim.logPath.empty() || o.sim.logPath.front() != '/') {
        error = "--log-path must start with /";
        return std::nullopt;
    }
    return o;
}

} // namespace gamesim::app
