// A busy batch of 501 log lines - chat, kills and damage - through the
// automatic enforcement, with 500 words in the language filter and every
// weapon restricted (Second Chance included): once through the log parser as
// the program runs it, and once straight into the checks.

#include "core/chatlog.h"
#include "enforcementrig.h"
#include "logfeed/logline.h"
#include "logfeed/logparser.h"
#include "logfeed/logtail.h"
#include "rcon/linkstate.h"
#include "rcon/onlinegrid.h"
#include "rcon/onlineplayers.h"

#include <benchmark/benchmark.h>

using namespace corvane;
using namespace corvane::testing;

namespace {

constexpr int kPlayers = 17;

std::string guidOf(int slot) {
    return "011000010000" + std::to_string(1000 + slot);
}

// Chat (now and then a listed word), damage and kills with weapons and
// attachments of every kind.
std::vector<std::string> busyBatch(int round) {
    static const char* weapons[] = {"ak47_gl_mp",      "m16_acog_mp",    "mp5k_silencer_mp",
                                    "spas_mp",         "l96a1_vzoom_mp", "knife_ballistic_mp",
                                    "frag_grenade_mp", "m202_flash_mp"};
    std::vector<std::string> lines;
    for (int i = 0; lines.size() < kMaxNewLines; ++i) {
        const std::string at = std::to_string(10 + i / 60) + ":" + std::to_string(10 + i % 50);
        const std::string stamp = std::string(6 - at.size(), ' ') + at;
        const int slot = 1 + i % kPlayers;
        const int other = 1 + (i + 5) % kPlayers;
        const std::string who = std::to_string(slot) + ";allies;Player" + std::to_string(slot);
        const std::string by =
            guidOf(other) + ";" + std::to_string(other) + ";axis;Player" + std::to_string(other);
        const std::string weapon = weapons[i % 8];
        if (i % 3 == 0)
            lines.push_back(stamp + " say;" + guidOf(slot) + ";" + std::to_string(slot) +
                            ";Player" + std::to_string(slot) + ";\x15" + "round " +
                            std::to_string(round) + " line " + std::to_string(i) +
                            (i % 90 == 0 ? " you word77x idiot" : " nice shot mate, well played"));
        else if (i % 3 == 1)
            lines.push_back(stamp + " D;" + guidOf(slot) + ";" + who + ";" + by + ";" + weapon +
                            ";35;MOD_RIFLE_BULLET;torso_upper");
        else
            lines.push_back(stamp + " K;" + guidOf(slot) + ";" + who + ";" + by + ";" + weapon +
                            ";100;MOD_HEAD_SHOT;head");
    }
    return lines;
}

struct Rig : EnforcementRig {
    ChatLog chat{paths, fake.clock};
    LinkState link;
    OnlineGrid grid;
    PlayerHooks playerHooks;
    OnlinePlayers players{slots, grid, settings.config, settings.mod, playerHooks};
    LogParser parser{log, chat, queue, link, slots, players, settings};

    Rig() {
        std::string words = "3\r\n";
        for (int w = 0; w < 500; ++w)
            words += (w % 50 == 0 ? "k|word" : "word") + std::to_string(w) + "x\r\n";
        wordFile(words);
        settings.config.MaxClients = 18;
        settings.mod.WeaponFlags.assign(kWeaponFlagCount, "1");
        e.secondChance.SetMaxHealth(22);
        for (int s = 1; s <= kPlayers; ++s)
            online(s, "Player" + std::to_string(s), guidOf(s));
        LogParserHooks& h = parser.hooks;
        h.resetBatchState = [this] { e.newBatch(); };
        h.BadWordFilter = [this](const std::string& name, const std::string& guid,
                                 const std::string& text, const std::string& slot, bool command) {
            e.language.BadWordFilter(name, guid, text, slot, command);
        };
        h.AlphaD = [this](const std::string& line) { e.secondChance.AlphaD(line); };
        h.AlphaKill = [this](const std::string& line) { e.secondChance.AlphaKill(line); };
        h.ClearHP = [this] { e.secondChance.ClearHP(); };
        parser.ParseChat({}); // primes
    }

    // What one batch leaves behind, undone between runs.
    void forget() {
        queue.clear();
        chat.view().setText(kChatHeading);
        for (int s = 0; s < SlotTable::kSlots; ++s)
            e.resetWarnings(s);
    }
};

void BM_EnforcementBatchThroughTheParser(benchmark::State& state) {
    Rig rig;
    const std::vector<std::string> batches[2] = {busyBatch(1), busyBatch(2)};
    std::size_t round = 0;
    for (auto _ : state) {
        rig.parser.ParseChat(batches[round++ % 2]);
        state.PauseTiming();
        rig.forget();
        state.ResumeTiming();
    }
    state.SetItemsProcessed(static_cast<std::int64_t>(state.iterations()) *
                            static_cast<std::int64_t>(kMaxNewLines));
}
BENCHMARK(BM_EnforcementBatchThroughTheParser)->Unit(benchmark::kMicrosecond);

// The checks alone: each line straight to the filter or the combat checks.
void BM_EnforcementChecksOnly(benchmark::State& state) {
    Rig rig;
    const std::vector<std::string> batch = busyBatch(1);
    for (auto _ : state) {
        rig.e.newBatch();
        for (const std::string& line : batch) {
            const char kind = line[7];
            if (kind == 's') {
                const std::vector<std::string> f = splitFields(line);
                rig.e.language.BadWordFilter(f[3], f[1], f[4].substr(1), f[2], false);
            } else if (kind == 'D') {
                rig.e.secondChance.AlphaD(line);
            } else {
                rig.e.secondChance.AlphaKill(line);
            }
        }
        rig.e.secondChance.ClearHP();
        state.PauseTiming();
        rig.forget();
        state.ResumeTiming();
    }
    state.SetItemsProcessed(static_cast<std::int64_t>(state.iterations()) *
                            static_cast<std::int64_t>(batch.size()));
}
BENCHMARK(BM_EnforcementChecksOnly)->Unit(benchmark::kMicrosecond);

} // namespace

BENCHMARK_MAIN();
