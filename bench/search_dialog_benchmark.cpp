// The Search Dialog over a very large result list: milliseconds from opening the dialog to its
// first painted frame, and the resident bytes the list adds, for 10 M rows.
//   search_dialog_benchmark [benchmark flags]
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QTableView>

#include "document/c_dialog_data_search.h"
#include "document/locuscope_document.h"
#include "process_memory.h"

namespace {

constexpr uint32_t kRows = 10000000;

void OpenDialog(benchmark::State& state, LocuscopeDocument* document) {
    double bytesPerRow = 0.0;
    for (auto _ : state) {
        const uint64_t before = ProcessMemory::ResidentBytes();
        CDialogDataSearch dialog(*document);
        dialog.show();
        dialog.grab();  // lays out and paints the visible rows
        bytesPerRow = static_cast<double>(ProcessMemory::ResidentBytes() - before) / kRows;
        dialog.close();
    }
    state.counters["rows"] = kRows;
    state.counters["bytes_per_row"] = bytesPerRow;
}

}  // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    benchmark::Initialize(&argc, argv);
    LocuscopeDocument document;
    SearchResultList results;
    for (uint32_t i = 0; i < kRows; ++i)
        results.push_back({"chr1", "peaks", i + 1});
    document.SetSearchResults(std::move(results));
    document.LastSearchRow = static_cast<int>(kRows / 2);
    benchmark::RegisterBenchmark("SearchDialog/open/10M", OpenDialog, &document)
        ->Unit(benchmark::kMillisecond)->Iterations(3)->UseRealTime();
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
