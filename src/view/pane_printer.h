#pragma once

#include <QRect>
#include <QSize>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "view/render_settings.h"
#include "view/view_geometry.h"

class CNotificationAgent;
class GenomeDataset;
class QPainter;
class QPagedPaintDevice;
class QPrinter;
class TrackRenderer;

// The printed form of a pane: the visible range from the first visible track down, on white
// pages, 5 % of each page kept free at the right and at the bottom, rows of automatic height
// 80, no overlays. Layout is in screen pixels (1/96 inch), scaled to the printer by its
// resolution, so text and lines print at the size they have on screen. Tracks that do not fit
// one page go on to the next, each page with its own header.
//
// A job is laid out once, when the printer object is made: the pane's track list, the rows and
// where each page starts. Drawing a page then costs only its own rows, so printing thousands of
// panes grows linearly with them. The data must not change while the object lives.
class PanePrinter {
public:
    static constexpr double kMarginFraction = 0.05;
    static constexpr int kPrintedTrackHeight = 80;
    static constexpr double kLayoutDotsPerInch = 96.0;

    struct Job {
        const GenomeDataset* genome = nullptr;
        std::string paneName;
        Range range;
        size_t firstTrack = 0;
        bool headerVisible = false;
        RenderSettings settings;
    };

    // Lays job out for pages `page` device pixels large at dotsPerInch; job.genome must be set.
    PanePrinter(const Job& job, const QRect& page, double dotsPerInch);
    // Lays job out for the pages of printer as it is now set up.
    PanePrinter(const Job& job, QPrinter& printer);
    ~PanePrinter();
    PanePrinter(const PanePrinter&) = delete;
    PanePrinter& operator=(const PanePrinter&) = delete;

    // The number of pages; 0 when the pane has no track from job.firstTrack.
    size_t PageCount() const { return pageStarts_.size(); }
    // The first track of each page: every page holds at least one track.
    const std::vector<size_t>& PageStarts() const { return pageStarts_; }
    // Draws page index (from 0) onto painter, whose device is a page as laid out.
    void DrawPage(QPainter& painter, size_t index);

    // Prints every page on device (a printer or a PDF writer), whose page must be the one laid
    // out for. With an agent, reports the pages done as overall progress and asks after each
    // page whether to cancel; a cancelled print stops there and, unless keepPagesOnCancel (a
    // preview shows what was made), aborts a printer's job. The number of pages printed; 0 when
    // the device could not be opened or there is nothing to print, -1 when cancelled.
    int Print(QPagedPaintDevice& device, CNotificationAgent* agent,
              bool keepPagesOnCancel = false);
    // Lays job out for printer and prints it without reports.
    static int Print(QPrinter& printer, const Job& job);

    // The drawing rectangle of a page whose printable area is page (device pixels): the page
    // less the margins at the right and at the bottom.
    static QRect DrawingRect(const QRect& page);
    // The printable area of printer's page in device pixels, at (0, 0).
    static QRect PageRect(QPrinter& printer);

private:
    Job job_;
    QRect page_;
    double dotsPerInch_;
    QSize layout_;  // the drawing rectangle in layout pixels
    ViewGeometry geometry_;
    std::unique_ptr<TrackRenderer> renderer_;  // draws with geometry_
    std::vector<size_t> pageStarts_;
    std::vector<int> pageBottoms_;  // the bottom of each page's last row, in layout pixels
};
