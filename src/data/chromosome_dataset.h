#pragma once

#include <algorithm>
#include <cfloat>
#include <cmath>
#include <cstdint>
#include <iosfwd>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "data/chromosome_item.h"
#include "data/chunked_vector.h"
#include "data/feature_structure.h"
#include "data/gene_model_set.h"
#include "data/item_blocks.h"
#include "data/item_view.h"
#include "data/memory_budget.h"
#include "data/overlap_index.h"
#include "data/position.h"
#include "data/text_arena.h"
#include "data/text_block.h"
#include "framework/parameter_base.h"

// One track on one chromosome: the features of one GFF feature type or one BED track, kept in
// ascending order of start (equal starts in the order they were added), with the value range,
// the track's display settings and the position indexes that drawing and stepping use.
//
// Items are addressed by handles: a handle is the item's place in that order, from 0 to
// End() - 1. Adding items invalidates handles; the next reading operation puts the items in
// order again (once, however many items were added), so reading is not free of side effects.
// Items are kept as compact records with their texts in an arena; they are read as ItemViews,
// whose texts live as long as the dataset. Positions are 1-based and inclusive; kNoPosition
// means none.
class ChromosomeDataset : public CParameterBase {
public:
    using ItemHandle = size_t;
    static constexpr int kUnassignedColor = -1;
    static constexpr int kStyleAutomatic = 1;
    static constexpr int kStylePoints = 2;
    static constexpr int kStyleBars = 3;

    // Extents over all items, kept up to date by the import through UpdateExtents.
    uint32_t MinStart = kNoPosition;
    uint32_t MaxStop = 0;
    float MinValue = FLT_MAX;
    float MaxValue = -FLT_MAX;

    // Display settings.
    double ScaleMin = FLT_MAX;  // manual scale
    double ScaleMax = -FLT_MAX;
    bool AutoScale = true;
    int TrackHeight = 0;                // pixels; 0 = automatic
    int TrackColor = kUnassignedColor;  // 0x00BBGGRR
    bool FixedColor = false;            // colour came from the fixed feature-type table
    int TrackStyle = kStyleAutomatic;
    int PointWidthLeft = 0;  // point marker growth: two width halves, two height halves
    int PointWidthRight = 0;
    int PointHeightTop = 0;
    int PointHeightBottom = 0;
    bool HasReverseStrand = false;

    // A number that no other dataset of this run has had. Unlike an address it is never used
    // again once the dataset is deleted, so a cache can tell a new track from one it knows.
    uint64_t GetSerial() const { return serial_; }

    // Point size as a whole: W = left + right, H = top + bottom. Setting one splits it into
    // halves, the odd pixel on the right (bottom); a negative size counts as 0.
    int GetPointWidth() const { return PointWidthLeft + PointWidthRight; }
    int GetPointHeight() const { return PointHeightTop + PointHeightBottom; }
    void SetPointWidth(int width);
    void SetPointHeight(int height);

    // Starts (and stops) of all items in item order.
    const std::vector<uint32_t>& GetStartPositions() const;
    const std::vector<uint32_t>& GetStopPositions() const;
    size_t GetPositionCount() const { return GetStartPositions().size(); }
    size_t GetItemCount() const { return items_.size(); }

    ItemView GetItem(ItemHandle handle) const;
    // The item's attribute text alone, which a walk over every item reads faster this way.
    std::string_view GetAttributes(ItemHandle handle) const;
    // Asks the processor to bring in the texts of the item: loops that read items' texts one
    // after another call it some items ahead, since the texts lie in the order of the file,
    // among those of other tracks, and reading them in item order would wait for memory. Worth
    // it only for texts of kLongText bytes or more: short ones come in runs that the processor
    // fetches by itself.
    void PrefetchTexts(ItemHandle handle) const;
    static constexpr size_t kLongText = 64;
    uint32_t GetStart(ItemHandle handle) const { return GetStartPositions()[handle]; }
    float GetScore(ItemHandle handle) const { return Ordered()[handle].score; }
    uint32_t GetStop(ItemHandle handle) const { return Ordered()[handle].stop; }
    char GetStrand(ItemHandle handle) const { return Ordered()[handle].strand; }
    uint32_t GetColor(ItemHandle handle) const { return Ordered()[handle].color; }
    ItemHandle End() const { return items_.size(); }

