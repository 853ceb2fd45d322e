#include "view/track_renderer.h"

#include <QFontMetrics>
#include <QLinearGradient>
#include <algorithm>
#include <cmath>

#include "data/genome_dataset.h"
#include "document/pane_label.h"
#include "view/track_row_painter.h"
#include "view/view_geometry.h"

namespace {

constexpr int kTickLength = 8;
constexpr int kTickGap = 3;  // between a tick's end and the header's bottom line
constexpr int kLabelOffsetX = 10;
constexpr int kLabelOffsetY = 15;
constexpr double kLabelAngle = -50.0;
constexpr int kLabelTopGap = 2;  // kept free above the highest ruler label
constexpr int kSmallestLabelPixels = 7;
constexpr int kImageBottomMargin = 25;
// Rows are drawn in each band they come this close to, for marks drawn just past their edges.
constexpr int kBandOverlap = 32;

// A calm band under the ruler: a soft blue-grey fading to white.
void FillHeaderBackground(QPainter& painter, int width, int height) {
    QLinearGradient gradient(0, 0, 0, height);
    gradient.setColorAt(0.0, QColor(0xE4, 0xEA, 0xF1));
    gradient.setColorAt(1.0, QColor(0xFB, 0xFC, 0xFD));
    painter.fillRect(QRect(0, 0, width, height), gradient);
}

}  // namespace

TrackRenderer::TrackRenderer(const GenomeDataset& genome, std::string paneName,
                             ViewGeometry& geometry, const RenderSettings& settings)
    : paneName_(std::move(paneName)),
      tracks_(genome.Store().GetPaneTracks(paneName_)),
      geometry_(geometry),
      settings_(settings) {
    if (settings_.geneModels)
        genome.Store().GetGeneModelSchedule().LinkDue(genome.Store(), paneName_);
}

void TrackRenderer::DrawAll(QPainter& painter, const QRect& target, const QColor& background) {
    const RenderResources resources(settings_.outputScale);
    painter.save();
    painter.setClipRect(target);
    painter.translate(target.topLeft());
    const int width = target.width();
    painter.fillRect(QRect(0, 0, width, target.height()), background);

    geometry_.rowTops.clear();
    geometry_.rowBottoms.clear();
    geometry_.rowTitleRights.clear();
    DrawHeader(painter, width, resources);

    TrackRowPainter rows(painter, geometry_, width, settings_, resources);
    const std::vector<GenomeDataset::TrackRef>& tracks = tracks_;
    const bool allTracks = paneName_ == kAllTracksPane;
    int y = 0;
    for (size_t index = static_cast<size_t>(std::max<int64_t>(geometry_.vertical.position, 0));
         index < tracks.size(); ++index) {
        const GenomeDataset::TrackRef& ref = tracks[index];
        const int top = y + geometry_.HeaderHeight() + ViewGeometry::kHeaderGap;
        if (top >= target.height())
            break;
        const int height = geometry_.TrackHeight(ref.dataset->TrackHeight);
        geometry_.rowTops.push_back(top);
        geometry_.rowBottoms.push_back(top + height);
        geometry_.rowTitleRights.push_back(
            rows.Draw(*ref.dataset, ref.trackName, ref.chromosomeName, allTracks, top, height));
        y += height + ViewGeometry::kRowGap;
    }
    painter.restore();
}

int64_t TrackRenderer::FullImageHeight() {
    int64_t height = geometry_.HeaderHeight() + ViewGeometry::kHeaderGap;
    const std::vector<GenomeDataset::TrackRef>& tracks = tracks_;
    for (const GenomeDataset::TrackRef& ref : tracks)
        height += geometry_.TrackHeight(ref.dataset->TrackHeight);
    // The gaps between rows count too: without them the last rows of a pane with more than a
    // few tracks would be cut off.
    if (!tracks.empty())
        height += static_cast<int64_t>(tracks.size() - 1) * ViewGeometry::kRowGap;
    return height + kImageBottomMargin;
}

