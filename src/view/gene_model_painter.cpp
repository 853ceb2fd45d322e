#include "view/gene_model_painter.h"

#include <QPen>
#include <algorithm>

#include "data/chromosome_dataset.h"
#include "view/gene_model_layout.h"
#include "view/render_settings.h"
#include "view/view_geometry.h"

namespace {

constexpr int kLeftEdge = 0;   // PositionToX at a base's left edge
constexpr int kRightEdge = 2;  // and at its right edge
constexpr int kArrowWidth = 2;
constexpr int kArrowRoom = 8;  // an intron narrower than this gets no arrowhead

// The first index in [low, high) for which before(index) is false; before must be true for a
// prefix of the range.
template <typename Before>
size_t FirstNotBefore(size_t low, size_t high, const Before& before) {
    while (low < high) {
        const size_t middle = low + (high - low) / 2;
        if (before(middle))
            low = middle + 1;
        else
            high = middle;
    }
    return low;
}

// An untranslated part's height: about half the glyph's, centred on it to the pixel.
int HalfHeight(int glyphHeight) {
    int half = std::max(glyphHeight / 2, 2);
    if ((glyphHeight - half) % 2 != 0)
        ++half;
    return std::min(half, glyphHeight);
}

}  // namespace

void GeneModelPainter::Layer::Add(uint32_t color, const QRect& rect) {
    auto batch = batchOf.find(color);
    if (batch == batchOf.end()) {
        batch = batchOf.insert(color, static_cast<int>(batches.size()));
        batches.push_back({color, {}});
    }
    batches[static_cast<size_t>(*batch)].second.append(rect);
}

GeneModelPainter::GeneModelPainter(QPainter& painter, const ViewGeometry& geometry, int targetWidth,
                                   const RenderResources& resources)
    : painter_(painter),
      geometry_(geometry),
      targetWidth_(targetWidth),
      dataLeft_(ViewGeometry::kLabelWidth),
      dataRight_(ViewGeometry::kLabelWidth + ViewGeometry::DataWidth(targetWidth)),
      resources_(resources) {}

template <typename Visit>
void GeneModelPainter::ForEachPartInView(const TrackModels& models, const TrackModels::Model& model,
                                         size_t first, size_t end, const Visit& visit) const {
    const Range visible = geometry_.GetVisibleRange();
    const auto rightOf = [&](size_t index) {
        return geometry_.PositionToX(models.GetPart(model, index).Stop, kRightEdge, targetWidth_);
    };
    size_t index = FirstNotBefore(
        first, end, [&](size_t k) { return models.GetPart(model, k).Stop < visible.first; });
    int covered = dataLeft_;  // the columns left of this are drawn
    while (index < end) {
        const TrackModels::Part part = models.GetPart(model, index);
        if (part.Start > visible.second)
            break;
        const int left = geometry_.PositionToX(part.Start, kLeftEdge, targetWidth_);
        const int right = std::max(rightOf(index), left + 1);
        if (right <= covered) {
            // Parts in columns drawn already: on to the first that reaches past them.
            index = FirstNotBefore(index + 1, end, [&](size_t k) { return rightOf(k) <= covered; });
            continue;
        }
        visit(std::max(left, dataLeft_), std::min(right, dataRight_), part.Kind);
        covered = right;
        ++index;
    }
}

std::vector<std::pair<int, int>> GeneModelPainter::ExonColumns(
    const TrackModels& models, const TrackModels::Model& model) const {
    std::vector<std::pair<int, int>> columns;
    ForEachPartInView(models, model, 0, models.ExonCount(model),
                      [&](int left, int right, GeneModelSet::PartKind) {
                          if (right <= left)
                              return;
                          if (!columns.empty() && left <= columns.back().second)
                              columns.back().second = std::max(columns.back().second, right);
                          else
                              columns.emplace_back(left, right);
                      });
    return columns;
}

