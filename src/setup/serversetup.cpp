#include "setup/serversetup.h"

#include "core/clock.h"
#include "core/datafiles.h"
#include "core/eventloop.h"
#include "core/fieldreader.h"
#include "core/gametext.h"
#include "core/modsettings.h"
#include "core/net.h"
#include "core/numbers.h"
#include "core/prompts.h"
#include "core/textfile.h"
#include "rcon/rcondatagram.h"

#include <exception>
#include <stdexcept>

namespace corvane {
namespace {

std::optional<std::uint16_t> portNumber(const std::string& text) {
    const auto port = toInt32(text);
    if (!port || *port < 1 || *port > 65535) return std::nullopt;
    return static_cast<std::uint16_t>(*port);
}

// The provider's log host from Data/Advanced.txt, read afresh for each test
// so that an edit made while the window is open counts.
std::string configuredLogHost(const AppPaths& paths) {
    AdvancedVars vars;
    try {
        readAdvancedFile(readFieldFile(paths.file(kAdvancedFile)), vars);
    } catch (const FieldReadError&) {
        // A file that cannot be read names no log host.
    }
    return vars.LogHost;
}

} // namespace

ServerSetup::ServerSetup(Ports ports, const AppPaths& paths, Options options, SetupOwner& owner)
    : m_ports(ports), m_paths(paths), m_options(std::move(options)), m_owner(owner) {
    m_rcon = ports.net.createUdp("setup");
    m_rcon->setEvents({
        .datagram = [this](const std::string& d) { guarded([&] { onDatagram(d); }); },
        .error =
            [this](const NetError&) {
                guarded([this] {
                    if (m_button == SetupButton::Cancel && m_step != Step::LogTest)
                        fail("Error", "Error Connecting to RCON - check server info");
                });
            },
    });
    m_log = ports.net.createTcp("setup log");
    m_log->setEvents({
        .connected = [this] { guarded([this] { onLogConnected(); }); },
        .data = [this](const std::string& piece) { guarded([&] { onLogData(piece); }); },
        .closed = [this] { guarded([this] { onLogClosed(); }); },
        .error = [this](const NetError& e) { guarded([&] { onLogError(e); }); },
    });
    m_timer1 =
        ports.loop.createTimer(kTimeoutMs, true, [this] { guarded([this] { Timer1_Timer(); }); });
    m_timer3 =
        ports.loop.createTimer(kStepDelayMs, true, [this] { guarded([this] { Timer3_Timer(); }); });
    if (m_options.firstRun) SetF();
}

ServerSetup::~ServerSetup() {
    // The sockets close as they go with the wizard; nothing they say then reaches it.
    m_rcon->setEvents({});
    m_log->setEvents({});
}

template <typename F> void ServerSetup::guarded(F&& handler) {
    try {
        handler();
    } catch (const std::exception& e) {
        fail("Error", e.what());
    }
}

void ServerSetup::InputConfig() {
    // Fields the file does not hold keep what the boxes show.
    ServerConfig c;
    c.ServerName = fields.ServerName;
    c.Port = fields.Port;
    c.IP = fields.IP;
    c.RconPassword = fields.RconPassword;
    c.LogURL = fields.LogURL;
    try {
        readServerConfig(readFieldFile(m_paths.file(kConfigFile)), c);
    } catch (const FieldReadError&) {
        // A first run's file holds only its marker.
    }
    fields.ServerName = c.ServerName == kFirstRunMarker ? std::string() : c.ServerName;
    fields.Port = c.Port;
    fields.IP = c.IP;
    fields.RconPassword = c.RconPassword;
    fields.LogURL = c.LogURL;
    m_storedExclusion = c.ExcludedMap;
    stateChanged.notify();
}

void ServerSetup::SetF() {
    m_firstRun = true;
    stateChanged.notify();
}

std::string ServerSetup::caption() const {
    return m_firstRun ? "Corvane Mod - Server Creation" : "Corvane Mod - Server Settings";
}

std::string ServerSetup::mainButtonText() const {
    switch (m_button) {
    case SetupButton::Save:
        return "Save";
    case SetupButton::Cancel:
        return "Cancel";
    case SetupButton::Continue:
        return "Continue";
    }
    return "Save";
}

void ServerSetup::pressMainButton() {
    switch (m_button) {
    case SetupButton::Save:
        return startTest();
    case SetupButton::Cancel:
        return ClearAll();
    case SetupButton::Continue:
        return Continue();
    }
}

void ServerSetup::Help() {
    m_ports.prompts.messageBox(
        "GameServer Log URL",
        "To get your GameServer Log URL, Log into GameServers and click on info under your "
        "server. Click 'View Log URL' and paste the url in this box.",
        MessageButtons::Ok, MessageIcon::Information);
}

bool ServerSetup::close() {
    ClearAll();
    return m_firstRun;
}

void ServerSetup::startTest() {
    stopTest();
    m_tested = fields;
    if (!checkLogAddress()) return;
    if (m_tested.ServerName.empty()) return;
    if (!checkTypedValues()) return;

    m_step = Step::Login;
    m_learned = ServerConfig{};
    m_button = SetupButton::Cancel;
    m_status.setText("Testing Connection...");
    m_statusVisible = true;
    stateChanged.notify();
    m_timer1->start();
    lookUpServer();
}

void ServerSetup::lookUpServer() {
    const unsigned generation = ++*m_lookupGeneration;
    const std::weak_ptr<unsigned> current = m_lookupGeneration;
    m_ports.net.lookupHost(m_tested.IP, [this, generation, current](const HostLookup& found) {
        const auto alive = current.lock();
        if (!alive || *alive != generation || m_step != Step::Login) return;
        guarded([&] {
            if (!found.address)
                return fail("Error", "Error Connecting to RCON - check server info");
            m_address = *found.address;
            sendLogin();
        });
    });
}

// A lookup still under way is dropped: its answer may come while a failure's
// message box is up, before the step is reset.
void ServerSetup::stopTest() {
    ++*m_lookupGeneration;
    m_timer1->stop();
    m_timer3->stop();
    m_rcon->close();
    m_log->close();
}

bool ServerSetup::checkLogAddress() {
    const std::string configured = configuredLogHost(m_paths);
    const std::string& url = m_tested.LogURL;
    // With the provider's host configured the address must be on it; without
    // one (or with one the log fetcher could not use either) any plain-HTTP
    // address names its own host.
    const bool onHost = parseLogHost(configured) ? url.starts_with(configured.substr(0, 15))
                                                 : findIgnoringCase(url, "http://") == 0;
    const auto address = onHost ? resolveLogHost(configured, url) : std::nullopt;
    if (!address) {
        m_ports.prompts.messageBox("Invalid URL", "Check GameServer Log URL!", MessageButtons::Ok,
                                   MessageIcon::Critical);
        return false;
    }
    m_logHost = *address;
    return true;
}

bool ServerSetup::checkTypedValues() {
    const std::pair<const char*, const std::string*> boxes[] = {
        {"Server Name", &m_tested.ServerName},
        {"Ip", &m_tested.IP},
        {"Port", &m_tested.Port},
        {"Rcon Password", &m_tested.RconPassword},
        {"Log File URL", &m_tested.LogURL},
    };
    for (const auto& [label, value] : boxes) {
        const bool leadingBlank =
            !value->empty() && (value->front() == ' ' || value->front() == '\t');
        if (isStorableConfigValue(*value) && !leadingBlank) continue;
        m_ports.prompts.messageBox("Invalid value",
                                   std::string(label) +
                                       " must not contain a double quote or begin with a blank.",
                                   MessageButtons::Ok, MessageIcon::Critical);
        return false;
    }
    return true;
}

void ServerSetup::sendLogin() {
    const auto port = portNumber(m_tested.Port);
    std::optional<NetError> error;
    if (!port) error = NetError{NetError::Kind::AddressNotAvailable, "no port"};
    if (!error) {
        m_port = *port;
        m_rcon->close();
        error = m_rcon->open(m_address, m_port);
    }
    if (!error) {
        statusLine("Connected to RCON... Sending Password");
        error = m_rcon->send(buildRconRequest(m_tested.RconPassword, "serverinfo"));
    }
    if (error) fail("Error", "Error Connecting to RCON - check server info");
}

void ServerSetup::Continue() {
    m_hidden = true;
    m_applying = true;
    stateChanged.notify();
    m_owner.applySettings(m_firstRun);
    m_applying = false;
    const bool wasFirstRun = m_firstRun;
    m_firstRun = false;
    stateChanged.notify();
    continued.notify(wasFirstRun);
}

void ServerSetup::ClearAll() {
    stopTest();
    m_step = Step::Idle;
    m_statusVisible = false;
    m_button = SetupButton::Save;
    stateChanged.notify();
}

void ServerSetup::fail(const std::string& title, const std::string& text) {
    // Nothing more may arrive while the operator reads the box.
    stopTest();
    m_ports.prompts.messageBox(title, text, MessageButtons::Ok, MessageIcon::Critical);
    ClearAll();
}

void ServerSetup::statusLine(const std::string& text, Colour colour) {
    m_status.append("\r\n" + text, colour);
}

void ServerSetup::appendReply(const std::string& text) {
    m_replyLog.append("\r\n" + formatTime(m_ports.clock.now()) + ": " + text);
}

// ---- the RCON steps

void ServerSetup::onDatagram(const std::string& datagram) {
    if (m_button != SetupButton::Cancel) return;
    const std::string text = setupReplyText(datagram);
    const SetupReplyKind kind = classifySetupReply(text);
    if (kind == SetupReplyKind::WrongPassword) return fail("Error", "Invalid RCON Password!");
    // A late answer to an earlier request is no answer to this step.
    switch (m_step) {
    case Step::Login:
        m_timer1->stop();
        return takeServerInfo(text);
    case Step::Exclusion:
        if (kind != SetupReplyKind::Exclusion) return;
        m_timer1->stop();
        return takeExclusion(text);
    case Step::LogSync:
    case Step::Stamps:
        if (kind != SetupReplyKind::Other) return;
        m_timer1->stop();
        appendReply(text);
        if (m_step == Step::LogSync) {
            statusLine("Checking Log timestamp...");
            return nextStep(Step::Stamps);
        }
        m_rcon->close();
        statusLine("Server Information Saved!", kBlue);
        return TestWeb();
    case Step::Idle:
    case Step::LogTest:
        return;
    }
}

void ServerSetup::takeServerInfo(const std::string& text) {
    statusLine("RCON Login Success!", kBlue);
    const ServerFacts facts = readServerInfo(text);
    m_learned.HostName = facts.hostName;
    statusLine("Server Name: " + facts.hostName);
    if (facts.ranked.empty()) return fail("", "An error was detecting while connecting to RCON!");
    // Every loop over the online players runs up to this number.
    if (!facts.maxClients || *facts.maxClients < 1 || *facts.maxClients > 50)
        return fail("Error", "The server reports " + neutralize(facts.maxClientsText) +
                                 " client slots; Corvane Mod handles 1 to 50.");
    m_learned.MaxClients = *facts.maxClients;
    if (facts.ranked != "2")
        statusLine("Warning this mod has only been tested on ranked servers!", kRed);
    appendReply(text);
    nextStep(Step::Exclusion);
}

void ServerSetup::takeExclusion(const std::string& text) {
    std::string exclusion = learnedExclusion(exclusionValue(text));
    if (!m_firstRun && isForcedList(exclusion, m_options.tableMaps)) {
        statusLine("The server is playing a forced map: the default excluded maps stay as they "
                   "were.");
        exclusion = m_storedExclusion;
    }
    m_learned.ExcludedMap = exclusion;
    appendReply(text);
    statusLine("Checking Log Sync on server...");
    nextStep(Step::LogSync);
}

void ServerSetup::nextStep(Step step) {
    m_step = step;
    m_rcon->close();
    m_timer3->start();
}

void ServerSetup::Timer3_Timer() {
    const char* command = nullptr;
    switch (m_step) {
    case Step::Exclusion:
        command = "playlist_excludeMap";
        break;
    case Step::LogSync:
        command = "g_logSync 1";
        break;
    case Step::Stamps:
        command = "g_logTimeStampInSeconds 0";
        break;
    default:
        return;
    }
    m_rcon->close();
    std::optional<NetError> error = m_rcon->open(m_address, m_port);
    if (!error) error = m_rcon->send(buildRconRequest(m_tested.RconPassword, command));
    if (error) return fail("Error!", "Connection Error - Try again!");
    m_timer1->start();
}

void ServerSetup::Timer1_Timer() {
    if (!m_statusVisible || m_button != SetupButton::Cancel) return;
    statusLine("Error timeout!");
    fail("Error", "Error connecting - please check server info or network connection!");
}

// ---- the log test

void ServerSetup::TestWeb() {
    statusLine("Checking Logs URL...");
    m_log->close();
    m_timer1->start();
    m_step = Step::LogTest;
    m_logReported = false;
    m_decoder.reset();
    m_exchange.clear();
    m_lineEnds = CrLfNormaliser();
    exchangeChanged.notify();
    m_log->connectTo(m_logHost.host, m_logHost.port);
}

void ServerSetup::onLogConnected() {
    if (m_step != Step::LogTest || m_logReported) return;
    std::string path = replaceAll(m_tested.LogURL, m_logHost.prefix, "");
    if (path.empty()) path = "/";
    m_exchange = "GET " + path + " HTTP/1.1\r\n" + "Host: " + m_logHost.hostHeader() + "\r\n" +
                 "Range: bytes=-" + std::to_string(kLogTailBytes) + " \r\n" +
                 "User-Agent: Corvane Mod " + kBuildVersion + "\r\n\r\n";
    exchangeChanged.notify();
    m_log->send(m_exchange);
}

void ServerSetup::onLogData(const std::string& piece) {
    if (m_button != SetupButton::Cancel || m_step != Step::LogTest || m_logReported) return;
    // The timeout now guards the rest of the reply.
    m_timer1->start();
    // Bare line ends become CR LF on the way in, so a slice can grow past
    // the cap: the result is cut to it.
    if (m_exchange.size() < kMaxExchange) {
        m_lineEnds.append(m_exchange,
                          std::string_view(piece).substr(0, kMaxExchange - m_exchange.size()));
        if (m_exchange.size() > kMaxExchange) m_exchange.resize(kMaxExchange);
    }
    exchangeChanged.notify();
    m_decoder.feed(piece);
    judgeLogReply(false);
}

void ServerSetup::onLogClosed() {
    m_log->close();
    if (m_button != SetupButton::Cancel || m_step != Step::LogTest || m_logReported) return;
    m_lineEnds.finish(m_exchange);
    m_decoder.finish();
    judgeLogReply(true);
}

void ServerSetup::onLogError(const NetError& error) {
    if (m_button != SetupButton::Cancel || m_step != Step::LogTest || m_logReported) return;
    m_logReported = true;
    fail("Error", error.description);
}

void ServerSetup::judgeLogReply(bool ended) {
    ended = ended || m_decoder.complete() || m_decoder.failed();
    const LogTestVerdict verdict = judgeLogExchange(m_exchange, m_decoder.statusCode(), ended);
    switch (verdict.outcome) {
    case LogTestOutcome::Waiting:
        return;
    case LogTestOutcome::Passed:
        return logTestPassed();
    case LogTestOutcome::Failed:
        m_logReported = true;
        statusLine(verdict.failure, kRed);
        return fail("Error", "Invalid GameServer Log URL!");
    }
}

void ServerSetup::logTestPassed() {
    m_logReported = true;
    m_timer1->stop();
    m_log->close();
    if (!SaveToFile()) return;
    statusLine("Configuration complete!", kBlue);
    m_step = Step::Idle;
    m_button = SetupButton::Continue;
    stateChanged.notify();
}

bool ServerSetup::SaveToFile() {
    ServerConfig c = m_learned;
    c.ServerName = m_tested.ServerName;
    c.Port = m_tested.Port;
    c.IP = m_tested.IP;
    c.RconPassword = m_tested.RconPassword;
    c.LogURL = m_tested.LogURL;
    std::string error;
    if (!atomicReplace(m_paths.file(kConfigFile), writeServerConfig(c, ExcludedMapStyle::Bare),
                       &error)) {
        statusLine("Error saving config.txt!", kRed);
        fail("Error", "Error saving config.txt! " + error);
        return false;
    }
    m_learned = c;
    return true;
}

} // namespace corvane
