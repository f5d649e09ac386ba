#include "maps/messageeditor.h"

#include "core/activitylog.h"
#include "core/apppaths.h"
#include "core/datafiles.h"
#include "core/eventloop.h"
#include "core/modsettings.h"
#include "core/numbers.h"
#include "core/settings.h"
#include "core/textfile.h"
#include "maps/messagefiles.h"
#include "maps/messages.h"

namespace corvane {

namespace {

std::string_view fileOf(EditorMode mode) {
    switch (mode) {
    case EditorMode::TimedMessages:
        return kTimedMessagesFile;
    case EditorMode::Rules:
        return kRulesFile;
    case EditorMode::Reasons:
        return kReasonsFile;
    case EditorMode::None:
        break;
    }
    return {};
}

std::string joinLines(const std::vector<std::string>& lines, std::size_t from) {
    std::string out;
    for (std::size_t i = from; i < lines.size(); ++i) {
        if (i > from) out += "\r\n";
        out += lines[i];
    }
    return out;
}

// The window may hand over LF or CR line ends; the files keep CR LF. Nothing
// else is touched, blank lines included.
std::string withCrLf(const std::string& text) {
    std::string out;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\r') {
            if (i + 1 < text.size() && text[i + 1] == '\n') ++i;
            out += "\r\n";
        } else if (text[i] == '\n') {
            out += "\r\n";
        } else {
            out += text[i];
        }
    }
    return out;
}

} // namespace

MessageEditor::MessageEditor(EventLoop& loop, const AppPaths& paths, ActivityLog& log,
                             Settings& settings, Messages& messages)
    : m_paths(paths), m_log(log), m_settings(settings), m_messages(messages),
      m_saveTimer(loop.createTimer(kSaveDelayMs, true, [this] { SaveMessageS(); })),
      m_welcomeTimer(loop.createTimer(kSaveDelayMs, true, [this] { saveWelcome(); })) {}

MessageEditor::~MessageEditor() = default;

void MessageEditor::selectSubTab(MessageTab tab) {
    SaveMessageS();
    // A welcome typed just before the sub-tab changes is not lost either.
    if (m_welcomeTimer->isActive()) saveWelcome();
    m_subTab = tab;
    switch (tab) {
    case MessageTab::TimedMessages:
        LoadM();
        break;
    case MessageTab::Rules:
        LoadR();
        break;
    case MessageTab::Reasons:
        LoadRes();
        break;
    case MessageTab::WelcomeMessage:
        m_welcome = m_settings.mod.WelcomeTemplate;
        contentsChanged.notify();
        break;
    case MessageTab::PmSettings:
        break;
    }
}

void MessageEditor::LoadM() {
    load(EditorMode::TimedMessages);
}
void MessageEditor::LoadR() {
    load(EditorMode::Rules);
}
void MessageEditor::LoadRes() {
    load(EditorMode::Reasons);
}

void MessageEditor::load(EditorMode mode) {
    m_saveTimer->stop();
    m_mode = mode;
    const auto contents = readFile(m_paths.file(fileOf(mode)));
    const std::vector<std::string> lines =
        contents ? splitLines(*contents) : std::vector<std::string>{};
    if (mode == EditorMode::TimedMessages) {
        m_interval = lines.empty() ? std::string() : lines[0];
        m_text = joinLines(lines, 1);
    } else {
        m_interval.clear();
        m_text = joinLines(lines, 0);
    }
    m_savedText = m_text;
    m_savedInterval = m_interval;
    contentsChanged.notify();
}

void MessageEditor::editorKeyPressed() {
    m_saveTimer->stop();
}

void MessageEditor::editorKeyReleased(const std::string& text) {
    m_text = text;
    m_saveTimer->start();
}

std::string MessageEditor::intervalLeft(const std::string& text) {
    m_interval = rotationInterval(text) ? text : "60";
    if (m_interval != text) contentsChanged.notify();
    SaveMessageS();
    return m_interval;
}

void MessageEditor::SaveMessageS() {
    m_saveTimer->stop();
    if (m_mode == EditorMode::None) return;
    const bool timed = m_mode == EditorMode::TimedMessages;
    const std::string text = withCrLf(m_text);
    // Merely visiting a sub-tab must never rewrite its file.
    if (text == m_savedText && (!timed || m_interval == m_savedInterval)) return;
    const std::string contents = (timed ? withCrLf(m_interval) + "\r\n" : "") + text + "\r\n";
    if (!atomicReplace(m_paths.file(fileOf(m_mode)), contents)) {
        const std::string name(baseName(fileOf(m_mode)));
        m_log.SMS("Error saving " + name + "!", kRed);
        return;
    }
    m_text = text;
    m_savedText = text;
    m_savedInterval = m_interval;
    m_messages.InputLists();
}

void MessageEditor::welcomeKeyPressed() {
    m_welcomeTimer->stop();
}

void MessageEditor::welcomeKeyReleased(const std::string& text) {
    m_welcome = text;
    m_welcomeTimer->start();
}

void MessageEditor::welcomeLeft(const std::string& text) {
    m_welcome = text;
    saveWelcome();
}

void MessageEditor::welcomeDefault() {
    m_welcome = kDefaultWelcomeTemplate;
    // Saved like a typed template.
    m_welcomeTimer->start();
    contentsChanged.notify();
}

void MessageEditor::welcomePreview() {
    m_messages.PWelcome(m_welcome);
}

void MessageEditor::saveWelcome() {
    m_welcomeTimer->stop();
    m_messages.SaveWelcome(m_welcome);
}

void MessageEditor::saveEverything() {
    SaveMessageS();
    if (m_welcomeTimer->isActive()) saveWelcome();
}

void MessageEditor::stopTimers() {
    m_saveTimer->stop();
    m_welcomeTimer->stop();
}

} // namespace corvane
