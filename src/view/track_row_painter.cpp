#include "view/track_row_painter.h"

#include <QFontMetrics>
#include <algorithm>
#include <cmath>

#include "data/chromosome_dataset.h"
#include "data/track_colors.h"
#include "view/view_geometry.h"

namespace {

constexpr int kBandMargin = 15;  // the value scale takes 30 pixels of a row: 15 above and below
constexpr int kTickLeft = 69;
constexpr int kAxisX = 74;
constexpr int kLabelRight = 68;
constexpr int kLabelAreaWidth = 80;
constexpr int kPointHeight = 2;
constexpr int kBorderMinimum = 3;

uint32_t Opaque(const QColor& color) {
    return color.rgba();
}

}  // namespace

TrackRowPainter::TrackRowPainter(QPainter& painter, const ViewGeometry& geometry, int targetWidth,
                                 const RenderSettings& settings, const RenderResources& resources)
    : painter_(painter),
      geometry_(geometry),
      targetWidth_(targetWidth),
      dataRight_(ViewGeometry::kLabelWidth + ViewGeometry::DataWidth(targetWidth)),
      settings_(settings),
      resources_(resources) {}

int TrackRowPainter::YOf(const Row& row, double value) const {
    // Clamped before it becomes an integer: infinite or huge values land just off the band.
    const double y = row.yZero - std::trunc(value * row.scale.pixelsPerUnit);
    return static_cast<int>(std::clamp(y, double(row.bandTop - 1), double(row.bandBottom + 1)));
}

double TrackRowPainter::ValueAtY(const ChromosomeDataset& track, const std::string& trackName,
                                 int top, int height, int y) {
    const TrackScale scale = ComputeTrackScale(track, trackName, height);
    if (!(scale.pixelsPerUnit > 0.0))
        return 0.0;
    const int bandBottom = top + height - kBandMargin;
    const double yZero = bandBottom + std::trunc(scale.lo * scale.pixelsPerUnit);
    return (yZero - y) / scale.pixelsPerUnit;
}

TrackRowPainter::Style TrackRowPainter::ChooseStyle(const ChromosomeDataset& track,
                                                    int& visibleStarts) const {
    int style = track.TrackStyle;
    if (style != ChromosomeDataset::kStylePoints && style != ChromosomeDataset::kStyleBars)
        style = settings_.defaultTrackStyle;
    const std::vector<uint32_t>& starts = track.GetStartPositions();
    const ViewGeometry::Range visible = geometry_.GetVisibleRange();
    const auto from = std::lower_bound(starts.begin(), starts.end(), visible.first);
    const auto to = std::upper_bound(from, starts.end(), visible.second);
    visibleStarts = static_cast<int>(std::min<ptrdiff_t>(to - from, INT32_MAX));
    if (style == ChromosomeDataset::kStyleBars)
        return Style::kBars;
    return visibleStarts >= kDenseThreshold ? Style::kDensePoints : Style::kPoints;
}

void TrackRowPainter::Draw(const ChromosomeDataset& track, const std::string& trackName,
                           const std::string& chromosomeName, bool showChromosome, int top,
                           int height) {
    Row row;
    row.track = &track;
    row.scale = ComputeTrackScale(track, trackName, height);
    row.bandTop = top + kBandMargin;
    row.bandBottom = top + height - kBandMargin;
    row.yZero =
        row.bandBottom + static_cast<int>(std::trunc(row.scale.lo * row.scale.pixelsPerUnit));
    row.style = ChooseStyle(track, row.visibleStarts);
    row.trackColor = TrackColors::ToDrawingColor(track.TrackColor);

    const std::vector<double> labels = PlaceLabels(row, ValueLabels(row.scale, track, trackName));
    painter_.save();
    painter_.setRenderHint(QPainter::Antialiasing, false);
    DrawFrame(row, top, height, labels);
    if (track.GetItemCount() > 0)
        DrawItems(row);
    DrawLabelColumn(row, trackName, chromosomeName, showChromosome, top, labels);
    painter_.restore();
}

