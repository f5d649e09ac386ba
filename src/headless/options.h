#pragma once
// The command line of corvane-mod-headless.

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

namespace corvane {

// The exit status of a command line the program does not understand.
inline constexpr int kExitUsage = 64;
// The environment variable that may hold the RCON password for --setup, so
// that it need not appear in the process list.
inline constexpr const char* kPasswordVariable = "CORVANE_RCON_PASSWORD";

// The values of the set-up's boxes given on the command line.
struct SetupValues {
    std::optional<std::string> name;
    std::optional<std::string> ip;
    std::optional<std::string> port;
    std::optional<std::string> password;
    std::optional<std::string> logUrl;
};

struct HeadlessOptions {
    bool help = false;
    bool version = false;
    bool quiet = false;
    bool setup = false;
    std::filesystem::path dir; // empty: beside the program
    SetupValues values;
};

struct ParsedOptions {
    HeadlessOptions options;
    std::string error; // one line; not empty when the command line is wrong
};

// The arguments after the program's name. "--option value" and
// "--option=value" are both understood.
ParsedOptions parseHeadlessOptions(const std::vector<std::string>& args);

// The --help text.
std::string headlessUsage();

} // namespace corvane
