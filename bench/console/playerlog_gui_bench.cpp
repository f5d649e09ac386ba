// The operator window's "Player Log" tab over a million players, offscreen:
// opening the tab (refill and first paint), scrolling one page down, and
// jumping to the last page - in table order and sorted by "Last Seen".
//   QT_QPA_PLATFORM=offscreen build/bench/console/playerlog_gui_bench

#include "app/app.h"
#include "bigplayerdb.h"
#include "console/mainwindow.h"
#include "fakeports.h"
#include "tempappdir.h"

#include <QApplication>
#include <QHeaderView>
#include <QScrollBar>
#include <QTabWidget>
#include <QTableView>

#include <benchmark/benchmark.h>

#include <memory>

using namespace corvane;

namespace {

constexpr int kPlayers = 1'000'000;

// The window over an application folder with the big table, made once.
struct BigWindow {
    BigWindow() {
        dir.writeConfiguredServer();
        testing::fillPlayerDatabase(dir.file("Data/playerdb.mdb"), kPlayers);
        app = std::make_unique<App>(fake.ports(), AppPaths(dir.path()));
        window = std::make_unique<console::MainWindow>(*app);
        app->createMainWindow();
        window->resize(1100, 760);
        window->show();
        top = window->findChild<QTabWidget*>("topTabs");
        players = window->findChild<QTabWidget*>("playersTabs");
        log = window->findChild<QTableView*>("playerLog");
    }
    // Shows the tab and paints what it shows.
    void openPlayerLog() {
        top->setCurrentIndex(2);
        players->setCurrentIndex(1);
        paint();
    }
    void leave() {
        log->scrollToTop();
        players->setCurrentIndex(0);
        top->setCurrentIndex(0);
    }
    void paint() {
        QApplication::processEvents();
        log->viewport()->repaint();
    }
    void sortByLastSeen() {
        if (!app->players().playerLog.order().sorted)
            app->players().playerLog.sortByColumn(PlayerColumn::LastSeen);
    }

    testing::TempAppDir dir;
    testing::FakePorts fake;
    std::unique_ptr<App> app;
    std::unique_ptr<console::MainWindow> window;
    QTabWidget* top = nullptr;
    QTabWidget* players = nullptr;
    QTableView* log = nullptr;
};

BigWindow& big() {
    static BigWindow instance;
    return instance;
}

// range(0): 0 table order, 1 sorted by "Last Seen" (run after the unsorted ones).
void prepare(benchmark::State& state) {
    if (state.range(0) != 0) big().sortByLastSeen();
    if (state.range(0) == 0 && big().app->players().playerLog.order().sorted)
        state.SkipWithError("run the unsorted cases first");
}

void BM_OpenPlayerLogTab(benchmark::State& state) {
    BigWindow& b = big();
    prepare(state);
    for (auto _ : state) {
        state.PauseTiming();
        b.leave();
        QApplication::processEvents();
        state.ResumeTiming();
        b.openPlayerLog();
    }
    state.counters["rows"] = static_cast<double>(b.log->model()->rowCount());
}

void BM_ScrollToTheEnd(benchmark::State& state) {
    BigWindow& b = big();
    prepare(state);
    b.openPlayerLog();
    for (auto _ : state) {
        state.PauseTiming();
        b.log->scrollToTop();
        b.paint();
        state.ResumeTiming();
        b.log->scrollToBottom();
        b.paint();
    }
}

// One page down from a place near the end of the table.
void BM_ScrollOnePage(benchmark::State& state) {
    BigWindow& b = big();
    prepare(state);
    b.openPlayerLog();
    QScrollBar* bar = b.log->verticalScrollBar();
    const int nearTheEnd = bar->maximum() - 200 * bar->pageStep();
    bar->setValue(nearTheEnd);
    b.paint();
    for (auto _ : state) {
        if (bar->value() >= bar->maximum()) {
            state.PauseTiming();
            bar->setValue(nearTheEnd);
            b.paint();
            state.ResumeTiming();
        }
        bar->triggerAction(QAbstractSlider::SliderPageStepAdd);
        b.paint();
    }
}

// In table order first, then sorted.
BENCHMARK(BM_OpenPlayerLogTab)->Arg(0)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ScrollOnePage)->Arg(0)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ScrollToTheEnd)->Arg(0)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_OpenPlayerLogTab)->Arg(1)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ScrollOnePage)->Arg(1)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ScrollToTheEnd)->Arg(1)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