std::vector<uint32_t> TrackRowPainter::CollectColumnStarts(const Row& row,
                                                           std::vector<float>& columnMax) const {
    const ChromosomeDataset& track = *row.track;
    const int width = ViewGeometry::DataWidth(targetWidth_);
    const double first = static_cast<double>(geometry_.horizontal.position);
    const double basesPerPixel =
        static_cast<double>(std::max<int64_t>(geometry_.horizontal.page, 1)) / width;
    columnMax.assign(static_cast<size_t>(width), 0.0f);
    std::vector<uint32_t> collected;
    collected.reserve(static_cast<size_t>(width) * 2 + kLookBack);
    for (int column = 0; column < width; ++column) {
        const auto from = static_cast<uint32_t>(first + column * basesPerPixel);
        const auto to = static_cast<uint32_t>(first + (column + 1) * basesPerPixel);
        uint32_t minStart = 0;
        uint32_t maxStart = 0;
        float minValue = 0.0f;
        float maxValue = 0.0f;
        if (settings_.plainReference)
            track.GetMinMaxInRangeByWalking(from, to, minStart, maxStart, minValue, maxValue);
        else
            track.GetMinMaxInRange(from, to, minStart, maxStart, minValue, maxValue);
        columnMax[static_cast<size_t>(column)] = maxValue;
        collected.push_back(minStart);
        collected.push_back(maxStart);
    }
    if (row.style == Style::kBars) {
        // Items starting left of the view may still reach into it.
        const std::vector<uint32_t>& starts = track.GetStartPositions();
        const size_t firstVisible = static_cast<size_t>(
            std::lower_bound(starts.begin(), starts.end(), static_cast<uint32_t>(first)) -
            starts.begin());
        for (size_t i = firstVisible - std::min<size_t>(firstVisible, kLookBack); i < firstVisible;
             ++i)
            collected.push_back(starts[i]);
    }
    std::sort(collected.begin(), collected.end());
    collected.erase(std::unique(collected.begin(), collected.end()), collected.end());
    return collected;
}

void TrackRowPainter::DrawItems(const Row& row) {
    const ChromosomeDataset& track = *row.track;
    std::vector<float> columnMax;
    if (row.style == Style::kPoints) {
        const std::vector<uint32_t>& starts = track.GetStartPositions();
        const ViewGeometry::Range visible = geometry_.GetVisibleRange();
        size_t begin = static_cast<size_t>(
            std::lower_bound(starts.begin(), starts.end(), visible.first) - starts.begin());
        begin -= std::min<size_t>(begin, kLookBack);
        const size_t end = static_cast<size_t>(
            std::upper_bound(starts.begin(), starts.end(), visible.second) - starts.begin());
        for (size_t handle = begin; handle < end; ++handle) {
            const ItemView item = track.GetItem(handle);
            AddItemRect(row, starts[handle], item.Score, item.Stop, item.Strand, item.Color,
                        columnMax);
        }
    } else {
        for (const uint32_t start : CollectColumnStarts(row, columnMax)) {
            for (const ChromosomeDataset::ItemHandle handle : track.GetItemsAt(start)) {
                const ItemView item = track.GetItem(handle);
                AddItemRect(row, start, item.Score, item.Stop, item.Strand, item.Color, columnMax);
            }
        }
    }
    FlushBatches();
}

