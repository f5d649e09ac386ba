#include "core/statedir.h"

#include "core/datafiles.h"

#include <system_error>

namespace corvane {

namespace fs = std::filesystem;

StateDirPlan planStateDir(const fs::path& named, const fs::path& appDir,
                          const fs::path& installedDefaults, const char* xdgDataHome,
                          const char* home) {
    std::error_code ec;
    const fs::path ownData = appDir / kDataDir;
    const bool ownDataExists = fs::is_directory(ownData, ec);
    const fs::path defaults = ownDataExists ? ownData : installedDefaults;
    if (!named.empty()) return {named, defaults};
    if (ownDataExists) return {appDir, {}};
    fs::path userData;
    if (xdgDataHome && *xdgDataHome == '/')
        userData = xdgDataHome;
    else if (home && *home == '/')
        userData = fs::path(home) / ".local/share";
    // With nowhere to go the program runs beside itself and says what is missing.
    if (userData.empty()) return {appDir, {}};
    return {userData / "corvane-mod", defaults};
}

std::string prepareStateDir(const StateDirPlan& plan) {
    if (plan.defaults.empty()) return {};
    std::error_code ec;
    const fs::path data = plan.folder / kDataDir;
    for (const fs::path& dir : {data, plan.folder / kLogsDir}) {
        fs::create_directories(dir, ec);
        if (ec) return "cannot create " + dir.string() + ": " + ec.message();
    }
    fs::directory_iterator entries(plan.defaults, ec);
    if (ec)
        return "cannot read the default files in " + plan.defaults.string() + ": " + ec.message();
    for (const fs::directory_entry& entry : entries) {
        if (!entry.is_regular_file(ec)) continue;
        const fs::path target = data / entry.path().filename();
        if (fs::exists(target, ec)) continue;
        fs::copy_file(entry.path(), target, fs::copy_options::skip_existing, ec);
        if (ec)
            return "cannot copy " + entry.path().string() + " to " + data.string() + ": " +
                   ec.message();
    }
    return {};
}

} // namespace corvane
