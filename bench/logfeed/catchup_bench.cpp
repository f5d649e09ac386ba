// A catch-up of 1 MiB: a burst just short of the longest tail came between
// two fetches, so the feed asks for 10 KB, 40 KB, 160 KB, 640 KB and 1 MiB
// before it finds the last line it saw, then hands some 16,000 chat lines to
// the parser in batches of 501. Measured: the five replies decoded from the
// fake socket, the line splitting and anchor search, and the parser with its
// chat view, archive and transcript saves.

#include "logfeedrig.h"

#include <benchmark/benchmark.h>

#include <charconv>

using namespace corvane;
using namespace corvane::testing;

namespace {

// Chat lines of a round, together a little less than the longest tail.
std::string burst(int round) {
    std::string log;
    for (int i = 0; log.size() < kMaxCatchUpBytes - 2000; ++i) {
        const int seconds = round * 3600 + i / 8;
        const std::string at =
            std::to_string(seconds / 60) + ":" + std::to_string(10 + seconds % 50);
        log += std::string(at.size() < 6 ? 6 - at.size() : 0, ' ') + at +
               " say;0110000100012345;3;[TAG]Player3;\x15" + "round " + std::to_string(round) +
               " line " + std::to_string(i) + (i % 24 == 0 ? " !pl" : " nice shot mate") + "\n";
    }
    return log;
}

// The provider's answer to "Range: bytes=-N": the last N bytes, chunked.
std::string answer(const std::string& log, const std::string& request) {
    const std::string key = "Range: bytes=-";
    const std::size_t tail = std::stoul(request.substr(request.find(key) + key.size()));
    const std::string body = log.substr(log.size() - std::min(tail, log.size()));
    char size[16];
    const auto end = std::to_chars(size, size + sizeof size, body.size(), 16).ptr;
    return "HTTP/1.1 200 OK\r\nTransfer-Encoding: chunked\r\n\r\n" + std::string(size, end) +
           "\r\n" + body + "\r\n0\r\n\r\n";
}

void BM_CatchUpOneMebibyte(benchmark::State& state) {
    LogFeedRig rig; // the feed as the unit tests see it
    LogFetcher& fetcher = rig.fetcher;
    FakePorts& fake = rig.fake;
    std::string hostLog = burst(0);
    auto fetch = [&] {
        fetcher.Command1_Click();
        FakeTcp& tcp = fake.net.tcp("log");
        int requests = 0;
        while (tcp.state() == TcpStream::State::Connecting) {
            tcp.acceptConnection();
            tcp.feed(answer(hostLog, tcp.sent));
            fake.loop.advance(1);
            ++requests;
        }
        return requests;
    };
    fetch(); // primes
    int round = 1;
    for (auto _ : state) {
        state.PauseTiming();
        hostLog = hostLog.substr(hostLog.size() - kLogTailBytes) + burst(round++);
        rig.chat.view().setText(kChatHeading);
        rig.calls.clear();
        state.ResumeTiming();
        if (fetch() != 5) state.SkipWithError("not a catch-up of five requests");
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations()) *
                            static_cast<std::int64_t>(kMaxCatchUpBytes));
}
BENCHMARK(BM_CatchUpOneMebibyte)->Unit(benchmark::kMillisecond);

} // namespace
