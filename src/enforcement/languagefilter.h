#pragma once
// The language filter: every chat line is searched for the words of an
// editable list (Data/LF.txt); a player who uses one is warned up to the limit
// in the "Warns:" box and then kicked, or kicked at once for words marked
// "k|". Also the "Language Filter" tab's texts: the "Warns:" box and the word
// list editor, saved 3 seconds after the last edit.

#include "core/apppaths.h"
#include "core/signal.h"
#include "enforcement/badwords.h"
#include "enforcement/slotstate.h"

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace corvane {

class ActivityLog;
class EventLoop;
class RconQueue;
class SlotTable;
class Timer;
struct ModSettings;

class LanguageFilter {
public:
    static constexpr int kSaveDelayMs = 3000; // Timer31

    LanguageFilter(const AppPaths& paths, const ModSettings& mod, ActivityLog& log,
                   RconQueue& queue, const SlotTable& slots, EventLoop& loop);
    ~LanguageFilter();
    LanguageFilter(const LanguageFilter&) = delete;
    LanguageFilter& operator=(const LanguageFilter&) = delete;

    // Reads Data/LF.txt: the words, and the warning limit into the "Warns:" box.
    // A missing file leaves the list empty, without a word.
    void LoadBadWords();
    const std::vector<BadWord>& BadWords() const { return m_words.words(); }

    // One chat line: the speaker's name and slot as the line gives them, what
    // he typed, and whether it is a "!" command. The text is only read.
    void BadWordFilter(const std::string& name, const std::string& guid, const std::string& text,
                       const std::string& slot, bool isCommand);
    // Whether the word holds the name of a player who is online (any case).
    bool CheckPlayerLang(std::string_view word) const;

    std::int16_t LanguageWarns(int slot) const { return m_warnings.count(slot); }
    bool LanguageHandled(int slot) const { return m_warnings.handled(slot); }
    void newBatch() { m_warnings.newBatch(); }
    void resetWarnings(int slot) { m_warnings.reset(slot); }

    // ---- the "Language Filter" tab
    const std::string& warnsText() const { return m_warnsText; }
    const std::string& editorText() const { return m_editorText; }
    std::int16_t limit() const { return warningLimit(m_warnsText); }
    // Showing the tab loads both texts from the file (after saving edits
    // still waiting for their save).
    void showTab();
    // Each edit restarts the delayed save.
    void warnsEdited(const std::string& text);
    void editorEdited(const std::string& text);
    // The "Warns:" box loses the focus: save now.
    void warnsLeft() { saveWordList(); }
    // Writes the "Warns:" box as line 1 and the editor's lines after it, then
    // loads the words again.
    void saveWordList();
    bool savePending() const;

    // The "Warns:" box or the editor text was (re)loaded.
    Signal<> tabTextsChanged;

private:
    void warn(int slot, const std::string& name, const std::string& token, std::int16_t count,
              std::int16_t limit);
    void kick(int slot, const std::string& name, const std::string& token, const std::string& word);
    const std::string& slotGUID(int slot) const;

    AppPaths m_paths;
    const ModSettings& m_mod;
    ActivityLog& m_log;
    RconQueue& m_queue;
    const SlotTable& m_slots;
    std::unique_ptr<Timer> m_timer31;

    BadWordSet m_words;
    SlotWarnings m_warnings; // LanguageWarns and LanguageHandled
    std::string m_warnsText;
    std::string m_editorText;
    bool m_editorLoaded = false;
};

} // namespace corvane
