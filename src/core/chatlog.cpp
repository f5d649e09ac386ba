#include "core/chatlog.h"

#include "core/datafiles.h"
#include "core/prompts.h"
#include "core/rtf.h"
#include "core/textfile.h"

namespace corvane {

ChatLog::ChatLog(const AppPaths& paths, const Clock& clock) : m_paths(paths), m_clock(clock) {
    m_view.setText(kChatHeading);
    m_view.setLimit(kViewLimit, kChatHeading);
    m_connections += m_view.appended.connect([this](const TextRun&) { m_unsaved = true; });
    m_connections += m_view.reset.connect([this] { m_unsaved = true; });
    m_unsaved = false;
}

bool ChatLog::Loadr2() {
    const auto document = readFile(m_paths.file(kChatViewFile));
    if (!document) return false;
    const auto runs = fromRtf(*document);
    if (!runs || runs->empty()) return false;
    m_view.assign(*runs);
    m_unsaved = false;
    return true;
}

bool ChatLog::saveChatView() {
    if (!m_unsaved) return true;
    if (!atomicReplace(m_paths.file(kChatViewFile), toRtf(m_view.runs()))) return false;
    m_unsaved = false;
    return true;
}

void ChatLog::SaveChatF(const std::string& text) {
    const std::string line = fileStamp(m_clock.now()) + text;
    if (!m_holdingArchive) {
        appendLine(m_paths.file(kChatArchiveFile), line);
        return;
    }
    if (!m_heldArchive.empty()) m_heldArchive += "\r\n";
    m_heldArchive += line;
}

void ChatLog::flushArchive() {
    m_holdingArchive = false;
    if (m_heldArchive.empty()) return;
    appendLine(m_paths.file(kChatArchiveFile), m_heldArchive);
    m_heldArchive.clear();
}

void ChatLog::clearChat(Prompts& prompts) {
    const MessageResult answer =
        prompts.messageBox("Clear Chat Log", "Are you sure you want to clear the In-Game Chat?",
                           MessageButtons::YesNo, MessageIcon::Question);
    if (answer == MessageResult::Yes) m_view.setText(kChatHeading);
}

} // namespace corvane
