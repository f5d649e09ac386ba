#include "rcon/rconqueue.h"

#include "core/gametext.h"
#include "core/numbers.h"

namespace corvane {

std::string RconEntry::displayText() const {
    return bound() ? ";" + std::to_string(slot) + ";" + guid + ";" + line : line;
}

void RconQueue::insert(RconEntry entry, bool atFront) {
    if (atFront)
        m_entries.push_front(std::move(entry));
    else
        m_entries.push_back(std::move(entry));
    changed.notify();
}

std::string RconQueue::List3A(const std::string& line, std::int16_t slot, const std::string& guid) {
    RconEntry entry{slot, slot == 0 ? std::string() : guid, line};
    const std::string shown = entry.displayText();
    const bool jumps = entry.bound() && (line.find("clientkick") != std::string::npos ||
                                         line.find("banclient") != std::string::npos ||
                                         line.find("tempbanclient") != std::string::npos);
    insert(std::move(entry), jumps);
    return shown;
}

void RconQueue::pushBack(const std::string& line) {
    insert(RconEntry{0, {}, line}, false);
}
void RconQueue::pushFront(const std::string& line) {
    insert(RconEntry{0, {}, line}, true);
}

void RconQueue::popFront() {
    if (m_entries.empty()) return;
    m_entries.pop_front();
    changed.notify();
}

std::size_t RconQueue::removeIf(const std::function<bool(const RconEntry&)>& matches) {
    const std::size_t removed = std::erase_if(m_entries, matches);
    if (removed) changed.notify();
    return removed;
}

void RconQueue::clear() {
    m_entries.clear();
    changed.notify();
}

// Messages may carry player text (names, typed words): they are neutralised
// here so that no message can end its console line and start another.
void RconQueue::SendSay(const std::string& text) {
    if (!text.empty()) pushBack("say " + neutralize(text));
}

void RconQueue::SendPM(const std::string& text) {
    if (issuer.CurrentSlot == 0) return;
    List3A("tell " + std::to_string(issuer.CurrentSlot) + " ^1PM: " + neutralize(text),
           issuer.CurrentSlot, issuer.CurrentGUID);
}

void RconQueue::SendPMLong(const std::string& text) {
    if (issuer.CurrentSlot == 0) return;
    constexpr std::size_t kMaxLetters = 40;
    const std::string prefix = "tell " + std::to_string(issuer.CurrentSlot) + " ^1PM: ";
    const std::string safe = neutralize(text);
    std::string chunk;
    std::size_t letters = 0;
    bool hasWord = false;
    auto send = [&] { List3A(prefix + chunk, issuer.CurrentSlot, issuer.CurrentGUID); };

    std::size_t start = 0;
    for (;;) {
        const std::size_t blank = safe.find(' ', start);
        const std::string word =
            safe.substr(start, blank == std::string::npos ? std::string::npos : blank - start);
        if (hasWord && letters + word.size() > kMaxLetters) {
            send();
            chunk.clear();
            letters = 0;
        }
        chunk += " " + word;
        letters += word.size();
        hasWord = true;
        if (blank == std::string::npos) break;
        start = blank + 1;
    }
    send();
}

std::string CheckReasons(std::string line, const ReasonLookup& reason) {
    // Temporary bans reach the pump as "tempbanclient" lines; the older
    // "tempbanuser" form is still looked at.
    const bool examined = line.rfind("clientkick", 0) == 0 || line.rfind("tempbanclient", 0) == 0 ||
                          line.rfind("tempbanuser", 0) == 0 || line.rfind("tell", 0) == 0 ||
                          line.rfind("say", 0) == 0;
    return examined ? expandReasonCodes(std::move(line), reason) : line;
}

std::string expandReasonCodes(std::string text, const ReasonLookup& reason) {
    std::size_t from = 0;
    for (int round = 0; round < 101; ++round) {
        const std::size_t p = findIgnoringCase(text, "MSG", from);
        if (p == std::string::npos) break;
        from = p;
        const std::string n = trimBlanks(text.substr(p + 3, 2));
        const auto number = toInt16(n);
        // A placeholder without a usable number (none, or a negative one) stays
        // as it is, and the search does not get past it.
        if (!number || *number < 0) break;
        text = replaceAll(std::move(text), "msg", "MSG");
        text = replaceAll(std::move(text), "MSG" + n, reason ? reason(*number) : std::string());
        text = trimBlanks(text);
    }
    return text;
}

} // namespace corvane
