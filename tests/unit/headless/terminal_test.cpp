// The headless terminal: the views printed as lines, and the operator's lines
// typed on standard input.

#include "app/app.h"
#include "core/textfile.h"
#include "fakeports.h"
#include "headless/operatorinput.h"
#include "headless/printer.h"
#include "headless/terminal.h"
#include "headless/terminaltext.h"
#include "queuedlines.h"
#include "tempappdir.h"

#include <gtest/gtest.h>

#include <fcntl.h>
#include <iostream>
#include <sstream>
#include <sys/socket.h>
#include <unistd.h>

using namespace corvane;
using namespace corvane::testing;

namespace {

using Lines = std::vector<std::string>;

class TerminalTest : public ::testing::Test {
protected:
    TerminalTest() { dir.writeConfiguredServer(); }

    Lines printed() {
        fake.loop.advance(0);
        Lines lines = splitLines(out.str());
        out.str("");
        return lines;
    }
    void seat(int slot, const std::string& name, const std::string& guid) {
        app.slotTable()[slot].SlotName = name;
        app.slotTable()[slot].SlotGUID = guid;
    }
    Lines queued() { return queuedLines(app.queue()); }

    TempAppDir dir;
    FakePorts fake;
    App app{fake.ports(), AppPaths(dir.path())};
    std::ostringstream out;
};

} // namespace

TEST(TerminalText, ControlCharactersNeverReachTheTerminal) {
    EXPECT_EQ(terminalText("Bob\x1b]0;owned\x07\tx\x1f\x7f\x81\x8d\x8f\x90\x9d"),
              "Bob?]0;owned? x???????");
    EXPECT_EQ(terminalText("caf\xe9 \x80"), "caf\xc3\xa9 \xe2\x82\xac");
    EXPECT_EQ(paint("hi", kBlue, true, true), "\x1b[1;34mhi\x1b[0m"); // the others: below
    const std::pair<Colour, const char*> nearest[] = {
        {0x008000, "32"}, {0x700040, "34"}, {0x404040, "31"}, {0xFFFF00, "36"}, {0x303070, "31"},
        {0x303000, "32"}, {0xFF007F, "34"}, {0x007FFF, "31"}, {0x7FFF00, "32"}};
    for (const auto& [colour, code] : nearest)
        EXPECT_EQ(paint("x", colour, false, true), "\x1b[" + std::string(code) + "mx\x1b[0m")
            << colour;
}

TEST_F(TerminalTest, EachViewPrintsItsLinesWithItsTag) {
    TerminalPrinter printer(app, out, {});
    app.activityLog().SMS("Read Config File");
    app.rcon().operatorSay("hello there");
    app.consoleLog().SmsConsole("]say hello");
    app.consoleLog().showInView("Command Executed\r\nsecond line");
    EXPECT_EQ(printed(),
              (Lines{"[2026-12-05 09:18:28] Read Config File", "[console] 09:18:28: ]say hello",
                     "[console] 09:18:28: Command Executed", "[console] second line",
                     "[chat] Console: hello there"}));

    // A chat line from the log, with a hostile name; two lines in one batch.
    app.chatLog().view().append("\r\n0:05: ", kBlack, true);
    app.chatLog().view().append("Ev\x1b[2Jil: ", kBlack, true);
    app.chatLog().view().append("!kick", kRed);
    app.chatLog().view().append("\r\n0:06: Bob: hi");
    EXPECT_EQ(printed(), (Lines{"[chat] 0:05: Ev?[2Jil: !kick", "[chat] 0:06: Bob: hi"}));
}

TEST_F(TerminalTest, PlayersJoiningAndLeavingFromTheSlotTable) {
    TerminalPrinter printer(app, out, {});
    seat(0, kDemoClientName, "0");
    seat(3, "Bob", "g3");
    seat(4, "Eve", "g4");
    app.slotTable().changed.notify();
    EXPECT_EQ(printed(), (Lines{"[players] Bob joined (slot 3)", "[players] Eve joined (slot 4)"}));

    seat(0, "Zed", "g0");   // the demo recorder's slot is a player's too
    seat(3, "Bobby", "g3"); // a new name, the same player
    seat(4, "", "");
    seat(5, "Max", "g5");
    app.slotTable().changed.notify();
    seat(5, "Tim", "g6"); // the slot changed hands between two polls
    app.slotTable().changed.notify();
    seat(3, "", "");
    seat(5, "Tim", "g7"); // and again, to a namesake
    app.slotTable().changed.notify();
    EXPECT_EQ(printed(), (Lines{"[players] Zed joined (slot 0)", "[players] Eve left (slot 4)",
                                "[players] Max joined (slot 5)", "[players] Max left (slot 5)",
                                "[players] Tim joined (slot 5)", "[players] Bobby left (slot 3)",
                                "[players] Tim left (slot 5)", "[players] Tim joined (slot 5)"}));
}

