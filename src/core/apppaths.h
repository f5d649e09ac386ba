#pragma once
// The application directory and the files beside it. Names read from files may
// use "\" or "/" between their parts, and are matched ignoring letter case when
// no file of the exact name exists.

#include "core/datafiles.h"

#include <filesystem>
#include <string_view>

namespace corvane {

class AppPaths {
public:
    explicit AppPaths(std::filesystem::path appDir) : m_appDir(std::move(appDir)) {}

    const std::filesystem::path& appDir() const { return m_appDir; }
    std::filesystem::path dataDir() const { return file(kDataDir); }
    std::filesystem::path logsDir() const { return file(kLogsDir); }

    // A name relative to the application directory, e.g. "Data\Config.txt".
    std::filesystem::path file(std::string_view relative) const;

private:
    std::filesystem::path m_appDir;
};

// "Data\playerdb.mdb" -> "Data/playerdb.mdb"
std::filesystem::path portablePath(std::string_view name);

} // namespace corvane
