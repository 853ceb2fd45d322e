// Processor use of the window while it sits idle with one track selected, over a draft assembly
// of 30,000 one-track scaffolds, showing "All Tracks" and showing one scaffold. The menus'
// enable rules are asked on every idle tick, so they must not walk the panes. Drives the real
// window offscreen:
//   idle_benchmark [benchmark flags]
// cpu_percent is the process's processor time over the wall-clock time of the idle spell.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QEventLoop>
#include <QTimer>
#include <ctime>

#include "draft_assembly_window.h"

namespace {

constexpr int kScaffolds = 30000;
constexpr int kIdleMilliseconds = 5000;

double Seconds(clockid_t clock) {
    timespec now{};
    clock_gettime(clock, &now);
    return double(now.tv_sec) + double(now.tv_nsec) * 1e-9;
}

struct Window : DraftAssemblyWindow {
    Window() : DraftAssemblyWindow(kScaffolds) {
        Document().Genome().Selection().SetSelectedTracks({"gene"});
        Document().UpdateAllViews();
        QApplication::processEvents();
    }
};

// arg: 1 shows "All Tracks", 0 one scaffold.
void IdleWithSelection(benchmark::State& state) {
    Window& window = WindowHolder<Window>::Get();
    window.Document().ChoosePane(state.range(0) != 0 ? "All Tracks" : "scaffold_0");
    QApplication::processEvents();
    double percent = 0.0;
    for (auto _ : state) {
        const double wall = Seconds(CLOCK_MONOTONIC);
        const double cpu = Seconds(CLOCK_PROCESS_CPUTIME_ID);
        QEventLoop idle;
        QTimer::singleShot(kIdleMilliseconds, &idle, &QEventLoop::quit);
        idle.exec();
        percent =
            100.0 * (Seconds(CLOCK_PROCESS_CPUTIME_ID) - cpu) / (Seconds(CLOCK_MONOTONIC) - wall);
    }
    state.counters["cpu_percent"] = percent;
}

BENCHMARK(IdleWithSelection)
    ->ArgName("all_tracks")
    ->Arg(1)
    ->Arg(0)
    ->Iterations(1)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();

}  // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    WindowHolder<Window>::Reset();  // the window goes before the application object
    return 0;
}