    // The value an item is drawn at: its score, or with unitValues +1 (-1 for strand "-"). A
    // score that is not a number is drawn as 0, so that its item shows like any other.
    float DrawnValue(ItemHandle handle, bool unitValues) const {
        const StoredItem& item = Ordered()[handle];
        if (unitValues)
            return item.strand == '-' ? -1.0f : 1.0f;
        return std::isnan(item.score) ? 0.0f : item.score;
    }
    // The last base an item covers: its stop, or its start when the stop lies before it.
    uint32_t EffectiveStop(ItemHandle handle) const {
        return std::max(GetStartPositions()[handle], Ordered()[handle].stop);
    }
    // The drawing index over the drawn values (see DrawnValue) and effective stops, built on
    // the first call after items were added or scaled, or when unitValues changes.
    const OverlapIndex& GetOverlapIndex(bool unitValues) const;
    // Calls visit(handle), ascending, for every item among the handles [begin, end) whose
    // effective stop is minStop or more: the items that reach minStop from before it. Uses the
    // drawing index as it stands, so that looking never rebuilds what drawing just built.
    template <typename Visit>
    void ForEachReaching(size_t begin, size_t end, uint32_t minStop, const Visit& visit) const {
        GetOverlapIndex(overlapUnitValues_)
            .ForEachReaching(
                begin, end, minStop, [this](size_t k) { return EffectiveStop(k); }, visit);
    }
    // The smallest and largest finite score; false when no score is finite. Scans the items
    // once after they change.
    bool GetFiniteValueRange(float& minValue, float& maxValue) const;

    // The first item starting exactly at start, or nothing.
    std::optional<ItemView> FindItem(uint32_t start) const;
    // Every item starting exactly at start, in the order they were added.
    std::vector<ItemHandle> GetItemsAt(uint32_t start) const;

    // Files a copy of item under start, after the items already there; extents are untouched.
    // The structure (a BED item's thick range and blocks) is kept with the item; an empty one
    // costs nothing. Before a store grows, the budget is asked for the bytes it takes; when the
    // budget (or the system) refuses, std::bad_alloc is thrown and the track stays as it was.
    void AddItem(uint32_t start, const ChromosomeItem& item,
                 const FeatureStructure& structure = FeatureStructure(),
                 MemoryBudget& budget = MemoryBudget::Unlimited());

    // What an item keeps beside its start and its texts.
    struct ItemFields {
        uint32_t Stop = 0;
        float Score = 0.0f;
        uint32_t Color = ChromosomeItem::kNoColor;
        char Strand = '+';
        char Frame = '0';
        uint8_t Structure = 0;  // the StoredText flags of what follows its texts
    };
    // Files an item whose texts (and structure) were written as StoredText lays them out, at
    // offset in block, without copying them: the track keeps a share of the block. As AddItem
    // otherwise; the block's own memory is for the caller to have asked the budget for.
    void AddSharedItem(uint32_t start, const ItemFields& fields, const SharedTextBlock& block,
                       size_t offset, MemoryBudget& budget);

    // The thick range of an item read from BED columns 7 and 8, 1-based and inclusive; false
    // when its line had none. start > stop means the item has no coding part.
    bool GetThickRange(ItemHandle handle, uint32_t& start, uint32_t& stop) const;
    // The blocks of an item read from BED columns 10 to 12; empty when its line had none.
    ItemBlocks GetBlocks(ItemHandle handle) const;
    // The number of items that have blocks.
    size_t GetBlockItemCount() const { return blockItems_; }

    // The gene models the track draws, as GeneModelLinker found them; null when it draws none,
    // or when items were added since (the models name items by handle).
    const GeneModelSet* GetGeneModels() const {
        return geneModels_ && geneModels_->GetItemCount() == items_.size() ? geneModels_.get()
                                                                           : nullptr;
    }
    void SetGeneModels(std::unique_ptr<const GeneModelSet> models) {
        geneModels_ = std::move(models);
    }

    // Multiplies every score and the value extents; a negative factor swaps the extents.
    bool ScaleValues(float factor);
    bool UpdateExtents(uint32_t start, uint32_t stop, float value);
    bool RecomputeExtents();

    // Index into the start index of the start nearest to pos (a tie goes to the later one), or
    // the index's size when the track is empty.
    size_t FindNearestStart(uint32_t pos) const;
    // That start itself, or kNoPosition for an empty track.
    uint32_t GetNearestStart(uint32_t pos) const;

