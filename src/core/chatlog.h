#pragma once
// The in-game chat: the chat view (saved as Logs/Chat.rtf) and the plain-text
// archive Logs/ChatArchive.txt.

#include "core/apppaths.h"
#include "core/clock.h"
#include "core/richtext.h"
#include "core/signal.h"

#include <string>

namespace corvane {

class Prompts;

inline constexpr const char* kChatHeading = "-In Game Chat-";

class ChatLog {
public:
    // The chat view keeps about this much of the newest chat (the archive
    // keeps everything), so neither it nor its transcript grows for the whole run.
    static constexpr std::size_t kViewLimit = 1024 * 1024;

    ChatLog(const AppPaths& paths, const Clock& clock);
    ChatLog(const ChatLog&) = delete;
    ChatLog& operator=(const ChatLog&) = delete;

    // Start-up: loads Logs/Chat.rtf into the chat view. A missing, unreadable
    // or empty transcript leaves the view as it is; false then.
    bool Loadr2();
    // Saves the chat view to Logs/Chat.rtf, unless nothing changed since the
    // last save or load (the file would be the same). False when it cannot be written.
    bool saveChatView();
    bool unsavedChanges() const { return m_unsaved; }

    // Appends one time-stamped line to the archive; a lost line is acceptable.
    void SaveChatF(const std::string& text);
    // Between these, archive lines are collected and then appended with one
    // opening of the file: a batch of log lines writes the archive once.
    void holdArchive() { m_holdingArchive = true; }
    void flushArchive();
    // "Clear Chat": asks, then empties the view to its heading.
    void clearChat(Prompts& prompts);

    RichText& view() { return m_view; }
    const RichText& view() const { return m_view; }

private:
    const AppPaths& m_paths;
    const Clock& m_clock;
    RichText m_view;
    Connections m_connections;
    bool m_unsaved = false;
    bool m_holdingArchive = false;
    std::string m_heldArchive; // stamped lines, each but the last followed by CR LF
};

} // namespace corvane
