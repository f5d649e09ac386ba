#include "core/apppaths.h"

#include "core/gametext.h"

#include <string>

namespace corvane {

std::filesystem::path portablePath(std::string_view name) {
    std::string copy(name);
    for (char& c : copy)
        if (c == '\\') c = '/';
    return std::filesystem::path(copy);
}

std::filesystem::path AppPaths::file(std::string_view relative) const {
    namespace fs = std::filesystem;
    const fs::path exact = m_appDir / portablePath(relative);
    std::error_code ec;
    if (fs::exists(exact, ec)) return exact;
    // File names are not case-sensitive for the program ("Data\Mod.txt" is
    // "Data\MOD.txt"): find the existing file whose name differs only in case.
    fs::path resolved = m_appDir;
    for (const fs::path& part : portablePath(relative)) {
        fs::path next = resolved / part;
        if (!fs::exists(next, ec) && fs::is_directory(resolved, ec)) {
            for (const fs::directory_entry& entry : fs::directory_iterator(resolved, ec)) {
                if (equalsIgnoringCase(entry.path().filename().string(), part.string())) {
                    next = entry.path();
                    break;
                }
            }
        }
        resolved = next;
    }
    return resolved;
}

} // namespace corvane
