#include "view/gene_model_layout.h"

#include <QFontMetrics>
#include <algorithm>

#include "data/chromosome_dataset.h"
#include "data/feature_name.h"
#include "data/percent_decoding.h"
#include "view/view_geometry.h"

namespace {

constexpr int kLaneMargin = 1;  // rows kept free above and below a model's boxes
constexpr int kMinimumGlyphHeight = 6;
constexpr int kLeftEdge = 0;   // PositionToX at a base's left edge
constexpr int kRightEdge = 2;  // and at its right edge

}  // namespace

GeneModelLayout::GeneModelLayout(const ChromosomeDataset& track, const TrackModels& models,
                                 const ViewGeometry& geometry, int targetWidth, int bandTop,
                                 int bandBottom, const QFont* nameFont)
    : dataLeft_(ViewGeometry::kLabelWidth),
      dataRight_(ViewGeometry::kLabelWidth + ViewGeometry::DataWidth(targetWidth)),
      laneAreaTop_(bandTop + 1),
      laneAreaHeight_(std::max(bandBottom - bandTop - 1, 1)),
      lanesAvailable_(std::max(1, laneAreaHeight_ / kMinimumLaneHeight)) {
    if (!models.Any())
        return;
    const Range visible = geometry.GetVisibleRange();
    const size_t limit =
        static_cast<size_t>(std::max(1, ViewGeometry::DataWidth(targetWidth) / kPixelsPerModel));
    std::vector<TrackModels::Model> found;
    if (!models.Find(visible.first, visible.second, limit, found))
        return;
    drawn_ = true;

    placed_.reserve(found.size());
    for (const TrackModels::Model& model : found) {
        const int left = geometry.PositionToX(model.Start, kLeftEdge, targetWidth);
        const int right =
            std::max(geometry.PositionToX(model.Stop, kRightEdge, targetWidth), left + 1);
        placed_.push_back({model, left, right, -1, QString(), QRect()});
    }
    nameWidths_.assign(placed_.size(), 0);
    if (nameFont != nullptr) {
        const QFontMetrics metrics(*nameFont);
        textHeight_ = metrics.height();
        for (size_t k = 0; k < placed_.size(); ++k) {
            Placed& placed = placed_[k];
            placed.name = QString::fromStdString(
                PercentDecodedForDisplay(FeatureName(track.GetAttributes(placed.model.Item))));
            if (!placed.name.isEmpty())
                nameWidths_[k] = metrics.horizontalAdvance(placed.name);
        }
    }

    // Room for every name if it fits: under the models when the lanes are high enough for
    // text, else beside them; otherwise the models packed tight, and names only where free.
    Names names = Names::kNone;
    int lanes = 0;
    if (textHeight_ > 0) {
        names = Names::kBeside;
        lanes = Pack(NameRoom(Names::kBeside));
        if (lanes <= lanesAvailable_ && UnderFits(LaneHeightFor(lanes))) {
            const int under = Pack(NameRoom(Names::kUnder));
            if (under <= lanesAvailable_ && UnderFits(LaneHeightFor(under))) {
                names = Names::kUnder;
                lanes = under;
            } else {
                lanes = Pack(NameRoom(Names::kBeside));
            }
        }
    }
    if (names == Names::kNone || lanes > lanesAvailable_) {
        lanes = Pack(NameRoom(Names::kNone));
        if (names != Names::kNone && UnderFits(LaneHeightFor(lanes)))
            names = Names::kUnder;
    }
    laneHeight_ = LaneHeightFor(lanes);
    names_ = names;
    const int textRoom = names == Names::kUnder ? textHeight_ + 1 : 0;
    glyphHeight_ = std::min(kMaximumGlyphHeight, laneHeight_ - 2 * kLaneMargin - textRoom);
    for (Placed& placed : placed_) {
        if (placed.lane >= lanesAvailable_) {
            placed.lane = -1;
            ++overflow_;
        }
    }
    PlaceNames(names);
}

std::vector<int> GeneModelLayout::NameRoom(Names names) const {
    std::vector<int> room(placed_.size(), 0);
    for (size_t k = 0; k < placed_.size(); ++k) {
        if (nameWidths_[k] == 0)
            continue;
        // A name that fits in its model's span goes inside it, under the boxes, when the lanes
        // have a row for text; any other is written beside the model.
        if (names == Names::kBeside || (names == Names::kUnder && !FitsInside(k)))
            room[k] = kNameGap + nameWidths_[k];
    }
    return room;
}

