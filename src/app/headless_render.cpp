#include "app/headless_render.h"

#include <QFile>
#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <QPrinter>
#include <algorithm>
#include <cctype>
#include <cstdio>

#include "app/console_agent.h"
#include "app/headless_front_end.h"
#include "document/locuscope_document.h"
#include "document/pane_label.h"
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

bool WriteSvg(const LocuscopeDocument& document, const std::string& pane,
              PaneImage::Range range, int width, const RenderSettings& settings,
              const QColor& background, const std::string& path) {
    ViewGeometry geometry =
        PaneImage::Layout(document.Genome, pane, range, width, document.HeaderVisible);
    TrackRenderer renderer(document.Genome, pane, geometry, settings);
    const int64_t height = renderer.FullImageHeight();
    if (height > PaneImage::kMaximumPixels)
        return false;
    QByteArray bytes;
    return PictureOutput::EncodeSvg(QSize(width, static_cast<int>(height)),
                                    [&](QPainter& painter) {
                                        renderer.DrawAll(
                                            painter, QRect(0, 0, width, int(height)), background);
                                    },
                                    bytes) &&
           PictureOutput::WriteFile(path, bytes);
}

bool WritePdf(const LocuscopeDocument& document, const std::string& pane, PaneImage::Range range,
              const RenderSettings& settings, const std::string& path) {
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(QFile::decodeName(QByteArray::fromStdString(path)));
    printer.setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Landscape,
                                      QMarginsF(10, 10, 10, 10), QPageLayout::Millimeter));
    PanePrinter::Job job;
    job.genome = &document.Genome;
    job.paneName = pane;
    job.range = range;
    job.headerVisible = document.HeaderVisible;
    job.settings = settings;
    return PanePrinter::Print(printer, job) > 0;
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
    return static_cast<int>(std::clamp<long long>(width, CDialogImageExport::kMinimumWidth,
                                                  PaneImage::kMaximumWidth));
}

int HeadlessRender::Run(const Request& request) {
    const std::string format = FormatOf(request.output);
    if (format.empty()) {
        std::fprintf(stderr,
                     "--render writes .png, .bmp, .gif, .tif, .tiff, .svg or .pdf files, not: %s\n",
                     request.output.c_str());
        return HeadlessFrontEnd::kExitUsage;
    }
    const std::string regionText = request.region.empty() ? kAllTracksPane : request.region;
    const PaneLabel::Parsed region = PaneLabel::Parse(regionText);
    if (region.outOfRange) {
        std::fprintf(stderr, "--region has a position beyond %s: %s\n",
                     PaneLabel::GroupedNumber(PaneLabel::kNoPosition - 1).c_str(),
                     regionText.c_str());
        return HeadlessFrontEnd::kExitUsage;
    }

    LocuscopeDocument document;
    ConsoleAgent console(stderr);
    document.SetHeadlessAgent(&console);
    const bool imported = document.ImportFiles(request.paths);
    if (region.paneName != kAllTracksPane && !document.Genome.HasChromosome(region.paneName)) {
        std::fprintf(stderr, "--region names no pane of the files: %s\n",
                     region.paneName.c_str());
        return HeadlessFrontEnd::kExitUsage;
    }
    PaneImage::Range range = region.range;
    if (range.first == PaneLabel::kNoPosition)
        range = document.GetPaneExtent(region.paneName);
    RenderSettings settings;
    settings.defaultTrackStyle = document.DefaultTrackStyle;
    const int width = ClampWidth(request.width);
    const bool transparent = request.transparent && format != kBmp;
    const QColor background = transparent ? QColor(Qt::transparent) : QColor(Qt::white);

    bool written = false;
    const char* failure = PictureOutput::kErrorCreatingImage;
    if (format == kSvg) {
        written = WriteSvg(document, region.paneName, range, width, settings, background,
                           request.output);
        failure = PictureOutput::kErrorCreatingMetafile;
    } else if (format == kPdf) {
        written = WritePdf(document, region.paneName, range, settings, request.output);
        failure = "Error printing.";
    } else {
        const QImage image = PaneImage::Render(document.Genome, region.paneName, range, width,
                                               document.HeaderVisible, settings, background);
        QByteArray bytes;
        written = PictureOutput::EncodeImage(image, format, bytes) &&
                  PictureOutput::WriteFile(request.output, bytes);
    }
    if (!written) {
        ShowMessageBox(failure);
        return HeadlessFrontEnd::kExitFailure;
    }
    return imported ? HeadlessFrontEnd::kExitSuccess : HeadlessFrontEnd::kExitFailure;
}
