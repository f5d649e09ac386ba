#include "app/logviewer.h"

#include "core/apppaths.h"
#include "core/chatlog.h"
#include "core/datafiles.h"
#include "core/rtf.h"
#include "core/textfile.h"

#include <fstream>

namespace corvane {

LogViewer::LogViewer(const AppPaths& paths, ChatLog& chat) : m_paths(paths), m_chat(chat) {
    m_view.append(kChatHeading, kBlack, true);
}

std::filesystem::path LogViewer::file(ViewerMode mode) const {
    switch (mode) {
    case ViewerMode::ChatArchive:
        return m_paths.file(kChatArchiveFile);
    case ViewerMode::ServerLog:
        return m_paths.file(kActivityLogFile);
    case ViewerMode::ChatLog:
        return m_paths.file(kChatViewFile);
    case ViewerMode::ConsoleLog:
        return m_paths.file(kConsoleLogFile);
    case ViewerMode::None:
        break;
    }
    return {};
}

void LogViewer::LoadA() {
    load(ViewerMode::ChatArchive);
}

void LogViewer::LoadS() {
    m_view.setText("");
    load(ViewerMode::ServerLog);
}

void LogViewer::LoadR() {
    m_chat.saveChatView();
    load(ViewerMode::ChatLog);
}

void LogViewer::LoadC() {
    m_view.setText("");
    load(ViewerMode::ConsoleLog);
}

void LogViewer::Update() {
    switch (m_mode) {
    case ViewerMode::ChatArchive:
        LoadA();
        break;
    case ViewerMode::ServerLog:
        LoadS();
        break;
    case ViewerMode::ChatLog:
        // The file as the last batch of log lines left it.
        load(ViewerMode::ChatLog);
        break;
    case ViewerMode::ConsoleLog:
        LoadC();
        break;
    case ViewerMode::None:
        break;
    }
}

// A file that cannot be read leaves the view as it is. The transcript is one
// document and is read whole; it holds only what the chat view holds.
void LogViewer::load(ViewerMode mode) {
    m_mode = mode;
    const auto text = mode == ViewerMode::ChatLog ? readFile(file(mode))
                                                  : readNewestPart(file(mode), kMaxShownBytes);
    if (!text) return;
    if (mode != ViewerMode::ChatLog) {
        m_view.setText(*text);
        return;
    }
    const auto runs = fromRtf(*text);
    if (!runs) return;
    m_view.setText("");
    for (const TextRun& run : *runs)
        m_view.append(run.text, run.colour, run.bold);
}

std::optional<std::string> readNewestPart(const std::filesystem::path& file, std::size_t maxBytes) {
    std::ifstream in(file, std::ios::binary | std::ios::ate);
    if (!in) return std::nullopt;
    const auto size = static_cast<std::size_t>(in.tellg());
    const std::size_t skipped = size > maxBytes ? size - maxBytes : 0;
    in.seekg(static_cast<std::streamoff>(skipped));
    std::string text(size - skipped, '\0');
    in.read(text.data(), static_cast<std::streamsize>(text.size()));
    if (in.bad()) return std::nullopt;
    text.resize(static_cast<std::size_t>(in.gcount()));
    if (skipped == 0) return text;
    const std::size_t lineStart = text.find('\n');
    text.erase(0, lineStart == std::string::npos ? text.size() : lineStart + 1);
    return "... (the older part of " + file.filename().string() + " is not shown)\r\n" + text;
}

} // namespace corvane
