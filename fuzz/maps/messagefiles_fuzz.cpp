// Any file text: the readers never crash, keep their bounds, and hand over no
// empty entry and no rule holding a line break.

#include "maps/messagefiles.h"

#include <cstddef>
#include <cstdint>
#include <string>

namespace {

void check(bool condition) {
    if (!condition) __builtin_trap();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string text(reinterpret_cast<const char*>(data), size);

    const corvane::TimedMessageFile timed = corvane::readTimedMessages(text);
    check(timed.messages.size() <= corvane::kMaxTimedMessages);
    for (const std::string& message : timed.messages)
        check(!message.empty() && message.find_first_of("\r\n") == std::string::npos);
    if (const auto interval = corvane::rotationInterval(timed.intervalText)) check(*interval > 0);

    const corvane::RulesFile rules = corvane::readRules(text);
    check(rules.rules.size() <= corvane::kMaxRules);
    for (const std::string& rule : rules.rules)
        check(!rule.empty() && rule.find_first_of("\r\n") == std::string::npos);
    return 0;
}