    // The smallest and largest score over a range of items, with the starts of the two items
    // (the track's range query; nothing draws through it: drawing reads the overlap index).
    // With S the start index and i = FindNearestStart(from):
    // - an empty track gives starts (0, 0) and leaves the values as they were;
    // - otherwise both starts become S[i] and both values the score of the first item starting
    //   at S[i]; that is the answer when from >= to or FindNearestStart(to) is i;
    // - otherwise the items from the first one starting at S[i] up to, not including, the first
    //   one starting at S[FindNearestStart(to)] are read: the values start at FLT_MAX and
    //   -FLT_MAX, and an item replaces the minimum only with a strictly smaller score and the
    //   maximum only with a strictly larger one, its start replacing the result start. So the
    //   earliest item wins ties, NaN never wins, and an empty or all-NaN range gives the values
    //   FLT_MAX and -FLT_MAX with both starts S[i].
    void GetMinMaxInRange(uint32_t from, uint32_t to, uint32_t& minStart, uint32_t& maxStart,
                          float& minValue, float& maxValue) const;

    // The item under a pointer at base pos and data value value, with the visible window
    // [from, to] (to = kNoPosition for no upper bound); End() when there is none. Every item
    // that covers pos counts, however long ago it started; a NaN score counts as 0.
    ItemHandle FindItemAt(uint32_t pos, float value, uint32_t from, uint32_t to) const;
    // The first index in the start index whose start equals that of FindItemAt's item, or the
    // index's size when nothing was found.
    size_t FindItemIndexAt(uint32_t pos, float value, uint32_t from, uint32_t to) const;

    // Writes every item whose start lies in from..to (to = kNoPosition: no upper end), items
    // sharing a start at either end included, as GFF lines. False for a bad stream, a from of
    // kNoPosition or an empty track, when the stream fails while writing and when cancel is
    // requested (the write stops there). Polls for cancel through this agent every 100 ms.
    bool WriteGff(std::ostream* stream, uint32_t from, uint32_t to,
                  const std::string& chromosomeName, const std::string& trackName);
    // Writes the whole track to fileName, appending or replacing. False when the file cannot
    // be opened or written (checked again after closing); true for an empty track.
    bool SaveGff(const std::string& fileName, const std::string& chromosomeName,
                 const std::string& trackName, bool append);

private:
    // One item without its start. Its texts lie in the arena as StoredText lays them out; the
    // structure flags use what would be padding.
    struct StoredItem {
        TextArena::Handle text;
        uint32_t stop;
        float score;
        uint32_t color;
        char strand;
        char frame;
        uint8_t structure;
    };
    // The flags must not make the record larger: files without structure pay nothing for it.
    static_assert(sizeof(StoredItem) == 24, "an item record is 24 bytes");

    // Asks the budget for what the item and start stores take to hold one more item, with
    // textGrowth bytes of text store beside it; throws std::bad_alloc when refused.
    void ReserveForOneMore(size_t textGrowth, MemoryBudget& budget);
    // Files the item of these fields, whose texts are at text, under start; the stores have
    // room (see ReserveForOneMore).
    void Push(uint32_t start, TextArena::Handle text, const ItemFields& fields);

    // The capacity the start index grows to when it is full: doubling, from 16.
    size_t NextStartsCapacity() const { return std::max<size_t>(16, starts_.size() * 2); }

    void EnsureOrdered() const;
    const ChunkedVector<StoredItem>& Ordered() const {
        if (!ordered_)  // checked here: every read of an item passes
            EnsureOrdered();
        return items_;
    }

    static uint64_t NextSerial();

    const uint64_t serial_ = NextSerial();
    TextArena texts_;
    // Items and their starts in the order added until EnsureOrdered sorts them by start.
    mutable ChunkedVector<StoredItem> items_;
    mutable std::vector<uint32_t> starts_;
    mutable std::vector<uint32_t> stops_;  // built on demand
    mutable OverlapIndex overlap_;         // built on demand, like the summary
    mutable bool overlapUnitValues_ = false;
    mutable int finiteRange_ = 0;  // 0 unknown, 1 known, -1 no finite score
    mutable float finiteMin_ = 0.0f;
    mutable float finiteMax_ = 0.0f;
    mutable bool ordered_ = true;
    std::unique_ptr<const GeneModelSet> geneModels_;
    size_t blockItems_ = 0;
};
