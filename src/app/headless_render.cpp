#include "app/headless_render.h"

#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <algorithm>
#include <cctype>
#include <cstdio>
#include <functional>
#include <optional>

#include "app/console_agent.h"
#include "app/headless_front_end.h"
#include "document/feature_name_command.h"
#include "document/locuscope_document.h"
#include "document/pane_label.h"
#include "document/view_options.h"
#include "document/workspace_command.h"
#include "framework/console_text.h"
#include "framework/message_box.h"
#include "view/c_dialog_image_export.h"
#include "view/pane_image.h"
#include "view/pane_printer.h"
#include "view/picture_output.h"
#include "view/track_renderer.h"

namespace {

const std::string kSvg = "svg";
const std::string kPdf = "pdf";
const std::string kBmp = "bmp";
// What a high-resolution printer gives a PDF.
constexpr int kPdfDotsPerInch = 1200;

bool EncodeSvg(const LocuscopeDocument& document, const std::string& pane, Range range, int width,
               const RenderSettings& settings, const QColor& background, QByteArray& bytes) {
    ViewGeometry geometry =
        PaneImage::Layout(document.Genome(), pane, range, width, document.HeaderVisible);
    TrackRenderer renderer(document.Genome(), pane, geometry, settings);
    const int64_t height = renderer.FullImageHeight();
    if (height > PaneImage::kMaximumPixels)
        return false;
    return PictureOutput::EncodeSvg(
        QSize(width, static_cast<int>(height)),
        [&](QPainter& painter) {
            renderer.DrawAll(painter, QRect(0, 0, width, int(height)), background);
        },
        bytes);
}

bool EncodePdf(const LocuscopeDocument& document, const std::string& pane, Range range,
               const RenderSettings& settings, QByteArray& bytes) {
    PanePrinter::Job job;
    job.genome = &document.Genome();
    job.paneName = pane;
    job.range = range;
    job.headerVisible = document.HeaderVisible;
    job.settings = settings;
    return PictureOutput::EncodePdf(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Landscape,
                                                QMarginsF(10, 10, 10, 10), QPageLayout::Millimeter),
                                    kPdfDotsPerInch, job, bytes);
}

// The first feature in pane order that answers to name, with a status line when others do too.
std::optional<FeatureMatch> FirstFeatureNamed(LocuscopeDocument& document,
                                              const std::string& name) {
    const std::optional<FeatureNameIndex::Lookup> lookup = FeatureNameCommand::Find(document, name);
    if (!lookup || lookup->matches.empty())
        return std::nullopt;
    const FeatureMatch& first = lookup->matches.front();
    if (lookup->count > 1)
        ConsoleText::WriteLine(
            stderr, PaneLabel::GroupedNumber(lookup->count) + " features are named " +
                        lookup->name + "; drawing the first: " + first.trackName + " " +
                        PaneLabel::Format(first.chromosomeName, {first.start, first.stop}));
    return first;
}

}  // namespace

std::string HeadlessRender::FormatOf(const std::string& output) {
    const size_t dot = output.find_last_of('.');
    const size_t slash = output.find_last_of('/');
    if (dot == std::string::npos || (slash != std::string::npos && dot < slash))
        return {};
    std::string extension = output.substr(dot + 1);
    for (char& c : extension)
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    if (extension == "tif")
        return "tiff";
    for (const char* known : {"png", "bmp", "gif", "tiff", "svg", "pdf"}) {
        if (extension == known)
            return extension;
    }
    return {};
}

int HeadlessRender::ClampWidth(long long width) {
    return static_cast<int>(
        std::clamp<long long>(width, CDialogImageExport::kMinimumWidth, PaneImage::kMaximumWidth));
}

