// A full batch of 501 new log lines through the parser, with every event it
// tells heard by a listener that does nothing: the cost of the
// parser itself, the chat view, the chat archive and the transcript save.

#include "core/activitylog.h"
#include "core/apppaths.h"
#include "core/chatlog.h"
#include "core/criticalerrors.h"
#include "core/settings.h"
#include "fakeports.h"
#include "feedbench.h"
#include "logfeed/logparser.h"
#include "logfeed/logtail.h"
#include "rcon/linkstate.h"
#include "rcon/onlinegrid.h"
#include "rcon/onlineplayers.h"
#include "rcon/rconqueue.h"
#include "rcon/slottable.h"
#include "tempappdir.h"

#include <benchmark/benchmark.h>

using namespace corvane;
using namespace corvane::testing;

namespace {

// A busy match: chat (a few commands among it), damage, kills, joins and quits.
std::vector<std::string> busyBatch(int round) {
    std::vector<std::string> lines;
    for (int i = 0; lines.size() < kMaxNewLines; ++i) {
        const std::string at = std::to_string(10 + i / 60) + ":" + std::to_string(10 + i % 50);
        const std::string stamp = std::string(6 - at.size(), ' ') + at;
        const int slot = 1 + i % 17;
        const std::string guid = "01100001000" + std::to_string(10000 + slot);
        const std::string name = "[TAG]Player" + std::to_string(slot);
        switch (i % 8) {
        case 0:
        case 1:
        case 2:
            lines.push_back(stamp + " say;" + guid + ";" + std::to_string(slot) + ";" + name +
                            ";\x15" + "round " + std::to_string(round) + " line " +
                            std::to_string(i) + (i % 24 == 0 ? " !pl" : " nice shot mate"));
            break;
        case 3:
        case 4:
            lines.push_back(stamp + " D;" + guid + ";" + std::to_string(slot) + ";allies;" + name +
                            ";" + guid + ";2;axis;Other;m16_mp;30;MOD_RIFLE_BULLET;torso_upper");
            break;
        case 5:
            lines.push_back(stamp + " K;" + guid + ";" + std::to_string(slot) + ";allies;" + name +
                            ";" + guid + ";2;axis;Other;m16_mp;100;MOD_HEAD_SHOT;head");
            break;
        case 6:
            lines.push_back(stamp + " J;" + guid + ";" + std::to_string(slot) + ";" + name);
            break;
        case 7:
            lines.push_back(stamp + " Q;" + guid + ";" + std::to_string(slot) + ";" + name);
            break;
        }
    }
    return lines;
}

// chatBefore: bytes of chat said before the measured batches, as after hours
// on a busy server (the view is never cleared then); with none, the view holds
// one batch at a time.
void runFullBatches(benchmark::State& state, const std::filesystem::path& appDir,
                    std::size_t chatBefore = 0) {
    AppPaths paths{appDir};
    FakePorts fake;
    CriticalErrors critical;
    ActivityLog log{paths, fake.clock, critical};
    ChatLog chat{paths, fake.clock};
    Settings settings{paths, log, critical};
    settings.config.MaxClients = 18;
    RconQueue queue;
    LinkState link;
    SlotTable slots;
    OnlineGrid grid;
    grid.SetOnlineView(18);
    Directory directory;
    OnlinePlayers players{slots, grid, settings.config, settings.mod, directory, directory};
    LogParser parser{log, chat, queue, link, slots, players, settings, directory};
    const Connections listeners = listenToAll(parser);
    parser.ParseChat({}); // primes

    const std::vector<std::string> batches[2] = {busyBatch(1), busyBatch(2)};
    std::size_t round = 0;
    std::size_t said = 0;
    while (said < chatBefore) {
        const std::size_t before = chat.view().size();
        parser.ParseChat(batches[round++ % 2]);
        said += chat.view().size() > before ? chat.view().size() - before : 30 * 1024;
    }
    for (auto _ : state) {
        parser.ParseChat(batches[round++ % 2]);
        if (chatBefore != 0) continue;
        state.PauseTiming();
        chat.view().setText(kChatHeading); // the transcript of one batch each time
        state.ResumeTiming();
    }
    state.SetItemsProcessed(static_cast<std::int64_t>(state.iterations()) *
                            static_cast<std::int64_t>(kMaxNewLines));
}
// Everything, including the archive append and the transcript save on disk.
void BM_ParseChatFullBatch(benchmark::State& state) {
    TempAppDir dir;
    runFullBatches(state, dir.path());
}
BENCHMARK(BM_ParseChatFullBatch)->Unit(benchmark::kMicrosecond);

// The same after that many KB of chat: the view keeps only its newest part
// (ChatLog::kViewLimit), so from a full view on a batch costs the same
// however long the program has run.
void BM_ParseChatFullBatchAfterChat(benchmark::State& state) {
    TempAppDir dir;
    runFullBatches(state, dir.path(), static_cast<std::size_t>(state.range(0)) * 1024);
}
BENCHMARK(BM_ParseChatFullBatchAfterChat)
    ->Arg(256)
    ->Arg(1024)
    ->Arg(4096)
    ->Arg(16384)
    ->Unit(benchmark::kMicrosecond);

// The same without a Logs folder: every file write fails at once, which
// leaves the parser, the chat view and the transcript encoding.
void BM_ParseChatFullBatchWithoutFiles(benchmark::State& state) {
    runFullBatches(state, "/nonexistent/corvane-bench");
}
BENCHMARK(BM_ParseChatFullBatchWithoutFiles)->Unit(benchmark::kMicrosecond);

} // namespace

BENCHMARK_MAIN();
