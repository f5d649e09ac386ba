#pragma once
// Where the program keeps its state. Data/ and Logs/ sit beside the program in
// the ready-to-run folder; a service or an installed copy keeps them in a
// folder of its own, which is set up from the shipped default Data/ files the
// first time it is used.

#include <filesystem>
#include <string>

namespace corvane {

struct StateDirPlan {
    std::filesystem::path folder;   // holds Data/ and Logs/
    std::filesystem::path defaults; // the default Data/ files; empty: nothing to prepare
};

// The folder to run in: the one named on the command line (empty: none); else
// the program's own folder when it holds Data/; else, for an installed copy,
// the user's data folder ($XDG_DATA_HOME or ~/.local/share, then
// "corvane-mod"). The defaults are the program's own Data/ when it has one,
// otherwise the installed ones.
StateDirPlan planStateDir(const std::filesystem::path& named, const std::filesystem::path& appDir,
                          const std::filesystem::path& installedDefaults, const char* xdgDataHome,
                          const char* home);

// Creates the folder with Data/ and Logs/ where missing and copies each
// default file that Data/ does not hold yet; a file already there is never
// replaced. Returns what went wrong, or an empty text.
std::string prepareStateDir(const StateDirPlan& plan);

} // namespace corvane
