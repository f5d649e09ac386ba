#pragma once
// Message boxes and input boxes: the operator answers, the program waits.

#include <string>

namespace corvane {

enum class MessageIcon { None, Critical, Question, Exclamation, Information };
enum class MessageButtons { Ok, YesNo, AbortRetryIgnore };
enum class MessageResult { Ok, Yes, No, Abort, Retry, Ignore };

class Prompts {
public:
    virtual ~Prompts() = default;
    virtual MessageResult messageBox(const std::string& title, const std::string& text,
                                     MessageButtons buttons, MessageIcon icon) = 0;
    // Returns the typed text; an empty text means the operator cancelled.
    virtual std::string inputBox(const std::string& title, const std::string& prompt,
                                 const std::string& initial = {}) = 0;
};

} // namespace corvane
