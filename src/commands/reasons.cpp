#include "commands/reasons.h"

#include "core/activitylog.h"
#include "core/apppaths.h"
#include "core/fieldreader.h"
#include "core/gametext.h"
#include "core/textfile.h"

namespace corvane {
namespace {

std::string joinLines(const std::vector<std::string>& lines) {
    std::string text;
    for (std::size_t i = 0; i < lines.size(); ++i)
        text += (i == 0 ? "" : "\r\n") + lines[i];
    return text;
}

} // namespace

std::vector<std::string> readReasons(std::string_view fileText) {
    std::vector<std::string> reasons;
    FieldReader in{std::string(fileText)};
    try {
        while (!in.atEnd() && reasons.size() < static_cast<std::size_t>(Reasons::kMax)) {
            std::string item = in.readText();
            if (item.empty()) break;
            reasons.push_back(std::move(item));
        }
    } catch (const FieldReadError&) {
        // blanks up to the end: what was read stays
    }
    return reasons;
}

void Reasons::InputReasons() {
    m_reasons.clear();
    if (const auto text = readFile(m_paths.file(kFile))) m_reasons = readReasons(*text);
}

std::string Reasons::reason(int n) const {
    if (n < 1 || n > count()) return {};
    return m_reasons[static_cast<std::size_t>(n - 1)];
}

std::string Reasons::forConsole(int n) const {
    return neutralize(reason(n));
}

std::string Reasons::LoadRes() {
    const auto text = readFile(m_paths.file(kFile));
    m_editorText = joinLines(splitLines(text.value_or(std::string())));
    return *m_editorText;
}

bool Reasons::saveEditor(std::string_view text) {
    if (!m_editorText) return false;
    // The window may hand LF line ends; the file keeps CR LF.
    const std::string normalized = joinLines(splitLines(text));
    if (normalized == *m_editorText) return false;
    std::string error;
    if (!atomicReplace(m_paths.file(kFile), normalized + "\r\n", &error)) {
        m_log.SMS("Error saving Reasons.txt! " + error, kRed);
        return false;
    }
    m_editorText = normalized;
    InputReasons();
    return true;
}

} // namespace corvane
