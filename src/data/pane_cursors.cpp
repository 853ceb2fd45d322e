#include "data/pane_cursors.h"

#include <algorithm>
#include <vector>

namespace {

const std::string kDefaultCursorTrack = "gene";
constexpr int kNoCursor = -1;

}  // namespace

void PaneCursors::Clear() {
    attachedTracks_.clear();
    cursorPositions_.clear();
}

void PaneCursors::SwapContents(PaneCursors& other) {
    attachedTracks_.swap(other.attachedTracks_);
    cursorPositions_.swap(other.cursorPositions_);
}

std::string PaneCursors::GetAttachedTrackName(const std::string& paneName) {
    return attachedTracks_.try_emplace(paneName, kDefaultCursorTrack).first->second;
}

void PaneCursors::SetAttachedTrackName(const std::string& paneName, const std::string& trackName) {
    attachedTracks_[paneName] = trackName;
}

int PaneCursors::GetCursorIndex(const std::string& paneName) const {
    const auto it = cursorPositions_.find(paneName);
    return it == cursorPositions_.end() ? kNoCursor : it->second;
}

void PaneCursors::SetCursorIndex(const std::string& paneName, int index) {
    cursorPositions_[paneName] = index;
}

ChromosomeDataset* PaneCursors::GetCursorTrack(const std::string& paneName) {
    return store_.FindTrack(paneName, GetAttachedTrackName(paneName));
}

bool PaneCursors::StepCursor(const std::string& paneName, int delta) {
    const ChromosomeDataset* track = GetCursorTrack(paneName);
    if (track == nullptr)
        return false;
    const auto cursor = cursorPositions_.find(paneName);
    if (cursor == cursorPositions_.end()) {
        cursorPositions_[paneName] = 0;
        return true;
    }
    const int64_t next = std::max<int64_t>(int64_t{cursor->second} + delta, 0);
    if (static_cast<uint64_t>(next) < track->GetPositionCount())
        cursor->second = static_cast<int>(next);
    return true;
}

Range PaneCursors::GetCursorRange(const std::string& paneName) {
    const Range none(kNoPosition, kNoPosition);
    const ChromosomeDataset* track = GetCursorTrack(paneName);
    const auto cursor = cursorPositions_.find(paneName);
    if (track == nullptr || cursor == cursorPositions_.end() || cursor->second < 0 ||
        static_cast<size_t>(cursor->second) >= track->GetItemCount())
        return none;
    const size_t index = static_cast<size_t>(cursor->second);
    const uint32_t start = track->GetStart(index);
    return std::make_pair(start, std::max(start, track->GetStop(index)));
}

uint32_t PaneCursors::MoveCursorNear(const std::string& paneName, uint32_t pos) {
    ChromosomeDataset* track = GetCursorTrack(paneName);
    if (track == nullptr || track->GetItemCount() == 0)
        return kNoPosition;
    const std::vector<uint32_t>& starts = track->GetStartPositions();
    constexpr size_t kNone = static_cast<size_t>(-1);
    size_t after = kNone;
    size_t before = kNone;
    size_t containing = kNone;
    uint64_t beforeDistance = 0;
    uint64_t containingLength = 0;
    for (size_t i = 0; i < starts.size(); ++i) {
        const uint32_t start = starts[i];
        if (start > pos) {
            after = i;
            break;
        }
        const uint32_t stop = track->GetStop(i);
        if (stop < pos) {
            const uint64_t distance = pos - stop;
            if (before == kNone || distance < beforeDistance) {
                before = i;
                beforeDistance = distance;
            }
        } else {
            const uint64_t length = stop - start;
            if (containing == kNone || length < containingLength) {
                containing = i;
                containingLength = length;
            }
        }
    }
    size_t chosen = containing;
    if (chosen == kNone) {
        if (before != kNone && (after == kNone || beforeDistance < uint64_t{starts[after]} - pos))
            chosen = before;
        else
            chosen = after;
    }
    if (chosen == kNone)
        return kNoPosition;
    cursorPositions_[paneName] = chosen < track->GetPositionCount() ? static_cast<int>(chosen) : 0;
    return starts[chosen];
}
