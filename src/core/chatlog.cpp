#include "core/chatlog.h"

#include "core/prompts.h"
#include "core/textfile.h"

namespace corvane {

ChatLog::ChatLog(const AppPaths& paths, const Clock& clock) : m_paths(paths), m_clock(clock) {
    m_view.setText(kChatHeading);
}

void ChatLog::SaveChatF(const std::string& text) {
    appendLine(m_paths.file("Logs/ChatArchive.txt"), fileStamp(m_clock.now()) + text);
}

void ChatLog::clearChat(Prompts& prompts) {
    const MessageResult answer =
        prompts.messageBox("Clear Chat Log", "Are you sure you want to clear the In-Game Chat?",
                           MessageButtons::YesNo, MessageIcon::Question);
    if (answer == MessageResult::Yes) m_view.setText(kChatHeading);
}

} // namespace corvane
