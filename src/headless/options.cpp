#include "headless/options.h"

#include <array>
#include <string_view>
#include <utility>

namespace corvane {
namespace {

bool takeSwitch(HeadlessOptions& o, std::string_view name) {
    const std::array<std::pair<std::string_view, bool*>, 4> switches{{
        {"--help", &o.help},
        {"--version", &o.version},
        {"--quiet", &o.quiet},
        {"--setup", &o.setup},
    }};
    for (const auto& [word, flag] : switches) {
        if (name != word) continue;
        *flag = true;
        return true;
    }
    if (name == "-h") return o.help = true;
    return false;
}

// The option's value holder, or none for an option without a value.
std::optional<std::string>* valueOf(SetupValues& v, std::string_view name) {
    const std::array<std::pair<std::string_view, std::optional<std::string>*>, 5> values{{
        {"--name", &v.name},
        {"--ip", &v.ip},
        {"--port", &v.port},
        {"--password", &v.password},
        {"--log-url", &v.logUrl},
    }};
    for (const auto& [word, value] : values)
        if (name == word) return value;
    return nullptr;
}

} // namespace

ParsedOptions parseHeadlessOptions(const std::vector<std::string>& args) {
    ParsedOptions parsed;
    HeadlessOptions& o = parsed.options;
    bool boxGiven = false;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        const std::size_t equals = arg.find('=');
        const std::string name = arg.rfind("--", 0) == 0 ? arg.substr(0, equals) : arg;
        std::optional<std::string>* box = valueOf(o.values, name);
        const bool takesValue = box || name == "--dir";
        if (!takesValue) {
            if (name == arg && takeSwitch(o, name)) continue;
            parsed.error = "unknown option '" + arg + "' (see --help)";
            return parsed;
        }
        std::string value;
        if (equals != std::string::npos && name != arg) {
            value = arg.substr(equals + 1);
        } else if (i + 1 < args.size()) {
            value = args[++i];
        } else {
            parsed.error = "option '" + name + "' needs a value (see --help)";
            return parsed;
        }
        if (box) {
            *box = value;
            boxGiven = true;
        } else if (value.empty()) {
            parsed.error = "option '--dir' needs a folder (see --help)";
            return parsed;
        } else {
            o.dir = value;
        }
    }
    if (boxGiven && !o.setup)
        parsed.error =
            "--name, --ip, --port, --password and --log-url go with --setup (see --help)";
    return parsed;
}

std::string headlessUsage() {
    return R"(Usage: corvane-mod-headless [--dir PATH] [--quiet]
       corvane-mod-headless [--dir PATH] --setup [--name NAME] [--ip ADDRESS]
                            [--port PORT] [--password PASSWORD] [--log-url URL]
       corvane-mod-headless --help | --version

Corvane Mod without a window: it administers the game server set up in
Data/Config.txt and shows its activity log, chat, players and console here.
While it runs, a line typed on standard input is said in the game; a line
that begins with "/" is a console command ("/RULES" says the rules).
SIGINT or SIGTERM shuts it down.

Options:
  --dir PATH       keep Data/ and Logs/ under PATH instead of beside the
                   program; on first use they are made there with the
                   default settings files
  --quiet          show the activity log only
  --setup          test the server's values and write Data/Config.txt when
                   every step passes; values not given are asked for
  --name NAME      the server's name (for --setup)
  --ip ADDRESS     the game server's address (for --setup)
  --port PORT      its RCON port (for --setup)
  --password TEXT  its RCON password (for --setup); better given in the
                   environment variable CORVANE_RCON_PASSWORD
  --log-url URL    the web address of the server's log (for --setup)
  --help           show this text
  --version        show the version

Output is coloured on a terminal unless NO_COLOR is set.
Exit status: 0 after a shutdown or a passed set-up, 1 on an error or a
failed set-up, 2 when the server is not set up yet, 64 for a wrong command
line.
)";
}

} // namespace corvane
