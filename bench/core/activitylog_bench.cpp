// The activity view's rebuild reads only the tail of Logs/Server.txt, so it
// costs the same for a small and a huge file.
//   build/bench/core/activitylog_bench

#include "core/activitylog.h"
#include "core/criticalerrors.h"
#include "fakeports.h"

#include <benchmark/benchmark.h>

#include <filesystem>
#include <fstream>
#include <unistd.h>

namespace fs = std::filesystem;
using namespace corvane;

namespace {

// A log file of the given size: the bulk is sparse (no disk used), the last
// thousand lines are real log lines.
fs::path makeLog(const fs::path& dir, std::uintmax_t size) {
    fs::create_directories(dir / "Logs");
    const fs::path file = dir / "Logs/Server.txt";
    { std::ofstream(file, std::ios::trunc); }
    fs::resize_file(file, size);
    std::ofstream out(file, std::ios::app | std::ios::binary);
    for (int i = 0; i < 1000; ++i)
        out << "[2026-12-05 09:18:28] Read Config File " << i << "\r\n";
    return file;
}

void BM_TrimRebuild(benchmark::State& state) {
    const fs::path dir =
        fs::temp_directory_path() / ("corvane-trim-bench-" + std::to_string(::getpid()));
    makeLog(dir, static_cast<std::uintmax_t>(state.range(0)));
    testing::FakePorts fake;
    AppPaths paths(dir);
    CriticalErrors critical;
    ActivityLog log(paths, fake.clock, critical);
    log.setTrimThreshold(1); // every entry rebuilds the view
    for (auto _ : state) {
        log.CheckSMSLeak();
        benchmark::DoNotOptimize(log.view().size());
    }
    fs::remove_all(dir);
}

} // namespace

BENCHMARK(BM_TrimRebuild)->Arg(1 << 10)->Arg(1 << 20)->Arg(1 << 30)->Unit(benchmark::kMicrosecond);
BENCHMARK_MAIN();