void TrackRowPainter::AddItemRect(const Row& row, uint32_t start, float score, uint32_t stop,
                                  char strand, uint32_t color,
                                  const std::vector<float>& columnMax) {
    int left = geometry_.PositionToX(start, 0, targetWidth_);
    int right = geometry_.PositionToX(std::max(start, stop), 2, targetWidth_);
    if (right <= left)
        right = left + 1;
    if (right + ViewGeometry::kLabelWidth < 0 || left - ViewGeometry::kLabelWidth > targetWidth_)
        return;
    const double value = row.scale.ValueOf(score, strand);
    if (std::isnan(value))
        return;  // a value that is not a number has no place on the scale
    const bool clipped = row.scale.valid && (value < row.scale.lo || value > row.scale.hi);

    int top = 0;
    int bottom = 0;
    switch (row.style) {
        case Style::kBars: {
            const int y = YOf(row, value);
            top = std::min(y, row.yZero);
            bottom = std::max(y, row.yZero);
            break;
        }
        case Style::kPoints: {
            const int y = YOf(row, value);
            top = y - kPointHeight - row.track->PointHeightTop;
            bottom = y + row.track->PointHeightBottom;
            left -= row.track->PointWidthLeft;
            right += row.track->PointWidthRight;
            break;
        }
        case Style::kDensePoints: {
            const size_t column = static_cast<size_t>(
                std::clamp(left - ViewGeometry::kLabelWidth, 0, int(columnMax.size()) - 1));
            const double mark = row.scale.unitValues ? value : double(columnMax[column]);
            if (std::isnan(mark))
                return;
            const int y = YOf(row, mark);
            top = y - kPointHeight;
            bottom = y;
            break;
        }
    }
    if (row.style != Style::kBars) {
        // A point mark sits above its value, so one at (or beyond) the top of the scale would
        // be cut away whole: it is moved into the band instead, and shows.
        if (top < row.bandTop) {
            bottom += row.bandTop - top;
            top = row.bandTop;
        }
        if (bottom > row.bandBottom + 1) {
            top -= bottom - (row.bandBottom + 1);
            bottom = row.bandBottom + 1;
        }
    }
    // Clipped to the row's data band.
    left = std::max(left, ViewGeometry::kLabelWidth);
    right = std::min(right, dataRight_);
    top = std::max(top, row.bandTop);
    bottom = std::min(bottom, row.bandBottom + 1);
    if (right <= left || bottom <= top)
        return;
    const QRect rect(left, top, right - left, bottom - top);

    uint32_t fill = row.trackColor;
    if (clipped && row.scale.manual)
        fill = Opaque(resources_.clipped);
    else if (color != ChromosomeItem::kNoColor)
        fill = color;

    if (settings_.plainReference) {
        painter_.fillRect(rect, QColor::fromRgba(fill));
    } else {
        auto batch = batches_.find(fill);
        if (batch == batches_.end()) {
            batchOrder_.push_back(fill);
            batch = batches_.insert(fill, {});
        }
        batch->append(rect);
    }
    if (settings_.showDataBorder && row.style != Style::kPoints &&
        row.visibleStarts < kDenseThreshold && rect.width() > kBorderMinimum &&
        rect.height() > kBorderMinimum)
        bordered_.push_back(rect);
}

void TrackRowPainter::FlushBatches() {
    painter_.setPen(Qt::NoPen);
    for (const uint32_t color : batchOrder_) {
        painter_.setBrush(QColor::fromRgba(color));
        painter_.drawRects(batches_.value(color));
    }
    batchOrder_.clear();
    batches_.clear();
    painter_.setBrush(Qt::NoBrush);
    for (const QRect& rect : bordered_) {
        painter_.setPen(resources_.borderDark);
        painter_.drawRect(rect.adjusted(0, 0, -1, -1));
        painter_.setPen(resources_.borderLight);
        painter_.drawRect(rect.adjusted(1, 1, -2, -2));
    }
    bordered_.clear();
}

std::vector<double> TrackRowPainter::PlaceLabels(const Row& row,
                                                 const std::vector<double>& values) const {
    const int lineHeight = QFontMetrics(resources_.small).height();
    std::vector<double> placed;
    std::vector<int> taken;
    for (const double value : values) {
        if (value < row.scale.lo || value > row.scale.hi)
            continue;
        const int y = YOf(row, value);
        const bool crowded = std::any_of(taken.begin(), taken.end(), [&](int other) {
            return std::abs(other - y) < lineHeight;
        });
        if (crowded)
            continue;
        placed.push_back(value);
        taken.push_back(y);
    }
    return placed;
}