int HeadlessRender::Run(const Request& request) {
    const std::string format = FormatOf(request.output);
    if (format.empty()) {
        ConsoleText::WriteLine(
            stderr, "--render writes .png, .bmp, .gif, .tif, .tiff, .svg or .pdf files, not: " +
                        request.output);
        return HeadlessFrontEnd::kExitUsage;
    }
    const std::string regionText = request.region.empty() ? kAllTracksPane : request.region;
    const PaneLabel::Parsed region = PaneLabel::Parse(regionText);
    if (region.outOfRange) {
        ConsoleText::WriteLine(stderr, "--region has a position beyond " +
                                           PaneLabel::GroupedNumber(kLastPosition) + ": " +
                                           regionText);
        return HeadlessFrontEnd::kExitUsage;
    }

    LocuscopeDocument document;
    ConsoleAgent console(stderr);
    document.SetHeadlessAgent(&console);
    // What a workspace brings; without one, the options a new window has, but for gene
    // models, which follow the remembered option.
    ViewOptions options;
    document.SetViewOptions(&options);
    if (!request.paths.empty() && !WorkspaceCommand::IsWorkspace(request.paths.front())) {
        ViewOptions remembered;
        remembered.Read();
        options.ShowGeneModels = remembered.ShowGeneModels;
    }
    ImportOutcome outcome = ImportOutcome::kFailed;
    document.OpenFiles(request.paths, &outcome);
    if (outcome != ImportOutcome::kComplete)
        return HeadlessFrontEnd::SkipOutputAfterIncompleteImport(request.output, outcome);
    if (request.geneModels != GeneModels::kRemembered)
        options.ShowGeneModels = request.geneModels == GeneModels::kOn;
    std::string pane = region.paneName;
    Range range = region.range;
    // A workspace's figure is made again where it was: its pane at its range.
    if (request.region.empty() && !request.paths.empty() &&
        WorkspaceCommand::IsWorkspace(request.paths.front())) {
        pane = document.GetCurrentPaneName();
        range = document.GetPaneJumpRange(pane);
    }
    if (pane != kAllTracksPane && !document.Genome().Store().HasChromosome(pane)) {
        // Not a pane: the name or ID of a feature, shown as the window shows it.
        const std::optional<FeatureMatch> feature = FirstFeatureNamed(document, regionText);
        if (!feature) {
            ConsoleText::WriteLine(stderr, "--region names no pane of the files: " + pane);
            return HeadlessFrontEnd::kExitUsage;
        }
        pane = feature->chromosomeName;
        range = FeatureNameIndex::ShownRange(feature->start, feature->stop);
    }
    if (range.first == kNoPosition)
        range = document.GetPaneExtent(pane);
    const RenderSettings settings = RenderSettingsFor(document.DefaultTrackStyle, &options, 1.0);
    const int width = ClampWidth(request.width);
    const bool transparent = request.transparent && format != kBmp;
    const QColor background = transparent ? QColor(Qt::transparent) : QColor(Qt::white);

    const char* message = PictureOutput::kErrorCreatingImage;
    std::function<bool(QByteArray&)> produce;
    if (format == kSvg) {
        message = PictureOutput::kErrorCreatingMetafile;
        produce = [&](QByteArray& bytes) {
            return EncodeSvg(document, pane, range, width, settings, background, bytes);
        };
    } else if (format == kPdf) {
        message = PictureOutput::kErrorPrinting;
        produce = [&](QByteArray& bytes) {
            return EncodePdf(document, pane, range, settings, bytes);
        };
    } else {
        produce = [&](QByteArray& bytes) {
            const QImage image = PaneImage::Render(document.Genome(), pane, range, width,
                                                   document.HeaderVisible, settings, background);
            return PictureOutput::EncodeImage(image, format, bytes);
        };
    }
    std::string failure;
    if (!PictureOutput::WriteFile(request.output, document.GetImportedPaths(), produce, failure)) {
        if (failure.empty() && format != kSvg && format != kPdf)
            failure = PaneImage::SizeProblem(document.Genome(), pane, range, width,
                                             document.HeaderVisible);
        ShowMessageBox(PictureOutput::FailureMessage(message, failure));
        return HeadlessFrontEnd::kExitFailure;
    }
    return HeadlessFrontEnd::kExitSuccess;
}
