#include "core/apppaths.h"

#include <string>

namespace corvane {

std::filesystem::path portablePath(std::string_view name) {
    std::string copy(name);
    for (char& c : copy)
        if (c == '\\') c = '/';
    return std::filesystem::path(copy);
}

std::filesystem::path AppPaths::file(std::string_view relative) const {
    return m_appDir / portablePath(relative);
}

} // namespace corvane
