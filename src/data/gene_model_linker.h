#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "data/gene_model_set.h"
#include "data/genome_dataset.h"

// Finds the gene models of a chromosome in the attribute texts of its items and gives each
// track the GeneModelSet it draws:
// - GFF3: a child names its parents by their ID (`Parent=a,b`; a child may come before its
//   parents, and may name several);
// - GTF: the lines of one `transcript_id "x"` form a transcript, drawn for its transcript line
//   when there is one, else on the track of its exons over their span.
// A transcript is an item with exon-like children: exon, CDS, UTR, five_prime_UTR,
// three_prime_UTR, start_codon, stop_codon (any letter case, and GTF's 5UTR/3UTR), or any
// child that is not itself a parent, except introns and protein features. CDS and codons are
// its coding part; exons and UTRs, merged, its exons.
//
// Bad links never stop anything: a missing parent, an ID given to two items, or a cycle leave
// the items concerned without a model, drawn as they would be without models. A track draws
// models when at least half of its items are drawn inside one; its other items are drawn
// alone. Linking a chromosome reads every item's attribute text once (items on the exon-like
// tracks only up to their Parent or transcript_id) and is linear in its items.
class GeneModelLinker {
public:
    // Rebuilds the models of every track of the chromosome; tracks that draw none lose theirs.
    void Link(const GenomeDataset::TrackMap& tracks);
    // Links each of the chromosomes, several at once on a processor with several cores: each
    // chromosome's tracks are read and changed by one thread only, and nothing else is
    // touched. Returns when all are done. Throws std::bad_alloc when memory ran out; the
    // chromosomes concerned are then left without models.
    static void LinkAll(const std::vector<const GenomeDataset::TrackMap*>& chromosomes);
    // True when a track of the chromosome draws gene models. Such a chromosome is linked again
    // when tracks leave it or come back: a transcript's children may lie on those tracks.
    static bool AnyModels(const GenomeDataset::TrackMap& tracks);

    // The statistics of the last Link call, for the benchmark.
    struct Counts {
        size_t models = 0;
        size_t linkedItems = 0;  // transcripts and the children drawn in them
        size_t bytes = 0;        // held by the sets given to tracks
    };
    const Counts& GetCounts() const { return counts_; }

private:
    // What a track's feature type makes of its items.
    enum class Role : uint8_t { kOther, kExon, kCoding, kUntranslated, kNonExonic };
    struct Track {
        ChromosomeDataset* dataset;
        Role role;
        const std::vector<uint32_t>* starts;  // the dataset's, ordered
    };
    // An item others may name as their parent, or a GTF transcript.
    struct Slot {
        uint32_t track;
        uint32_t item;
        uint8_t flags;
    };
    // A child of a slot.
    struct ChildLink {
        uint32_t slot;
        uint32_t start;
        uint32_t stop;
        uint32_t item;
        uint32_t track;
        Role role;
    };
    // Names to slots, by open addressing over one flat array. The names are copied into one
    // buffer: comparing with a copy close at hand is much faster than reading the item's text
    // again from wherever it lies.
    class NameTable {
    public:
        static constexpr uint32_t kNone = 0xFFFFFFFF;
        // Empties the table, with room for about expected names.
        void Reset(size_t expected);
        // The slot of name, or kNone. Remembers the last few names found: the children of a
        // transcript, and of its isoforms, lie close together.
        uint32_t Find(std::string_view name);
        // The slot of name, entering it with slot when it is new.
        uint32_t Insert(std::string_view name, uint32_t slot);

    private:
        struct Entry {
            uint32_t offset;  // of the name in names_
            uint32_t length;
            uint32_t hash;
            uint32_t slot;
        };
        static uint32_t Hash(std::string_view name);
        // The entry holding name, or the free entry where it belongs.
        size_t Place(std::string_view name, uint32_t hash) const;
        void Grow();

        bool Holds(const Entry& entry, std::string_view name, uint32_t hash) const {
            return entry.hash == hash && entry.length == name.size() &&
                   names_.compare(entry.offset, entry.length, name) == 0;
        }

        static constexpr size_t kRecent = 8;
        std::vector<Entry> entries_;
        std::string names_;
        size_t used_ = 0;
        Entry recent_[kRecent] = {};
        size_t nextRecent_ = 0;
    };

    static Role RoleOf(std::string_view featureType);
    void CollectParents();
    void CollectChildren();
    void AddChild(uint32_t slot, uint32_t track, uint32_t item);
    // Adds the item as a child of every ID in the comma-separated list that names a slot.
    void AddChildOfEach(std::string_view parents, uint32_t track, uint32_t item);
    uint32_t GtfSlot(std::string_view transcriptId, uint32_t track, uint32_t item);
    void BuildModels();
    // Adds the model of one slot from its children links_[begin, end).
    void BuildModel(const Slot& slot, size_t begin, size_t end);
    // Adds the parts, merged where they overlap or touch, to the model begun last.
    void AddMerged(std::vector<GeneModelSet::Part>& parts, GeneModelSet::PartKind kind,
                   size_t host);

    std::vector<Track> tracks_;
    // The Parent lists of items on role kOther tracks, read with their IDs.
    struct PendingParents {
        std::string_view parents;
        uint32_t track;
        uint32_t item;
    };
    std::vector<PendingParents> pendingParents_;
    std::vector<std::vector<uint32_t>> slotOfItem_;  // per track of role kOther: item -> slot
    std::vector<Slot> slots_;
    NameTable ids_;          // GFF3 IDs
    NameTable transcripts_;  // GTF transcript_id values
    std::vector<ChildLink> links_;
    std::vector<ChildLink> grouped_;
    std::vector<uint32_t> firstLink_;  // per slot, then one past the last
    std::vector<uint32_t> nextLink_;
    std::vector<std::optional<GeneModelSet::Builder>> builders_;  // per track, when it has models
    std::vector<GeneModelSet::Part> exons_;
    std::vector<GeneModelSet::Part> coding_;
    Counts counts_;
};