void GeneModelPainter::AddArrows(const std::vector<std::pair<int, int>>& exons, int left, int right,
                                 int mid, char strand, uint32_t color) {
    if (strand != '+' && strand != '-')
        return;
    if (arrows_.empty() || arrows_.back().first != color)
        arrows_.push_back({color, {}});
    QVector<QLine>& lines = arrows_.back().second;
    const int tip = strand == '+' ? kArrowWidth : -kArrowWidth;
    const auto arrowsIn = [&](int from, int to) {
        if (to - from < kArrowRoom)
            return;
        // Spaced evenly, centred in the intron; a short intron gets one in its middle.
        const int count = std::max(1, (to - from) / kArrowSpacing);
        const int step = (to - from) / count;
        for (int k = 0; k < count; ++k) {
            const int x = from + step / 2 + k * step - tip / 2;
            lines.append(QLine(x, mid - kArrowHalfHeight, x + tip, mid));
            lines.append(QLine(x + tip, mid, x, mid + kArrowHalfHeight));
        }
    };
    int from = left;
    for (const auto& [exonLeft, exonRight] : exons) {
        arrowsIn(from, exonLeft);
        from = exonRight;
    }
    arrowsIn(from, right);
}

void GeneModelPainter::Fill(const Layer& layer) {
    painter_.setPen(Qt::NoPen);
    for (const auto& [color, rects] : layer.batches) {
        painter_.setBrush(QColor::fromRgba(color));
        painter_.drawRects(rects);
    }
    painter_.setBrush(Qt::NoBrush);
}

void GeneModelPainter::Draw(const ChromosomeDataset& track, const TrackModels& models,
                            const GeneModelLayout& layout, const ColorOf& colorOf,
                            const QRect& overflowArea) {
    const int glyph = layout.GetGlyphHeight();
    const int half = HalfHeight(glyph);
    Layer introns;
    Layer untranslated;
    Layer coding;
    arrows_.clear();
    for (const GeneModelLayout::Placed& placed : layout.GetPlaced()) {
        if (placed.lane < 0)
            continue;
        const TrackModels::Model& model = placed.model;
        const uint32_t color = colorOf(model.Item);
        const int top = layout.GlyphTop(placed.lane);
        const int mid = top + glyph / 2;
        const int left = std::max(placed.left, dataLeft_);
        const int right = std::min(placed.right, dataRight_);
        if (right <= left)
            continue;
        introns.Add(color, QRect(left, mid, right - left, 1));
        const size_t exons = models.ExonCount(model);
        ForEachPartInView(
            models, model, 0, exons, [&](int from, int to, GeneModelSet::PartKind kind) {
                if (kind == GeneModelSet::kExon)
                    coding.Add(color, QRect(from, top, to - from, glyph));
                else
                    untranslated.Add(color, QRect(from, top + (glyph - half) / 2, to - from, half));
            });
        ForEachPartInView(models, model, exons, models.PartCount(model),
                          [&](int from, int to, GeneModelSet::PartKind) {
                              coding.Add(color, QRect(from, top, to - from, glyph));
                          });
        AddArrows(ExonColumns(models, model), left, right, mid, track.GetStrand(model.Item), color);
    }
    Fill(introns);
    for (const auto& [color, lines] : arrows_) {
        painter_.setPen(QPen(QColor::fromRgba(color), 1));
        painter_.drawLines(lines);
    }
    Fill(untranslated);
    Fill(coding);

    painter_.setRenderHint(QPainter::TextAntialiasing, true);
    painter_.setFont(resources_.small);
    painter_.setPen(resources_.text);
    for (const GeneModelLayout::Placed& placed : layout.GetPlaced()) {
        if (!placed.nameBox.isEmpty())
            painter_.drawText(placed.nameBox, Qt::AlignLeft | Qt::AlignVCenter, placed.name);
    }
    if (layout.GetOverflow() > 0)
        painter_.drawText(overflowArea, Qt::AlignRight | Qt::AlignVCenter,
                          QStringLiteral("+%1").arg(layout.GetOverflow()));
}
