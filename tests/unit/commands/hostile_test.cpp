// Hostile chat texts and names through every command: whatever a player types
// or calls himself, each line the server receives (but those of !rcon) is one
// console command with balanced quotes.

#include "commandsrig.h"

namespace corvane::testing {
namespace {

// One console command with balanced quotes: no ";", no control character, an
// even number of double quotes.
bool isOneCommand(const std::string& line) {
    int quotes = 0;
    for (const char c : line) {
        const auto byte = static_cast<unsigned char>(c);
        if (c == ';' || byte < 0x20 || byte == 0x7F) return false;
        if (c == '"') ++quotes;
    }
    return quotes % 2 == 0;
}

const Lines& corpus() {
    static const Lines texts = {"\"",
                                ";",
                                "x\";quit;\"",
                                "a;g_password 1",
                                "tab\there\x01\x1b[2J\x7f end",
                                std::string(1000, 'W'),
                                "caf\xE9 \x80\x9F\xFF na\xEFve",
                                "\"MSG1\"; msg2 ;",
                                "^1red\";rcon_password x"};
    return texts;
}

struct Hostile : CommandsRig {
    void SetUp() override {
        std::vector<Seated> players = {{2, "Owen"}, {3, "Ada"}};
        int slot = 4;
        for (const std::string& name : corpus()) {
            // Names in a status row cannot hold line breaks; blanks split
            // them into words, which the table joins again. A reply of one
            // datagram holds names of up to a hundred characters here.
            std::string rowName;
            for (const char c : name.substr(0, 100))
                rowName += (c == '\n' || c == '\r' || c == ' ' || c == '\t') ? '_' : c;
            players.push_back({slot++, "Vic" + rowName});
        }
        seat(players, {{"g2", "0"}, {"g3", "Admin"}});
        app->settings().mod.AnnounceMode[6] = 0;
    }
};

TEST_F(Hostile, NoLineButRconsCarriesASecondCommandOrAnOpenQuote) {
    const Lines withText = {
        "!say ",        "!kick vic",     "!kick 5 ",   "!ban 6 ",       "!tempban 7 ", "!warn 8 ",
        "!admincheck ", "!checkadmin 9", "!setgroup ", "!setgroup 10 ", "!map ",       "!",
        "!unknown ",    "!kick ",        "!warn ",
    };
    const Lines bare = {"!me",      "!pl",   "!cmds",  "!groups",     "!uptime",
                        "!nextmap", "!skip", "!rules", "!defaultmap", "!reserved"};
    Lines typed;
    for (const std::string& text : corpus()) {
        for (const std::string& command : withText)
            typed.push_back(command + text);
        typed.push_back("!" + text + " x");
    }
    typed.insert(typed.end(), bare.begin(), bare.end());

    for (const std::string& text : typed) {
        // Both the Owner and a speaker whose own name is hostile.
        say({2, "Owen", "g2", text});
        say({3, "Ada\"x;y", "g3", text});
        for (const std::string& line : sendAll())
            EXPECT_TRUE(isOneCommand(line)) << "typed: " << text << "\nsent: " << line;
    }
    // The players are still there to be sanctioned: the commands reached them.
    EXPECT_NE(activity.size(), 0u);
}

} // namespace
} // namespace corvane::testing
