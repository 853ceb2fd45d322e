#pragma once

#include <cstdint>
#include <string>
#include <unordered_map>
#include <utility>

#include "data/chromosome_dataset.h"
#include "data/genome_store.h"
#include "data/position.h"

// The cursor of each pane: the track it follows ("gene" until another is attached) and the
// index of its item in that track. Reads the tracks from the store given, which must outlive
// it. Positions are 1-based and inclusive; kNoPosition means none.
class PaneCursors {
public:
    explicit PaneCursors(const GenomeStore& store) : store_(store) {}
    PaneCursors(const PaneCursors&) = delete;
    PaneCursors& operator=(const PaneCursors&) = delete;

    // No pane has a cursor or an attached track afterwards.
    void Clear();
    // Exchanges every pane's cursor with other's, in constant time; each keeps its store.
    void SwapContents(PaneCursors& other);

    // The track the pane's cursor follows; "gene" until another is attached.
    std::string GetAttachedTrackName(const std::string& paneName);
    void SetAttachedTrackName(const std::string& paneName, const std::string& trackName);
    // Pane name to the track its cursor follows, for panes whose cursor was looked up or set.
    const std::unordered_map<std::string, std::string>& GetAttachedTracks() const {
        return attachedTracks_;
    }
    // Pane name to its cursor's item index in the attached track, for panes with a cursor.
    const std::unordered_map<std::string, int>& GetCursorPositions() const {
        return cursorPositions_;
    }
    // -1 when the pane has no cursor yet.
    int GetCursorIndex(const std::string& paneName) const;
    void SetCursorIndex(const std::string& paneName, int index);
    // The pane's attached track on that chromosome, or null when it has none of that name.
    ChromosomeDataset* GetCursorTrack(const std::string& paneName);
    // Moves the cursor by delta items without wrapping; false without a cursor track.
    bool StepCursor(const std::string& paneName, int delta);
    // (start, stop) of the cursor item; (kNoPosition, kNoPosition) when there is none.
    Range GetCursorRange(const std::string& paneName);
    // Puts the pane's cursor on the item that best matches pos and returns its start, or
    // kNoPosition when the cursor track is missing or empty.
    uint32_t MoveCursorNear(const std::string& paneName, uint32_t pos);

private:
    const GenomeStore& store_;
    std::unordered_map<std::string, std::string> attachedTracks_;
    std::unordered_map<std::string, int> cursorPositions_;
};
