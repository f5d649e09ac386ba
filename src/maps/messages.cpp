#include "maps/messages.h"

#include "core/activitylog.h"
#include "core/apppaths.h"
#include "core/datafiles.h"
#include "core/eventloop.h"
#include "core/gametext.h"
#include "core/prompts.h"
#include "core/settings.h"
#include "core/textfile.h"
#include "maps/messagefiles.h"
#include "maps/serverview.h"
#include "rcon/rconqueue.h"

namespace corvane {

namespace {
constexpr std::size_t kRulesAnnounce = 1;
}

std::string previewWelcome(const std::string& welcomeTemplate, const std::string& playerName,
                           const std::string& group, const std::string& hostName) {
    std::string message = replaceAll(welcomeTemplate, "<group>", group);
    message = replaceAll(std::move(message), "<server>", hostName);
    message = replaceAll(std::move(message), "<return>", "");
    // The name goes in last, so that a name looking like a placeholder stays as it is.
    return replaceAll(std::move(message), "<player>", neutralize(playerName));
}

Messages::Messages(Ports ports, Settings& settings, RconQueue& queue, ActivityLog& log,
                   const AppPaths& paths, const MapsServerView& server)
    : m_ports(ports), m_settings(settings), m_queue(queue), m_log(log), m_paths(paths),
      m_server(server), m_rotationTimer(ports.loop.createTimer(kRotationTickMs, false,
                                                               [this] { RotationTimer_Timer(); })) {
}

Messages::~Messages() = default;

void Messages::InputLists() {
    m_timedMessages.clear();
    m_interval = 0;
    if (const auto text = readFile(m_paths.file(kTimedMessagesFile))) {
        TimedMessageFile file = readTimedMessages(*text);
        m_timedMessages = std::move(file.messages);
        m_interval = rotationInterval(file.intervalText).value_or(0);
        if (file.cut)
            m_log.SMS("MR.txt holds more than 101 timed messages, only the first 101 are said",
                      kRed);
    } else {
        m_log.SMS("Error opening MR.txt!", kRed);
    }
    restartRotation();
    InputRules();
}

void Messages::InputRules() {
    m_rules.clear();
    if (const auto text = readFile(m_paths.file(kRulesFile))) {
        RulesFile file = readRules(*text);
        m_rules = std::move(file.rules);
        if (file.cut)
            m_log.SMS("Rules.txt holds more than 101 rules, only the first 101 are said", kRed);
    } else {
        m_log.SMS("Error opening Rules.txt!", kRed);
    }
    reasonsReloadRequested.notify();
}

void Messages::startRotationTimer() {
    m_rotationTimer->start();
}

void Messages::stopRotationTimer() {
    m_rotationTimer->stop();
}

void Messages::restartRotation() {
    m_counter = 0;
    m_index = 0;
}

void Messages::RotationTimer_Timer() {
    // Without a usable interval nothing is said and nothing counts up.
    if (m_settings.mod.TimedMessagesEnabled == 0 || m_interval <= 0) return;
    if (++m_counter < m_interval) return;
    m_counter = 0;
    if (m_index >= m_timedMessages.size()) m_index = 0;
    if (m_index >= m_timedMessages.size()) return;
    m_queue.pushBack("say " + m_timedMessages[m_index]);
    ++m_index;
}

void Messages::SendRules(std::int16_t slot, const std::string& guid, bool operatorRequest) {
    if (m_settings.mod.RulesEnabled == 0 && !operatorRequest) return;
    const bool privately = slot != 0 && m_settings.mod.AnnounceMode[kRulesAnnounce] != 0;
    // "|r" marks rule lines: the queue paces them and removes the mark.
    for (const std::string& rule : m_rules) {
        if (privately)
            m_queue.SendPM({slot, guid, {}}, "^7" + rule + "|r");
        else
            m_queue.pushBack("say " + rule + "|r");
    }
}

void Messages::CVMwelcome() {
    if (m_settings.advanced.AnnounceProgram == 0) return;
    m_queue.pushBack("say ^2This Server is now running the ^1Corvane Mod");
    m_queue.pushBack(std::string("say ^2Version: ") + kBuildVersion + " BETA");
}

void Messages::PWelcome(const std::string& welcomeTemplate) {
    const auto player = m_server.firstPlayer();
    if (!player) {
        m_ports.prompts.messageBox("", "Please enter the server to preview the results!",
                                   MessageButtons::Ok, MessageIcon::Critical);
        return;
    }
    const std::string group = m_server.groupName(player->guid);
    m_queue.pushBack(
        "Say " + previewWelcome(welcomeTemplate, player->name, group, m_settings.config.HostName));
}

bool Messages::SaveWelcome(const std::string& text) {
    if (text.find_first_of("\"\r\n") != std::string::npos) {
        m_ports.prompts.messageBox(
            "Welcome Message",
            "The welcome message cannot hold a double quote or a line break, please remove it.",
            MessageButtons::Ok, MessageIcon::Exclamation);
        return false;
    }
    if (text == m_settings.mod.WelcomeTemplate) return true;
    m_settings.mod.WelcomeTemplate = text;
    m_settings.SaveModFile();
    return true;
}

} // namespace corvane
