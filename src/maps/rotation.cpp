#include "maps/rotation.h"

#include "core/activitylog.h"
#include "core/consolelog.h"
#include "core/eventloop.h"
#include "core/gametext.h"
#include "core/net.h"
#include "core/numbers.h"
#include "core/prompts.h"
#include "core/settings.h"
#include "maps/maptable.h"
#include "maps/serverview.h"
#include "rcon/rconlink.h"

namespace corvane {

namespace {
const std::string kDefaultListChanged = "Default Excluded Map changed!";
}

MapRotation::MapRotation(Ports ports, Settings& settings, RconQueue& queue, ActivityLog& log,
                         ConsoleLog& console, const MapsServerView& server)
    : m_ports(ports), m_settings(settings), m_queue(queue), m_log(log), m_console(console),
      m_server(server), m_resetSocket(ports.net.createUdp("map reset")),
      m_timer10(ports.loop.createTimer(kDelayedResetMs, true, [this] { SetDefaultRotation(); })),
      m_nextMap(kRandomMap) {}

MapRotation::~MapRotation() = default;

void MapRotation::reset() {
    m_votingEnabled = false;
    forgetForce();
}

void MapRotation::forgetForce() {
    m_nextMap = kRandomMap;
    m_nextMapIndex = 0;
    m_forceLine.clear();
    // The force's two flags are read only while a map is forced, and the
    // next force sets them afresh.
}

void MapRotation::Amap(std::string_view name, const CommandIssuer& issuer) {
    std::string wanted = trimBlanks(name);
    if (wanted.empty()) return;
    const std::string upper = toUpper(wanted);
    if (upper == "NUKETOWN") wanted = "NUKE TOWN";
    if (upper == "FIRINGRANGE") wanted = "FIRING RANGE";
    if (const auto index = mpMap(wanted, issuer)) SetNextMap(*index);
}

std::optional<int> MapRotation::mpMap(const std::string& name, const CommandIssuer& issuer) {
    const auto index = mapIndexOf(name);
    if (!index) {
        m_queue.SendPM(issuer, "Invalid map");
        return std::nullopt;
    }
    m_log.SMS(decimal(issuer.CurrentSlot) + " set the nextmap to " +
              std::string(kMapTable[static_cast<std::size_t>(*index)].english));
    return index;
}

void MapRotation::SetNextMap(int index) {
    if (index == 0) {
        SetDefaultRotation();
        return;
    }
    m_nextMapIndex = index;
    m_nextMap = std::string(kMapTable.at(static_cast<std::size_t>(index)).mp);
    m_forceLine = exclusionLine(forcedExclusionList(index));
    m_forcedWhilePlaying = m_nextMap == m_server.currentMap();
    m_forceMatchStarted = false;
    queueExclusion(m_forceLine, false);
    m_log.SMS("The nextmap was set to " + m_nextMap + " (" + EnglishMap(m_nextMap) + ")");
    DisplayNextMap();
}

void MapRotation::SetDefaultRotation() {
    if (m_wizardVisible) return;
    const std::string line = exclusionLine(m_settings.config.ExcludedMap);
    // Queued or sent, the default list is what the server goes to next.
    forgetForce();
    if (!m_queue.empty()) {
        // Goes before everything waiting; one waiting reset is enough.
        if (!queued(line)) queueExclusion(line, true);
        return;
    }
    if (sendDirectly(line)) m_log.SMS("The map was reset to the default rotation");
}

// The reset does not wait for the queue: it goes out at once on its own
// socket. When that fails it waits in the queue like any other line.
bool MapRotation::sendDirectly(const std::string& line) {
    const std::optional<std::string> address = m_server.address();
    if (!address) {
        queueExclusion(line, true);
        return false;
    }
    auto error = openToServer(*m_resetSocket, *address, m_settings.config);
    m_console.SmsConsole("]" + line);
    if (!error) error = sendCommand(*m_resetSocket, m_settings.config, line);
    if (!error) return true;
    reportSendError(*error, m_log);
    queueExclusion(line, true);
    return false;
}

void MapRotation::DisplayNextMap() {
    m_queue.pushBack("say ^2The nextmap will be: " + EnglishMap(m_nextMap) +
                     (m_votingEnabled ? ", to skip type !skip" : ""));
}

bool MapRotation::forceDue() const {
    if (m_nextMap == kRandomMap) return false;
    if (m_forceMatchStarted) return true;
    // Forcing the map being played means "again after this one": only a new
    // match releases it.
    return !m_forcedWhilePlaying && m_nextMap == m_server.currentMap();
}

void MapRotation::matchStarted() {
    // A force still waiting in the queue played no part in choosing this map.
    if (m_nextMap != kRandomMap && !queued(m_forceLine)) m_forceMatchStarted = true;
}

void MapRotation::startDelayedReset() {
    m_timer10->start();
}

bool MapRotation::delayedResetPending() const {
    return m_timer10->isActive();
}

void MapRotation::cancelDelayedReset() {
    m_timer10->stop();
}

void MapRotation::saveDefaultList(const std::string& boxText) {
    const std::string value = boxText.empty() ? "\"" : boxText;
    // The line sets the server back to the default list, so no force remains.
    forgetForce();
    queueExclusion(exclusionLine(value), false);
    m_log.SMS(kDefaultListChanged);
    m_settings.config.ExcludedMap = value;
    m_ports.prompts.messageBox("", kDefaultListChanged, MessageButtons::Ok,
                               MessageIcon::Information);
    m_settings.SaveConfig();
}

void MapRotation::closeSocket() {
    m_resetSocket->close();
}

void MapRotation::queueExclusion(const std::string& line, bool atFront) {
    m_queue.removeIf([](const RconEntry& e) { return !e.bound() && isExclusionLine(e.line); });
    if (atFront)
        m_queue.pushFront(line);
    else
        m_queue.pushBack(line);
}

bool MapRotation::queued(const std::string& line) const {
    for (std::size_t i = 0; i < m_queue.size(); ++i)
        if (m_queue.at(i).line == line) return true;
    return false;
}

} // namespace corvane
