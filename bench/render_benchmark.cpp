// Milliseconds per full drawing pass of one track of 1M and of 10M features into a 1920-pixel
// wide picture, at full zoom-out, over a 3 Mb window (just under the dense-points threshold
// with 10M features) and over a 10 kb window, in Points and in Bars; and per picture of the
// "All Tracks" pane of 1,000, 10,000 and 30,000 one-track chromosomes (a draft assembly), as
// the headless render and image export draw it, 100 pixels wide; per print of "All Tracks"
// of 1,000, 4,000 and 8,000 one-track chromosomes to a PDF, next to the PNG of the same pane
// (drawn and encoded). Given a GENCODE-like file of gene models (bench_generate models), also
// the pane of its chr1 with every track, gene models on and off, over the whole chromosome,
// 3 Mb and 100 kb:
//   render_benchmark [benchmark flags] [MODELS_GFF]
#include <benchmark/benchmark.h>

#include <QBuffer>
#include <QGuiApplication>
#include <QImage>
#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <QPrinter>
#include <QTemporaryDir>
#include <memory>

#include "data/genome_dataset.h"
#include "framework/string_format.h"
#include "import/import_driver.h"
#include "view/pane_image.h"
#include "view/pane_printer.h"
#include "view/track_renderer.h"
#include "view/view_geometry.h"

namespace {

constexpr int kWidth = 1920;
constexpr int kHeight = 400;
constexpr uint32_t kChromosomeLength = 250000000;

// A track of count features spread over a chromosome, scores between -100 and 1000.
std::unique_ptr<GenomeDataset> MakeGenome(uint32_t count) {
    auto genome = std::make_unique<GenomeDataset>();
    ChromosomeDataset& track = genome->Store().FindOrCreateTrack("chr1", "peaks");
    genome->Store().AppendTrackName("peaks");
    genome->Colors().AssignTrackColor(track, "peaks");
    uint64_t state = 0x5EEDull;
    ChromosomeItem item;
    const uint32_t spacing = kChromosomeLength / count;
    for (uint32_t i = 0; i < count; ++i) {
        state = state * 6364136223846793005ull + 1442695040888963407ull;
        const uint32_t start = 1 + i * spacing + static_cast<uint32_t>(state >> 60);
        item.Stop = start + 50 + static_cast<uint32_t>((state >> 20) % 800);
        item.Score = static_cast<float>(static_cast<int>((state >> 33) % 1100) - 100);
        item.Strand = (state >> 40) & 1 ? '+' : '-';
        // Named as annotation is, so that zoomed-in passes draw names too.
        item.Attributes = "ID=f" + std::to_string(i) + ";Name=F" + std::to_string(i);
        track.UpdateExtents(start, item.Stop, item.Score);
        track.AddItem(start, item);
    }
    track.GetStartPositions();  // ordered once, as after an import
    genome->Store().SortChromosomeNames();
    return genome;
}

GenomeDataset& Genome(uint32_t count) {
    static std::unique_ptr<GenomeDataset> million = MakeGenome(1000000);
    static std::unique_ptr<GenomeDataset> tenMillion;
    if (count == 1000000)
        return *million;
    if (!tenMillion)
        tenMillion = MakeGenome(10000000);
    return *tenMillion;
}

// args: feature count, window in bases (0 = whole track), style (2 points, 3 bars).
void FullPass(benchmark::State& state) {
    GenomeDataset& genome = Genome(static_cast<uint32_t>(state.range(0)));
    ChromosomeDataset* track = genome.Store().FindTrack("chr1", "peaks");
    track->TrackStyle = static_cast<int>(state.range(2));

    ViewGeometry geometry;
    ViewGeometry::LayoutInput input;
    input.clientWidth = kWidth;
    input.clientHeight = kHeight;
    input.fullRange = genome.Store().GetPaneExtent("chr1");
    const uint32_t window = static_cast<uint32_t>(state.range(1));
    const uint32_t first = window == 0 ? input.fullRange.first : 120000000;
    const uint32_t last = window == 0 ? input.fullRange.second : first + window - 1;
    input.jumpRange = {first, last};
    input.ownTrackHeights = {0};
    geometry.RecalcLayout(input);
    geometry.SetVisibleRange(first, last);

    RenderSettings settings;
    QImage image(kWidth, kHeight, QImage::Format_ARGB32_Premultiplied);
    for (auto _ : state) {
        QPainter painter(&image);
        TrackRenderer(genome, "chr1", geometry, settings).DrawAll(painter, image.rect(), Qt::white);
    }
    state.counters["visible_bases"] = static_cast<double>(last - first + 1);
}

// count chromosomes of one track with a few features each.
std::unique_ptr<GenomeDataset> MakeDraftAssembly(int count) {
    constexpr uint32_t kFeaturesPerTrack = 8;
    constexpr uint32_t kFeatureSpacing = 1000;
    auto genome = std::make_unique<GenomeDataset>();
    genome->Store().AppendTrackName("contig_peaks");
    ChromosomeItem item;
    for (int i = 0; i < count; ++i) {
        ChromosomeDataset& track =
            genome->Store().FindOrCreateTrack(FormatString("scaffold_%05d", i), "contig_peaks");
        genome->Colors().AssignTrackColor(track, "contig_peaks");
        for (uint32_t f = 0; f < kFeaturesPerTrack; ++f) {
            const uint32_t start = 1 + f * kFeatureSpacing;
            item.Stop = start + kFeatureSpacing / 2;
            item.Score = static_cast<float>(f);
            track.UpdateExtents(start, item.Stop, item.Score);
            track.AddItem(start, item);
        }
    }
    genome->Store().SortChromosomeNames();
    return genome;
}

// args: number of one-track panes.
void AllTracksImage(benchmark::State& state) {
    // The narrowest picture: 30,000 rows at 200 pixels would pass the 2^28-pixel limit.
    constexpr int kImageWidth = PaneImage::kMinimumWidth;
    const std::unique_ptr<GenomeDataset> genome =
        MakeDraftAssembly(static_cast<int>(state.range(0)));
    const Range range = genome->Store().GetPaneExtent(kAllTracksPane);
    RenderSettings settings;
    int height = 0;
    for (auto _ : state) {
        const QImage image =
            PaneImage::Render(*genome, kAllTracksPane, range, kImageWidth, true, settings);
        height = image.height();
        benchmark::DoNotOptimize(image.constBits());
    }
    state.counters["image_height"] = height;
}

// The chr1 pane of a file of gene models, every track, into a picture as high as its rows.
// args: window in bases (0 = the whole chromosome), gene models (1 on, 0 off).
void GeneModelPane(benchmark::State& state, const std::string& path) {
    static std::unique_ptr<GenomeDataset> genome;
    if (!genome) {
        genome = std::make_unique<GenomeDataset>();
        ImportDriver(*genome).LoadFiles({path});
    }
    const Range extent = genome->Store().GetPaneExtent("chr1");
    const uint32_t window = static_cast<uint32_t>(state.range(0));
    const uint32_t first = window == 0 ? extent.first : 100000000;
    const Range range{first, window == 0 ? extent.second : first + window - 1};
    ViewGeometry geometry = PaneImage::Layout(*genome, "chr1", range, kWidth, true);
    RenderSettings settings;
    settings.geneModels = state.range(1) != 0;
    TrackRenderer renderer(*genome, "chr1", geometry, settings);
    QImage image(kWidth, static_cast<int>(renderer.FullImageHeight()),
                 QImage::Format_ARGB32_Premultiplied);
    for (auto _ : state) {
        QPainter painter(&image);
        renderer.DrawAll(painter, image.rect(), Qt::white);
    }
    state.counters["tracks"] = genome->Store().GetPaneTrackCount("chr1");
}

// args: number of one-track panes. The pages the headless render writes for a .pdf: A4
// landscape, 10 mm margins.
void AllTracksPdf(benchmark::State& state) {
    const std::unique_ptr<GenomeDataset> genome =
        MakeDraftAssembly(static_cast<int>(state.range(0)));
    QTemporaryDir folder;
    PanePrinter::Job job;
    job.genome = genome.get();
    job.paneName = kAllTracksPane;
    job.range = genome->Store().GetPaneExtent(kAllTracksPane);
    job.headerVisible = true;
    int pages = 0;
    for (auto _ : state) {
        QPrinter printer(QPrinter::HighResolution);
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(folder.filePath(QStringLiteral("all.pdf")));
        printer.setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Landscape,
                                          QMarginsF(10, 10, 10, 10), QPageLayout::Millimeter));
        pages = PanePrinter::Print(printer, job);
    }
    state.counters["pages"] = pages;
}

