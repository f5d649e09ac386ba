#include "fakeports.h"

#include <chrono>

namespace corvane::testing {

MessageResult ScriptedPrompts::messageBox(const std::string& title, const std::string& text,
                                          MessageButtons buttons, MessageIcon icon) {
    asked.push_back({title, text, buttons, icon});
    if (whileShown) whileShown();
    if (!answers.empty()) {
        const MessageResult answer = answers.front();
        answers.pop_front();
        return answer;
    }
    return buttons == MessageButtons::YesNo              ? MessageResult::Yes
           : buttons == MessageButtons::AbortRetryIgnore ? MessageResult::Abort
                                                         : MessageResult::Ok;
}

std::string ScriptedPrompts::inputBox(const std::string& title, const std::string& prompt,
                                      const std::string&) {
    inputPrompts.push_back(title + ": " + prompt);
    if (inputs.empty()) return {};
    std::string answer = inputs.front();
    inputs.pop_front();
    return answer;
}

LocalDateTime VirtualClock::now() const {
    using namespace std::chrono;
    const sys_days day = year{m_base.year} / month{static_cast<unsigned>(m_base.month)} /
                         std::chrono::day{static_cast<unsigned>(m_base.day)};
    const auto start = day + hours{m_base.hour} + minutes{m_base.minute} + seconds{m_base.second};
    const auto t = start + milliseconds{m_loop.now()};
    const sys_days d = floor<days>(t);
    const year_month_day ymd{d};
    const hh_mm_ss hms{floor<seconds>(t - d)};
    return LocalDateTime{static_cast<int>(ymd.year()),
                         static_cast<int>(static_cast<unsigned>(ymd.month())),
                         static_cast<int>(static_cast<unsigned>(ymd.day())),
                         static_cast<int>(hms.hours().count()),
                         static_cast<int>(hms.minutes().count()),
                         static_cast<int>(hms.seconds().count())};
}

} // namespace corvane::testing
