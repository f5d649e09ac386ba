#pragma once
// The terminal of corvane-mod-headless: it renders the App's views as lines,
// like the window renders them as widgets. The activity log comes as it is
// written; chat lines, players joining and leaving, and the console's commands
// and replies come prefixed by their view ("[chat]", "[players]",
// "[console]"). Quiet, it shows the activity log alone.

#include "core/richtext.h"
#include "rcon/slottable.h"

#include <array>
#include <ostream>
#include <string>
#include <string_view>

namespace corvane {

class App;

struct PrinterStyle {
    bool colour = false; // terminal escapes for the views' colours
    bool quiet = false;  // the activity log only
};

class TerminalPrinter {
public:
    TerminalPrinter(App& app, std::ostream& out, PrinterStyle style);
    TerminalPrinter(const TerminalPrinter&) = delete;
    TerminalPrinter& operator=(const TerminalPrinter&) = delete;

private:
    struct SeenPlayer {
        std::string name;
        std::string guid;
    };

    void connectViews();
    void print(std::string_view tag, Colour tagColour, const std::string& line);
    void chatRun(const TextRun& run);
    void finishChatLine();
    void consoleEntry(const std::string& entry);
    void slotsChanged();

    App& m_app;
    std::ostream& m_out;
    PrinterStyle m_style;
    // The chat line being added run by run; printed once the handler that
    // adds it has ended.
    std::string m_chatLine;
    bool m_chatLinePending = false;
    std::array<SeenPlayer, SlotTable::kSlots> m_seen{};
};

} // namespace corvane
