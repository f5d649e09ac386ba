#pragma once
// The predefined sanction reasons, 1 to 100, from Data/Reasons.txt: "MSG"
// and a number typed in a kick, temporary ban, warning, tell or say stands for
// one of them. Also the operator's editor for the file.

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace corvane {

class ActivityLog;
class AppPaths;

// The reasons a file's text holds: one item per line or per comma, blanks
// around it dropped, quotes taken off; reading stops at the first empty item,
// at the end of the text or after 100 reasons.
std::vector<std::string> readReasons(std::string_view fileText);

class Reasons {
public:
    static constexpr int kMax = 100;
    static constexpr const char* kFile = "Data/Reasons.txt";

    Reasons(const AppPaths& paths, ActivityLog& log) : m_paths(paths), m_log(log) {}

    // (Re)loads the reasons; a missing file leaves none.
    void InputReasons();
    // Reason n as written in the file; empty outside 1..count().
    std::string reason(int n) const;
    // Reason n made safe to stand inside a console line.
    std::string forConsole(int n) const;
    int count() const { return static_cast<int>(m_reasons.size()); }
    const std::vector<std::string>& all() const { return m_reasons; }

    // The editor's text: the file's lines as they stand, quotes and blank
    // lines included (joined by CR LF).
    std::string LoadRes();
    // Writes the editor's text back when it differs from what LoadRes gave
    // (and only after a LoadRes), then reloads. True when the file was written.
    bool saveEditor(std::string_view text);

private:
    const AppPaths& m_paths;
    ActivityLog& m_log;
    std::vector<std::string> m_reasons;
    std::optional<std::string> m_editorText;
};

} // namespace corvane
