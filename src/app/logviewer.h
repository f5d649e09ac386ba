#pragma once
// The log viewer: one of the four running records read in full from its file,
// as it stands on disk when opened or updated. One viewer serves all four; it
// remembers which it shows so that "Update" reads that one again.

#include "core/richtext.h"

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>

namespace corvane {

class AppPaths;
class ChatLog;

enum class ViewerMode : std::int16_t {
    None = 0,
    ChatArchive = 1, // Logs/ChatArchive.txt
    ServerLog = 2,   // Logs/Server.txt
    ChatLog = 3,     // Logs/Chat.rtf
    ConsoleLog = 4,  // Logs/Console.txt
};

class LogViewer {
public:
    // The files only grow; beyond this the viewer shows their newest part.
    static constexpr std::size_t kMaxShownBytes = 4 * 1024 * 1024;

    LogViewer(const AppPaths& paths, ChatLog& chat);

    // The "Logs" menu entries. "View Chat Log" first saves the chat view so
    // the file holds the chat as it stands; the server and console logs empty
    // the view first, so a missing file leaves it empty.
    void LoadA();
    void LoadS();
    void LoadR();
    void LoadC();
    // The viewer's "Update": the current mode's file again.
    void Update();

    ViewerMode mode() const { return m_mode; }
    std::filesystem::path file(ViewerMode mode) const;
    RichText& view() { return m_view; }
    const RichText& view() const { return m_view; }

private:
    void load(ViewerMode mode);

    const AppPaths& m_paths;
    ChatLog& m_chat;
    ViewerMode m_mode = ViewerMode::None;
    RichText m_view;
};

// At most maxBytes from the end of a file, starting at a whole line; when the
// start was left out, the text says so first. Empty when it cannot be read.
std::optional<std::string> readNewestPart(const std::filesystem::path& file, std::size_t maxBytes);

} // namespace corvane
