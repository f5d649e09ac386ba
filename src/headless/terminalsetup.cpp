#include "headless/terminalsetup.h"

#include "core/cp1252.h"
#include "core/datafiles.h"
#include "core/eventloop.h"
#include "core/startup.h"
#include "core/textfile.h"
#include "headless/terminaltext.h"
#include "maps/maptable.h"
#include "setup/serversetup.h"

namespace corvane {

TerminalSetup::TerminalSetup(Ports ports, AppPaths paths, std::ostream& out, bool colour)
    : m_ports(ports), m_paths(std::move(paths)), m_out(out), m_colour(colour) {}

TerminalSetup::~TerminalSetup() = default;

bool TerminalSetup::start(const SetupValues& given, const Ask& ask) {
    const StartMode mode = decideStartMode(m_paths, m_ports.prompts);
    if (mode == StartMode::End) return false;

    ServerSetup::Options options;
    options.firstRun = mode == StartMode::FirstRun;
    options.tableMaps = rotationMapNames();
    m_setup = std::make_unique<ServerSetup>(m_ports, m_paths, std::move(options),
                                            static_cast<SetupOwner&>(*this));
    m_setup->InputConfig();
    fillBoxes(given, ask);
    if (m_setup->fields.ServerName.empty()) {
        m_out << "The server needs a name." << std::endl;
        return false;
    }

    m_connections += m_setup->statusBox().reset.connect([this] {
        for (const TextRun& run : m_setup->statusBox().runs())
            printStatus(run);
    });
    m_connections +=
        m_setup->statusBox().appended.connect([this](const TextRun& run) { printStatus(run); });
    m_connections += m_setup->stateChanged.connect([this] { stateChanged(); });
    m_setup->pressMainButton();
    // A refused box (an address off the log host, a value that cannot be
    // stored) has shown its message and started nothing.
    return m_testing;
}

void TerminalSetup::fillBoxes(const SetupValues& given, const Ask& ask) {
    SetupFields& f = m_setup->fields;
    struct Box {
        const char* label;
        std::string& value;
        const std::optional<std::string>& given;
        bool secret;
    };
    const Box boxes[] = {
        {"Server name", f.ServerName, given.name, false},
        {"IP address", f.IP, given.ip, false},
        {"RCON port", f.Port, given.port, false},
        {"RCON password", f.RconPassword, given.password, true},
        {"Log URL", f.LogURL, given.logUrl, false},
    };
    for (const Box& box : boxes) {
        if (box.given) {
            box.value = utf8ToCp1252(*box.given);
            continue;
        }
        if (!ask) continue;
        std::string prompt = box.label;
        if (!box.value.empty())
            prompt += box.secret ? " [unchanged]" : " [" + terminalText(box.value) + "]";
        const std::optional<std::string> answer = ask(prompt + ": ", box.secret);
        if (answer && !answer->empty()) box.value = utf8ToCp1252(*answer);
    }
}

void TerminalSetup::printStatus(const TextRun& run) {
    for (const std::string& line : splitLines(run.text))
        if (!line.empty())
            m_out << paint(terminalText(line), run.colour, false, m_colour) << std::endl;
}

void TerminalSetup::stateChanged() {
    switch (m_setup->mainButton()) {
    case SetupButton::Cancel:
        m_testing = true;
        return;
    case SetupButton::Continue:
        if (!m_testing) return;
        m_testing = false;
        // The wizard is still inside its last step: go on once it has ended.
        m_ports.loop.post([this] { m_setup->pressMainButton(); });
        return;
    case SetupButton::Save:
        if (m_testing) end(1);
        return;
    }
}

void TerminalSetup::end(int status) {
    m_testing = false;
    if (status == 0)
        m_out << "Saved " << m_paths.file(kConfigFile).string()
              << ". Start corvane-mod-headless without --setup to run." << std::endl;
    else
        m_out << "The set-up failed; " << m_paths.file(kConfigFile).string() << " is unchanged."
              << std::endl;
    m_ports.loop.quit(status);
}

} // namespace corvane