TEST_F(TerminalTest, QuietKeepsTheActivityLogAloneAndColoursFollowTheViews) {
    const std::string activity = "[2026-12-05 09:18:28] Shutting down...";
    const std::pair<PrinterStyle, Lines> cases[] = {
        {{false, true}, {activity}},
        {{true, false},
         {"\x1b[31m" + activity + "\x1b[0m", "\x1b[1;36m[console]\x1b[0m 09:18:28: ]say hi",
          "\x1b[1;32m[chat]\x1b[0m \x1b[1;31mConsole: \x1b[0mhi"}},
    };
    for (const auto& [style, expected] : cases) {
        TerminalPrinter printer(app, out, style);
        app.activityLog().SMS("Shutting down...", kRed);
        app.rcon().operatorSay("hi");
        app.consoleLog().SmsConsole("]say hi");
        EXPECT_EQ(printed(), expected);
    }
}

TEST_F(TerminalTest, AReloadedTranscriptIsNoNewChat) {
    dir.write("Logs/Chat.rtf", "");
    app.chatLog().view().append("\r\n0:01: Bob: old line");
    ASSERT_TRUE(app.chatLog().saveChatView());
    TerminalPrinter printer(app, out, {});
    ASSERT_TRUE(app.chatLog().Loadr2());
    EXPECT_EQ(printed(), Lines{});
    EXPECT_NE(app.chatLog().view().plainText().find("old line"), std::string::npos);
}

TEST_F(TerminalTest, TypedLinesGoToTheSayBoxOrTheCommandBox) {
    std::ostringstream notices;
    OperatorInput input(app.rcon(), notices);
    input.feed("hello th");
    input.feed("ere\r\n/say hello\n\n/\n");
    input.feed("caf\xc3\xa9\n" + std::string(OperatorInput::kMaxLine + 1, 'x') + "\n" +
               std::string(1000, 'z') + "\r\n" + std::string(600, 'y'));
    input.feed(std::string(600, 'y') + "\n"); // too long only with the second read
    // The command box's line goes first; the said lines follow in order.
    EXPECT_EQ(queued(), (Lines{"say hello", "say  hello there", "say  caf\xe9",
                               "say  " + std::string(1000, 'z')}));
    EXPECT_EQ(notices.str(), "Input line ignored: longer than 1000 characters.\n"
                             "Input line ignored: longer than 1000 characters.\n");

    app.maps().messages.InputLists();
    input.feed("/rules\nlast words");
    EXPECT_EQ(queued().size(), 4u + 5u); // RULES says the rules instead of sending "RULES"
    EXPECT_EQ(queued()[4].rfind("say ^1Rule 1: ", 0), 0u);
    input.finish();
    input.finish(); // a second end of input changes nothing
    EXPECT_EQ(queued().back(), "say  last words");
    EXPECT_EQ(queued().size(), 10u);
}

TEST(TerminalStreams, AnAnswerIsOneLineWithoutItsCarriageReturn) {
    std::istringstream typed("typed\r\n");
    std::ostringstream shown;
    std::streambuf* const in = std::cin.rdbuf(typed.rdbuf());
    std::streambuf* const err = std::cerr.rdbuf(shown.rdbuf());
    const auto first = askOnTerminal("Name: ", false), second = askOnTerminal("Again: ", false);
    std::cin.rdbuf(in);
    std::cin.clear();
    std::cerr.rdbuf(err);
    EXPECT_EQ(first, "typed");
    EXPECT_EQ(second, std::nullopt); // the input ended
    EXPECT_EQ(shown.str(), "Name: Again: ");
}

TEST(TerminalStreams, OperatorLinesComeFromTerminalsPipesAndSocketsColourOnlyOnATerminal) {
    int pipeEnds[2], socketEnds[2];
    ASSERT_EQ(::pipe(pipeEnds), 0);
    ASSERT_EQ(::socketpair(AF_UNIX, SOCK_STREAM, 0, socketEnds), 0);
    TempAppDir dir;
    dir.write("plain.txt", "typed\n");
    const int file = ::open(dir.file("plain.txt").c_str(), O_RDONLY);
    const int null = ::open("/dev/null", O_RDONLY);
    const int master = ::posix_openpt(O_RDWR | O_NOCTTY);
    ASSERT_TRUE(master >= 0 && ::grantpt(master) == 0 && ::unlockpt(master) == 0);
    const int terminal = ::open(::ptsname(master), O_RDWR | O_NOCTTY);
    ASSERT_GE(terminal, 0);
    const struct {
        const char* name;
        int fd;
        const char* noColor;
        bool reads, colour;
    } cases[] = {
        {"terminal", terminal, nullptr, true, true},
        {"terminal, empty NO_COLOR", terminal, "", true, true},
        {"terminal, NO_COLOR=1", terminal, "1", true, false},
        {"pipe", pipeEnds[0], nullptr, true, false},
        {"socket", socketEnds[0], nullptr, true, false},
        {"regular file", file, nullptr, false, false},
        {"/dev/null", null, nullptr, false, false},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(readsOperatorLines(c.fd), c.reads) << c.name;
        EXPECT_EQ(colourWanted(c.fd, c.noColor), c.colour) << c.name;
    }
    for (int fd :
         {pipeEnds[0], pipeEnds[1], socketEnds[0], socketEnds[1], file, null, master, terminal})
        ::close(fd);
}
