#pragma once

#include <QRect>
#include <cstddef>
#include <cstdint>
#include <string>
#include <utility>
#include <vector>

#include "view/render_settings.h"

class GenomeDataset;
class QPagedPaintDevice;
class QPainter;
class QPrinter;

// The printed form of a pane: the visible range from the first visible track down, on white
// pages, 5 % of each page kept free at the right and at the bottom, rows of automatic height
// 80, no overlays. Layout is in screen pixels (1/96 inch), scaled to the printer by its
// resolution, so text and lines print at the size they have on screen. Tracks that do not fit
// one page go on to the next, each page with its own header.
class PanePrinter {
public:
    using Range = std::pair<uint32_t, uint32_t>;
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

    // The drawing rectangle of a page whose printable area is page (device pixels): the page
    // less the margins at the right and at the bottom.
    static QRect DrawingRect(const QRect& page);
    // The first track of each page when pages hold layoutHeight layout pixels: every page
    // holds at least one track; empty when the pane has no track from job.firstTrack.
    static std::vector<size_t> PageStarts(const Job& job, int layoutWidth, int layoutHeight);

    // Prints job on printer, one page after another; the number of pages printed, 0 when the
    // printer could not be opened or there is nothing to print.
    static int Print(QPrinter& printer, const Job& job);
    // The same on any paged device (a PDF writer) of dotsPerInch.
    static int Print(QPagedPaintDevice& device, int dotsPerInch, const Job& job);
    // Draws one page whose tracks start at firstTrack onto painter, whose device is a page
    // `page` device pixels large at dotsPerInch.
    static void DrawPage(QPainter& painter, const QRect& page, double dotsPerInch, const Job& job,
                         size_t firstTrack);
};