void TrackRenderer::DrawImage(QImage& image, const QColor& background) {
    const RenderResources resources(settings_.outputScale);
    const int width = image.width();
    const std::vector<GenomeDataset::TrackRef>& tracks = tracks_;
    const bool allTracks = paneName_ == kAllTracksPane;
    geometry_.rowTops.clear();
    geometry_.rowBottoms.clear();
    geometry_.rowTitleRights.clear();  // a picture's titles are not hit-tested
    int y = geometry_.HeaderHeight() + ViewGeometry::kHeaderGap;
    for (const GenomeDataset::TrackRef& ref : tracks) {
        const int height = geometry_.TrackHeight(ref.dataset->TrackHeight);
        geometry_.rowTops.push_back(y);
        geometry_.rowBottoms.push_back(y + height);
        y += height + ViewGeometry::kRowGap;
    }

    size_t firstRow = 0;  // the first row that may reach into the band
    for (int bandTop = 0; bandTop < image.height(); bandTop += kBandHeight) {
        const int bandHeight = std::min(kBandHeight, image.height() - bandTop);
        QImage band(image.scanLine(bandTop), width, bandHeight, image.bytesPerLine(),
                    image.format());
        QPainter painter(&band);
        // Replaced, not blended: a transparent background must clear what the memory held.
        painter.setCompositionMode(QPainter::CompositionMode_Source);
        painter.fillRect(band.rect(), background);
        painter.setCompositionMode(QPainter::CompositionMode_SourceOver);
        painter.translate(0, -bandTop);
        if (bandTop < geometry_.HeaderHeight() + kBandOverlap)
            DrawHeader(painter, width, resources);
        TrackRowPainter rows(painter, geometry_, width, settings_, resources);
        while (firstRow < tracks.size() && geometry_.rowBottoms[firstRow] + kBandOverlap <= bandTop)
            ++firstRow;
        for (size_t index = firstRow;
             index < tracks.size() &&
             geometry_.rowTops[index] < bandTop + bandHeight + kBandOverlap;
             ++index) {
            const GenomeDataset::TrackRef& ref = tracks[index];
            const int top = geometry_.rowTops[index];
            rows.Draw(*ref.dataset, ref.trackName, ref.chromosomeName, allTracks, top,
                      geometry_.rowBottoms[index] - top);
        }
    }
}

void TrackRenderer::DrawHeader(QPainter& painter, int width, const RenderResources& resources) {
    const int header = geometry_.HeaderHeight();
    FillHeaderBackground(painter, width, header);
    painter.setPen(QColor(0, 0, 0));
    painter.drawLine(0, header, width - 1, header);

    painter.save();
    painter.setRenderHint(QPainter::TextAntialiasing, true);
    painter.setRenderHint(QPainter::Antialiasing, true);
    const Range visible = geometry_.GetVisibleRange();
    const uint32_t step = ViewGeometry::RulerStep(geometry_.horizontal.page, width);
    // The slanted labels must fit above the header's bottom line: when the longest one would
    // reach past the top, every label gets a smaller font.
    const double angle = -kLabelAngle * M_PI / 180.0;
    const int origin = header - kLabelOffsetY;
    QFont font = resources.small;
    const QString longest = QString::fromStdString(PaneLabel::GroupedNumber(visible.second));
    for (;;) {
        const QFontMetrics metrics(font);
        const double rise = std::sin(angle) * metrics.horizontalAdvance(longest) +
                            std::cos(angle) * metrics.ascent();
        if (rise <= origin - kLabelTopGap || font.pixelSize() <= kSmallestLabelPixels)
            break;
        font.setPixelSize(font.pixelSize() - 1);
    }
    painter.setFont(font);
    const QFontMetrics metrics(font);
    const int tickBottom = header - kTickGap;
    for (uint64_t tick = visible.first - visible.first % step; tick <= visible.second;
         tick += step) {
        if (tick < visible.first)
            continue;
        const int x = geometry_.PositionToX(static_cast<uint32_t>(tick), 1, width);
        painter.setPen(resources.axis);
        painter.drawLine(x, tickBottom - kTickLength, x, tickBottom);
        const QString label = QString::fromStdString(PaneLabel::GroupedNumber(tick));
        // A label cut at the right edge would read as another number: it is left out.
        if (x - kLabelOffsetX + std::cos(angle) * metrics.horizontalAdvance(label) > width)
            continue;
        painter.save();
        painter.translate(x - kLabelOffsetX, origin);
        painter.rotate(kLabelAngle);
        painter.setPen(resources.text);
        painter.drawText(QPointF(0, 0), label);
        painter.restore();
    }
    painter.restore();
}
