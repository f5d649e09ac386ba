#include "commands/reasons.h"

#include "core/apppaths.h"
#include "core/datafiles.h"
#include "core/fieldreader.h"
#include "core/gametext.h"
#include "core/textfile.h"

namespace corvane {

std::vector<std::string> readReasons(std::string_view fileText) {
    return readItemList(std::string(fileText), static_cast<std::size_t>(Reasons::kMax)).items;
}

void Reasons::InputReasons() {
    m_reasons.clear();
    if (const auto text = readFile(m_paths.file(kReasonsFile))) m_reasons = readReasons(*text);
}

std::string Reasons::reason(int n) const {
    if (n < 1 || n > count()) return {};
    return m_reasons[static_cast<std::size_t>(n - 1)];
}

std::string Reasons::forConsole(int n) const {
    return neutralize(reason(n));
}

} // namespace corvane
