#pragma once
// The in-game chat: the chat view (saved as Logs/Chat.rtf) and the plain-text
// archive Logs/ChatArchive.txt.

#include "core/apppaths.h"
#include "core/clock.h"
#include "core/richtext.h"

#include <string>

namespace corvane {

class Prompts;

inline constexpr const char* kChatHeading = "-In Game Chat-";

class ChatLog {
public:
    ChatLog(const AppPaths& paths, const Clock& clock);

    // Appends one time-stamped line to the archive; a lost line is acceptable.
    void SaveChatF(const std::string& text);
    // "Clear Chat": asks, then empties the view to its heading.
    void clearChat(Prompts& prompts);

    RichText& view() { return m_view; }
    const RichText& view() const { return m_view; }

private:
    const AppPaths& m_paths;
    const Clock& m_clock;
    RichText m_view;
};

} // namespace corvane
