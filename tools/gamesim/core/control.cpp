// The control language: one command per line, used on stdin, on the control
// port and in scenario files. Every command answers one line, "ok ..." or
// "error ...".

#include "gamesim/core/simulator.h"
#include "gamesim/core/text.h"

#include <map>

namespace gamesim {
namespace {

using Words = std::vector<std::string>;
using Handler = std::string (*)(Simulator&, const Words&, std::string_view);

std::string ok(std::string_view detail = {}) {
    return detail.empty() ? "ok" : "ok " + std::string(detail);
}
std::string fail(std::string_view message) {
    return "error " + std::string(message);
}

// Trailing key=value words (weapon=, mod=, loc=, damage=) after the positional ones.
std::map<std::string, std::string> options(const Words& words, std::size_t from) {
    std::map<std::string, std::string> out;
    for (std::size_t i = from; i < words.size(); ++i) {
        const std::size_t eq = words[i].find('=');
        if (eq != std::string::npos)
            out[toLower(words[i].substr(0, eq))] = decodeEscapes(words[i].substr(eq + 1));
    }
    return out;
}

std::string optionOr(const std::map<std::string, std::string>& opts, const std::string& key,
                     std::string fallback) {
    const auto it = opts.find(key);
    return it == opts.end() ? fallback : it->second;
}

std::optional<int> findPlayer(Simulator& sim, std::string_view reference) {
    return sim.game().findPlayer(decodeEscapes(reference));
}

std::string join(Simulator& sim, const Words&, std::string_view line) {
    std::string_view rest = afterWords(line, 1);
    std::optional<int> slot;
    std::optional<std::string> guid;
    std::string team;
    for (;;) {
        const Words first = splitWords(rest.substr(0, rest.find_first_of(" \t")));
        if (first.empty()) break;
        const std::string& w = first[0];
        if (w.rfind("slot=", 0) == 0) {
            const auto n = parseInteger(w.substr(5));
            if (!n) return fail("slot= needs a number");
            slot = static_cast<int>(*n);
        } else if (w.rfind("guid=", 0) == 0) {
            guid = decodeEscapes(w.substr(5));
        } else if (w.rfind("team=", 0) == 0) {
            team = w.substr(5);
        } else {
            break;
        }
        rest = afterWords(rest, 1);
    }
    if (rest.empty()) return fail("usage: join [slot=N] [guid=G] [team=T] <name>");
    const auto result = sim.game().join(decodeEscapes(rest), slot, guid, team);
    if (!result.error.empty()) return fail(result.error);
    return ok("slot=" + std::to_string(result.slot) + " guid=" + result.guid);
}

std::string quit(Simulator& sim, const Words& w, std::string_view) {
    if (w.size() != 2) return fail("usage: quit <slot|name>");
    const auto slot = findPlayer(sim, w[1]);
    if (!slot) return fail("no such player");
    sim.game().leave(*slot);
    return ok();
}

std::string chatCommand(Simulator& sim, const Words& w, std::string_view line, bool team) {
    if (w.size() < 2) return fail("usage: chat <slot|name> <text>");
    const auto slot = findPlayer(sim, w[1]);
    if (!slot) return fail("no such player");
    sim.game().chat(*slot, decodeEscapes(afterWords(line, 2)), team);
    return ok();
}
std::string chat(Simulator& s, const Words& w, std::string_view l) {
    return chatCommand(s, w, l, false);
}
std::string teamchat(Simulator& s, const Words& w, std::string_view l) {
    return chatCommand(s, w, l, true);
}

// Many chat lines at once, as a flood or a busy moment writes them: the text
// with " <n>" after it, n counting from 1.
std::string burst(Simulator& sim, const Words& w, std::string_view line) {
    constexpr std::int64_t kMaxBurst = 100000;
    const auto count = w.size() >= 4 ? parseInteger(w[2]) : std::nullopt;
    if (!count || *count < 1 || *count > kMaxBurst)
        return fail("usage: burst <slot|name> <count 1..100000> <text>");
    const auto slot = findPlayer(sim, w[1]);
    if (!slot) return fail("no such player");
    const std::string text = decodeEscapes(afterWords(line, 3));
    for (std::int64_t i = 1; i <= *count; ++i)
        sim.game().chat(*slot, text + " " + std::to_string(i), false);
    return ok();
}

std::string hitCommand(Simulator& sim, const Words& w, bool kill) {
    const std::size_t positional = kill ? 3 : 4;
    if (w.size() < positional)
        return fail(
            kill ? "usage: kill <attacker|world> <victim> [weapon=] [mod=] [loc=] [damage=]"
                 : "usage: damage <attacker|world> <victim> <amount> [weapon=] [mod=] [loc=]");
    std::optional<int> attacker = -1;
    if (w[1] != "world") attacker = findPlayer(sim, w[1]);
    const auto victim = findPlayer(sim, w[2]);
    if (!attacker || !victim) return fail("no such player");
    const auto opts = options(w, positional);
    const auto amount = parseInteger(kill ? optionOr(opts, "damage", "100") : w[3]);
    if (!amount) return fail("damage needs a number");
    const std::string error = sim.game().hit(
        kill, *attacker, *victim, static_cast<int>(*amount), optionOr(opts, "weapon", "ak47_mp"),
        optionOr(opts, "mod", "MOD_RIFLE_BULLET"), optionOr(opts, "loc", "torso_upper"));
    return error.empty() ? ok() : fail(error);
}
std::string kill(Simulator& s, const Words& w, std::string_view) {
    return hitCommand(s, w, true);
}
std::string damage(Simulator& s, const Words& w, std::string_view) {
    return hitCommand(s, w, false);
}

std::string match(Simulator& sim, const Words& w, std::string_view) {
    if (w.size() == 2 && w[1] == "start") {
        sim.game().startMatch();
        return ok(sim.game().currentMap());
    }
    if (w.size() == 2 && w[1] == "end") {
        sim.game().endMatch();
        return ok(sim.game().currentMap());
    }
    return fail("usage: match start|end");
}

std::string rotate(Simulator& sim, const Words&, std::string_view) {
    sim.game().endMatch();
    sim.game().startMatch();
    return ok(sim.game().currentMap());
}

std::string restart(Simulator& sim, const Words&, std::string_view) {
    sim.game().restart();
    return ok();
}

std::string clock(Simulator& sim, const Words& w, std::string_view) {
    const auto seconds = w.size() == 2 ? parseInteger(w[1]) : std::nullopt;
    if (!seconds || *seconds < 0) return fail("usage: clock <seconds>");
    sim.game().setUptime(*seconds);
    return ok();
}

std::string log(Simulator& sim, const Words&, std::string_view line) {
    sim.game().writeEvent(decodeEscapes(afterWords(line, 1)));
    return ok();
}

std::string lograw(Simulator& sim, const Words&, std::string_view line) {
    sim.game().writeRaw(decodeEscapes(afterWords(line, 1)));
    return ok();
}

std::string http(Simulator& sim, const Words& w, std::string_view) {
    const auto mode = w.size() >= 3 && w[1] == "mode" ? parseHttpMode(w[2]) : std::nullopt;
    if (!mode)
        return fail("usage: http mode chunked|partial|tiny [bytes]|wait [seconds]|notfound|"
                    "badrequest|error [status]|stall|cut|garbage");
    const auto arg = w.size() >= 4 ? parseInteger(w[3]) : std::nullopt;
    if (w.size() >= 4 && (!arg || *arg < 1 || *arg > 65535)) return fail("bad number");
    HttpSettings& http = sim.http();
    http.mode = *mode;
    if (arg && *mode == HttpMode::Tiny) http.tinyChunk = static_cast<std::size_t>(*arg);
    if (arg && *mode == HttpMode::Wait) http.waitSeconds = static_cast<int>(*arg);
    if (arg && *mode == HttpMode::Error) {
        if (*arg < 100 || *arg > 599) return fail("status must be 100 to 599");
        http.errorStatus = static_cast<int>(*arg);
    }
    return ok(httpModeName(*mode));
}

std::string udp(Simulator& sim, const Words& w, std::string_view) {
    UdpFaults& f = sim.faults();
    if (w.size() == 2 && w[1] == "normal") {
        f = UdpFaults{};
        return ok();
    }
    const auto share = w.size() >= 3 ? parseDecimal(w[2]) : std::nullopt;
    if (!share || *share < 0 || *share > 1)
        return fail("usage: udp drop|delay|duplicate <share 0..1> [ms] | udp normal");
    if (w[1] == "drop") {
        f.drop = *share;
    } else if (w[1] == "duplicate") {
        f.duplicate = *share;
    } else if (w[1] == "delay") {
        f.delay = *share;
        if (w.size() >= 4) {
            const auto ms = parseInteger(w[3]);
            if (!ms || *ms < 0 || *ms > 60000) return fail("delay must be 0 to 60000 ms");
            f.delayMs = static_cast<int>(*ms);
        }
    } else {
        return fail("usage: udp drop|delay|duplicate <share 0..1> [ms] | udp normal");
    }
    return ok();
}

std::string stamps(Simulator& sim, const Words& w, std::string_view) {
    if (w.size() != 2 || (w[1] != "seconds" && w[1] != "minutes"))
        return fail("usage: stamps seconds|minutes");
    sim.game().variable("g_logTimeStampInSeconds")->value = w[1] == "seconds" ? "1" : "0";
    return ok();
}

std::string password(Simulator& sim, const Words&, std::string_view line) {
    sim.setPassword(decodeEscapes(afterWords(line, 1)));
    return ok();
}

std::string dvar(Simulator& sim, const Words& w, std::string_view line) {
    if (w.size() < 2) return fail("usage: dvar <name> [value]");
    Variable* var = sim.game().variable(w[1]);
    if (!var) return fail("no such variable");
    if (w.size() == 2) return ok(var->value);
    var->value = decodeEscapes(afterWords(line, 2));
    return ok();
}

std::string lively(Simulator& sim, const Words& w, std::string_view) {
    if (w.size() != 2 || (w[1] != "on" && w[1] != "off")) return fail("usage: lively on|off");
    sim.setLively(w[1] == "on");
    return ok();
}

std::string status(Simulator& sim, const Words&, std::string_view) {
    const GameServer& game = sim.game();
    std::string players = "[";
    for (int slot : game.playerSlots()) {
        const Player& p = *game.player(slot);
        if (players.size() > 1) players += ',';
        players += JsonLine()
                       .number("slot", slot)
                       .text("guid", p.guid)
                       .text("name", p.name)
                       .text("team", p.team)
                       .number("score", p.score)
                       .str();
    }
    players += ']';
    JsonLine state;
    state.number("uptime", game.uptimeSeconds())
        .text("map", game.currentMap())
        .text("next_map", game.nextMap())
        .flag("match", game.matchRunning())
        .raw("players", players)
        .text("http_mode", httpModeName(sim.http().mode))
        .flag("lively", sim.lively())
        .number("log_bytes", static_cast<std::int64_t>(game.log().totalSize()));
    return ok(state.str());
}

// How many console lines containing the text (exact case) the server has run.
std::string received(Simulator& sim, const Words&, std::string_view line) {
    const std::string text = decodeEscapes(afterWords(line, 1));
    std::size_t count = 0;
    for (const std::string& command : sim.receivedCommands())
        count += command.find(text) != std::string::npos;
    return ok(std::to_string(count));
}

std::string exitCommand(Simulator& sim, const Words&, std::string_view) {
    sim.requestExit();
    return ok("bye");
}

const std::map<std::string, Handler>& handlers() {
    static const std::map<std::string, Handler> table = {
        {"join", join},       {"quit", quit},        {"chat", chat},     {"teamchat", teamchat},
        {"kill", kill},       {"damage", damage},    {"match", match},   {"rotate", rotate},
        {"restart", restart}, {"clock", clock},      {"log", log},       {"lograw", lograw},
        {"http", http},       {"udp", udp},          {"stamps", stamps}, {"password", password},
        {"dvar", dvar},       {"lively", lively},    {"status", status}, {"received", received},
        {"burst", burst},     {"exit", exitCommand},
    };
    return table;
}

} // namespace

std::string runControlLine(Simulator& sim, std::string_view line) {
    while (!line.empty() && (line.back() == '\r' || line.back() == '\n'))
        line.remove_suffix(1);
    line = trimBlanks(line);
    if (line.empty() || line.front() == '#') return ok();
    const Words words = splitWords(line);
    const auto it = handlers().find(toLower(words[0]));
    if (it == handlers().end()) return fail("unknown command: " + words[0]);
    return it->second(sim, words, line);
}

} // namespace gamesim
