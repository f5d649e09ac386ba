#pragma once
// The operator's message editor: one text box shared by the sub-tabs "Timed
// Messages", "Rules" and "Reasons", the interval box of the timed messages,
// and the welcome box. Files are edited as raw lines (quotes and blank lines
// kept) and written back only when the text changed, always to the file of
// what is loaded.

#include "core/signal.h"

#include <memory>
#include <string>

namespace corvane {

class ActivityLog;
class AppPaths;
class EventLoop;
class Messages;
class Settings;
class Timer;

enum class MessageTab { TimedMessages, Rules, Reasons, WelcomeMessage, PmSettings };
// What the editor holds: nothing yet, Data/MR.txt, Data/Rules.txt or Data/Reasons.txt.
enum class EditorMode { None, TimedMessages, Rules, Reasons };

class MessageEditor {
public:
    static constexpr int kSaveDelayMs = 3000;

    MessageEditor(EventLoop& loop, const AppPaths& paths, ActivityLog& log, Settings& settings,
                  Messages& messages);
    ~MessageEditor();
    MessageEditor(const MessageEditor&) = delete;
    MessageEditor& operator=(const MessageEditor&) = delete;

    // What the editor holds is saved first (when changed), then the new sub-tab loads.
    void selectSubTab(MessageTab tab);
    MessageTab subTab() const { return m_subTab; }

    void LoadM();
    void LoadR();
    void LoadRes();
    EditorMode mode() const { return m_mode; }
    const std::string& text() const { return m_text; }
    const std::string& intervalText() const { return m_interval; }

    // Typing in the editor: a key press holds the delayed save, a key release
    // (with the text as it now stands) starts it again.
    void editorKeyPressed();
    void editorKeyReleased(const std::string& text);
    // The interval box loses the focus; returns what the box shows then
    // ("60" for anything but a whole number above 0).
    std::string intervalLeft(const std::string& text);
    // Writes what is loaded back to its own file when it changed, then
    // reloads the lists.
    void SaveMessageS();

    // The welcome box: saved 3 s after the last key release and when it loses the focus.
    const std::string& welcomeText() const { return m_welcome; }
    void welcomeKeyPressed();
    void welcomeKeyReleased(const std::string& text);
    void welcomeLeft(const std::string& text);
    void welcomeDefault();
    void welcomePreview();

    // Shutdown: nothing typed is lost.
    void saveEverything();
    void stopTimers();

    // The editor's or a box's text was replaced (a load, the interval rule, "Default").
    Signal<> contentsChanged;

private:
    void load(EditorMode mode);
    void saveWelcome();

    const AppPaths& m_paths;
    ActivityLog& m_log;
    Settings& m_settings;
    Messages& m_messages;
    std::unique_ptr<Timer> m_saveTimer;
    std::unique_ptr<Timer> m_welcomeTimer;

    MessageTab m_subTab = MessageTab::TimedMessages;
    EditorMode m_mode = EditorMode::None;
    std::string m_text;
    std::string m_interval;
    // As loaded or last saved: what "changed" is measured against.
    std::string m_savedText;
    std::string m_savedInterval;
    std::string m_welcome;
};

} // namespace corvane