int GeneModelLayout::Pack(const std::vector<int>& extra) {
    // The first column free in each lane; models come in start order, so first fit.
    std::vector<int64_t> laneEnds;
    for (size_t k = 0; k < placed_.size(); ++k) {
        Placed& placed = placed_[k];
        const auto lane = std::find_if(laneEnds.begin(), laneEnds.end(),
                                       [&](int64_t end) { return end <= placed.left; });
        const int64_t end = int64_t{placed.right} + extra[k] + kModelGap;
        if (lane == laneEnds.end()) {
            placed.lane = static_cast<int>(laneEnds.size());
            laneEnds.push_back(end);
        } else {
            placed.lane = static_cast<int>(lane - laneEnds.begin());
            *lane = end;
        }
    }
    return static_cast<int>(laneEnds.size());
}

bool GeneModelLayout::FitsInside(size_t index) const {
    const Placed& placed = placed_[index];
    return nameWidths_[index] <=
           std::min(placed.right, dataRight_) - std::max(placed.left, dataLeft_);
}

int GeneModelLayout::LaneHeightFor(int lanes) const {
    const int most =
        kMaximumGlyphHeight + 2 * kLaneMargin + (textHeight_ > 0 ? textHeight_ + 1 : 0);
    const int shared = laneAreaHeight_ / std::clamp(lanes, 1, lanesAvailable_);
    return std::clamp(shared, kMinimumLaneHeight, std::max(most, kMinimumLaneHeight));
}

bool GeneModelLayout::UnderFits(int laneHeight) const {
    return textHeight_ > 0 && laneHeight - 2 * kLaneMargin - textHeight_ - 1 >= kMinimumGlyphHeight;
}

int GeneModelLayout::GlyphTop(int lane) const {
    const int laneTop = laneAreaTop_ + lane * laneHeight_;
    if (names_ == Names::kUnder)
        return laneTop + kLaneMargin;
    return laneTop + (laneHeight_ - glyphHeight_) / 2;
}

void GeneModelLayout::PlaceNames(Names names) {
    if (names == Names::kNone)
        return;
    // What each lane shows: its models' boxes, then the names written in it. A name taller
    // than its lane may reach into the lanes beside it, so those are looked at too.
    std::vector<std::vector<QRect>> taken(static_cast<size_t>(lanesAvailable_));
    for (const Placed& placed : placed_) {
        if (placed.lane >= 0)
            taken[size_t(placed.lane)].push_back(QRect(placed.left, GlyphTop(placed.lane),
                                                       placed.right - placed.left, glyphHeight_));
    }
    const int areaBottom = laneAreaTop_ + laneAreaHeight_;
    for (size_t k = 0; k < placed_.size(); ++k) {
        Placed& placed = placed_[k];
        const int width = nameWidths_[k];
        if (placed.lane < 0 || width == 0)
            continue;
        const int glyphTop = GlyphTop(placed.lane);
        QRect box;
        if (names == Names::kUnder && FitsInside(k)) {
            // Centred under the part of the model in view.
            const int left = std::max(placed.left, dataLeft_);
            const int right = std::min(placed.right, dataRight_);
            box = QRect(left + (right - left - width) / 2, glyphTop + glyphHeight_ + 1, width,
                        textHeight_);
        } else {
            int left = placed.right + kNameGap;
            if (left + width > dataRight_)
                left = placed.left - kNameGap - width;  // no room on the right: before it
            const int top = glyphTop + glyphHeight_ / 2 - textHeight_ / 2;
            box = QRect(left, std::clamp(top, laneAreaTop_, areaBottom - textHeight_), width,
                        textHeight_);
        }
        if (box.left() < dataLeft_ || box.right() >= dataRight_ || box.top() < laneAreaTop_ ||
            box.bottom() >= areaBottom)
            continue;
        bool free = true;
        for (int lane = placed.lane - 1; lane <= placed.lane + 1 && free; ++lane) {
            if (lane < 0 || lane >= lanesAvailable_)
                continue;
            for (const QRect& other : taken[size_t(lane)])
                free = free && !other.intersects(box);
        }
        if (!free)
            continue;
        placed.nameBox = box;
        taken[size_t(placed.lane)].push_back(box.adjusted(-kNameGap, 0, kNameGap, 0));
    }
}

int GeneModelLayout::ModelAt(int x, int y) const {
    if (!drawn_ || y < laneAreaTop_)
        return -1;
    const int lane = (y - laneAreaTop_) / laneHeight_;
    for (size_t k = 0; k < placed_.size(); ++k) {
        const Placed& placed = placed_[k];
        // A model one pixel wide is still found a pixel either side of it.
        if (placed.lane == lane && x >= placed.left - 1 &&
            x < std::max(placed.right, placed.left + 2))
            return static_cast<int>(k);
    }
    return -1;
}
