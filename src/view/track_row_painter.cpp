#include "view/track_row_painter.h"

#include <QFontMetrics>
#include <algorithm>
#include <cmath>

#include "data/chromosome_dataset.h"
#include "data/percent_decoding.h"
#include "data/track_colors.h"
#include "framework/display_text.h"
#include "view/column_extremes.h"
#include "view/feature_name_painter.h"
#include "view/gene_model_layout.h"
#include "view/gene_model_painter.h"
#include "view/view_geometry.h"

namespace {

constexpr int kBandMargin = 15;  // the value scale takes 30 pixels of a row: 15 above and below
constexpr int kTickLeft = 69;
constexpr int kAxisX = 74;
constexpr int kLabelRight = 68;
constexpr int kLabelAreaWidth = 80;
constexpr int kPointHeight = 2;
constexpr int kAxisMarkHeight = 2;    // an item whose bar has no height is drawn this high
constexpr int kLabelMinimumLeft = 2;  // value labels wider than the column from here are shortened
constexpr int kTitleIndent = 3;
constexpr int kTitleBaselineGap = 3;  // between the title's baseline and the data band
const QColor kChromosomeText(0x50, 0x50, 0x50);
const QColor kManualTagText(0xB0, 0x40, 0x20);

uint32_t Opaque(const QColor& color) {
    return color.rgba();
}

// A pixel coordinate from a computed one, which may be huge, infinite or not a number: clamped
// in double before it becomes an integer (NaN gives low).
int ClampedPixel(double y, int low, int high) {
    if (!(y >= low))
        return low;
    return y > high ? high : static_cast<int>(y);
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
    return ClampedPixel(y, row.bandTop - 1, row.bandBottom + 1);
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
    const Range visible = geometry_.GetVisibleRange();
    const auto from = std::lower_bound(starts.begin(), starts.end(), visible.first);
    const auto to = std::upper_bound(from, starts.end(), visible.second);
    visibleStarts = static_cast<int>(std::min<ptrdiff_t>(to - from, INT32_MAX));
    if (style == ChromosomeDataset::kStyleBars)
        return Style::kBars;
    return visibleStarts >= kDenseThreshold ? Style::kDensePoints : Style::kPoints;
}

int TrackRowPainter::Draw(const ChromosomeDataset& track, const std::string& trackName,
                          const std::string& chromosomeName, bool showChromosome, int top,
                          int height) {
    Row row;
    row.track = &track;
    row.scale = ComputeTrackScale(track, trackName, height);
    row.bandTop = top + kBandMargin;
    row.bandBottom = top + height - kBandMargin;
    row.yZero = ClampedPixel(row.bandBottom + std::trunc(row.scale.lo * row.scale.pixelsPerUnit),
                             -ViewGeometry::kMaxCoordinate, ViewGeometry::kMaxCoordinate);
    row.style = ChooseStyle(track, row.visibleStarts);
    row.trackColor = TrackColors::ToDrawingColor(track.TrackColor);

    painter_.save();
    painter_.setRenderHint(QPainter::Antialiasing, false);
    if (DrawGeneModels(row, top, height)) {
        const int titleRight = DrawTitle(row, trackName, chromosomeName, showChromosome, top);
        painter_.restore();
        return titleRight;
    }
    const std::vector<double> labels = PlaceLabels(row, ValueLabels(row.scale, track, trackName));
    DrawFrame(row, top, height, labels, true);
    if (track.GetItemCount() > 0) {
        DrawItems(row);
        if (settings_.showFeatureNames)
            DrawFeatureNames(row);
    }
    DrawValueLabels(row, labels);
    const int titleRight = DrawTitle(row, trackName, chromosomeName, showChromosome, top);
    painter_.restore();
    return titleRight;
}

bool TrackRowPainter::DrawGeneModels(const Row& row, int top, int height) {
    const ChromosomeDataset& track = *row.track;
    if (!settings_.geneModels || track.GetItemCount() == 0)
        return false;
    const TrackModels models(track);
    if (!models.Any())
        return false;
    const GeneModelLayout layout(track, models, geometry_, targetWidth_, row.bandTop,
                                 row.bandBottom,
                                 settings_.showFeatureNames ? &resources_.small : nullptr);
    if (!layout.IsDrawn())
        return false;
    // Lanes have no value scale: no labels, no zero line.
    DrawFrame(row, top, height, {}, false);
    GeneModelPainter painter(painter_, geometry_, targetWidth_, resources_);
    const QRect overflowArea(ViewGeometry::kLabelWidth, row.bandBottom + 1,
                             dataRight_ - ViewGeometry::kLabelWidth - kTitleIndent,
                             kBandMargin - 1);
    painter.Draw(
        track, models, layout,
        [&](size_t item) {
            return FillOf(row, item, track.DrawnValue(item, row.scale.unitValues));
        },
        overflowArea);
    return true;
}

void TrackRowPainter::DrawFeatureNames(const Row& row) {
    FeatureNamePainter names(painter_, geometry_, targetWidth_, resources_);
    const ChromosomeDataset& track = *row.track;
    names.Draw(track, row.scale.unitValues, row.bandTop, row.bandBottom + 1,
               [this, &row, &track](size_t item) {
                   const double value = track.DrawnValue(item, row.scale.unitValues);
                   if (row.style != Style::kPoints)
                       return ExtentOf(row, value);
                   const int y = YOf(row, value);  // a mark sits just above its value
                   return std::make_pair(y - kPointHeight, y + 1);
               });
}

void TrackRowPainter::DrawItems(const Row& row) {
    keepOrder_ = row.style == Style::kPoints;
    if (row.style == Style::kPoints)
        DrawPointItems(row);
    else
        DrawColumns(row);
    FlushBatches();
}

void TrackRowPainter::DrawPointItems(const Row& row) {
    const ChromosomeDataset& track = *row.track;
    if (settings_.plainReference) {
        for (size_t item = 0; item < track.End(); ++item)
            AddPointRect(row, item);
        return;
    }
    const ColumnExtremes spans(track, row.scale.unitValues, geometry_, targetWidth_);
    for (const size_t item : spans.ItemsInView(track.PointWidthLeft, track.PointWidthRight))
        AddPointRect(row, item);
}

void TrackRowPainter::DrawColumns(const Row& row) {
    const ColumnExtremes extremes(*row.track, row.scale.unitValues, geometry_, targetWidth_);
    const std::vector<ColumnExtremes::Column> columns =
        settings_.plainReference ? extremes.FindByWalking() : extremes.Find();
    std::vector<Run> open;
    std::vector<Run> continued;
    std::vector<Piece> pieces;
    const bool borders = settings_.showDataBorder && row.style == Style::kBars &&
                         row.visibleStarts < kDenseThreshold;
    const auto finish = [&](const Run& run, int end) {
        AddRect(QRect(ViewGeometry::kLabelWidth + run.left, run.piece.top, end - run.left,
                      run.piece.bottom - run.piece.top),
                run.piece.color);
        if (borders)
            AddBorder(row, extremes, run, end);
    };
    const int width = static_cast<int>(columns.size());
    for (int c = 0; c < width; ++c) {
        const ColumnExtremes::Column& column = columns[static_cast<size_t>(c)];
        pieces.clear();
        if (column.maxItem != ColumnExtremes::kNone)
            ColumnPieces(row, column.maxItem, column.minItem, pieces);
        continued.clear();
        for (const Piece& piece : pieces) {
            const auto same = std::find_if(open.begin(), open.end(),
                                           [&](const Run& run) { return run.piece == piece; });
            if (same != open.end()) {
                continued.push_back(*same);
                open.erase(same);
            } else {
                continued.push_back({piece, c});
            }
        }
        for (const Run& run : open)
            finish(run, c);
        open.swap(continued);
    }
    for (const Run& run : open)
        finish(run, width);
}

std::pair<int, int> TrackRowPainter::ExtentOf(const Row& row, double value) const {
    const int y = YOf(row, value);
    int top = std::min(y, row.yZero);
    int bottom = std::max(y, row.yZero);
    if (row.style == Style::kDensePoints) {
        // A mark sits above its value; at or beyond the top of the scale it is moved into the
        // band instead of being cut away whole.
        top = std::max(y - kPointHeight, row.bandTop);
        bottom = top + kPointHeight;
        if (bottom > row.bandBottom + 1) {
            top -= bottom - (row.bandBottom + 1);
            bottom = row.bandBottom + 1;
        }
    }
    top = std::max(top, row.bandTop);
    bottom = std::min(bottom, row.bandBottom + 1);
    if (bottom <= top) {
        // A bar with no height in the band (its value on the axis, or beyond a manual scale)
        // still shows: a mark on the axis, or at the band's edge it lies beyond.
        const int at = std::clamp(y, row.bandTop, row.bandBottom + 1);
        top =
            std::clamp(at - kAxisMarkHeight / 2, row.bandTop, row.bandBottom + 1 - kAxisMarkHeight);
        bottom = top + kAxisMarkHeight;
    }
    return {top, bottom};
}

void TrackRowPainter::ColumnPieces(const Row& row, size_t maxItem, size_t minItem,
                                   std::vector<Piece>& pieces) const {
    const ChromosomeDataset& track = *row.track;
    const double high = track.DrawnValue(maxItem, row.scale.unitValues);
    const auto [highTop, highBottom] = ExtentOf(row, high);
    Piece upper{maxItem, highTop, highBottom, FillOf(row, maxItem, high)};
    if (minItem == maxItem || minItem == ColumnExtremes::kNone) {
        if (upper.bottom > upper.top)
            pieces.push_back(upper);
        return;
    }
    const double low = track.DrawnValue(minItem, row.scale.unitValues);
    const auto [lowTop, lowBottom] = ExtentOf(row, low);
    Piece lower{minItem, lowTop, lowBottom, FillOf(row, minItem, low)};
    // Nested bars (both on one side of zero) or touching marks: the smaller shape stays whole
    // and the larger one keeps what shows around it; the largest value wins a tie.
    Piece* whole = &upper;
    Piece* cut = &lower;
    if (row.style == Style::kBars &&
        lower.bottom - lower.top < upper.bottom - upper.top)
        std::swap(whole, cut);
    std::vector<Piece> parts;
    if (cut->top < whole->top)
        parts.push_back({cut->item, cut->top, std::min(cut->bottom, whole->top), cut->color});
    if (cut->bottom > whole->bottom)
        parts.push_back({cut->item, std::max(cut->top, whole->bottom), cut->bottom, cut->color});
    if (whole->bottom > whole->top)
        pieces.push_back(*whole);
    for (const Piece& part : parts) {
        if (part.bottom > part.top)
            pieces.push_back(part);
    }
}

uint32_t TrackRowPainter::FillOf(const Row& row, size_t item, double value) const {
    const bool clipped = row.scale.valid && (value < row.scale.lo || value > row.scale.hi);
    if (clipped && row.scale.manual)
        return Opaque(resources_.clipped);
    const uint32_t color = row.track->GetColor(item);
    return color != ChromosomeItem::kNoColor ? color : row.trackColor;
}

void TrackRowPainter::AddPointRect(const Row& row, size_t item) {
    const ChromosomeDataset& track = *row.track;
    const uint32_t start = track.GetStart(item);
    int left = geometry_.PositionToX(start, 0, targetWidth_);
    int right = geometry_.PositionToX(track.EffectiveStop(item), 2, targetWidth_);
    if (right <= left)
        right = left + 1;
    if (right + ViewGeometry::kLabelWidth < 0 || left - ViewGeometry::kLabelWidth > targetWidth_)
        return;
    const double value = track.DrawnValue(item, row.scale.unitValues);
    const int y = YOf(row, value);
    int top = y - kPointHeight - track.PointHeightTop;
    int bottom = y + track.PointHeightBottom;
    left -= track.PointWidthLeft;
    right += track.PointWidthRight;
    // A point mark sits above its value, so one at (or beyond) the top of the scale would be
    // cut away whole: it is moved into the band instead, and shows.
    if (top < row.bandTop) {
        bottom += row.bandTop - top;
        top = row.bandTop;
    }
    if (bottom > row.bandBottom + 1) {
        top -= bottom - (row.bandBottom + 1);
        bottom = row.bandBottom + 1;
    }
    left = std::max(left, ViewGeometry::kLabelWidth);
    right = std::min(right, dataRight_);
    top = std::max(top, row.bandTop);
    bottom = std::min(bottom, row.bandBottom + 1);
    if (right <= left || bottom <= top)
        return;
    AddRect(QRect(left, top, right - left, bottom - top), FillOf(row, item, value));
}

void TrackRowPainter::AddBorder(const Row& row, const ColumnExtremes& extremes, const Run& run,
                                int end) {
    const ChromosomeDataset& track = *row.track;
    const size_t item = run.piece.item;
    const uint32_t start = track.GetStart(item);
    const int width = ViewGeometry::DataWidth(targetWidth_);
    const int itemLeft = extremes.LeftOf(start);
    const int itemRight = extremes.RightOf(start, track.EffectiveStop(item));
    const int left = std::max(itemLeft, 0);
    const int right = std::min(itemRight, width);
    const auto [top, bottom] = ExtentOf(row, track.DrawnValue(item, row.scale.unitValues));
    // Bars wider and higher than 3 pixels are outlined; the whole bar counts, not the run.
    if (right - left < kBorderMinimum || bottom - top < kBorderMinimum)
        return;
    int edges = 0;
    // An item cut by the window's edge has no edge there.
    if (run.left == itemLeft)
        edges |= kEdgeLeft;
    if (end == itemRight)
        edges |= kEdgeRight;
    if (run.piece.top == top)
        edges |= kEdgeTop;
    if (run.piece.bottom == bottom)
        edges |= kEdgeBottom;
    if (right - left >= kInnerBorderMinimum && bottom - top >= kInnerBorderMinimum)
        edges |= kInnerEdges;
    if ((edges & ~kInnerEdges) != 0) {
        bordered_.push_back({QRect(ViewGeometry::kLabelWidth + run.left, run.piece.top,
                                   end - run.left, run.piece.bottom - run.piece.top),
                             edges, run.piece.color});
    }
}

void TrackRowPainter::AddRect(const QRect& rect, uint32_t fill) {
    if (settings_.plainReference) {
        painter_.fillRect(rect, QColor::fromRgba(fill));
    } else if (keepOrder_) {
        if (batches_.empty() || batches_.back().first != fill)
            batches_.push_back({fill, {}});
        batches_.back().second.append(rect);
    } else {
        auto batch = batchOf_.find(fill);
        if (batch == batchOf_.end()) {
            batch = batchOf_.insert(fill, static_cast<int>(batches_.size()));
            batches_.push_back({fill, {}});
        }
        batches_[static_cast<size_t>(*batch)].second.append(rect);
    }
}

void TrackRowPainter::DrawEdges(const QRect& rect, int edges, int inset) {
    // Lines of one pixel that never cross, so translucent pens darken no pixel twice.
    // Runs continue into their neighbours where they have no edge: no inset there.
    const int left = rect.left() + ((edges & kEdgeLeft) ? inset : 0);
    const int right = rect.right() - ((edges & kEdgeRight) ? inset : 0);
    const int top = rect.top() + ((edges & kEdgeTop) ? inset : 0);
    const int bottom = rect.bottom() - ((edges & kEdgeBottom) ? inset : 0);
    if (right < left || bottom < top)
        return;
    if (edges & kEdgeTop)
        painter_.drawLine(left, top, right, top);
    if ((edges & kEdgeBottom) && bottom > top)
        painter_.drawLine(left, bottom, right, bottom);
    const int from = (edges & kEdgeTop) ? top + 1 : top;
    const int to = (edges & kEdgeBottom) ? bottom - 1 : bottom;
    if (to < from)
        return;
    if (edges & kEdgeLeft)
        painter_.drawLine(left, from, left, to);
    if ((edges & kEdgeRight) && right > left)
        painter_.drawLine(right, from, right, to);
}

void TrackRowPainter::FlushBatches() {
    painter_.setPen(Qt::NoPen);
    for (const auto& [color, rects] : batches_) {
        painter_.setBrush(QColor::fromRgba(color));
        painter_.drawRects(rects);
    }
    batches_.clear();
    batchOf_.clear();
    painter_.setBrush(Qt::NoBrush);
    for (const Bordered& run : bordered_) {
        painter_.setPen(OutlinePen(resources_.borderDark, run.fill));
        DrawEdges(run.rect, run.edges, 0);
    }
    for (const Bordered& run : bordered_) {
        if (run.edges & kInnerEdges) {
            painter_.setPen(OutlinePen(resources_.borderLight, run.fill));
            DrawEdges(run.rect, run.edges, 1);
        }
    }
    bordered_.clear();
}

QColor TrackRowPainter::OutlinePen(const QColor& outline, uint32_t fill) const {
    if (!settings_.opaqueOutlines || qAlpha(fill) != 0xFF)
        return outline;
    const double a = outline.alphaF();
    const auto over = [a](int top, int bottom) {
        return static_cast<int>(std::lround(a * top + (1.0 - a) * bottom));
    };
    return QColor(over(outline.red(), qRed(fill)), over(outline.green(), qGreen(fill)),
                  over(outline.blue(), qBlue(fill)));
}

std::vector<double> TrackRowPainter::PlaceLabels(const Row& row,
                                                 const std::vector<double>& values) const {
    const int lineHeight = QFontMetrics(resources_.small).height();
    std::vector<double> placed;
    std::vector<int> taken;
    for (const double value : values) {
        if (!std::isfinite(value) || value < row.scale.lo || value > row.scale.hi)
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
                                const std::vector<double>& labels, bool zeroLine) {
    painter_.setPen(resources_.bandLine);
    painter_.drawLine(ViewGeometry::kLabelWidth, row.bandTop, dataRight_ - 1, row.bandTop);
    painter_.drawLine(ViewGeometry::kLabelWidth, row.bandBottom, dataRight_ - 1, row.bandBottom);
    if (zeroLine && row.yZero > row.bandTop && row.yZero < row.bandBottom) {
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

void TrackRowPainter::DrawValueLabels(const Row& row, const std::vector<double>& labels) {
    painter_.setRenderHint(QPainter::TextAntialiasing, true);
    painter_.setFont(resources_.small);
    const QFontMetrics metrics(resources_.small);
    for (const double value : labels) {
        QString text = QString::fromStdString(FormatValueLabel(value));
        // Cut to its tail a long number would read as another one: it is written short.
        if (metrics.horizontalAdvance(text) > kLabelRight - kLabelMinimumLeft)
            text = QString::fromStdString(FormatCompactValueLabel(value));
        const int y = YOf(row, value);
        QRect box = metrics.boundingRect(text).adjusted(-1, 0, 1, 0);
        box.moveRight(kLabelRight);
        box.moveTop(y - box.height() / 2);
        box.setLeft(std::max(box.left(), kLabelRight - kLabelAreaWidth));
        painter_.fillRect(box, resources_.labelBox);
        painter_.setPen(resources_.text);
        painter_.drawText(box, Qt::AlignRight | Qt::AlignVCenter, text);
    }
}

int TrackRowPainter::DrawTitle(const Row& row, const std::string& trackName,
                               const std::string& chromosomeName, bool showChromosome, int top) {
    painter_.setRenderHint(QPainter::TextAntialiasing, true);
    QFont nameFont = resources_.small;
    nameFont.setBold(true);
    const QFontMetrics nameMetrics(nameFont);
    const QFontMetrics metrics(resources_.small);
    const QString separator = QStringLiteral("   ");
    const QString chromosome = showChromosome ? DisplayText::From(chromosomeName) : QString();
    const QString tag = row.scale.manual && settings_.showManualScaleOverlay
                            ? QStringLiteral("manual scale")
                            : QString();
    const int left = ViewGeometry::kLabelWidth + kTitleIndent;
    const int available = dataRight_ - left - kTitleIndent;
    // The chromosome and the tag keep their room; a long name gives way in its middle, so
    // names that differ at their ends stay apart.
    int reserved = 0;
    for (const QString& extra : {chromosome, tag}) {
        if (!extra.isEmpty())
            reserved += metrics.horizontalAdvance(separator + extra);
    }
    const QString name =
        nameMetrics.elidedText(DisplayText::From(PercentDecodedForDisplay(trackName)),
                               Qt::ElideMiddle, std::max(available - reserved, available / 2));
    const int baseline = top + kBandMargin - kTitleBaselineGap;
    int x = left;
    const auto draw = [&](const QFont& font, const QColor& color, const QString& text) {
        const QFontMetrics textMetrics(font);
        const QString shown = textMetrics.elidedText(text, Qt::ElideMiddle, dataRight_ - x);
        painter_.setFont(font);
        painter_.setPen(color);
        painter_.drawText(QPoint(x, baseline), shown);
        x += textMetrics.horizontalAdvance(shown);
    };
    draw(nameFont, resources_.text, name);
    if (!chromosome.isEmpty())
        draw(resources_.small, kChromosomeText, separator + chromosome);
    if (!tag.isEmpty())
        draw(resources_.small, kManualTagText, separator + tag);
    return x;
}
