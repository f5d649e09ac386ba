#pragma once
// The App on fake ports with the chat commands live: players are seated by a
// status reply, chat lines go through the log parser, and what the pump sends
// is read from the command socket.

#include "rconfixture.h"
#include "core/textfile.h"
#include "queuedlines.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace corvane::testing {

using Lines = std::vector<std::string>;

// A player of a status row; his GUID is "g" + his slot.
struct Seated {
    int slot;
    std::string name;
    int score = 0;
};

struct CommandsRig : ::testing::Test, RconFixture {
    CommandsRig() {
        app->settings().advanced.StatusPollPeriod = 0; // no poll of its own
        app->settings().mod.WelcomeEnabled = 0;
        m_logged = app->activityLog().entryWritten.connect([this](const std::string& line, Colour) {
            activity.push_back(line.substr(line.find("] ") + 2));
        });
        // The first batch of log lines only primes the parser.
        app->logParser().ParseChat({"  0:00 ------"});
        drainStartup();
    }

    // A status reply listing these players (and the server's demo recorder), the
    // groups given stored for their GUIDs ("0": the Owner); nothing left queued.
    void seat(const std::vector<Seated>& players, const std::vector<Lines>& groups = {},
              bool demoRecorder = true) {
        fake.loop.advance(600); // a poll asked for earlier goes out, the send lock clears
        if (!app->linkState().StatusPending) app->statusPoll().Command8_Click();
        std::string text = "map: mp_array\nnum score ping guid lastmsg name\n"
                           "--- ----- ---- ---------------- ------- ---------------\n";
        if (demoRecorder) text += "  0     0    0 0 democlient spec 0 loopback 0 25000\n";
        for (const Seated& p : players)
            text += std::to_string(p.slot) + " " + std::to_string(p.score) + " 50 g" +
                    std::to_string(p.slot) + " " + p.name + " axis 0 203.0.113.1:3074 1234 25000\n";
        statusSocket().receive(reply(text));
        for (const Lines& g : groups)
            promote(g[0], g[1]);
        app->queue().clear();
        activity.clear();
    }

    // Stores the player's group (a name, or "0" for the Owner) and shows it online.
    void promote(const std::string& guid, const std::string& group) {
        ASSERT_TRUE(
            app->players().groups.SetGroupDatabase("G" + guid, group, "x", CommandIssuer{}, true));
    }

    struct Said {
        int slot;
        std::string name, guid, text;
    };
    void batch(const std::vector<Said>& lines) {
        Lines log;
        for (const Said& s : lines)
            log.push_back(" 1:" + std::to_string(10 + m_stamp++ % 50) + " say;" + s.guid + ";" +
                          std::to_string(s.slot) + ";" + s.name + ";\x15" + s.text);
        app->logParser().ParseChat(log);
    }
    void say(const Said& line) { batch({line}); }

    Lines queued() const { return queuedLines(app->queue()); }

    // Lets the pump send the whole queue; the command lines it sent.
    Lines sendAll() {
        for (int tick = 0; tick < 400 && !app->queue().empty(); ++tick)
            fake.loop.advance(525);
        EXPECT_TRUE(app->queue().empty());
        Lines sent = sentCommands();
        commandSocket().sent.clear();
        return sent;
    }

    Lines activity;
    Connection m_logged;

private:
    int m_stamp = 0;
};

} // namespace corvane::testing
