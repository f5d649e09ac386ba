#pragma once
// The server set-up on a terminal: the wizard's boxes are filled from the
// command line and from answers typed on the terminal, the wizard's test runs
// with every status line printed, and Data/Config.txt is written only when
// every step passes. The program ends with the set-up: status 0 when the file
// was written, 1 otherwise (the file then stays as it was).

#include "core/apppaths.h"
#include "core/ports.h"
#include "core/richtext.h"
#include "core/signal.h"
#include "headless/options.h"
#include "setup/serversetup.h"

#include <functional>
#include <memory>
#include <optional>
#include <ostream>
#include <string>

namespace corvane {

class TerminalSetup final : private SetupOwner {
public:
    // Asks the operator for one value; his answer, or none at the end of input.
    using Ask = std::function<std::optional<std::string>(const std::string& prompt, bool secret)>;

    TerminalSetup(Ports ports, AppPaths paths, std::ostream& out, bool colour);
    ~TerminalSetup();
    TerminalSetup(const TerminalSetup&) = delete;
    TerminalSetup& operator=(const TerminalSetup&) = delete;

    // Checks the Data/ folder, fills the boxes (a value neither given nor
    // typed keeps what Data/Config.txt holds) and starts the test. False when
    // no test started: a message said why, and the program ends with status 1.
    bool start(const SetupValues& given, const Ask& ask);

private:
    void fillBoxes(const SetupValues& given, const Ask& ask);
    void printStatus(const TextRun& run);
    void stateChanged();
    void end(int status);
    // Without a window to go on to, "Continue" ends the set-up: the file is
    // written and the next start runs on it.
    void applySettings(bool) override { end(0); }

    Ports m_ports;
    AppPaths m_paths;
    std::ostream& m_out;
    bool m_colour;
    std::unique_ptr<ServerSetup> m_setup;
    Connections m_connections;
    bool m_testing = false;
};

} // namespace corvane
