#include "view/pane_printer.h"

#include <QPainter>
#include <QPrinter>
#include <algorithm>
#include <cmath>

#include "data/genome_dataset.h"
#include "framework/notification_agent.h"
#include "view/pane_image.h"
#include "view/track_renderer.h"

namespace {

// The drawing rectangle of a page in layout pixels.
QSize LayoutSize(const QRect& page, double dotsPerInch) {
    const double factor = dotsPerInch / PanePrinter::kLayoutDotsPerInch;
    const QRect drawing = PanePrinter::DrawingRect(page);
    return QSize(std::max(1, static_cast<int>(drawing.width() / factor)),
                 std::max(1, static_cast<int>(drawing.height() / factor)));
}

PanePrinter::Job PrintedJob(PanePrinter::Job job) {
    job.settings.opaqueOutlines = true;
    return job;
}

}  // namespace

PanePrinter::PanePrinter(const Job& job, const QRect& page, double dotsPerInch)
    : job_(PrintedJob(job)),
      page_(page),
      dotsPerInch_(dotsPerInch),
      layout_(LayoutSize(page, dotsPerInch)),
      geometry_(PaneImage::Layout(*job.genome, job.paneName, job.range, layout_.width(),
                                  job.headerVisible, kPrintedTrackHeight)),
      renderer_(
          std::make_unique<TrackRenderer>(*job.genome, job.paneName, geometry_, job_.settings)) {
    // Rows are packed onto pages once, for all of them.
    const std::vector<GenomeDataset::TrackRef> tracks =
        job.genome->Store().GetPaneTracks(job.paneName);
    const int firstTop = geometry_.HeaderHeight() + ViewGeometry::kHeaderGap;
    int y = firstTop;
    for (size_t track = job.firstTrack; track < tracks.size(); ++track) {
        const int height = geometry_.TrackHeight(tracks[track].dataset->TrackHeight);
        // A row taller than a page still gets a page of its own, cut at its foot.
        if (pageStarts_.empty() || (track > pageStarts_.back() && y + height > layout_.height())) {
            pageStarts_.push_back(track);
            pageBottoms_.push_back(firstTop);
            y = firstTop;
        }
        pageBottoms_.back() = y + height;
        y += height + ViewGeometry::kRowGap;
    }
}

PanePrinter::PanePrinter(const Job& job, QPrinter& printer)
    : PanePrinter(job, PageRect(printer), printer.resolution()) {}

PanePrinter::~PanePrinter() = default;

QRect PanePrinter::DrawingRect(const QRect& page) {
    QRect drawing = page;
    drawing.setRight(page.right() - static_cast<int>(page.width() * kMarginFraction));
    drawing.setBottom(page.bottom() - static_cast<int>(page.height() * kMarginFraction));
    return drawing;
}

QRect PanePrinter::PageRect(QPrinter& printer) {
    return QRect(QPoint(0, 0), printer.pageLayout().paintRectPixels(printer.resolution()).size());
}

void PanePrinter::DrawPage(QPainter& painter, size_t index) {
    const double factor = dotsPerInch_ / kLayoutDotsPerInch;
    geometry_.vertical.position = static_cast<int64_t>(pageStarts_.at(index));
    painter.save();
    painter.fillRect(page_, Qt::white);
    painter.translate(DrawingRect(page_).topLeft());
    painter.scale(factor, factor);
    // Drawn no lower than the page's last whole row, so the next row waits for the next page.
    renderer_->DrawAll(
        painter, QRect(0, 0, layout_.width(), std::min(layout_.height(), pageBottoms_[index] + 1)),
        Qt::white);
    painter.restore();
}

int PanePrinter::Print(QPagedPaintDevice& device, CNotificationAgent* agent,
                       bool keepPagesOnCancel) {
    if (pageStarts_.empty())
        return 0;
    QPainter painter;
    if (!painter.begin(&device))
        return 0;
    const int pages = static_cast<int>(pageStarts_.size());
    for (int page = 0; page < pages; ++page) {
        if (page > 0 && !device.newPage())
            break;
        DrawPage(painter, static_cast<size_t>(page));
        if (agent == nullptr)
            continue;
        agent->SetProgress(CNotificationAgent::PROGRESS_OVERALL, page + 1, pages, "", "", 0);
        if (agent->IsCancelRequested(false)) {
            // Half a job is not sent to the printer; a preview keeps what it shows.
            if (auto* printer = dynamic_cast<QPrinter*>(&device); printer && !keepPagesOnCancel)
                printer->abort();
            painter.end();
            return -1;
        }
    }
    painter.end();
    return pages;
}

int PanePrinter::Print(QPrinter& printer, const Job& job) {
    return PanePrinter(job, printer).Print(printer, nullptr);
}