// args: number of one-track panes. The same pane as a PNG, drawn and encoded.
void AllTracksPng(benchmark::State& state) {
    const std::unique_ptr<GenomeDataset> genome =
        MakeDraftAssembly(static_cast<int>(state.range(0)));
    const Range range = genome->Store().GetPaneExtent(kAllTracksPane);
    qint64 bytes = 0;
    for (auto _ : state) {
        const QImage image = PaneImage::Render(*genome, kAllTracksPane, range,
                                               PaneImage::kMinimumWidth, true, RenderSettings());
        QBuffer buffer;
        buffer.open(QIODevice::WriteOnly);
        image.save(&buffer, "PNG");
        bytes = buffer.size();
    }
    state.counters["png_bytes"] = static_cast<double>(bytes);
}

// The draft assemblies printed: 1,000, 4,000 and 8,000 one-track panes.
void PrintedPanes(benchmark::internal::Benchmark* benchmark) {
    benchmark->ArgName("panes")->Arg(1000)->Arg(4000)->Arg(8000);
    benchmark->Unit(benchmark::kMillisecond)->Iterations(1);
}

void Arguments(benchmark::internal::Benchmark* benchmark) {
    benchmark->ArgNames({"features", "window", "style"});
    for (const int64_t features : {1000000, 10000000}) {
        for (const int64_t window : {int64_t{0}, int64_t{3000000}, int64_t{10000}}) {
            for (const int64_t style : {2, 3})
                benchmark->Args({features, window, style});
        }
    }
    benchmark->Unit(benchmark::kMillisecond);
}

BENCHMARK(FullPass)->Apply(Arguments);
BENCHMARK(AllTracksImage)
    ->ArgName("panes")
    ->Arg(1000)
    ->Arg(10000)
    ->Arg(30000)
    ->Unit(benchmark::kMillisecond)
    ->Iterations(1);
BENCHMARK(AllTracksPdf)->Apply(PrintedPanes);
BENCHMARK(AllTracksPng)->Apply(PrintedPanes);

}  // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication application(argc, argv);
    benchmark::Initialize(&argc, argv);
    if (argc > 1) {
        const std::string path = argv[1];
        benchmark::RegisterBenchmark("GeneModelPane", GeneModelPane, path)
            ->ArgNames({"window", "models"})
            ->ArgsProduct({{0, 3000000, 100000}, {1, 0}})
            ->Unit(benchmark::kMillisecond);
    }
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
