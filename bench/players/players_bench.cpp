// The player database with a million players: one GUID lookup, one status
// poll of 50 players as the link registers them, and a refill of the player
// log with its first screen of rows.
//   build/bench/players/players_bench

#include "bigplayerdb.h"
#include "core/activitylog.h"
#include "core/criticalerrors.h"
#include "core/settings.h"
#include "fakeports.h"
#include "players/players.h"
#include "rcon/onlinegrid.h"
#include "rcon/rconqueue.h"
#include "rcon/slottable.h"
#include "tempappdir.h"

#include <benchmark/benchmark.h>

#include <memory>
#include <random>
#include <string>

using namespace corvane;

namespace {

constexpr int kPlayers = 1'000'000;
constexpr int kScreenRows = 40;

using testing::benchGuid;

// One application folder with the big table, made once for all benchmarks.
class BigDatabase : public GreetingGate, public ReasonTexts {
public:
    BigDatabase() {
        // The folder ships it empty.
        testing::fillPlayerDatabase(dir.file("Data/playerdb.mdb"), kPlayers);

        settings.setViewsReady(true);
        settings.config.ServerName = "Alpha";
        settings.config.HostName = "Alpha";
        settings.config.MaxClients = 51;
        settings.advanced.PlayerDbPath = "Data/playerdb.mdb";
        settings.mod.WelcomeTemplate = kDefaultWelcomeTemplate;
        settings.mod.WelcomeEnabled = 1;
        players = std::make_unique<Players>(settings, slots, grid, queue, log, paths, ports,
                                            critical, *this, *this);
        players->groups.LoadDRank();
        players->groups.InputAdmin();
        players->database.LoadPlayerDatabase();
    }

    testing::TempAppDir dir;
    testing::FakePorts fake;
    Ports ports = fake.ports();
    AppPaths paths{dir.path()};
    CriticalErrors critical;
    ActivityLog log{paths, fake.clock, critical};
    Settings settings{paths, log, critical};
    SlotTable slots;
    OnlineGrid grid;
    RconQueue queue;
    std::unique_ptr<Players> players;

    bool FirstBatchDone() const override { return true; }
    std::string reason(int) const override { return {}; }
};

BigDatabase& big() {
    static BigDatabase instance;
    return instance;
}

void BM_FindGUIDDatabase(benchmark::State& state) {
    PlayerDatabase& db = big().players->database;
    std::mt19937 random(7);
    std::uniform_int_distribution<int> pick(1, kPlayers);
    for (auto _ : state)
        benchmark::DoNotOptimize(db.FindGUIDDatabase(benchGuid(pick(random))));
}
BENCHMARK(BM_FindGUIDDatabase);

// What one status reply of 50 players costs the players subsystem: for every
// row, CheckPlayerDB and CheckAdminGroup. With range(0) = 1 every player is
// on a new visit to his slot under a new name, so each greeting writes.
void BM_StatusPoll50(benchmark::State& state) {
    BigDatabase& b = big();
    const bool greetEveryone = state.range(0) != 0;
    int visit = 0;
    for (auto _ : state) {
        ++visit;
        for (int slot = 1; slot <= 50; ++slot) {
            SlotEntry& e = b.slots[slot];
            const std::string guid = benchGuid(slot * 19001);
            if (greetEveryone) e.SlotGreetedID = "0";
            b.players->database.CheckPlayerDB("Player" + std::to_string(slot), guid,
                                              std::to_string(slot));
            e.SlotGroup = b.players->groups.CheckAdminGroup(guid);
        }
        state.PauseTiming();
        b.queue.clear();
        state.ResumeTiming();
    }
}
BENCHMARK(BM_StatusPoll50)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

// The refill and the first screen of rows, in table order and sorted by name.
void BM_PlayerLogRefresh(benchmark::State& state) {
    PlayerLog& log = big().players->playerLog;
    if (state.range(0) != 0 && !log.order().sorted) log.sortByColumn(PlayerColumn::UserName);
    if (state.range(0) == 0 && log.order().sorted) state.SkipWithError("run unsorted first");
    for (auto _ : state) {
        log.refresh();
        for (int row = 0; row < kScreenRows; ++row)
            benchmark::DoNotOptimize(log.row(static_cast<std::size_t>(row)));
    }
    state.counters["rows"] = static_cast<double>(log.rowCount());
}
BENCHMARK(BM_PlayerLogRefresh)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
