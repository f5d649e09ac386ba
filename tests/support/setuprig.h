#pragma once
// The setup wizard's test on fake sockets and virtual time, with helpers for
// the server's answers and for what went out.

#include "core/textfile.h"
#include "fakeports.h"
#include "maps/maptable.h"
#include "setup/serversetup.h"
#include "tempappdir.h"

#include <memory>
#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace corvane::testing {

inline const std::string kLogUrl = "http://logs.example.net/alpha/games_mp.log";

// The serverinfo list as the game prints it: "Server info settings:", then
// one "name<padding to 20 columns>value" line per setting.
inline std::string serverinfo(const std::string& maxClients = "18",
                              const std::string& host = "Alpha Host",
                              std::optional<std::string> ranked = "2") {
    const std::string rows =
        "sv_maxclients " + maxClients +
        "\ng_gametype tdm\nsv_floodProtect 1\nsv_maxPing 0\nsv_minPing 0\nprotocol 2117\n"
        "shortversion 7\nsv_privateClients 0\nsv_disableClientConsole 0\nsv_voice 1\n"
        "playlist 22\nsv_hostname " +
        host + "\nmapname mp_array\nsv_pure 1\ng_logSync 0\ng_logTimeStampInSeconds 0\n" +
        "sv_security 1\n" + (ranked ? "sv_ranked " + *ranked + "\n" : "");
    std::string text = "Server info settings:\n";
    for (std::size_t at = 0, end; (end = rows.find('\n', at)) != std::string::npos; at = end + 1) {
        const std::size_t width = rows.find(' ', at) - at; // the name's
        text += rows.substr(at, width) + std::string(width < 20 ? 20 - width : 1, ' ') +
                rows.substr(at + width + 1, end - at - width - 1) + "\n";
    }
    return text;
}

inline std::string exclusionAnswer(const std::string& value) {
    return "\"playlist_excludeMap\" is: \"" + value + "^7\" default: \"^7\"\n";
}

// A list excluding every map of the table but mp_array: the server plays a forced map.
inline std::string forcedExclusion() {
    std::string forced;
    for (const std::string& map : rotationMapNames())
        if (map != "mp_array") forced += map + " ";
    return forced;
}

inline const std::string kChunkedLog = "HTTP/1.1 200 OK\r\nTransfer-Encoding: chunked\r\n\r\n"
                                       "d\r\n  0:01 J;1;2;x\n\r\n0\r\n\r\n";

class SetupRig : public SetupOwner {
public:
    // Without a wizard of its own the rig drives the one a test hands it.
    explicit SetupRig(bool firstRun = true, bool ownWizard = true) {
        if (!firstRun) dir.writeConfiguredServer();
        if (ownWizard) make(firstRun);
    }

    void make(bool firstRun) {
        ServerSetup::Options options;
        options.firstRun = firstRun;
        options.tableMaps = rotationMapNames();
        owned = std::make_unique<ServerSetup>(fake.ports(), AppPaths(dir.path()), options, *this);
        setup = owned.get();
        setup->InputConfig();
    }

    void fill(const std::string& name = "Alpha") {
        setup->fields = SetupFields{name, "127.0.0.1", "28960", "secret", kLogUrl};
    }
    void save() { setup->pressMainButton(); }

    FakeUdp& udp() { return fake.net.udp("setup"); }
    FakeTcp& tcp() { return fake.net.tcp("setup log"); }

    // The command lines sent, without the datagram header and password.
    std::vector<std::string> commands() { return rconCommands(udp()); }
    void reply(const std::string& text) { udp().receive("\xFF\xFF\xFF\xFFprint\n" + text); }

    // Answers the four RCON steps, each 600 ms after the last answer.
    void answerRconSteps(const std::string& info = serverinfo(),
                         const std::string& exclusion = exclusionAnswer("mp_nuked")) {
        reply(info);
        fake.loop.advance(ServerSetup::kStepDelayMs);
        reply(exclusion);
        fake.loop.advance(ServerSetup::kStepDelayMs);
        reply("");
        fake.loop.advance(ServerSetup::kStepDelayMs);
        reply("");
    }
    void answerLog(const std::string& answer = kChunkedLog) {
        tcp().acceptConnection();
        tcp().feed(answer);
    }
    void passTest() {
        fill();
        save();
        answerRconSteps();
        answerLog();
    }

    // The status box, line by line, with each line's colour.
    std::vector<std::pair<std::string, Colour>> statusLines() const {
        std::vector<std::pair<std::string, Colour>> out;
        for (const TextRun& run : setup->statusBox().runs())
            for (const std::string& line : splitLines(run.text))
                if (!line.empty()) out.emplace_back(line, run.colour);
        return out;
    }
    bool hasStatus(const std::string& text, Colour colour) const {
        for (const auto& line : statusLines())
            if (line.first == text && line.second == colour) return true;
        return false;
    }
    std::vector<std::string> boxTexts() const {
        std::vector<std::string> out;
        for (const auto& box : fake.prompts.asked)
            out.push_back(box.text);
        return out;
    }
    std::string configFile() const { return dir.read("Data/Config.txt"); }

    TempAppDir dir;
    FakePorts fake;
    std::vector<bool> applied;
    void applySettings(bool first) override { applied.push_back(first); }
    std::unique_ptr<ServerSetup> owned;
    ServerSetup* setup = nullptr;
};

} // namespace corvane::testing
