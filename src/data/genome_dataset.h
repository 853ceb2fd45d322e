#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "data/genome_selection.h"
#include "data/genome_store.h"
#include "data/pane_cursors.h"
#include "data/search_result_list.h"
#include "data/track_color_memory.h"
#include "framework/parameter_base.h"

// All genome data of one document, and the agent its long operations (import, search, export)
// report through. It owns four parts, each with one job, and hands them out: the store of
// chromosomes, tracks and items with the pane and track orders (Store), the colour of each
// track name (Colors), the selected track names and base ranges (Selection) and each pane's
// cursor (Cursors). It keeps the pane being shown itself, and does what needs several parts.
// Positions are 1-based and inclusive; kNoPosition means none.
class GenomeDataset : public CParameterBase {
public:
    using TrackMap = GenomeStore::TrackMap;
    using TrackRef = GenomeStore::TrackRef;

    static constexpr uint32_t kGffMinColumns = 8;
    static constexpr uint32_t kGffMaxColumns = 9;
    static constexpr uint32_t kBedMinColumns = 3;
    static constexpr uint32_t kBedMaxColumns = 12;
    static constexpr uint32_t kMaxChromosomeNames = 32768;
    static constexpr uint32_t kMaxEndBeforeStartErrors = 32;

    GenomeDataset() = default;
    GenomeDataset(const GenomeDataset&) = delete;
    GenomeDataset& operator=(const GenomeDataset&) = delete;

    GenomeStore& Store() { return store_; }
    const GenomeStore& Store() const { return store_; }
    TrackColorMemory& Colors() { return colors_; }
    const TrackColorMemory& Colors() const { return colors_; }
    GenomeSelection& Selection() { return selection_; }
    const GenomeSelection& Selection() const { return selection_; }
    PaneCursors& Cursors() { return cursors_; }
    const PaneCursors& Cursors() const { return cursors_; }

    // Empties the data, the remembered colours, cursors and selections; keeps the current pane,
    // the sort order and the place in the colour palette.
    virtual void Clear();
    // Exchanges everything Clear empties with other, in constant time; the notification
    // targets, the current pane, the sort order and the palette place stay with each. Swapping
    // with a new GenomeDataset clears this one and keeps its contents.
    void SwapContents(GenomeDataset& other);

    // The chromosome shown, or "All Tracks".
    const std::string& GetCurrentPane() const { return currentPane_; }
    void SetCurrentPane(const std::string& paneName) { currentPane_ = paneName; }

    // The item of the current pane's index-th track under base pos and value (see
    // ChromosomeDataset::FindItemAt); on success pos becomes the item's start.
    std::optional<ItemView> HitTestItem(int trackIndex, uint32_t& pos, float value, uint32_t from,
                                        uint32_t to) const;
    // Puts the current pane's cursor on the item that best matches pos and returns its start,
    // or kNoPosition when the cursor track is missing or empty.
    uint32_t MoveCursorNear(uint32_t pos) { return cursors_.MoveCursorNear(currentPane_, pos); }
    // Colours every track of every selected name, and remembers the colour for the names.
    bool SetTracksColor(int color);

    // Every item whose attribute text contains text (see AttributeSearch).
    SearchResultList Search(const std::string& text);
    // Writes the items of the region selection to a GFF file that is none of inputs (see
    // SelectionExport).
    bool ExportSelections(const std::string& path, const std::vector<std::string>& inputs);

private:
    GenomeStore store_;
    TrackColorMemory colors_;
    GenomeSelection selection_{store_};
    PaneCursors cursors_{store_};
    std::string currentPane_ = kAllTracksPane;
};