void TrackRowPainter::DrawFrame(const Row& row, int top, int height,
                                const std::vector<double>& labels) {
    painter_.setPen(resources_.bandLine);
    painter_.drawLine(ViewGeometry::kLabelWidth, row.bandTop, dataRight_ - 1, row.bandTop);
    painter_.drawLine(ViewGeometry::kLabelWidth, row.bandBottom, dataRight_ - 1, row.bandBottom);
    if (row.yZero > row.bandTop && row.yZero < row.bandBottom) {
        QColor zero = QColor::fromRgba(row.trackColor);
        zero.setAlpha(0x40);
        painter_.setPen(zero);
        painter_.drawLine(ViewGeometry::kLabelWidth, row.yZero, dataRight_ - 1, row.yZero);
    }
    for (const double value : labels) {
        const int y = YOf(row, value);
        if (settings_.showGridLines) {
            painter_.setPen(resources_.gridLine);
            painter_.drawLine(ViewGeometry::kLabelWidth, y, dataRight_ - 1, y);
        }
        painter_.setPen(resources_.axis);
        painter_.drawLine(kTickLeft, y, kAxisX, y);
    }
    painter_.setPen(resources_.axis);
    painter_.drawLine(kAxisX, top, kAxisX, top + height - 1);
}

void TrackRowPainter::DrawLabelColumn(const Row& row, const std::string& trackName,
                                      const std::string& chromosomeName, bool showChromosome,
                                      int top, const std::vector<double>& labels) {
    painter_.setRenderHint(QPainter::TextAntialiasing, true);
    QFont nameFont = resources_.small;
    nameFont.setBold(true);
    painter_.setFont(nameFont);
    painter_.setPen(resources_.text);
    const QFontMetrics nameMetrics(nameFont);
    const int nameWidth = kLabelRight - 2;
    painter_.drawText(
        QRect(2, top, nameWidth, nameMetrics.height()), Qt::AlignLeft | Qt::AlignTop,
        nameMetrics.elidedText(QString::fromStdString(trackName), Qt::ElideRight, nameWidth));
    if (showChromosome) {
        painter_.setFont(resources_.small);
        painter_.setPen(QColor(0x60, 0x60, 0x60));
        painter_.drawText(QRect(2, top + nameMetrics.height(), nameWidth, nameMetrics.height()),
                          Qt::AlignLeft | Qt::AlignTop, QString::fromStdString(chromosomeName));
    }

    painter_.setFont(resources_.small);
    const QFontMetrics metrics(resources_.small);
    for (const double value : labels) {
        const QString text = QString::fromStdString(FormatValueLabel(value));
        const int y = YOf(row, value);
        QRect box = metrics.boundingRect(text).adjusted(-1, 0, 1, 0);
        box.moveRight(kLabelRight);
        box.moveTop(y - box.height() / 2);
        box.setLeft(std::max(box.left(), kLabelRight - kLabelAreaWidth));
        painter_.fillRect(box, resources_.labelBox);
        painter_.setPen(resources_.text);
        painter_.drawText(box, Qt::AlignRight | Qt::AlignVCenter, text);
    }

    if (row.scale.manual && settings_.showManualScaleOverlay) {
        // A quiet tag in the label column: this row's scale was set by hand.
        const QString tag = QStringLiteral("manual");
        QRect box = metrics.boundingRect(tag).adjusted(-3, -1, 3, 1);
        box.moveLeft(2);
        box.moveBottom(row.bandBottom + kBandMargin - 2);
        QColor fill = QColor::fromRgba(row.trackColor);
        fill.setAlpha(0x30);
        painter_.setRenderHint(QPainter::Antialiasing, true);
        painter_.setPen(QColor(0x5A, 0x6B, 0x7D));
        painter_.setBrush(fill);
        painter_.drawRoundedRect(box, 3, 3);
        painter_.drawText(box, Qt::AlignCenter, tag);
        painter_.setRenderHint(QPainter::Antialiasing, false);
        painter_.setBrush(Qt::NoBrush);
    }
}
