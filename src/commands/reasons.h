#pragma once
// The predefined sanction reasons, 1 to 100, from Data/Reasons.txt: "MSG"
// and a number typed in a kick, temporary ban, warning, tell or say stands for
// one of them. The operator edits the file in the shared message editor.

#include "rcon/rconqueue.h"

#include <string>
#include <string_view>
#include <vector>

namespace corvane {

class AppPaths;

// The reasons a file's text holds: one item per line or per comma, blanks
// around it dropped, quotes taken off; reading stops at the first empty item,
// at the end of the text or after 100 reasons.
std::vector<std::string> readReasons(std::string_view fileText);

class Reasons {
public:
    static constexpr int kMax = 100;

    explicit Reasons(const AppPaths& paths) : m_paths(paths) {}

    // (Re)loads the reasons; a missing file leaves none.
    void InputReasons();
    // Reason n as written in the file; empty outside 1..count().
    std::string reason(int n) const;
    // Reason n made safe to stand inside a console line.
    std::string forConsole(int n) const;
    int count() const { return static_cast<int>(m_reasons.size()); }
    const std::vector<std::string>& all() const { return m_reasons; }

private:
    const AppPaths& m_paths;
    std::vector<std::string> m_reasons;
};

// The reasons as the console lines' "MSG<n>" placeholders take them.
class ConsoleReasons final : public ReasonTexts {
public:
    explicit ConsoleReasons(const Reasons& reasons) : m_reasons(reasons) {}
    std::string reason(int number) const override { return m_reasons.forConsole(number); }

private:
    const Reasons& m_reasons;
};

} // namespace corvane
