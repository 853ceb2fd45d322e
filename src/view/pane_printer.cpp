#include "view/pane_printer.h"

#include <QPainter>
#include <QPrinter>
#include <algorithm>
#include <cmath>

#include "data/genome_dataset.h"
#include "view/pane_image.h"
#include "view/track_renderer.h"
#include "view/view_geometry.h"

namespace {

// The drawing rectangle of a page in layout pixels.
QSize LayoutSize(const QRect& page, double dotsPerInch) {
    const double factor = dotsPerInch / PanePrinter::kLayoutDotsPerInch;
    const QRect drawing = PanePrinter::DrawingRect(page);
    return QSize(std::max(1, static_cast<int>(drawing.width() / factor)),
                 std::max(1, static_cast<int>(drawing.height() / factor)));
}

ViewGeometry PrintedLayout(const PanePrinter::Job& job, int layoutWidth) {
    return PaneImage::Layout(*job.genome, job.paneName, job.range, layoutWidth,
                             job.headerVisible, PanePrinter::kPrintedTrackHeight);
}

// The bottom of the last row of a page that starts at firstTrack, and the track after it.
std::pair<int, size_t> FillPage(const PanePrinter::Job& job, ViewGeometry& geometry,
                                int layoutHeight, size_t firstTrack) {
    const std::vector<GenomeDataset::TrackRef> tracks =
        job.genome->GetPaneTracks(job.paneName);
    int y = geometry.HeaderHeight() + ViewGeometry::kHeaderGap;
    int bottom = y;
    size_t track = firstTrack;
    for (; track < tracks.size(); ++track) {
        const int height = geometry.TrackHeight(tracks[track].dataset->TrackHeight);
        // A row taller than a page still gets a page of its own, cut at its foot.
        if (track > firstTrack && y + height > layoutHeight)
            break;
        bottom = y + height;
        y = bottom + ViewGeometry::kRowGap;
    }
    return {bottom, track};
}

}  // namespace

QRect PanePrinter::DrawingRect(const QRect& page) {
    QRect drawing = page;
    drawing.setRight(page.right() - static_cast<int>(page.width() * kMarginFraction));
    drawing.setBottom(page.bottom() - static_cast<int>(page.height() * kMarginFraction));
    return drawing;
}

std::vector<size_t> PanePrinter::PageStarts(const Job& job, int layoutWidth, int layoutHeight) {
    std::vector<size_t> starts;
    ViewGeometry geometry = PrintedLayout(job, layoutWidth);
    const size_t count = job.genome->GetPaneTracks(job.paneName).size();
    for (size_t track = job.firstTrack; track < count;) {
        starts.push_back(track);
        track = FillPage(job, geometry, layoutHeight, track).second;
    }
    return starts;
}

void PanePrinter::DrawPage(QPainter& painter, const QRect& page, double dotsPerInch,
                           const Job& job, size_t firstTrack) {
    const double factor = dotsPerInch / kLayoutDotsPerInch;
    const QSize layout = LayoutSize(page, dotsPerInch);
    ViewGeometry geometry = PrintedLayout(job, layout.width());
    const int bottom = FillPage(job, geometry, layout.height(), firstTrack).first;
    geometry.vertical.position = static_cast<int64_t>(firstTrack);

    painter.save();
    painter.fillRect(page, Qt::white);
    painter.translate(DrawingRect(page).topLeft());
    painter.scale(factor, factor);
    // Drawn no lower than the page's last whole row, so the next row waits for the next page.
    TrackRenderer(*job.genome, job.paneName, geometry, job.settings)
        .DrawAll(painter, QRect(0, 0, layout.width(), std::min(layout.height(), bottom + 1)),
                 Qt::white);
    painter.restore();
}

int PanePrinter::Print(QPrinter& printer, const Job& job) {
    return Print(printer, printer.resolution(), job);
}

int PanePrinter::Print(QPagedPaintDevice& printer, int dotsPerInch, const Job& job) {
    const QRect page(QPoint(0, 0), printer.pageLayout().paintRectPixels(dotsPerInch).size());
    const QSize layout = LayoutSize(page, dotsPerInch);
    const std::vector<size_t> starts = PageStarts(job, layout.width(), layout.height());
    if (starts.empty())
        return 0;
    QPainter painter;
    if (!painter.begin(&printer))
        return 0;
    for (size_t i = 0; i < starts.size(); ++i) {
        if (i > 0 && !printer.newPage())
            break;
        DrawPage(painter, page, dotsPerInch, job, starts[i]);
    }
    painter.end();
    return static_cast<int>(starts.size());
}
