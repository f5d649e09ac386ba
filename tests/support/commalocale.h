#pragma once
// A comma-decimal locale (de_DE.UTF-8, made by tests/support/comma-locale.sh
// in the build folder) switched on for one test, as the window program's
// toolkit switches on the user's locale at start-up.

#include <clocale>
#include <cstdlib>
#include <string>

namespace corvane::testing {

inline constexpr const char* kCommaLocale = "de_DE.UTF-8";

class CommaDecimalLocale {
public:
    CommaDecimalLocale() {
        const char* current = std::setlocale(LC_ALL, nullptr);
        m_previous = current ? current : "C";
        ::setenv("LOCPATH", CORVANE_TEST_LOCPATH, 0);
        m_active = std::setlocale(LC_ALL, kCommaLocale) != nullptr &&
                   std::string(std::localeconv()->decimal_point) == ",";
    }
    ~CommaDecimalLocale() { std::setlocale(LC_ALL, m_previous.c_str()); }
    CommaDecimalLocale(const CommaDecimalLocale&) = delete;
    CommaDecimalLocale& operator=(const CommaDecimalLocale&) = delete;

    bool active() const { return m_active; }

private:
    std::string m_previous;
    bool m_active = false;
};

} // namespace corvane::testing
