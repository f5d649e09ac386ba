#include "gamesim/core/game.h"

#include "gamesim/core/text.h"

#include <algorithm>
#include <cstdio>

namespace gamesim {
namespace {

constexpr int kKillScore = 100;

std::uint32_t fnv1a(std::string_view text) {
    std::uint32_t hash = 2166136261u;
    for (char c : text) {
        hash ^= static_cast<unsigned char>(c);
        hash *= 16777619u;
    }
    return hash;
}

// The game engine never lets a line break into a name or a chat text.
std::string oneLine(std::string_view text) {
    std::string out(text);
    for (char& c : out)
        if (c == '\n' || c == '\r') c = ' ';
    return out;
}

std::string hex8(std::uint32_t value) {
    char buffer[9];
    std::snprintf(buffer, sizeof buffer, "%08x", value);
    return buffer;
}

} // namespace

const std::vector<std::string>& mapRotation() {
    static const std::vector<std::string> maps = {
        "mp_array",     "mp_cracked",  "mp_crisis", "mp_firingrange", "mp_duga",
        "mp_hanoi",     "mp_cairo",    "mp_havoc",  "mp_cosmodrome",  "mp_nuked",
        "mp_radiation", "mp_mountain", "mp_villa",  "mp_russianbase"};
    return maps;
}

GameServer::GameServer(ServerSettings settings, Clock clock)
    : m_settings(std::move(settings)), m_clock(std::move(clock)) {
    m_settings.maxClients = std::clamp(m_settings.maxClients, 1, kMaxSlots);
    m_bootMs = m_clock();
    m_uptimeBase = m_settings.startUptime;
    resetVariables();
    setMap(m_settings.startMap.empty() ? firstAllowedMap() : m_settings.startMap);
    occupyDemoclient();
}

void GameServer::resetVariables() {
    const ServerSettings& s = m_settings;
    auto var = [](std::string name, std::string value, bool readOnly, bool info) {
        return Variable{std::move(name), value, value, readOnly, info};
    };
    // serverinfo prints the variables marked for it in this order.
    m_variables = {
        var("sv_maxclients", std::to_string(s.maxClients), true, true),
        var("g_gametype", s.gametype, false, true),
        var("sv_floodProtect", "1", false, true),
        var("sv_maxPing", "0", false, true),
        var("sv_minPing", "0", false, true),
        var("protocol", "2117", true, true),
        var("shortversion", "7", true, true),
        var("sv_privateClients", "0", false, true),
        var("sv_disableClientConsole", "0", false, true),
        var("sv_voice", "1", false, true),
        var("playlist", std::to_string(s.playlist), false, true),
        var("sv_hostname", s.hostname, false, true),
        var("mapname", m_currentMap, true, true),
        var("sv_pure", "1", false, true),
        var("g_logSync", "0", false, true),
        var("g_logTimeStampInSeconds", s.secondsStamps ? "1" : "0", false, true),
        var("sv_security", "1", false, true),
        var("sv_ranked", s.ranked, false, true),
        var("playlist_excludeMap", s.excludedMaps, false, false),
    };
    m_variables.back().defaultValue.clear();
}

void GameServer::occupyDemoclient() {
    if (!m_settings.democlient) return;
    Player demo;
    demo.guid = "0";
    demo.name = "democlient";
    demo.team = "spec";
    demo.democlient = true;
    m_slots[0] = demo;
}

void GameServer::boot() {
    writeEvent(kSeparatorEvent);
    m_matchRunning = false;
    startMatch();
}

Variable* GameServer::variable(std::string_view name) {
    for (Variable& v : m_variables)
        if (equalsIgnoringCase(v.name, name)) return &v;
    return nullptr;
}

const Variable* GameServer::variable(std::string_view name) const {
    return const_cast<GameServer*>(this)->variable(name);
}

std::vector<std::pair<std::string, std::string>> GameServer::serverinfo() const {
    std::vector<std::pair<std::string, std::string>> out;
    for (const Variable& v : m_variables)
        if (v.inServerinfo) out.emplace_back(v.name, v.value);
    return out;
}

bool GameServer::secondsStamps() const {
    const Variable* v = variable("g_logTimeStampInSeconds");
    return v && parseInteger(v->value).value_or(0) != 0;
}

std::string GameServer::chooseGuid(std::string_view name) const {
    for (std::uint32_t extra = 0;; ++extra) {
        const std::string guid = "01100001" + hex8(fnv1a(name) + extra * 2654435761u);
        bool used = false;
        for (const auto& p : m_slots)
            used = used || (p && p->guid == guid);
        if (!used) return guid;
    }
}

std::optional<int> GameServer::freeSlot() const {
    for (int slot = 0; slot < m_settings.maxClients; ++slot)
        if (!m_slots[static_cast<std::size_t>(slot)]) return slot;
    return std::nullopt;
}

GameServer::JoinResult GameServer::join(std::string_view name, std::optional<int> slot,
                                        std::optional<std::string> guid, std::string_view team) {
    JoinResult result;
    if (slot && (*slot < 0 || *slot >= m_settings.maxClients)) {
        result.error = "slot out of range";
        return result;
    }
    if (slot && m_slots[static_cast<std::size_t>(*slot)]) {
        result.error = "slot taken";
        return result;
    }
    if (!slot) slot = freeSlot();
    if (!slot) {
        result.error = "server full";
        return result;
    }
    const std::string id = guid ? *guid : chooseGuid(name);
    if (isBanned(id)) {
        result.error = "banned";
        return result;
    }
    Player p;
    p.guid = id;
    p.name = oneLine(name);
    p.team = !team.empty() ? std::string(team) : (playerSlots().size() % 2 ? "allies" : "axis");
    p.ping = 20 + static_cast<int>(fnv1a(id) % 80);
    p.qport = 1000 + static_cast<int>(fnv1a(name) % 60000);
    m_slots[static_cast<std::size_t>(*slot)] = p;
    writeEvent(joinEvent(p.guid, *slot, p.name));
    result.slot = *slot;
    result.guid = p.guid;
    return result;
}

void GameServer::removePlayer(int slot) {
    const Player& p = *m_slots[static_cast<std::size_t>(slot)];
    writeEvent(quitEvent(p.guid, slot, p.name));
    m_slots[static_cast<std::size_t>(slot)].reset();
}

bool GameServer::leave(int slot) {
    const Player* p = player(slot);
    if (!p) return false;
    removePlayer(slot);
    return true;
}

const Player* GameServer::player(int slot) const {
    if (slot < 0 || slot >= kMaxSlots) return nullptr;
    const auto& p = m_slots[static_cast<std::size_t>(slot)];
    return p && !p->democlient ? &*p : nullptr;
}

bool GameServer::isDemoclient(int slot) const {
    return slot >= 0 && slot < kMaxSlots && m_slots[static_cast<std::size_t>(slot)] &&
           m_slots[static_cast<std::size_t>(slot)]->democlient;
}

std::vector<int> GameServer::playerSlots() const {
    std::vector<int> out;
    for (int slot = 0; slot < kMaxSlots; ++slot)
        if (player(slot)) out.push_back(slot);
    return out;
}

std::optional<int> GameServer::findPlayer(std::string_view reference) const {
    if (const auto number = parseInteger(reference)) {
        if (*number >= 0 && *number < kMaxSlots && player(static_cast<int>(*number)))
            return static_cast<int>(*number);
        return std::nullopt;
    }
    for (int slot : playerSlots())
        if (player(slot)->name == reference) return slot;
    return std::nullopt;
}

void GameServer::chat(int slot, std::string_view text, bool team) {
    const Player* p = player(slot);
    if (p) writeEvent(chatEvent(team, p->guid, slot, p->name, oneLine(text)));
}

Combatant GameServer::combatant(int slot) const {
    Combatant c;
    if (const Player* p = player(slot)) {
        c.guid = p->guid;
        c.slot = slot;
        c.team = p->team;
        c.name = p->name;
    } else {
        c.team = "world";
    }
    return c;
}

std::string GameServer::hit(bool kill, int attacker, int victim, int damage,
                            std::string_view weapon, std::string_view means,
                            std::string_view location) {
    if (!player(victim)) return "no player in the victim's slot";
    if (attacker != -1 && !player(attacker)) return "no player in the attacker's slot";
    Hit h;
    h.victim = combatant(victim);
    h.attacker = combatant(attacker);
    h.weapon = oneLine(weapon);
    h.damage = damage;
    h.means = oneLine(means);
    h.location = oneLine(location);
    writeEvent(kill ? killEvent(h) : damageEvent(h));
    if (kill && attacker != -1 && attacker != victim)
        m_slots[static_cast<std::size_t>(attacker)]->score += kKillScore;
    return {};
}

bool GameServer::kick(int slot) {
    if (!player(slot)) return false;
    removePlayer(slot);
    return true;
}

bool GameServer::tempBan(int slot) {
    const Player* p = player(slot);
    if (!p) return false;
    m_tempBans[p->guid] = uptimeSeconds() + m_settings.tempBanSeconds;
    removePlayer(slot);
    return true;
}

bool GameServer::ban(int slot) {
    const Player* p = player(slot);
    if (!p) return false;
    m_bans.insert(p->guid);
    removePlayer(slot);
    return true;
}

bool GameServer::isBanned(std::string_view guid) const {
    const std::string key(guid);
    if (m_bans.count(key)) return true;
    const auto it = m_tempBans.find(key);
    return it != m_tempBans.end() && uptimeSeconds() < it->second;
}

void GameServer::startMatch() {
    if (m_matchRunning) return;
    m_matchRunning = true;
    std::vector<std::pair<std::string, std::string>> settings;
    // "playlist" comes before any other key that contains the word, so that a
    // reader looking for the first "playlist" finds this one.
    for (const char* key : {"g_gametype", "playlist", "mapname", "protocol", "shortversion",
                            "sv_hostname", "sv_maxclients", "sv_ranked", "sv_voice"}) {
        if (const Variable* v = variable(key)) settings.emplace_back(v->name, v->value);
    }
    writeEvent(initGameEvent(settings));
    for (int slot : playerSlots()) {
        const Player& p = *player(slot);
        writeEvent(joinEvent(p.guid, slot, p.name));
    }
}

void GameServer::endMatch() {
    if (!m_matchRunning) return;
    m_matchRunning = false;
    writeEvent(kExitLevelEvent);
    writeEvent(kShutdownEvent);
    writeEvent(kSeparatorEvent);
    setMap(nextMap());
}

void GameServer::setMap(std::string map) {
    m_currentMap = std::move(map);
    if (Variable* v = variable("mapname")) v->value = m_currentMap;
}

std::string GameServer::nextMap() const {
    const auto& maps = mapRotation();
    const Variable* excludeVar = variable("playlist_excludeMap");
    const std::vector<std::string> excluded = splitWords(excludeVar ? excludeVar->value : "");
    const auto isExcluded = [&](const std::string& m) {
        return std::find(excluded.begin(), excluded.end(), m) != excluded.end();
    };
    const auto here = std::find(maps.begin(), maps.end(), m_currentMap);
    const std::size_t start = here == maps.end() ? maps.size() - 1
                                                 : static_cast<std::size_t>(here - maps.begin());
    for (std::size_t step = 1; step <= maps.size(); ++step) {
        const std::string& candidate = maps[(start + step) % maps.size()];
        if (!isExcluded(candidate)) return candidate;
    }
    return maps[(start + 1) % maps.size()];
}

std::string GameServer::firstAllowedMap() const {
    const auto& maps = mapRotation();
    const std::vector<std::string> excluded = splitWords(m_settings.excludedMaps);
    for (const std::string& m : maps)
        if (std::find(excluded.begin(), excluded.end(), m) == excluded.end()) return m;
    return maps.front();
}

void GameServer::restart() {
    for (auto& p : m_slots)
        p.reset();
    m_tempBans.clear();
    m_bootMs = m_clock();
    m_uptimeBase = 0;
    resetVariables();
    setMap(m_settings.startMap.empty() ? firstAllowedMap() : m_settings.startMap);
    occupyDemoclient();
    m_matchRunning = false;
    boot();
}

std::int64_t GameServer::uptimeSeconds() const {
    return m_uptimeBase + (m_clock() - m_bootMs) / 1000;
}

void GameServer::setUptime(std::int64_t seconds) {
    m_bootMs = m_clock();
    m_uptimeBase = std::max<std::int64_t>(0, seconds);
}

void GameServer::writeEvent(std::string_view event) {
    writeRaw(logLine(formatStamp(uptimeSeconds(), secondsStamps()), event));
}

void GameServer::writeRaw(std::string_view line) {
    m_log.appendLine(line);
    if (m_listener) m_listener(std::string(line));
}

std::vector<StatusRow> GameServer::statusRows() const {
    std::vector<StatusRow> rows;
    for (int slot = 0; slot < kMaxSlots; ++slot) {
        const auto& p = m_slots[static_cast<std::size_t>(slot)];
        if (!p) continue;
        StatusRow row;
        row.slot = slot;
        row.score = p->score;
        row.ping = p->democlient ? 0 : p->ping;
        row.guid = p->guid;
        row.name = p->name;
        row.team = p->team;
        row.address =
            p->democlient ? "loopback" : "203.0.113." + std::to_string(10 + slot) + ":3074";
        row.qport = p->qport;
        rows.push_back(std::move(row));
    }
    return rows;
}

} // namespace gamesim
