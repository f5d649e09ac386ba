#include "enforcement/languagefilter.h"

#include "core/activitylog.h"
#include "core/datafiles.h"
#include "core/eventloop.h"
#include "core/gametext.h"
#include "core/modsettings.h"
#include "core/numbers.h"
#include "core/textfile.h"
#include "rcon/rconqueue.h"
#include "rcon/slottable.h"

namespace corvane {
namespace {

constexpr std::size_t kLanguageWarnMode = 2;
constexpr std::size_t kLanguageKickMode = 3;

std::string firstLine(std::string_view text) {
    return std::string(text.substr(0, text.find_first_of("\r\n")));
}

} // namespace

LanguageFilter::LanguageFilter(const AppPaths& paths, const ModSettings& mod, ActivityLog& log,
                               RconQueue& queue, const SlotTable& slots, EventLoop& loop)
    : m_paths(paths), m_mod(mod), m_log(log), m_queue(queue), m_slots(slots),
      m_timer31(loop.createTimer(kSaveDelayMs, true, [this] { saveWordList(); })) {}

LanguageFilter::~LanguageFilter() = default;

void LanguageFilter::LoadBadWords() {
    const auto text = readFile(m_paths.file(kWordFile));
    BadWordList list = text ? parseBadWords(*text) : BadWordList{};
    m_words = BadWordSet(std::move(list.words));
    if (text) m_warnsText = list.warnsText;
    // The editor starts from the file, so that a save never writes an editor
    // that was never filled over the list.
    if (!m_editorLoaded) {
        m_editorText = text ? wordListEditorText(*text) : std::string();
        m_editorLoaded = true;
    }
    if (list.dropped > 0)
        m_log.SMS("LF.txt lists more than " + decimal(kMaxBadWords) + " words: the last " +
                      decimal(static_cast<long long>(list.dropped)) + " are not used",
                  kRed);
    tabTextsChanged.notify();
}

void LanguageFilter::BadWordFilter(const std::string& name, const std::string& /*guid*/,
                                   const std::string& text, const std::string& slotText,
                                   bool isCommand) {
    if (m_mod.LanguageFilterEnabled == 0) return;
    const auto slot = SlotTable::slotIndex(slotText);
    if (!slot || m_warnings.handled(*slot)) return;
    const std::int16_t limit = warningLimit(m_warnsText);

    const auto match = findBadWord(m_words, text);
    if (!match) return;
    m_warnings.markHandled(*slot);
    // An admin naming an online player whose name holds the word (a kick of
    // "Dickens") is not sanctioned for it, whatever the word's mark.
    if (isCommand && CheckPlayerLang(match->token)) return;

    const BadWord& entry = m_words.words()[match->index];
    if (entry.kickAtOnce) {
        kick(*slot, name, match->token, entry.word);
        return;
    }
    const std::int16_t count = m_warnings.record(*slot);
    if (count <= limit)
        warn(*slot, name, match->token, count, limit);
    else
        kick(*slot, name, match->token, entry.word);
}

bool LanguageFilter::CheckPlayerLang(std::string_view word) const {
    for (int s = 0; s < SlotTable::kSlots; ++s) {
        const std::string& online = m_slots[s].SlotName;
        if (!online.empty() && findIgnoringCase(word, online) != std::string_view::npos)
            return true;
    }
    return false;
}

const std::string& LanguageFilter::slotGUID(int slot) const {
    return m_slots[slot].SlotGUID;
}

void LanguageFilter::warn(int slot, const std::string& name, const std::string& token,
                          std::int16_t count, std::int16_t limit) {
    m_log.SMS("Warning " + name + " for language: " + token + " [Warning " + decimal(count) +
              " of " + decimal(limit) + "]");
    const std::string tally = " [Warning ^1" + decimal(count) + " ^2of " + decimal(limit) + "]";
    const auto slotNo = static_cast<std::int16_t>(slot);
    if (m_mod.AnnounceMode[kLanguageWarnMode] != 0)
        m_queue.List3A("tell " + decimal(slot) +
                           " ^2PM: ^1You have been warned: ^2Please watch your language!" + tally,
                       slotNo, slotGUID(slot));
    else
        m_queue.List3A("say ^1Warning ^2" + neutralize(name) +
                           ", ^1Reason: ^2Please watch your language!" + tally,
                       slotNo, slotGUID(slot));
}

void LanguageFilter::kick(int slot, const std::string& name, const std::string& token,
                          const std::string& word) {
    m_warnings.reset(slot);
    m_log.SMS("Kicking " + name + " for language: " + token + ", Badword: " + word);
    // The announcement is not tied to the player: the kick, which goes first,
    // empties his slot.
    if (m_mod.AnnounceMode[kLanguageKickMode] == 0)
        m_queue.pushBack("say ^1Kicking ^2" + neutralize(name) +
                         ", ^1Reason:  ^2Watch your language!");
    m_queue.List3A("clientkick " + decimal(slot) + " Watch your language!\"",
                   static_cast<std::int16_t>(slot), slotGUID(slot));
}

void LanguageFilter::showTab() {
    if (savePending()) saveWordList();
    const auto text = readFile(m_paths.file(kWordFile));
    m_warnsText = text ? firstLine(*text) : std::string();
    m_editorText = text ? wordListEditorText(*text) : std::string();
    tabTextsChanged.notify();
}

void LanguageFilter::warnsEdited(const std::string& text) {
    m_warnsText = firstLine(text); // the box holds one line
    m_timer31->start();
}

void LanguageFilter::editorEdited(const std::string& text) {
    m_editorText = text;
    m_editorLoaded = true;
    m_timer31->start();
}

bool LanguageFilter::savePending() const {
    return m_timer31->isActive();
}

void LanguageFilter::saveWordList() {
    m_timer31->stop();
    std::string contents = m_warnsText + "\r\n";
    for (const std::string& line : splitLines(m_editorText))
        contents += line + "\r\n";
    std::string error;
    if (!atomicReplace(m_paths.file(kWordFile), contents, &error)) {
        m_log.SMS("Error saving LF.txt! " + error, kRed);
        return;
    }
    LoadBadWords();
}

} // namespace corvane
