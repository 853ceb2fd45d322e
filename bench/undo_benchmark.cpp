// Milliseconds to delete and undo in the real window (offscreen) over a draft assembly of 1,000,
// 10,000 and 30,000 one-track scaffolds: Pane > Delete on "All Tracks" then Edit > Undo, and
// Track > Delete of the one track name (every scaffold's pane goes with it) then Undo, each
// with the view and the pane selector brought up to date. Both must grow linearly with the
// scaffolds. Also the time to save the window as a workspace and the file's size:
//   undo_benchmark [benchmark flags]
#include <benchmark/benchmark.h>

#include <QApplication>
#include <filesystem>
#include <map>

#include "document/command_ids.h"
#include "draft_assembly_window.h"
#include "framework/command_layer.h"

namespace {

namespace Id = CommandId;

std::map<int, std::unique_ptr<DraftAssemblyWindow>>& Windows() {
    static std::map<int, std::unique_ptr<DraftAssemblyWindow>> windows;
    return windows;
}

DraftAssemblyWindow& WindowOf(int scaffolds) {
    if (Windows().count(scaffolds) == 0) {
        Windows().clear();  // one window at a time
        auto window = std::make_unique<DraftAssemblyWindow>(scaffolds);
        window->Document().ChoosePane(kAllTracksPane);
        QApplication::processEvents();
        Windows().emplace(scaffolds, std::move(window));
    }
    return *Windows().at(scaffolds);
}

// Runs a command as its menu entry does and lets the window catch up.
void Run(DraftAssemblyWindow& window, int id) {
    window.Frame().Commands().Execute(id);
    QApplication::processEvents();
}

void DeleteAllTracksAndUndo(benchmark::State& state) {
    DraftAssemblyWindow& window = WindowOf(static_cast<int>(state.range(0)));
    for (auto _ : state) {
        Run(window, Id::kDeletePane);
        Run(window, Id::kUndo);
    }
    if (window.Document().Genome().Store().GetChromosomeCount() !=
        static_cast<size_t>(state.range(0)))
        state.SkipWithError("the undo did not bring every scaffold back");
}

void DeleteTrackAndUndo(benchmark::State& state) {
    DraftAssemblyWindow& window = WindowOf(static_cast<int>(state.range(0)));
    for (auto _ : state) {
        window.Document().SelectOnlyTrack("gene");
        Run(window, Id::kDeleteTracks);
        Run(window, Id::kUndo);
    }
    if (window.Document().Genome().Store().GetChromosomeCount() !=
        static_cast<size_t>(state.range(0)))
        state.SkipWithError("the undo did not bring every scaffold back");
}

void SaveWorkspace(benchmark::State& state) {
    DraftAssemblyWindow& window = WindowOf(static_cast<int>(state.range(0)));
    const std::string path = window.folder.filePath("draft.lsw").toStdString();
    for (auto _ : state)
        window.Document().SaveWorkspace(path);
    state.counters["bytes"] = static_cast<double>(std::filesystem::file_size(path));
}

BENCHMARK(DeleteAllTracksAndUndo)
    ->Arg(1000)
    ->Arg(10000)
    ->Arg(30000)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();
BENCHMARK(DeleteTrackAndUndo)
    ->Arg(1000)
    ->Arg(10000)
    ->Arg(30000)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();
BENCHMARK(SaveWorkspace)->Arg(30000)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    Windows().clear();  // the windows go before the application object
    return 0;
}
