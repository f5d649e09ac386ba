#include "headless/printer.h"

#include "app/app.h"
#include "core/textfile.h"
#include "headless/terminaltext.h"

namespace corvane {
namespace {

// The tags' colours (blue-green-red): chat green, players yellow, console cyan.
constexpr Colour kChatTag = 0x008000;
constexpr Colour kPlayersTag = 0x00C0C0;
constexpr Colour kConsoleTag = 0xC0C000;

} // namespace

TerminalPrinter::TerminalPrinter(App& app, std::ostream& out, PrinterStyle style)
    : m_app(app), m_out(out), m_style(style) {
    m_app.activityLog().entryWritten.connect([this](const std::string& line, Colour colour) {
        m_out << paint(terminalText(line), colour, false, m_style.colour) << std::endl;
    });
    if (!m_style.quiet) connectViews();
}

void TerminalPrinter::connectViews() {
    RichText& chat = m_app.chatLog().view();
    chat.appended.connect([this](const TextRun& run) { chatRun(run); });
    // A reloaded or cleared view is no new chat.
    chat.reset.connect([this] {
        m_chatLine.clear();
        m_chatLinePending = false;
    });
    m_app.consoleLog().viewAppended.connect(
        [this](const std::string& entry) { consoleEntry(entry); });
    m_app.slotTable().changed.connect([this] { slotsChanged(); });
}

void TerminalPrinter::print(std::string_view tag, Colour tagColour, const std::string& line) {
    m_out << paint(tag, tagColour, true, m_style.colour) << ' ' << line << std::endl;
}

void TerminalPrinter::chatRun(const TextRun& run) {
    // Each line of the view begins with a line break; runs after it continue it.
    std::string_view text = run.text;
    while (!text.empty()) {
        const std::size_t breakAt = text.find("\r\n");
        if (breakAt == 0) {
            finishChatLine();
            text.remove_prefix(2);
            continue;
        }
        const std::string_view piece = text.substr(0, breakAt);
        m_chatLine += paint(terminalText(piece), run.colour, run.bold, m_style.colour);
        text.remove_prefix(piece.size());
    }
    if (m_chatLinePending || m_chatLine.empty()) return;
    m_chatLinePending = true;
    m_app.ports().loop.post([this] { finishChatLine(); });
}

void TerminalPrinter::finishChatLine() {
    m_chatLinePending = false;
    if (m_chatLine.empty()) return;
    print("[chat]", kChatTag, m_chatLine);
    m_chatLine.clear();
}

void TerminalPrinter::consoleEntry(const std::string& entry) {
    // A reply of several lines shows as several lines.
    for (const std::string& line : splitLines(entry))
        if (!line.empty()) print("[console]", kConsoleTag, terminalText(line));
}

void TerminalPrinter::slotsChanged() {
    const SlotTable& slots = m_app.slotTable();
    for (int slot = 0; slot < SlotTable::kSlots; ++slot) {
        const SlotEntry& now = slots[slot];
        SeenPlayer& seen = m_seen[static_cast<std::size_t>(slot)];
        if (now.SlotName == seen.name && now.SlotGUID == seen.guid) continue;
        const std::string where = " (slot " + std::to_string(slot) + ")";
        // A new name under the same GUID is the same player.
        const bool samePlayer = !seen.guid.empty() && now.SlotGUID == seen.guid;
        if (!seen.name.empty() && !samePlayer && seen.name != kDemoClientName)
            print("[players]", kPlayersTag, terminalText(seen.name) + " left" + where);
        if (!now.SlotName.empty() && !samePlayer && now.SlotName != kDemoClientName)
            print("[players]", kPlayersTag, terminalText(now.SlotName) + " joined" + where);
        seen = {now.SlotName, now.SlotGUID};
    }
}

} // namespace corvane
